// Feeds arbitrary texts to TextToReal and CheckRealText, and arbitrary
// doubles to RealToText.
//
// Input: the whole input is a text for the readers; its first eight bytes
// (when there are eight) are also a double for the writer.
//
// Properties: a text CheckRealText accepts gives the value TextToReal reads
// from it; what RealToText writes for a finite value has no exponent,
// passes CheckRealText, and reads back to the value within the 15 digits:
// half a unit of the 15th digit for the writing, plus one rounding of a
// double for each character the reading steps through (every step is
// stored as a double, so long texts of large or small values drift by a
// few units of the last place). Above the largest 15-digit real the rounded
// text may lie beyond the range of doubles and read back as infinity (just
// below it the drift may carry it there too); below
// the smallest normal real a double holds fewer than 15 digits.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "runtime/number_text.h"
#include "fuzz/fuzz_check.h"

namespace {

const double kLargestFifteenDigits = 1.79769313486231e308;

bool SameReal(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckReaders(const std::string& text) {
  const double lenient = TextToReal(text);
  double strict = 0.0;
  if (CheckRealText(text, strict)) FuzzCheck(SameReal(strict, lenient));
}

void CheckWriter(double v) {
  const std::string text = RealToText(v);
  if (!std::isfinite(v)) {
    FuzzCheck(text == (std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF"));
    return;
  }
  FuzzCheck(text.find_first_not_of("-.0123456789") == std::string::npos);
  double back = 0.0;
  FuzzCheck(CheckRealText(text, back));
  const double tolerance = 5e-15 + static_cast<double>(text.size()) * std::ldexp(1.0, -52);
  if (std::isinf(back)) {
    FuzzCheck(std::fabs(v) >= kLargestFifteenDigits * (1.0 - tolerance));
    return;
  }
  if (std::fabs(v) < std::numeric_limits<double>::min()) return;
  FuzzCheck(std::fabs(back - v) <= tolerance * std::fabs(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckReaders(text);
  if (size >= sizeof(double)) {
    double v;
    std::memcpy(&v, data, sizeof v);
    CheckWriter(v);
  }
  return 0;
}
