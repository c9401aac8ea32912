#include "ui/encoding.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
  const char* cp1251;
  const char* utf8;
};

TEST(Cp1251Text, ConvertsBothWays) {
  const Pair pairs[] = {
      {"", ""},
      {"Kelvane v1.3", "Kelvane v1.3"},
      {"\xD1\xE4\xE5\xEB\xE0\xED\xEE \xE2 Wirebench.", "Сделано в Wirebench."},
      {"R\xED<", "Rн<"},
      {"(I\xED>", "(Iн>"},
      {"\xA8\xB8", "Ёё"},
      {"\xC0\xDF\xE0\xFF", "АЯая"},
      {"\x88\xB9\x96\x97", "€№–—"},
      {"\xA5\xB4\xAA\xBA\xAF\xBF\xB2\xB3", "ҐґЄєЇїІі"},
      {"\x80\x81\x8A\x9A", "ЂЃЉљ"},
      {"\xA0\xAB\xBB", "\xC2\xA0«»"},
      {"a\r\nb\t\"", "a\r\nb\t\""},
  };
  for (const Pair& p : pairs) {
    EXPECT_EQ(Cp1251ToUtf8(p.cp1251), p.utf8) << p.utf8;
    EXPECT_EQ(Utf8ToCp1251(p.utf8), p.cp1251) << p.utf8;
  }
}

TEST(Cp1251Text, EveryDefinedByteSurvivesTheRoundTrip) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // the one byte the code page leaves undefined
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << b;
  }
}

TEST(Cp1251Text, LowerCaseOfLatinAndCyrillic) {
  const Pair pairs[] = {
      {"ABCxyz019", "abcxyz019"},
      {"\xC0\xC1\xDF", "\xE0\xE1\xFF"},          // А Б Я
      {"\xA8\xA1\xA3\xA5\xAA\xAF\xB2\xBD", "\xB8\xA2\xBC\xB4\xBA\xBF\xB3\xBE"},  // Ё Ў Ј Ґ Є Ї І Ѕ
      {"\x80\x81\x8A\x8C\x8D\x8E\x8F", "\x90\x83\x9A\x9C\x9D\x9E\x9F"},
      {"\xE0\xFF\xB8$%", "\xE0\xFF\xB8$%"},      // already small, or no case
  };
  for (const Pair& p : pairs) EXPECT_EQ(LowerCp1251(std::string(p.cp1251)), p.utf8);
}

TEST(Cp1251TextErrors, UnmappableAndMalformedBecomeQuestionMarks) {
  const Pair pairs[] = {
      {"?", "漢"},                  // no Chinese in the code page
      {"?", "é"},                   // nor this Latin letter
      {"a?b", "a😀b"},              // four-byte form, one character
      {"?", "\xC3"},                // cut short at the end
      {"??", "\xE2\x82"},           // cut short: lead, then a stray continuation
      {"??x", "\xC0\xAFx"},         // overlong form of '/'
      {"???", "\xED\xA0\x80"},      // a surrogate
      {"?a", "\x80" "a"},           // continuation byte without a lead
      {"?", "\xFF"},
  };
  for (const Pair& p : pairs) EXPECT_EQ(Utf8ToCp1251(p.utf8), p.cp1251) << p.utf8;
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");
}

// Where each valid sequence ends, and which lines are clean output: the
// boundaries of the encoding, not the middle of its ranges.
TEST(Utf8Text, SequencesAndCleanLines) {
  const struct {
    const char* what;
    std::string text;
    size_t first;  // length of the sequence at 0
    bool clean;
  } cases[] = {
      {"ASCII", "a", 1, true},
      {"empty", "", 0, true},
      {"largest two-byte", "\xdf\xbf", 2, true},
      {"overlong two-byte", "\xc1\xbf", 0, false},
      {"smallest three-byte", "\xe0\xa0\x80", 3, true},
      {"overlong three-byte", "\xe0\x9f\xbf", 0, false},
      {"last before surrogates", "\xed\x9f\xbf", 3, true},
      {"surrogate", "\xed\xa0\x80", 0, false},
      {"largest code point", "\xf4\x8f\xbf\xbf", 4, true},
      {"past the largest", "\xf4\x90\x80\x80", 0, false},
      {"cut short", "\xe2\x82", 0, false},
      {"continuation alone", "\x80", 0, false},
      {"zero byte", std::string(1, '\0'), 1, false},
      {"DEL", "\x7f", 1, false},
      {"last C1 control", "\xc2\x9f", 2, false},
      {"no-break space", "\xc2\xa0", 2, true},
      {"Cyrillic line", "\xd0\x9e\xd0\xbc \xd0\x92", 2, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8SequenceLength(c.text, 0), c.first) << c.what;
    EXPECT_EQ(IsCleanUtf8(c.text), c.clean) << c.what;
  }
}

}  // namespace
