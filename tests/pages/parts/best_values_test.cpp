#include "pages/parts/best_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "pages/parts/parts_support.h"

namespace {

// Designs of every page with a divider, and the range of targets to draw.
struct TDividerPage {
  TPage page;
  const char* lines;  // the design, without its output line
  double low, high;
};
const TDividerPage kDividerPages[] = {
    {TPage::LM317Voltage, "R1 = 240 Om\nR2 = 0.712 kOm\n", 1.5, 36},
    {TPage::L200, "Iout = 2 A\nR1 = 1000 Om\nR2 = 0.805 kOm\nR3 = 0.225 Om\n", 3, 36},
    {TPage::TL431, "Vin min = 40 V\nVin max = 40 V\nIout = 100 mA\nIdiv/Iref = 200\nR1 = 23.58 Om\n", 2.6, 30},
    {TPage::TL431LM317, "Iout = 100 mA\nIdiv/Iref = 200\nR1 = 12.38 Om\n", 2.6, 30},
    {TPage::M5237, "R1 = 4300 Om\n", 1.5, 33},
    {TPage::Voltage78xx, "Type = 7805\nR1 = 240 Om\n", 5.5, 33},
    {TPage::UA723, "Iout = 150 mA\nR1 = 150 Om\n", 1.2, 36},
};

std::string WithVout(const TDividerPage& p, double vout) {
  return "Vout = " + std::to_string(vout) + " V\n" + p.lines;
}

// The least |error| over every pair of standard values the page allows,
// found by trying them all.
double LeastError(const TCircuit& c, TSeries series) {
  const std::vector<double> p = c.Typicals();
  double best = INFINITY;
  for (const TStandard& a : SeriesInRange(series, c.Divider.RrefLow, c.Divider.RrefHigh))
    for (const TStandard& b : SeriesInRange(series, c.Divider.RsetLow, c.Divider.RsetHigh)) {
      const double out = DividerOutput(c.Divider, p.data(), a.Ohms, b.Ohms);
      if (OutputSide(c.Divider, out) == 0) best = std::fmin(best, std::fabs(out - c.Target) / c.Target * 100);
    }
  return best;
}

TEST(BestValues, TheScalingSearchFindsWhatTryingEveryCombinationFinds) {
  std::mt19937 random(20261208);
  int compared = 0;
  for (const TDividerPage& page : kDividerPages) {
    std::uniform_real_distribution<double> target(page.low, page.high);
    for (TSeries series : kAllSeries) {
      for (int k = 0; k < 3; ++k) {
        const double vout = target(random);
        const TCircuit c = BoundCircuit(page.page, WithVout(page, vout));
        for (bool keep : {false, true}) {
          SCOPED_TRACE(std::string(PageTitle(page.page)) + " " + SeriesName(series) + " Vout " +
                       std::to_string(vout) + (keep ? " keeping R1" : ""));
          TSearchOptions o;
          o.Series = series;
          o.KeepListPick = keep;
          const std::vector<TDividerSet> fast = BestDividerSets(c, o), all = BruteForceDividerSets(c, o);
          ASSERT_EQ(fast.size(), all.size());
          for (size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].Rref.Ohms, all[i].Rref.Ohms) << i;
            EXPECT_EQ(fast[i].Rset.Ohms, all[i].Rset.Ohms) << i;
            EXPECT_EQ(OutputSide(c.Divider, fast[i].Output), 0);
            if (i > 0) {
              EXPECT_LE(std::fabs(fast[i - 1].ErrorPercent), std::fabs(fast[i].ErrorPercent));
            }
          }
          if (!keep && !fast.empty()) {
            EXPECT_EQ(std::fabs(fast.front().ErrorPercent), LeastError(c, series));
          }
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 7 * 6 * 3 * 2);
}

TEST(BestValues, TheLM317DefaultsBestE24SetBeatsTheNearestSingleR2) {
  // 5 V from 240 Om: R2 = 750 Om (E24) gives 5.204 V; two free E24
  // values do far better, e.g. 510 / 1500 Om at 1.253 * (1 + 1500 / 510)
  // + 47.5 uA * 1500 Om = 5.0095 V.
  const TCircuit c = BoundCircuit(TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n");
  const std::vector<double> p = c.Typicals();
  EXPECT_NEAR(DividerOutput(c.Divider, p.data(), 240, 750), 5.204250, 1e-6);
  const double pair = DividerOutput(c.Divider, p.data(), 510, 1500);
  EXPECT_NEAR(pair, 5.009544, 1e-6);
  TSearchOptions o;
  const std::vector<TDividerSet> sets = BestDividerSets(c, o);
  ASSERT_EQ(sets.size(), static_cast<size_t>(kBestCount));
  EXPECT_LE(std::fabs(sets.front().ErrorPercent), (pair - 5) / 5 * 100);
  // Keeping the picked 240 Om leaves only R2 free: 750 Om is no better
  // than the nearest E24 values around 712 Om allow.
  o.KeepListPick = true;
  const std::vector<TDividerSet> kept = BestDividerSets(c, o);
  ASSERT_FALSE(kept.empty());
  for (const TDividerSet& s : kept) EXPECT_EQ(s.Rref.Ohms, 240);
  EXPECT_EQ(kept.front().Rset.Ohms, 680);
}

TEST(BestValues, SingleResistorsNearestAndPairsMatchTryingEveryPair) {
  struct {
    TPage page;
    const char* lines;
  } const cases[] = {
      {TPage::LM317Current, "I\xED = 0.1 A\n"},
      {TPage::LM317Current, "I\xED = 0.733 A\n"},
      {TPage::Current78xx, "Type = 7805\nI\xED = 1.5 A\n"},
      {TPage::Current78xx, "Type = 7812\nI\xED = 0.0173 A\n"},
      {TPage::L200, "Vout = 5 V\nIout = 2 A\nR1 = 1000 Om\n"},
      {TPage::UA723, "Vout = 5 V\nIout = 150 mA\nR1 = 150 Om\n"},
  };
  for (const auto& k : cases) {
    const TCircuit c = BoundCircuit(k.page, k.lines);
    ASSERT_FALSE(c.Singles.empty()) << k.lines;
    const TSingle& s = c.Singles.front();
    for (TSeries series : kAllSeries) {
      SCOPED_TRACE(std::string(k.lines) + SeriesName(series));
      const std::vector<TSingleChoice> near = NearestSingles(c, s, series, kBestCount);
      ASSERT_FALSE(near.empty());
      for (size_t i = 1; i < near.size(); ++i)
        EXPECT_LE(std::fabs(near[i - 1].ErrorPercent), std::fabs(near[i].ErrorPercent));
      for (TChoiceKind kind : {TChoiceKind::Series, TChoiceKind::Parallel}) {
        const TSingleChoice fast = BestPair(c, s, series, kind), all = BruteForcePair(c, s, series, kind);
        EXPECT_EQ(fast.Ohms, all.Ohms);
        EXPECT_EQ(std::fabs(fast.ErrorPercent), std::fabs(all.ErrorPercent));
      }
    }
  }
}

TEST(BestValues, NearestSinglesForAnLM317CurrentSource) {
  // 1.25 V / R: 100 mA wants 12.5 Om; E24 has 12 and 13 Om, 13 Om the
  // nearer in current (96.15 mA, -3.85 %; 12 Om gives 104.17 mA, +4.17 %).
  const TCircuit c = BoundCircuit(TPage::LM317Current, "I\xED = 0.1 A\n");
  const std::vector<TSingleChoice> near = NearestSingles(c, c.Singles.front(), TSeries::E24, 2);
  ASSERT_EQ(near.size(), 2u);
  EXPECT_EQ(near[0].A.Ohms, 13);
  EXPECT_NEAR(near[0].Output, 0.0961538, 1e-6);
  EXPECT_EQ(near[1].A.Ohms, 12);
  EXPECT_NEAR(near[1].ErrorPercent, 4.16667, 1e-4);
}

}  // namespace
