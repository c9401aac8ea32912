#include "pages/standard_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// The menu lines StandardNeighbours gives for `value`, in Om.
std::vector<std::string> Lines(TESeries series, double value) {
  TStandardValue v[2];
  const int count = StandardNeighbours(series, value, v);
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(StandardValueLine(series, v[i], "Om"));
  return lines;
}

struct NeighbourCase {
  TESeries series;
  double value;
  std::vector<std::string> lines;  // as the menu shows them
};

TEST(StandardNeighbours, TheMembersOnEitherSideAcrossDecades) {
  const NeighbourCase cases[] = {
      // Exact members, at the edges of the series and inside: one line.
      {TESeries::E24, 1, {"E24: 1 Om (0.0 %)"}},
      {TESeries::E24, 10, {"E24: 10 Om (0.0 %)"}},
      {TESeries::E24, 910, {"E24: 910 Om (0.0 %)"}},
      {TESeries::E96, 976, {"E96: 976 Om (0.0 %)"}},
      {TESeries::E96, 1000, {"E96: 1000 Om (0.0 %)"}},
      {TESeries::E96, 0.1, {"E96: 0.1 Om (0.0 %)"}},
      {TESeries::E24, 0.0047, {"E24: 0.0047 Om (0.0 %)"}},
      {TESeries::E96, 1.5e7, {"E96: 15000000 Om (0.0 %)"}},
      // The usual case: below, then above.
      {TESeries::E24, 712, {"E24: 680 Om (-4.5 %)", "E24: 750 Om (+5.3 %)"}},
      {TESeries::E96, 712, {"E96: 698 Om (-2.0 %)", "E96: 715 Om (+0.4 %)"}},
      {TESeries::E24, 730, {"E24: 680 Om (-6.8 %)", "E24: 750 Om (+2.7 %)"}},
      // Just under a decade: the last member and the next decade's first.
      {TESeries::E24, 9.9, {"E24: 9.1 Om (-8.1 %)", "E24: 10 Om (+1.0 %)"}},
      {TESeries::E96, 99, {"E96: 97.6 Om (-1.4 %)", "E96: 100 Om (+1.0 %)"}},
      {TESeries::E24, 0.99, {"E24: 0.91 Om (-8.1 %)", "E24: 1 Om (+1.0 %)"}},
      // Just over a decade's start: its first and second members.
      {TESeries::E24, 1.04, {"E24: 1 Om (-3.8 %)", "E24: 1.1 Om (+5.8 %)"}},
      {TESeries::E96, 10.1, {"E96: 10 Om (-1.0 %)", "E96: 10.2 Om (+1.0 %)"}},
      // Below 1 ohm and above 1 megaohm.
      {TESeries::E24, 0.225, {"E24: 0.22 Om (-2.2 %)", "E24: 0.24 Om (+6.7 %)"}},
      {TESeries::E96, 0.225, {"E96: 0.221 Om (-1.8 %)", "E96: 0.226 Om (+0.4 %)"}},
      {TESeries::E24, 2345678, {"E24: 2200000 Om (-6.2 %)", "E24: 2400000 Om (+2.3 %)"}},
      {TESeries::E96, 3.3e-5, {"E96: 0.0000324 Om (-1.8 %)", "E96: 0.0000332 Om (+0.6 %)"}},
  };
  for (const NeighbourCase& c : cases) EXPECT_EQ(Lines(c.series, c.value), c.lines) << c.value;
}

TEST(StandardNeighbours, EveryMemberOfTheDecadeIsFoundOnceAndAlone) {
  // Sweeps one decade in steps finer than any gap of either series: a
  // member left out of a table or out of order shows up as a wrong count,
  // a value outside its pair, or a member that does not stand alone.
  struct SeriesCase {
    TESeries series;
    int count;
    double widestGap;  // percent of the lower member: 13 to 15, 133 to 137
  };
  for (const SeriesCase s : {SeriesCase{TESeries::E24, 24, 15.4}, SeriesCase{TESeries::E96, 96, 3.1}}) {
    std::vector<std::string> members;
    for (double v = 1; v < 10; v *= 1.001) {
      TStandardValue n[2];
      const int count = StandardNeighbours(s.series, v, n);
      ASSERT_GE(count, 1) << v;
      EXPECT_LE(n[0].Deviation, 1e-9) << v;
      EXPECT_GE(n[count - 1].Deviation, -1e-9) << v;
      EXPECT_LT(n[count - 1].Deviation - n[0].Deviation, s.widestGap) << v;
      if (members.empty() || members.back() != n[0].Text) members.push_back(n[0].Text);
    }
    EXPECT_EQ(static_cast<int>(members.size()), s.count);
    for (const std::string& m : members) {
      TStandardValue n[2];
      TStandardValue kilo[2];
      EXPECT_EQ(StandardNeighboursInOhms(s.series, m, "Om", n), 1) << m;
      EXPECT_EQ(StandardNeighboursInOhms(s.series, m, "kOm", kilo), 1) << m << " kOm";
    }
  }
}

TEST(StandardNeighboursInOhms, LabelTextsInOhmsAndKiloOhms) {
  const struct {
    const char* text;
    const char* unit;
    std::vector<std::string> lines;
  } cases[] = {
      {"0.712", "kOm", {"E96: 698 Om (-2.0 %)", "E96: 715 Om (+0.4 %)"}},
      {"12.763", "kOm", {"E96: 12700 Om (-0.5 %)", "E96: 13000 Om (+1.9 %)"}},
      {"0.0047", "kOm", {"E96: 4.64 Om (-1.3 %)", "E96: 4.75 Om (+1.1 %)"}},
      {"2500", "kOm", {"E96: 2490000 Om (-0.4 %)", "E96: 2550000 Om (+2.0 %)"}},
      {"4.67", "Om", {"E96: 4.64 Om (-0.6 %)", "E96: 4.75 Om (+1.7 %)"}},
      {"1", "kOm", {"E96: 1000 Om (0.0 %)"}},
      {"1.5E3", "Om", {"E96: 1500 Om (0.0 %)"}},
      {"2.2e-1", "Om", {"E96: 0.215 Om (-2.3 %)", "E96: 0.221 Om (+0.5 %)"}},
  };
  for (const auto& c : cases) {
    TStandardValue v[2];
    const int count = StandardNeighboursInOhms(TESeries::E96, c.text, c.unit, v);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(StandardValueLine(TESeries::E96, v[i], "Om"));
    EXPECT_EQ(lines, c.lines) << c.text << " " << c.unit;
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

// --- What is no resistance ----------------------------------------------------

TEST(StandardNeighboursErrors, NoValueForWhatIsNoResistance) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {0.0, -0.0, -712.0, -1e-3, inf, -inf, std::nan(""), 1e-40, 5e31, 1e300}) {
    for (TESeries s : {TESeries::E24, TESeries::E96}) {
      TStandardValue out[2];
      out[0].Text = "untouched";
      EXPECT_EQ(StandardNeighbours(s, v, out), 0) << v;
      EXPECT_EQ(out[0].Text, "untouched") << v;
    }
  }
}

TEST(StandardNeighboursErrors, NoValueForTextsThatAreNoNumber) {
  for (const char* text : {"", " ", "0", "-712", "abc", "7 12", "1.2.3", "NAN", "INF", "-", ".", "12k"}) {
    TStandardValue out[2];
    EXPECT_EQ(StandardNeighboursInOhms(TESeries::E24, text, "Om", out), 0) << '"' << text << '"';
  }
}

TEST(StandardNeighboursErrors, OnlyOhmsAndKiloOhmsAreResistances) {
  for (const char* unit : {"", "W", "mA", "om", "MOm", "kOm "}) {
    TStandardValue out[2];
    EXPECT_EQ(StandardNeighboursInOhms(TESeries::E24, "12", unit, out), 0) << unit;
  }
  TStandardValue out[2];
  EXPECT_EQ(StandardNeighboursInOhms(TESeries::E24, "0", "kOm", out), 0);
}

TEST(StandardNeighboursErrors, DeviationsNoSeriesGivesAreMarkedUnknown) {
  EXPECT_EQ(DeviationText(std::nan("")), "? %");
  EXPECT_EQ(DeviationText(1e300), "? %");
}

}  // namespace
