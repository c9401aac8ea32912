#include "ui/scale.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_text.h"

namespace {

int32_t Round(double v) { return static_cast<int32_t>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// A plain positive number with blanks around it; anything else is none.
std::optional<double> PlainNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(" \t\r\n");
  std::string trimmed = text.substr(first, last - first + 1);
  std::transform(trimmed.begin(), trimmed.end(), trimmed.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  double value = 0;
  if (!CheckRealText(trimmed, value) || !std::isfinite(value) || value <= 0) return std::nullopt;
  return value;
}

}  // namespace

double RoundScale(double scale) {
  if (!std::isfinite(scale)) return kMinScale;
  const double quarter = std::floor(std::min(scale, kMaxScale) * 4 + 0.5) / 4;
  return std::max(kMinScale, std::min(kMaxScale, quarter));
}

double ScaleOfDpi(double dpi) {
  if (!std::isfinite(dpi) || dpi <= 0) return kMinScale;
  return RoundScale(dpi / kBaseDpi);
}

double ScaleOfDpiText(const std::string& text) {
  const std::optional<double> dpi = PlainNumber(text);
  return dpi ? ScaleOfDpi(*dpi) : kMinScale;
}

std::optional<double> ScaleArgument(const std::vector<std::string>& args) {
  std::optional<double> scale;
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--scale") continue;
    const std::optional<double> n = PlainNumber(args[i + 1]);
    if (!n || *n < kMinScale || *n > kMaxScale) continue;
    scale = RoundScale(*n);
    ++i;
  }
  return scale;
}

int32_t ScaleLength(int32_t v, double scale) { return Round(v * scale); }

int32_t UnscaleLength(int32_t v, double scale) { return Round(v / scale); }

TRect ScaleRect(const TRect& r, double scale) {
  const int32_t left = ScaleLength(r.Left, scale), top = ScaleLength(r.Top, scale);
  return {left, top, ScaleLength(r.Left + r.Width, scale) - left, ScaleLength(r.Top + r.Height, scale) - top};
}

TRect UnscaleRect(const TRect& r, double scale) {
  const int32_t left = UnscaleLength(r.Left, scale), top = UnscaleLength(r.Top, scale);
  return {left, top, UnscaleLength(r.Left + r.Width, scale) - left, UnscaleLength(r.Top + r.Height, scale) - top};
}

int32_t ScaleFontHeight(int32_t height, double scale) {
  if (height == 0) return 0;
  const int32_t scaled = ScaleLength(height, scale);
  if (scaled == 0) return height < 0 ? -1 : 1;
  return scaled;
}

int32_t UnscaleExtent(int32_t v, double scale) {
  if (v <= 0) return v;
  // A hair below the exact quotient stays whole: 30 / 1.5 is 20, not 21.
  return static_cast<int32_t>(std::ceil(v / scale - 1e-9));
}
