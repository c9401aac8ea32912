#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/data.h"
#include "support/xorshift.h"

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

// The text as it used to be laid out, piece by piece in a string, from the
// same digits and exponent: the buffer layout must match it everywhere.
std::string LayoutPiecewise(double v) {
  const bool negative = v < 0;
  long double x = std::fabs(static_cast<long double>(v));
  int e = 15;
  bool multiplied = false;
  while (x < 5000000000000.0L) {
    x *= 10.0L;
    --e;
    multiplied = true;
  }
  if (!multiplied) {
    while (x >= 10000000000000.0L) {
      x /= 10.0L;
      ++e;
    }
  }
  while (x < 100000000000000.0L) {
    x *= 10.0L;
    --e;
  }
  int64_t n = RoundHalfEvenL(x);
  if (n >= 1000000000000000LL) {
    n = 100000000000000LL;
    ++e;
  }
  char digits[16];
  for (int i = 14; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  std::string text;
  if (e <= 0) {
    text = "0.";
    text.append(static_cast<size_t>(-e), '0');
    text.append(digits, 15);
  } else if (e < 15) {
    text.assign(digits, static_cast<size_t>(e));
    text += '.';
    text.append(digits + e, static_cast<size_t>(15 - e));
  } else {
    text.assign(digits, 15);
    text.append(static_cast<size_t>(e - 15), '0');
  }
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (negative) text.insert(text.begin(), '-');
  return text;
}

TEST(RealToText, LayoutMatchesThePiecewiseOneOverManyValues) {
  std::vector<double> values = {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::max(), 1e15, 1e14, 999999999999999.5, 0.5e-15,
                                203.441, 9.9999999999999995, 99999999999999.95};
  // Every binary exponent, with random mantissas and both signs.
  TXorShift random(0x9E3779B97F4A7C15ull);
  for (uint64_t exponent = 0; exponent < 2047; ++exponent) {
    for (int k = 0; k < 40; ++k) {
      uint64_t bits = (exponent << 52) | (random.Next() & ((1ull << 52) - 1));
      if (k & 1) bits |= 1ull << 63;
      double v;
      std::memcpy(&v, &bits, sizeof v);
      if (v != 0) values.push_back(v);
    }
  }
  // Short decimals as the pages show them, and their neighbours.
  for (int i = 1; i < 200000; i += 7) {
    const double v = i / 1000.0;
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0));
    values.push_back(std::nextafter(v, 1e300));
  }
  for (double v : values) ASSERT_EQ(RealToText(v), LayoutPiecewise(v)) << Bits(v);
}

// The kept text is RealToText's for every value, whether it repeats, comes
// back after another, or differs only in bits that write the same (0 and
// -0, two NaNs).
TEST(RealToText, LastTextKeptIsTheTextOfTheValue) {
  const double nan = std::nan(""), other = -std::nan("");
  std::vector<double> values = {0.0,  0.0, -0.0, 0.0,   nan, other, nan, 2.77, 2.77, std::nextafter(2.77, 3.0),
                                2.77, 1e300, -1e300, 5e-324, 5e-324};
  TXorShift random(0x2545F4914F6CDD1Dull);
  for (int k = 0; k < 2000; ++k) {
    const double v = static_cast<double>(random.Next() % 100000) / 1000.0;
    values.push_back(v);
    if (k % 3 == 0) values.push_back(v);
  }
  TLastRealText kept;
  for (double v : values) ASSERT_EQ(kept.Of(v), RealToText(v)) << Bits(v);
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

// The reading as it used to be, every digit one extended-precision step:
// whole digits taken as an integer must give the same bits everywhere.
double TextToRealStepwise(const std::string& s) {
  if (s.empty()) return 0.0;
  size_t i = 0;
  const bool negative = s[0] == '-';
  if (negative) i = 1;
  double value = 0.0, scale = 1.0;
  bool fraction = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      const int d = c - '0';
      if (!fraction) {
        value = static_cast<double>(static_cast<long double>(value) * 10.0L + d);
      } else {
        scale = static_cast<double>(static_cast<long double>(scale) * 0.1L);
        value = static_cast<double>(static_cast<long double>(value) + d * static_cast<long double>(scale));
      }
    } else if (c == '.') {
      if (fraction) break;
      fraction = true;
    } else if (c == 'e' || c == 'E') {
      // The exponent part is read by the same code in both; only what
      // comes before it is compared here.
      break;
    }
  }
  return negative ? -value : value;
}

TEST(TextToReal, WholeDigitsMatchTheStepwiseReadingOverManyTexts) {
  std::vector<std::string> texts = {"9007199254740991", "9007199254740992", "9007199254740993",
                                    "900719925474099",  "900719925474098",  "9007199254740989",
                                    "18446744073709551615", "18446744073709551617", "99999999999999999999999",
                                    "-9007199254740993", "0000000000000000000009007199254740993", "12a34", "1 2.5",
                                    "123456789012345678.25", "3000", "-0"};
  TXorShift random(0x2545F4914F6CDD1Dull);
  // Every length of whole part up to 25 digits, with and without a fraction.
  for (int length = 1; length <= 25; ++length) {
    for (int k = 0; k < 400; ++k) {
      std::string t = (k & 1) ? "-" : "";
      for (int d = 0; d < length; ++d) t += static_cast<char>('0' + random.Next() % 10);
      if (k & 2) {
        t += '.';
        for (int d = 0; d < 1 + static_cast<int>(random.Next() % 6); ++d) t += static_cast<char>('0' + random.Next() % 10);
      }
      texts.push_back(t);
    }
  }
  for (const std::string& t : texts) ASSERT_EQ(Bits(TextToReal(t)), Bits(TextToRealStepwise(t))) << t;
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
