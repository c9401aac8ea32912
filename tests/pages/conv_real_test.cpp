#include "pages/conv_real.h"

#include <gtest/gtest.h>

#include "support/probe.h"
#include "support/recording_system.h"

namespace {

// A hosted rounding scheme, as a page holds one.
struct TRounder {
  explicit TRounder(int decimals) {
    host.SetFactory([decimals](TControl* p) { return MakeConvReal(p, decimals, 1); });
    host.SetEventCount(1);
    host.SetDataCount(1);
    host.Events[0] = out.In();
  }
  // Sends `value` in and answers what came out (one value expected).
  std::string Round(const TData& value) {
    TData d = value;
    out.got.clear();
    host.doMethod(d, 0);
    return out.got.size() == 1 ? out.got[0] : "calls: " + std::to_string(out.got.size());
  }
  std::string Result() {
    TData d;
    FireEvent(host.Child()->Vars[0], d);
    return Show(d);
  }

  THIMultiElementEx host;
  TProbe out;
};

class ConvReal : public DispatchOn {};

struct Case {
  int decimals;
  double value;
  const char* shown;
};

TEST_F(ConvReal, RoundsHalfToEvenAfterScaling) {
  const Case cases[] = {
      {2, 0.125, "real 0.12"},      {2, 0.375, "real 0.38"},    {2, -0.125, "real -0.12"},
      {2, 2.675, "real 2.68"},      {2, 1.005, "real 1"},       {3, 0.0125, "real 0.012"},
      {3, 0.712, "real 0.712"},     {4, 0.225, "real 0.225"},   {2, 1.875, "real 1.88"},
      {3, 12.76349, "real 12.763"}, {2, 414.36401, "real 414.36"}, {2, 0.105, "real 0.1"},
  };
  for (const Case& c : cases) {
    TRounder r(c.decimals);
    EXPECT_EQ(r.Round(Real(c.value)), c.shown) << c.value << " to " << c.decimals;
  }
}

TEST_F(ConvReal, ResultKeepsTheLastOutput) {
  TRounder r(3);
  EXPECT_EQ(r.Result(), "real 0");
  r.Round(Real(1.23456));
  EXPECT_EQ(r.Result(), "real 1.235");
}

TEST_F(ConvReal, OtherKindsConvertAndNoneGivesZero) {
  TRounder r(2);
  EXPECT_EQ(r.Round(TData()), "real 0");
  EXPECT_EQ(r.Round(Int(7)), "real 7");
  EXPECT_EQ(r.Round(Str("2.5")), "real 2.5");
}

TEST_F(ConvReal, WiredDataGreaterThanTheValueIsRoundedInstead) {
  TRounder r(2);
  TSource data;
  data.value = Real(9.876);
  r.host.Datas[0] = data.Out();
  EXPECT_EQ(r.Round(Real(1.234)), "real 9.88");
  EXPECT_EQ(r.Round(Real(20.001)), "real 20");
  EXPECT_EQ(data.reads, 2);
}

TEST(ConvRealNames, PointsComeFromTheResources) {
  TChildScheme child = MakeConvReal(nullptr, 2, 95);
  ASSERT_NE(child.Bridge, nullptr);
  EXPECT_EQ(child.Bridge->Methods.size(), 1u);
  EXPECT_EQ(child.Bridge->Vars.size(), 1u);
  // A missing quadruple gives a scheme without points.
  child = MakeConvReal(nullptr, 2, 400);
  ASSERT_NE(child.Bridge, nullptr);
  EXPECT_TRUE(child.Bridge->Methods.empty());
  EXPECT_TRUE(child.Bridge->Vars.empty());
}

}  // namespace

namespace {

// Keeps every value that arrives, exactly.
struct TValueProbe : TElement {
  std::vector<TData> got;
  void doIn(TData& d) { got.push_back(d); }
};

// From 2^53 on every double is whole: the value leaves as it came, where
// scaling it would overflow (1e308 * 10^3) or lose bits.
TEST_F(ConvReal, WholeValuesFrom2To53PassUnchanged) {
  struct WholeCase {
    int decimals;
    double value;
    double out;
  };
  const double twoTo53 = 9007199254740992.0;
  const WholeCase cases[] = {
      {3, 1e308, 1e308},
      {3, -1e308, -1e308},
      {2, 1.7976931348623157e308, 1.7976931348623157e308},
      {3, twoTo53, twoTo53},
      {3, -twoTo53, -twoTo53},
      {3, twoTo53 + 2, twoTo53 + 2},
      {3, 1e30, 1e30},
      {2, 123456789012345680.0, 123456789012345680.0},
      // Below 2^53 the value is still rounded, halves to even.
      {0, 4503599627370495.5, 4503599627370496.0},
      {0, 4503599627370494.5, 4503599627370494.0},
  };
  for (const WholeCase& c : cases) {
    TRounder r(c.decimals);
    TValueProbe out;
    r.host.Events[0] = MakeLink<&TValueProbe::doIn>(&out);
    TData d = Real(c.value);
    r.host.doMethod(d, 0);
    ASSERT_EQ(out.got.size(), 1u) << c.value;
    EXPECT_EQ(out.got[0].Kind, KindReal) << c.value;
    EXPECT_EQ(out.got[0].RealValue, c.out) << c.value;
  }
}

// A scaling step beyond the largest double (here 10^400) ends the
// calculation with the warning.
TEST_F(ConvReal, ScalingBeyondTheLargestDoubleWarnsAndHalts) {
  TRecordingSystem system;
  TRounder r(400);
  EXPECT_EQ(r.Round(Real(1.5)), "calls: 0");
  EXPECT_TRUE(EndHalt());
  const auto boxes = system.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The result is too large.");
  EXPECT_EQ(boxes[0].caption, "Warning!");
  EXPECT_EQ(boxes[0].style, MbOk | MbIconWarning);
}

}  // namespace
