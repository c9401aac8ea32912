#include "pages/standard_values.h"

#include <cmath>
#include <algorithm>
#include <cstdint>

#include "pages/parts/eseries.h"
#include "runtime/data.h"
#include "runtime/number_text.h"

namespace {

constexpr int kMaxDecade = 30;

// The members come from the one table of the IEC 60063 series.
TSeries SeriesOf(TESeries s) { return s == TESeries::E24 ? TSeries::E24 : TSeries::E96; }
TSeriesTable TableOf(TESeries s) { return SeriesTable(SeriesOf(s)); }

// 10^e for |e| within the decades allowed; positive powers of ten up to
// 10^22 are exact doubles.
double PowerOfTen(int e) {
  double r = 1;
  for (int i = 0; i < (e < 0 ? -e : e); ++i) r *= 10;
  return e < 0 ? 1 / r : r;
}

// `digits` * 10^exponent written out in full: "750", "0.82", "2400".
std::string ScaledText(int digits, int exponent) {
  std::string s = IntegerToText(digits);
  if (exponent >= 0) return s + std::string(static_cast<size_t>(exponent), '0');
  const size_t fraction = static_cast<size_t>(-exponent);
  if (s.size() <= fraction) s = std::string(fraction - s.size() + 1, '0') + s;
  s.insert(s.size() - fraction, ".");
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// Digits written in kilo-ohms moved three places into ohms: exact, unlike
// a product of reals.
std::string KiloToOhmText(const std::string& kilo) {
  std::string digits = kilo;
  size_t point = digits.find('.');
  if (point == std::string::npos) point = digits.size();
  digits.erase(std::min(point, digits.size()), 1);
  digits += "000";
  digits.insert(point + 3, ".");
  while (digits.size() > 1 && digits[0] == '0' && digits[1] != '.') digits.erase(0, 1);
  while (digits.back() == '0' && digits.find('.') != std::string::npos) digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

bool LabelValue(const std::string& text, double& value) {
  std::string lower = text;
  for (char& c : lower)
    if (c == 'E') c = 'e';
  return CheckRealText(lower, value);
}

}  // namespace

int StandardNeighbours(TESeries series, double value, TStandardValue out[2]) {
  if (!(value > 0) || !std::isfinite(value)) return 0;
  // The decade: 10^decade <= value < 10^(decade+1), settled by comparison
  // so that exact powers of ten land in their own decade.
  int decade = static_cast<int>(std::floor(std::log10(value)));
  if (decade < -kMaxDecade - 1 || decade > kMaxDecade + 1) return 0;
  while (value < PowerOfTen(decade)) --decade;
  while (value >= PowerOfTen(decade + 1)) ++decade;
  if (decade < -kMaxDecade || decade > kMaxDecade) return 0;

  const TSeriesTable t = TableOf(series);
  // The value in units of the series' last digit: within [10^(d-1), 10^d),
  // so the decade's first member is never above it and the next decade's
  // first member always is.
  const int shift = t.Digits - 1 - decade;
  const double scaled = shift >= 0 ? value * PowerOfTen(shift) : value / PowerOfTen(-shift);
  int below = t.Members[0], above = t.Members[0] * 10;
  for (int i = 0; i < t.Count; ++i) {
    if (t.Members[i] <= scaled) below = t.Members[i];
    if (t.Members[i] >= scaled) {
      above = t.Members[i];
      break;
    }
  }
  // A label's decimal text times a power of ten can miss a member by the
  // last bit ("0.0047" gives 47.000000000000007): that is the member.
  const double slack = scaled * 1e-12;
  if (scaled - below <= slack) above = below;
  else if (above - scaled <= slack) below = above;

  const int members[2] = {below, above};
  const int count = below == above ? 1 : 2;
  for (int i = 0; i < count; ++i) {
    const double standard = shift >= 0 ? members[i] / PowerOfTen(shift) : members[i] * PowerOfTen(-shift);
    out[i].Text = ScaledText(members[i], -shift);
    out[i].Deviation = (standard - value) / value * 100;
  }
  return count;
}

int StandardNeighboursInOhms(TESeries series, const std::string& text, const std::string& unit,
                             TStandardValue out[2]) {
  if (unit != "Om" && unit != "kOm") return 0;
  double value = 0;
  if (!LabelValue(text, value)) return 0;
  const int count = StandardNeighbours(series, value, out);
  if (unit == "kOm")
    for (int i = 0; i < count; ++i) out[i].Text = KiloToOhmText(out[i].Text);
  return count;
}

std::string DeviationText(double percent) {
  // Beyond any deviation a series can give; kept in range for the rounding.
  if (!std::isfinite(percent) || std::fabs(percent) >= 1e6) return "? %";
  const long long tenths = std::llround(percent * 10);
  const long long whole = (tenths < 0 ? -tenths : tenths);
  std::string s = tenths > 0 ? "+" : tenths < 0 ? "-" : "";
  s += IntegerToText(static_cast<int32_t>(whole / 10)) + "." + IntegerToText(static_cast<int32_t>(whole % 10));
  return s + " %";
}

std::string StandardValueLine(TESeries series, const TStandardValue& v, const std::string& unit) {
  return std::string(SeriesName(SeriesOf(series))) + ": " + v.Text + " " + unit + " (" + DeviationText(v.Deviation) + ")";
}
