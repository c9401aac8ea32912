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

// An oracle from first principles: the exact decimal expansion of a double
// (every double is m * 2^e, a finite decimal), rounded to 15 significant
// digits half to even with whole-string arithmetic, then laid out by the
// text rule (no exponent, trailing zeros dropped). The program scales in
// extended precision step by step instead, so the two may differ only
// where the exact value lies within that scaling's error of a halfway
// point; ExactText says how far it lies (NearTie).
struct TExactText {
  std::string Text;
  bool NearTie = false;
};

// Decimal digits of a non-negative big integer kept as base-10^9 limbs,
// least significant first.
using TLimbs = std::vector<uint32_t>;

void MultiplyLimbs(TLimbs& n, uint32_t by) {
  uint64_t carry = 0;
  for (uint32_t& limb : n) {
    const uint64_t product = uint64_t{limb} * by + carry;
    limb = static_cast<uint32_t>(product % 1000000000u);
    carry = product / 1000000000u;
  }
  while (carry) {
    n.push_back(static_cast<uint32_t>(carry % 1000000000u));
    carry /= 1000000000u;
  }
}

std::string LimbDigits(const TLimbs& n) {
  std::string digits = std::to_string(n.back());
  for (size_t i = n.size() - 1; i-- > 0;) {
    const std::string limb = std::to_string(n[i]);
    digits += std::string(9 - limb.size(), '0') + limb;
  }
  return digits;
}

TExactText ExactText(double v) {
  TExactText result;
  const bool negative = std::signbit(v);
  int binaryExponent;
  const double fraction = std::frexp(std::fabs(v), &binaryExponent);
  // |v| = mantissa * 2^(binaryExponent - 53), mantissa a whole number.
  uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  int twos = binaryExponent - 53;
  TLimbs n{static_cast<uint32_t>(mantissa % 1000000000u), static_cast<uint32_t>(mantissa / 1000000000u)};
  if (n.back() == 0) n.pop_back();
  const int pointShift = twos < 0 ? -twos : 0;  // the value is n / 10^pointShift
  // Powers in chunks that keep each limb's product within 64 bits;
  // m / 2^k = m * 5^k / 10^k.
  if (twos > 0) {
    for (; twos >= 30; twos -= 30) MultiplyLimbs(n, uint32_t{1} << 30);
    MultiplyLimbs(n, uint32_t{1} << twos);
  } else {
    for (; twos <= -13; twos += 13) MultiplyLimbs(n, 1220703125u);  // 5^13
    for (; twos < 0; ++twos) MultiplyLimbs(n, 5);
  }
  const std::string all = LimbDigits(n);
  const int wholeDigits = static_cast<int>(all.size()) - pointShift;  // may be <= 0

  // 15 significant digits, half to even, on the digit string.
  std::string kept = all.substr(0, 15);
  kept.append(15 - kept.size(), '0');
  const std::string rest = all.size() > 15 ? all.substr(15) : std::string();
  const bool beyondHalf = !rest.empty() && (rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos));
  const bool exactHalf = !rest.empty() && rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
  int exponent = wholeDigits;  // the value is 0.kept * 10^exponent
  if (beyondHalf || (exactHalf && (kept[14] - '0') % 2 == 1)) {
    int i = 14;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
      ++kept[i];
    } else {
      kept = "1" + kept.substr(0, 14);
      ++exponent;
    }
  }
  // How far the dropped part lies from one half of the last kept digit,
  // against the error of the program's scaling: one rounding of a 64-bit
  // mantissa per step, some |15 - exponent| + 3 steps, on a value below 10^15.
  long double dropped = 0.0L, unit = 0.1L;
  for (size_t i = 0; i < rest.size() && i < 30; ++i, unit /= 10.0L) dropped += (rest[i] - '0') * unit;
  const int steps = std::abs(15 - wholeDigits) + 3;
  const long double scalingError = steps * std::ldexp(1.0L, -64) * 1e15L;
  result.NearTie = std::fabs(dropped - 0.5L) <= scalingError;

  std::string text;
  if (exponent <= 0) {
    text = "0." + std::string(static_cast<size_t>(-exponent), '0') + kept;
  } else if (exponent < 15) {
    text = kept.substr(0, static_cast<size_t>(exponent)) + "." + kept.substr(static_cast<size_t>(exponent));
  } else {
    text = kept + std::string(static_cast<size_t>(exponent - 15), '0');
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  result.Text = (negative ? "-" : "") + text;
  return result;
}

TEST(RealToText, ExactOracleKnowsItsDigits) {
  // The oracle itself, on values whose exact expansion is known by hand.
  const RealCase cases[] = {
      {0.5, "0.5"},
      {0.1, "0.1"},  // 0.1000000000000000055511151231257827...
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1e20, "100000000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {-2.5, "-2.5"},
      {0.125, "0.125"},
      {999999999999999.5, "1000000000000000"},  // a tie, to the even 10^15
      {999999999999998.5, "999999999999998"},   // a tie, to the even ...8
  };
  for (const auto& c : cases) EXPECT_EQ(ExactText(c.value).Text, c.text) << c.value;
  // 4.9406564584124654e-324, the 15 digits rounded up.
  EXPECT_EQ(ExactText(5e-324).Text, "0." + std::string(323, '0') + "494065645841247");
}

TEST(RealToText, MatchesTheExactDecimalsOverManyValues) {
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
  // Away from a halfway point the scaling cannot change a digit: every such
  // value must read exactly as its exact decimals do. The near ones are
  // few (the table above checks some by hand).
  size_t nearTies = 0;
  for (double v : values) {
    const TExactText exact = ExactText(v);
    if (exact.NearTie) {
      ++nearTies;
      continue;
    }
    ASSERT_EQ(RealToText(v), exact.Text) << Bits(v);
  }
  EXPECT_LT(nearTies, values.size() / 50) << "too few values checked";
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
