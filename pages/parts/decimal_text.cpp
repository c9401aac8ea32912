#include "pages/parts/decimal_text.h"

#include <cmath>

#include "pages/parts/eseries.h"
#include "runtime/number_text.h"

std::string SignificantText(double v, int digits) {
  if (v == 0 || !std::isfinite(v)) return RealToText(v == 0 ? 0.0 : v);
  const int shift = digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
  // Scaling by an exact power of ten and back rounds once each way; the
  // 15 digits RealToText writes drop what is left of the binary noise.
  const double whole = std::nearbyint(ScaledByPowerOfTen(v, shift));
  return RealToText(ScaledByPowerOfTen(whole, -shift));
}

std::string SignedPercentText(double percent, int digits) {
  const std::string t = SignificantText(percent, digits);
  if (t == "0" || t == "-0") return "0%";
  return (t[0] == '-' ? t : "+" + t) + "%";
}
