#include "ui/scale.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(ScaleOfDpiText, DividesBy96AndRoundsToAQuarter) {
  const struct {
    const char* text;
    double scale;
  } cases[] = {
      {"96", 1},       {"120", 1.25}, {"144", 1.5},    {"168", 1.75}, {"192", 2},     {"288", 3},
      {"384", 4},      {"100", 1},    {"110", 1.25},  // 1.146 is nearer 1.25
      {"108", 1.25},   // 1.125: halves round up
      {"132", 1.5},    // 1.375 is half way: up
      {" 192.0 ", 2},  {"192\n", 2},  {"1.5e2", 1.5},  {"240", 2.5},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleOfDpiText(c.text), c.scale) << '"' << c.text << '"';
}

TEST(ScaleOfDpiTextErrors, NonsenseAndOutOfRangeValuesAreKeptSensible) {
  const struct {
    const char* text;
    double scale;
  } cases[] = {
      {"", 1},      {"   ", 1},   {"abc", 1},    {"96x", 1},    {"x96", 1},  {"9 6", 1},     {"-192", 1},
      {"0", 1},     {"nan", 1},   {"inf", 1},    {"1e999", 1},  {"72", 1},   {"48", 1},      {"95.9", 1},
      {"400", 4},   {"100000", 4}, {"1e6", 4},   {"0x60", 1},   {"192,0", 1}, {"\xC0\xC1", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleOfDpiText(c.text), c.scale) << '"' << c.text << '"';
  EXPECT_EQ(ScaleOfDpi(-96), 1);
  EXPECT_EQ(ScaleOfDpi(0), 1);
}

TEST(ScaleArgument, TakesTheLastValidScaleAndLeavesEverythingElse) {
  using TArgs = std::vector<std::string>;
  const struct {
    TArgs args;
    std::optional<double> scale;
  } cases[] = {
      {{}, std::nullopt},
      {{"--scale", "2"}, 2},
      {{"--scale", "1.5"}, 1.5},
      {{"--scale", "1.3"}, 1.25},
      {{"--scale", "4"}, 4},
      {{"--scale", "1"}, 1},
      {{"/ih", "--scale", "3"}, 3},
      {{"foo", "--scale", "2", "bar"}, 2},
      {{"--scale", "2", "--scale", "3"}, 3},
      {{"--scale", "2", "--scale", "junk"}, 2},
      {{"--scale", "--scale", "2"}, 2},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(ScaleArgument(c.args), c.scale) << line;
  }
}

TEST(ScaleArgumentErrors, AnInvalidScaleIsIgnoredLikeAnyUnknownArgument) {
  const std::vector<std::vector<std::string>> cases = {
      {"--scale"},         {"--scale", ""},     {"--scale", "two"}, {"--scale", "0"},   {"--scale", "-2"},
      {"--scale", "0.5"},  {"--scale", "4.5"},  {"--scale", "100"}, {"--scale", "nan"}, {"--scale", "2x"},
      {"--scale=2"},       {"-scale", "2"},     {"--SCALE", "2"},   {"2", "--scale"},   {"--scale", "1,5"},
  };
  for (const auto& args : cases) {
    std::string line;
    for (const std::string& a : args) line += a + " ";
    EXPECT_EQ(ScaleArgument(args), std::nullopt) << line;
  }
}

TEST(ScaleRect, TouchingRectsStillTouchAndEveryRectReadsBack) {
  const TRect rects[] = {{0, 0, 445, 307}, {7, 9, 80, 24}, {1, 1, 1, 1}, {13, 17, 33, 21}, {-5, -7, 11, 3}, {290, 231, 0, 0}};
  for (int quarters = 4; quarters <= 16; ++quarters) {
    const double s = quarters / 4.0;
    for (const TRect& r : rects) {
      const TRect scaled = ScaleRect(r, s);
      EXPECT_EQ(UnscaleRect(scaled, s), r) << "scale " << s << " rect " << r.Left << "," << r.Top;
      // The right neighbour starts where this one ends.
      const TRect next = ScaleRect({r.Left + r.Width, r.Top, 5, r.Height}, s);
      EXPECT_EQ(scaled.Left + scaled.Width, next.Left) << "scale " << s;
      EXPECT_EQ(UnscaleLength(ScaleLength(r.Left, s), s), r.Left);
    }
  }
  EXPECT_EQ(ScaleRect({7, 9, 80, 24}, 2), (TRect{14, 18, 160, 48}));
  EXPECT_EQ(ScaleRect({1, 1, 1, 1}, 1.5), (TRect{2, 2, 1, 1}));  // 1.5 and 3 rounded
}

TEST(ScaleFontHeight, KeepsTheSignAndNeverVanishes) {
  const struct {
    int32_t height;
    double scale;
    int32_t want;
  } cases[] = {{16, 2, 32}, {-11, 2, -22}, {14, 1.25, 18}, {-11, 1.5, -17}, {0, 3, 0}, {1, 1, 1}, {-1, 1.25, -1}, {15, 4, 60}};
  for (const auto& c : cases)
    EXPECT_EQ(ScaleFontHeight(c.height, c.scale), c.want) << c.height << " at " << c.scale;
}

TEST(UnscaleExtent, RoundsUpSoThatTheMeasuredTextFits) {
  const struct {
    int32_t measured;
    double scale;
    int32_t want;
  } cases[] = {{30, 1.5, 20}, {31, 1.5, 21}, {29, 2, 15}, {1, 4, 1}, {0, 2, 0}, {57, 1, 57}};
  for (const auto& c : cases) EXPECT_EQ(UnscaleExtent(c.measured, c.scale), c.want) << c.measured << " at " << c.scale;
}

TEST(RoundScale, StaysWithinOneToFour) {
  const struct {
    double in, want;
  } cases[] = {{1, 1}, {1.12, 1}, {1.13, 1.25}, {2.874, 2.75}, {2.875, 3}, {0.2, 1}, {-3, 1}, {9, 4}, {1e300, 4}};
  for (const auto& c : cases) EXPECT_EQ(RoundScale(c.in), c.want) << c.in;
}

}  // namespace
