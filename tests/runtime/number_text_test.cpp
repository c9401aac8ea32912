#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

uint64_t Bits(double d) {
  uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

struct RealCase {
  double value;
  const char* text;
};

TEST(RealToText, WritesFifteenDigitsWithoutExponent) {
  const RealCase cases[] = {
      {5, "5"},
      {123.456, "123.456"},
      {-2.5, "-2.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.00001, "0.00001"},
      {1e20, "100000000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {-0.0, "0"},
      {0.0, "0"},
      {9.999999999999998, "10"},
      {1.25, "1.25"},
      {0.712, "0.712"},
      {4.748, "4.748"},
      {1e15, "1000000000000000"},
      {999999999999999.0, "999999999999999"},
      {0.5, "0.5"},
      {100, "100"},
      {-1e-5, "-0.00001"},
      {12763.0 / 1000.0, "12.763"},
      {2147483648.0, "2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(RealToText(c.value), c.text) << c.value;
}

TEST(RealToText, ExtremeMagnitudesStayFinite) {
  EXPECT_EQ(RealToText(5e-324).substr(0, 3), "0.0");
  EXPECT_EQ(RealToText(std::numeric_limits<double>::max()).size(), 309u);
  EXPECT_EQ(RealToText(1e-300).size(), 2u + 299u + 1u);
}

TEST(RealToText, NonFiniteValues) {
  EXPECT_EQ(RealToText(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(RealToText(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(RealToText(std::nan("")), "NAN");
}

TEST(TextToReal, ReadsLeniently) {
  const RealCase cases[] = {
      {1000, "1e3"},
      {0.025, "2.5E-2"},
      {1, "1e"},
      {0, "e5"},
      {5, " -5"},
      {5, "+5"},
      {5, "5-"},
      {1500, "1.5 e3"},
      {0, "abc"},
      {123, "12abc3"},
      {1.2, "1.2.3"},
      {15, "1,5"},
      {0, "-"},
      {0, ""},
      {-2.5, "-2.5"},
      {1.5, "1.5 e -3"},
      {0.0015, "1.5e-3"},
      {240, "240"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToReal(c.text), c.value) << c.text;
}

TEST(TextToReal, StepwiseRoundingMatchesTheLastBit) {
  // 0.3 reads one unit in the last place above the nearest double.
  EXPECT_EQ(Bits(TextToReal("0.3")), Bits(0.3) + 1);
  EXPECT_EQ(Bits(TextToReal("0.1")), Bits(0.1));
  EXPECT_EQ(Bits(TextToReal("0.7")), Bits(0.7) + 1);
}

TEST(TextToReal, HugeExponentsSaturate) {
  EXPECT_TRUE(std::isinf(TextToReal("1e99999")));
  EXPECT_EQ(TextToReal("1e-99999"), 0.0);
  EXPECT_EQ(TextToReal("0e2147483647"), 0.0);
  // The exponent wraps in 32 bits like any integer text.
  EXPECT_EQ(TextToReal("1e4294967298"), 100.0);
}

TEST(TextToReal, StopsAtZeroByte) {
  std::string s("12\0" "3", 4);
  EXPECT_EQ(TextToReal(s.c_str()), 12.0);
}

struct CheckCase {
  const char* text;
  bool ok;
  double value;
};

TEST(CheckRealText, AcceptsTheStrictForm) {
  const CheckCase cases[] = {
      {"5", true, 5},        {"-2.5", true, -2.5}, {".5", true, 0.5},   {"5.", true, 5},
      {"1e3", true, 1000},   {"1.5 e -3", true, 1.5}, {"7 ", true, 7}, {"+5", true, 5},
      {"1e+3", true, 1000},  {"1e 3", true, 1},    {"0", true, 0},      {"-0", true, 0},
  };
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(CheckRealText(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(CheckRealText, RejectsEverythingElse) {
  const char* bad[] = {"", "+", ".", " 5", "1,5", "1e", "1e3 ", "5x", "-", "1..2", "1e-", "e3", "1.5.", "--1", "1 2"};
  for (const char* text : bad) {
    double v = -99;
    EXPECT_FALSE(CheckRealText(text, v)) << text;
    EXPECT_EQ(v, -99) << "no value on failure: " << text;
  }
}

}  // namespace
