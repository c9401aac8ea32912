#include <gtest/gtest.h>

#include <cmath>

#include "pages/parts/eseries.h"

namespace {

TEST(ESeries, EachSeriesHasItsCountOfAscendingMembersNearTheGeometricSteps) {
  const struct {
    TSeries series;
    int count;
    double off;  // IEC 60063 rounds 10^(i/n) to its digits, with a few historic exceptions (E24's 27..47, E192's 920)
  } cases[] = {{TSeries::E6, 6, 0.07}, {TSeries::E12, 12, 0.07}, {TSeries::E24, 24, 0.07},
               {TSeries::E48, 48, 0.006}, {TSeries::E96, 96, 0.006}, {TSeries::E192, 192, 0.006}};
  for (const auto& c : cases) {
    SCOPED_TRACE(SeriesName(c.series));
    const TSeriesTable t = SeriesTable(c.series);
    ASSERT_EQ(t.Count, c.count);
    const double unit = t.Digits == 2 ? 10 : 100;
    for (int i = 0; i < t.Count; ++i) {
      if (i > 0) {
        EXPECT_LT(t.Members[i - 1], t.Members[i]);
      }
      const double ideal = unit * std::pow(10.0, static_cast<double>(i) / t.Count);
      EXPECT_LT(std::fabs(t.Members[i] - ideal) / ideal, c.off) << t.Members[i];
    }
  }
}

TEST(ESeries, EachSeriesIsEveryOtherMemberOfTheNextFiner) {
  const std::pair<TSeries, TSeries> pairs[] = {
      {TSeries::E6, TSeries::E12}, {TSeries::E12, TSeries::E24}, {TSeries::E48, TSeries::E96}, {TSeries::E96, TSeries::E192}};
  for (const auto& [coarse, fine] : pairs) {
    SCOPED_TRACE(SeriesName(coarse));
    const TSeriesTable a = SeriesTable(coarse), b = SeriesTable(fine);
    ASSERT_EQ(2 * a.Count, b.Count);
    for (int i = 0; i < a.Count; ++i) EXPECT_EQ(a.Members[i], b.Members[2 * i]);
  }
}

TEST(ESeries, NamesTolerancesAndRanges) {
  const std::tuple<const char*, TSeries, double> rows[] = {{"E6", TSeries::E6, 20},    {"E12", TSeries::E12, 10},
                                                            {"E24", TSeries::E24, 5},   {"E48", TSeries::E48, 2},
                                                            {"E96", TSeries::E96, 1},   {"E192", TSeries::E192, 0.5}};
  for (const auto& [name, series, tol] : rows) {
    TSeries s;
    ASSERT_TRUE(SeriesFromName(name, s));
    EXPECT_EQ(s, series);
    EXPECT_EQ(DefaultTolerance(s), tol);
  }
  TSeries s;
  EXPECT_FALSE(SeriesFromName("E7", s));
  EXPECT_FALSE(SeriesFromName("e24", s));

  // E12 from 100 to 1 k, both ends included: 100 120 ... 820 1000.
  const std::vector<TStandard> r = SeriesInRange(TSeries::E12, 100, 1000);
  ASSERT_EQ(r.size(), 13u);
  EXPECT_EQ(r.front().Ohms, 100);
  EXPECT_EQ(r[3].Ohms, 180);
  EXPECT_EQ(r.back().Ohms, 1000);
  // Small values come out as the decimals they are.
  const std::vector<TStandard> small = SeriesInRange(TSeries::E96, 0.1, 0.11);
  ASSERT_EQ(small.size(), 5u);
  EXPECT_EQ(small[1].Ohms, 0.102);
  EXPECT_EQ(small[1].Mantissa, 102);
  EXPECT_EQ(small[1].Exponent, -3);
  EXPECT_TRUE(SeriesInRange(TSeries::E24, 10, 1).empty());
  EXPECT_TRUE(SeriesInRange(TSeries::E24, 0, 1).empty());
  // Over several decades every value appears once per decade.
  EXPECT_EQ(SeriesInRange(TSeries::E192, 1, 999999).size(), 6u * 192);
}

}  // namespace
