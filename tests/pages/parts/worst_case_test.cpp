#include "pages/parts/worst_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "pages/parts/parts_support.h"

namespace {

// The circuit's output at a point of the worst case's box, from the
// circuit's equations with each variable put in its place by name.
double OutputAt(const TCircuit& c, const TWorstCase& w, const std::vector<double>& x, size_t single) {
  std::vector<double> p = c.Typicals();
  const size_t resistors = c.HasDivider ? 2 : 1;
  for (size_t k = resistors; k < w.Variables.size(); ++k) p[c.ParamIndex(w.Variables[k].Name)] = x[k];
  return c.HasDivider ? DividerOutput(c.Divider, p.data(), x[0], x[1]) : SingleOutput(c.Singles[single], p.data(), x[0]);
}

std::vector<double> CornerPoint(const TWorstCase& w, const std::vector<bool>& high) {
  std::vector<double> x;
  for (size_t k = 0; k < w.Variables.size(); ++k) x.push_back(high[k] ? w.Variables[k].High : w.Variables[k].Low);
  return x;
}

struct TCase {
  TPage page;
  const char* design;
  double rref, rset;  // the divider set, or the single resistor in rref
  double tolerance;
};
const TCase kCases[] = {
    {TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n", 240, 720, 5},
    {TPage::LM317Voltage, "Vout = 30 V\nR1 = 100 Om\n", 100, 2200, 1},
    {TPage::L200, "Vout = 12 V\nIout = 1 A\nR1 = 1000 Om\n", 1000, 3300, 2},
    {TPage::TL431, "Vin min = 12 V\nVin max = 15 V\nVout = 5 V\nIout = 50 mA\nIdiv/Iref = 200\n", 3000, 3000, 0.5},
    {TPage::TL431LM317, "Vout = 12 V\nIout = 50 mA\nIdiv/Iref = 200\n", 3300, 12000, 20},
    {TPage::M5237, "Vout = 5 V\nR1 = 4300 Om\n", 4300, 13000, 10},
    {TPage::Voltage78xx, "Type = 7812\nVout = 15 V\nR1 = 240 Om\n", 240, 56, 5},
    {TPage::UA723, "Vout = 5 V\nIout = 150 mA\nR1 = 150 Om\n", 150, 600, 1},
    {TPage::LM317Current, "I\xED = 0.1 A\n", 12, 0, 5},
    {TPage::Current78xx, "Type = 7805\nI\xED = 0.5 A\n", 10, 0, 1},
};

TEST(WorstCase, RandomPointsOfTheBoxNeverLeaveMinMaxAndTheCornersReachThem) {
  std::mt19937 random(8122026);
  for (const TCase& k : kCases) {
    SCOPED_TRACE(std::string(PageTitle(k.page)) + " " + k.design);
    const TCircuit c = BoundCircuit(k.page, k.design);
    const TWorstCase w = c.HasDivider ? DividerWorstCase(c, k.rref, k.rset, k.tolerance, k.tolerance)
                                      : SingleWorstCase(c, 0, k.rref, k.tolerance);
    ASSERT_EQ(w.Message, "");
    ASSERT_GE(w.Variables.size(), c.HasDivider ? 3u : 2u);  // the resistors and at least the reference
    // The exact corners named are where the extremes lie.
    EXPECT_DOUBLE_EQ(OutputAt(c, w, CornerPoint(w, w.MinCorner), 0), w.Min);
    EXPECT_DOUBLE_EQ(OutputAt(c, w, CornerPoint(w, w.MaxCorner), 0), w.Max);
    EXPECT_LT(w.Min, w.Typ);
    EXPECT_GT(w.Max, w.Typ);
    const double slack = 1e-12 * std::fabs(w.Typ);
    double seenLow = w.Typ, seenHigh = w.Typ;
    for (int n = 0; n < 100000; ++n) {
      std::vector<double> x;
      for (const TCornerVariable& v : w.Variables) x.push_back(std::uniform_real_distribution<double>(v.Low, v.High)(random));
      const double out = OutputAt(c, w, x, 0);
      seenLow = std::fmin(seenLow, out);
      seenHigh = std::fmax(seenHigh, out);
    }
    EXPECT_GE(seenLow, w.Min - slack);
    EXPECT_LE(seenHigh, w.Max + slack);
    // The samples come near the extremes: the box is not wider than it says.
    EXPECT_LT(seenLow, w.Typ - 0.5 * (w.Typ - w.Min));
    EXPECT_GT(seenHigh, w.Typ + 0.5 * (w.Max - w.Typ));
    // The parts add up: each source alone stays within the whole.
    EXPECT_GE(w.ToleranceLow, w.LowPercent - 1e-9);
    EXPECT_GE(w.DeviceLow, w.LowPercent - 1e-9);
    EXPECT_LE(w.ToleranceHigh, w.HighPercent + 1e-9);
    EXPECT_LE(w.DeviceHigh, w.HighPercent + 1e-9);
    EXPECT_DOUBLE_EQ(w.LowPercent, (w.Min - w.Typ) / w.Typ * 100);
    EXPECT_DOUBLE_EQ(w.RoundingPercent, (w.Typ - c.Target) / c.Target * 100);
  }
}

TEST(WorstCase, LM317WithAFivePercentPairAndTheDatasheetSpread) {
  // 240 / 720 Om at 5 %: the lowest output takes Vref 1.20 V, R1 high and
  // R2 low, Iadj at its least; the highest Vref 1.30 V, R1 low, R2 high,
  // Iadj 100 uA. By hand: 1.20 * (1 + 684 / 252) + 0 * 684 and
  // 1.30 * (1 + 756 / 228) + 100e-6 * 756.
  const TCircuit c = BoundCircuit(TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n");
  const TWorstCase w = DividerWorstCase(c, 240, 720, 5, 5);
  const int iadj = c.ParamIndex("Iadj");
  const double leastIadj = c.Params[iadj].Min;
  EXPECT_NEAR(w.Min, 1.20 * (1 + 684.0 / 252) + leastIadj * 684, 1e-9);
  EXPECT_NEAR(w.Max, 1.30 * (1 + 756.0 / 228) + 100e-6 * 756, 1e-9);
  EXPECT_NEAR(w.Typ, 5.0462, 1e-9);
}

TEST(WorstCase, AToleranceOutsideNoughtToFiftyPercentIsRefusedInPlainWords) {
  const TCircuit c = BoundCircuit(TPage::M5237, "Vout = 5 V\nR1 = 4300 Om\n");
  for (double tol : {-1.0, 50.5, static_cast<double>(NAN)}) {
    const TWorstCase w = DividerWorstCase(c, 4300, 13000, tol, 1);
    EXPECT_EQ(w.Message, "A tolerance must lie between 0 and 50 %.") << tol;
    EXPECT_TRUE(w.Variables.empty());
  }
  EXPECT_EQ(DividerWorstCase(c, 4300, 13000, 50, 0).Message, "");
}

}  // namespace
