#include "pages/parts/eseries.h"

#include <cmath>
#include <cstring>

namespace {

// IEC 60063:2015, "Preferred number series for resistors and capacitors",
// tables 1 (E6, E12, E24) and 2 (E48, E96, E192), written out here from it.
const int kE6[] = {10, 15, 22, 33, 47, 68};
const int kE12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
const int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30, 33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
const int kE48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169, 178, 187, 196, 205,
                    215, 226, 237, 249, 261, 274, 287, 301, 316, 332, 348, 365, 383, 402, 422, 442,
                    464, 487, 511, 536, 562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
const int kE96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
                    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
                    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
                    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
                    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
                    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
const int kE192[] = {100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120,
                     121, 123, 124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145,
                     147, 149, 150, 152, 154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176,
                     178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203, 205, 208, 210, 213,
                     215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
                     261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312,
                     316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379,
                     383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448, 453, 459,
                     464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
                     562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
                     681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816,
                     825, 835, 845, 856, 866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

template <size_t N>
TSeriesTable Table(const int (&members)[N], int digits) {
  return {members, static_cast<int>(N), digits};
}

struct TSeriesInfo {
  TSeries Series;
  const char* Name;
  double Tolerance;
};
const TSeriesInfo kInfo[] = {{TSeries::E6, "E6", 20},   {TSeries::E12, "E12", 10}, {TSeries::E24, "E24", 5},
                             {TSeries::E48, "E48", 2},  {TSeries::E96, "E96", 1},  {TSeries::E192, "E192", 0.5}};

// Resistances the searches consider at all.
constexpr double kSmallestOhms = 1e-3;
constexpr double kLargestOhms = 1e12;

}  // namespace

TSeriesTable SeriesTable(TSeries s) {
  switch (s) {
    case TSeries::E6: return Table(kE6, 2);
    case TSeries::E12: return Table(kE12, 2);
    case TSeries::E24: return Table(kE24, 2);
    case TSeries::E48: return Table(kE48, 3);
    case TSeries::E96: return Table(kE96, 3);
    case TSeries::E192: break;
  }
  return Table(kE192, 3);
}

const char* SeriesName(TSeries s) { return kInfo[static_cast<int>(s)].Name; }

bool SeriesFromName(const std::string& name, TSeries& out) {
  for (const TSeriesInfo& i : kInfo)
    if (name == i.Name) {
      out = i.Series;
      return true;
    }
  return false;
}

double DefaultTolerance(TSeries s) { return kInfo[static_cast<int>(s)].Tolerance; }

double ScaledByPowerOfTen(double m, int e) {
  // Powers of ten up to 10^22 are exact doubles, so one multiplication or
  // division rounds once.
  static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (e >= 0) return e <= 22 ? m * kPowers[e] : m * std::pow(10.0, e);
  return -e <= 22 ? m / kPowers[-e] : m * std::pow(10.0, e);
}

std::vector<TStandard> SeriesInRange(TSeries s, double low, double high) {
  std::vector<TStandard> out;
  if (!(low <= high) || !(low >= kSmallestOhms) || !(high <= kLargestOhms)) return out;
  const TSeriesTable t = SeriesTable(s);
  // Decade exponents: a member m * 10^e lies in [10^(e+d-1), 10^(e+d)).
  const int first = static_cast<int>(std::floor(std::log10(low))) - t.Digits;
  const int last = static_cast<int>(std::floor(std::log10(high))) - t.Digits + 2;
  for (int e = first; e <= last; ++e) {
    for (int i = 0; i < t.Count; ++i) {
      const double v = ScaledByPowerOfTen(t.Members[i], e);
      if (v >= low && v <= high) out.push_back({v, t.Members[i], e});
    }
  }
  return out;
}
