#include "pages/standard_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NearestCase {
  TESeries series;
  double value;
  const char* text;  // the standard value picked
  const char* line;  // as the menu shows it, in Om
};

TEST(NearestStandard, PicksTheClosestMemberAcrossDecades) {
  const NearestCase cases[] = {
      // Exact members, at the edges of the series and inside.
      {TESeries::E24, 1, "1", "E24: 1 Om (0.0 %)"},
      {TESeries::E24, 10, "10", "E24: 10 Om (0.0 %)"},
      {TESeries::E24, 910, "910", "E24: 910 Om (0.0 %)"},
      {TESeries::E96, 976, "976", "E96: 976 Om (0.0 %)"},
      {TESeries::E96, 1000, "1000", "E96: 1000 Om (0.0 %)"},
      {TESeries::E96, 0.1, "0.1", "E96: 0.1 Om (0.0 %)"},
      // The usual case.
      {TESeries::E24, 712, "680", "E24: 680 Om (-4.5 %)"},
      {TESeries::E24, 730, "750", "E24: 750 Om (+2.7 %)"},
      {TESeries::E96, 712, "715", "E96: 715 Om (+0.4 %)"},
      // Just under a decade: the next decade's first member is nearer.
      {TESeries::E24, 9.9, "10", "E24: 10 Om (+1.0 %)"},
      {TESeries::E96, 99, "100", "E96: 100 Om (+1.0 %)"},
      {TESeries::E24, 0.99, "1", "E24: 1 Om (+1.0 %)"},
      // Just over a decade's start: its first member.
      {TESeries::E24, 1.04, "1", "E24: 1 Om (-3.8 %)"},
      {TESeries::E96, 10.1, "10", "E96: 10 Om (-1.0 %)"},
      // Exactly between two members: the smaller.
      {TESeries::E24, 10.5, "10", "E24: 10 Om (-4.8 %)"},
      {TESeries::E24, 95.5, "91", "E24: 91 Om (-4.7 %)"},
      // Below 1 ohm and above 1 megaohm.
      {TESeries::E24, 0.225, "0.22", "E24: 0.22 Om (-2.2 %)"},
      {TESeries::E96, 0.225, "0.226", "E96: 0.226 Om (+0.4 %)"},
      {TESeries::E24, 0.0047, "0.0047", "E24: 0.0047 Om (0.0 %)"},
      {TESeries::E24, 2345678, "2400000", "E24: 2400000 Om (+2.3 %)"},
      {TESeries::E96, 1.5e7, "15000000", "E96: 15000000 Om (0.0 %)"},
      {TESeries::E96, 3.3e-5, "0.0000332", "E96: 0.0000332 Om (+0.6 %)"},
  };
  for (const NearestCase& c : cases) {
    TStandardValue v;
    ASSERT_TRUE(NearestStandard(c.series, c.value, v)) << c.value;
    EXPECT_EQ(v.Text, c.text) << c.value;
    EXPECT_EQ(StandardValueLine(c.series, v, "Om"), c.line) << c.value;
  }
}

TEST(NearestStandard, EveryMemberOfEveryDecadeIsItsOwnNearest) {
  // Walks the series through the members it returns: a member left out of a
  // table, or one out of order, shows up as a wrong pick or a non-zero
  // deviation.
  struct SeriesCase {
    TESeries series;
    int count;
  };
  for (const SeriesCase s : {SeriesCase{TESeries::E24, 24}, SeriesCase{TESeries::E96, 96}}) {
    const double ratio = std::pow(10.0, 1.0 / s.count);
    int distinct = 0;
    std::string last;
    for (double v = 1; v < 10 * 0.999; v *= ratio) {
      TStandardValue nearest;
      ASSERT_TRUE(NearestStandard(s.series, v, nearest));
      EXPECT_LT(std::fabs(nearest.Deviation), 100.0 / s.count * 2.2) << v;
      if (nearest.Text != last) ++distinct;
      last = nearest.Text;
      TStandardValue again;
      ASSERT_TRUE(NearestStandard(s.series, 1000 * (1 + nearest.Deviation / 100) * v, again));
      EXPECT_EQ(DeviationText(again.Deviation), "0.0 %") << nearest.Text << " kilo";
    }
    EXPECT_GE(distinct, s.count - 2) << "series of " << s.count;
  }
}

TEST(DeviationText, RoundsToOneDecimalHalvesAwayFromZero) {
  const struct {
    double percent;
    const char* text;
  } cases[] = {
      {5.26, "+5.3 %"}, {-0.44, "-0.4 %"}, {0.04, "0.0 %"},   {-0.04, "0.0 %"},  {0.25, "+0.3 %"},
      {-0.25, "-0.3 %"}, {0, "0.0 %"},     {12.0, "+12.0 %"}, {-9.95, "-10.0 %"},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviationText(c.percent), c.text) << c.percent;
}

TEST(NearestStandardOfText, ReadsTheLabelsNumberRule) {
  const struct {
    const char* text;
    const char* nearest;
  } cases[] = {
      {"0.805", "0.82"}, {"712", "680"}, {"1000", "1000"}, {"1.5E3", "1500"}, {"2.2e-1", "0.22"},
  };
  for (const auto& c : cases) {
    TStandardValue v;
    ASSERT_TRUE(NearestStandardOfText(TESeries::E24, c.text, v)) << c.text;
    EXPECT_EQ(v.Text, c.nearest) << c.text;
  }
}

TEST(NearestStandardInOhms, KiloOhmLabelsGiveOhms) {
  const struct {
    const char* text;
    const char* unit;
    const char* line;
  } cases[] = {
      {"0.712", "kOm", "E96: 715 Om (+0.4 %)"},   {"12.763", "kOm", "E96: 12700 Om (-0.5 %)"},
      {"0.0047", "kOm", "E96: 4.75 Om (+1.1 %)"}, {"2500", "kOm", "E96: 2490000 Om (-0.4 %)"},
      {"4.67", "Om", "E96: 4.64 Om (-0.6 %)"},    {"1", "kOm", "E96: 1000 Om (0.0 %)"},
  };
  for (const auto& c : cases) {
    TStandardValue v;
    ASSERT_TRUE(NearestStandardInOhms(TESeries::E96, c.text, c.unit, v)) << c.text;
    EXPECT_EQ(StandardValueLine(TESeries::E96, v, "Om"), c.line) << c.text << " " << c.unit;
  }
}

// --- What is no resistance ----------------------------------------------------

TEST(NearestStandardErrors, NoValueForWhatIsNoResistance) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {0.0, -0.0, -712.0, -1e-3, inf, -inf, std::nan(""), 1e-40, 5e31, 1e300}) {
    for (TESeries s : {TESeries::E24, TESeries::E96}) {
      TStandardValue out;
      out.Text = "untouched";
      EXPECT_FALSE(NearestStandard(s, v, out)) << v;
      EXPECT_EQ(out.Text, "untouched") << v;
    }
  }
}

TEST(NearestStandardErrors, NoValueForTextsThatAreNoNumber) {
  for (const char* text : {"", " ", "0", "-712", "abc", "7 12", "1.2.3", "NAN", "INF", "-", ".", "12k"}) {
    TStandardValue out;
    EXPECT_FALSE(NearestStandardOfText(TESeries::E24, text, out)) << '"' << text << '"';
  }
}

TEST(NearestStandardErrors, OnlyOhmsAndKiloOhmsAreResistances) {
  for (const char* unit : {"", "W", "mA", "om", "MOm", "kOm "}) {
    TStandardValue out;
    EXPECT_FALSE(NearestStandardInOhms(TESeries::E24, "12", unit, out)) << unit;
  }
  TStandardValue out;
  EXPECT_FALSE(NearestStandardInOhms(TESeries::E24, "0", "kOm", out));
}

TEST(NearestStandardErrors, DeviationsNoSeriesGivesAreMarkedUnknown) {
  EXPECT_EQ(DeviationText(std::nan("")), "? %");
  EXPECT_EQ(DeviationText(1e300), "? %");
}

}  // namespace
