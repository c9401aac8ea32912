#include "runtime/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "runtime/data.h"

std::string RealToText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0.0) return "0";
  const bool negative = v < 0;
  // The scaled value stays in extended precision from the first scaling
  // step to the final rounding; rounding it to double in between loses the
  // last digit (2/3 would print ...666).
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
  // Scale up until the integer part has 15 digits. The test is on the
  // unrounded value: testing the rounded one would stop early when a
  // coarser rounding carries (999999999999999 would print as 1e15).
  while (x < 100000000000000.0L) {
    x *= 10.0L;
    --e;
  }
  int64_t n = RoundHalfEvenL(x);
  if (n >= 1000000000000000LL) {  // the rounding carried into a 16th digit
    n = 100000000000000LL;
    ++e;
  }
  // Fifteen digits as a 7-digit and an 8-digit half (32-bit divisions),
  // two digits per division.
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[15];
  uint32_t high = static_cast<uint32_t>(n / 100000000), low = static_cast<uint32_t>(n % 100000000);
  for (int i = 13; i >= 7; i -= 2) {
    std::memcpy(digits + i, kPairs + 2 * (low % 100), 2);
    low /= 100;
  }
  for (int i = 5; i >= 1; i -= 2) {
    std::memcpy(digits + i, kPairs + 2 * (high % 100), 2);
    high /= 100;
  }
  digits[0] = static_cast<char>('0' + high);

  // Laid out in a buffer and turned into the text once: a label shows one
  // of these per step of a search, and building it piecewise allocated.
  // The longest layouts: "-0." with 323 zeros and 15 digits for the
  // smallest subnormal, "-" and 15 digits with 294 zeros for the largest
  // real.
  char buffer[352];
  char* out = buffer;
  if (negative) *out++ = '-';
  bool point = true;
  if (e <= 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < -e; ++i) *out++ = '0';
    for (char d : digits) *out++ = d;
  } else if (e < 15) {
    for (int i = 0; i < e; ++i) *out++ = digits[i];
    *out++ = '.';
    for (int i = e; i < 15; ++i) *out++ = digits[i];
  } else {
    for (char d : digits) *out++ = d;
    for (int i = 15; i < e; ++i) *out++ = '0';
    point = false;
  }
  if (point) {
    // A short decimal ends in a dozen zeros: eight at a time first.
    while (out - buffer >= 8 && std::memcmp(out - 8, "00000000", 8) == 0) out -= 8;
    while (out[-1] == '0') --out;
    if (out[-1] == '.') --out;
  }
  return std::string(buffer, static_cast<size_t>(out - buffer));
}

namespace {

// 10 to the power n by repeated squaring in extended precision; for a
// negative n, 0.1 to the power -n.
long double PowerOfTen(int32_t n) {
  long double base = n < 0 ? 0.1L : 10.0L;
  uint32_t k = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  long double result = 1.0L;
  while (k != 0) {
    if (k & 1u) result *= base;
    k >>= 1;
    if (k != 0) base *= base;
    if (result == 0.0L || std::isinf(result)) break;
  }
  return result;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

double TextToReal(const std::string& s) {
  if (s.empty()) return 0.0;
  size_t i = 0;
  bool negative = false;
  if (s[0] == '-') {
    negative = true;
    i = 1;
  }
  // Leading whole digits are taken as an integer while every step stays
  // below 2^53: there each step below is exact in any precision, so the
  // double is the same, without an extended-precision operation per digit.
  constexpr uint64_t kExactWhole = ((uint64_t{1} << 53) - 9) / 10;
  uint64_t whole = 0;
  for (; i < s.size() && IsDigit(s[i]) && whole <= kExactWhole; ++i) whole = whole * 10 + static_cast<uint64_t>(s[i] - '0');
  double value = static_cast<double>(whole), scale = 1.0;
  bool fraction = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (IsDigit(c)) {
      int d = c - '0';
      // Each step is computed in extended precision and stored as a double.
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
      int32_t n = TextToInteger(s.substr(i + 1));
      // 0 times a power that overflowed is still 0, not undefined.
      if (value != 0.0) value = static_cast<double>(static_cast<long double>(value) * PowerOfTen(n));
      break;
    }
  }
  return negative ? -value : value;
}

void TRealTextScan::Feed(char c) {
  const bool digit = IsDigit(c), blank = IsBlank(c), sign = c == '+' || c == '-';
  switch (state_) {
    case kStart: state_ = sign ? kSign : digit ? kWhole : c == '.' ? kPoint : kRejected; break;
    case kSign: state_ = digit ? kWhole : c == '.' ? kPoint : kRejected; break;
    case kPoint: state_ = digit ? kFraction : kRejected; break;  // "." alone is no mantissa
    case kWhole: state_ = digit ? kWhole : c == '.' ? kFraction : blank ? kBlanks : c == 'e' ? kExponent : kRejected; break;
    case kFraction: state_ = digit ? kFraction : blank ? kBlanks : c == 'e' ? kExponent : kRejected; break;
    case kBlanks: state_ = blank ? kBlanks : c == 'e' ? kExponent : kRejected; break;
    case kExponent: state_ = blank ? kExponent : sign ? kExponentSign : digit ? kExponentDigits : kRejected; break;
    case kExponentSign: state_ = blank ? kExponentSign : digit ? kExponentDigits : kRejected; break;
    case kExponentDigits: state_ = digit ? kExponentDigits : kRejected; break;
    default: state_ = kRejected; break;
  }
}

bool TRealTextScan::Complete() const {
  return state_ == kWhole || state_ == kFraction || state_ == kBlanks || state_ == kExponentDigits;
}

TRealTextScan TRealTextScan::FromState(uint8_t state) {
  TRealTextScan scan;
  scan.state_ = state <= kRejected ? state : static_cast<uint8_t>(kRejected);
  return scan;
}

bool CheckRealText(const std::string& s, double& value) {
  TRealTextScan scan;
  for (size_t i = 0; i < s.size() && !scan.Rejected(); ++i) scan.Feed(s[i]);
  if (!scan.Complete()) return false;
  value = TextToReal(s);
  return true;
}
