#include "pages/power_rating.h"

#include <gtest/gtest.h>

#include "support/probe.h"
#include "support/recording_system.h"

namespace {

class PowerRating : public DispatchOn {};

// Fires the rating for `power` watts and answers the text fired.
std::string Rate(const TPowerRatingSetup& setup, double power) {
  THIMultiElement host;
  host.SetFactory([setup](TControl* p) { return MakePowerRating(p, setup); });
  host.SetEventCount(1);
  host.SetDataCount(1);
  TSource source;
  source.value = Real(power);
  TProbe out;
  host.Datas[0] = source.Out();
  host.Events[0] = out.In();
  TData d;
  if (setup.OneMethod) {
    host.doMethod(d, 0);
  } else {
    host.doMethod(d, 0);
    host.doMethod(d, 1);
  }
  return out.got.size() == 1 ? out.got[0] : "calls: " + std::to_string(out.got.size());
}

struct Case {
  double power;
  const char* rating;
};

TEST_F(PowerRating, ShortListFromThreeDown) {
  const Case cases[] = {
      {0.125 * 0.7, "str 0.125"}, {0.05, "str 0.125"}, {0.1, "str 0.25"}, {1, "str 2"},    {2.2, "str 3"},
      {10, "str 3"},              {0, "str 0.125"},   {-3, "str 0.125"}, {0.18, "str 0.5"}, {0.5, "str 1"},
  };
  for (bool oneMethod : {false, true})
    for (const Case& c : cases)
      EXPECT_EQ(Rate({"%1/0.7", false, oneMethod}, c.power), c.rating) << c.power << " one method " << oneMethod;
}

TEST_F(PowerRating, LongListUpToFifty) {
  const Case cases[] = {
      {0.1, "str 0.25"}, {31, "str 50"}, {100, "str 50"}, {7.4835, "str 10"}, {5.9604, "str 10"},
      {16, "str 40"},    {8, "str 20"},  {3, "str 5"},    {0.05, "str 0.125"},
  };
  for (const Case& c : cases) EXPECT_EQ(Rate({"%1/0.75", true, true}, c.power), c.rating) << c.power;
}

TEST_F(PowerRating, SelectAloneUsesTheLastMargin) {
  THIMultiElement host;
  host.SetFactory([](TControl* p) { return MakePowerRating(p, {"%1/0.7", false, false}); });
  host.SetEventCount(1);
  host.SetDataCount(1);
  TSource source;
  source.value = Real(1);
  TProbe out;
  host.Datas[0] = source.Out();
  host.Events[0] = out.In();
  TData d;
  host.doMethod(d, 1);  // nothing calculated yet: the margin is 0
  host.doMethod(d, 0);
  host.doMethod(d, 1);
  source.value = Real(0.01);
  host.doMethod(d, 1);  // not recalculated
  EXPECT_EQ(out.got, (std::vector<std::string>{"str 0.125", "str 2", "str 2"}));
}

TEST_F(PowerRating, FailedPowerFormulaFiresTheSmallest) {
  TRecordingSystem system;
  THIMultiElement host;
  host.SetFactory([](TControl* p) { return MakePowerRating(p, {"%1/0.7", false, true}); });
  host.SetEventCount(1);
  host.SetDataCount(1);
  TSource source;  // the error marker of a failed formula upstream
  source.value.StrValue = "MathParse Exception";
  source.value.IntValue = 1;
  TProbe out;
  host.Datas[0] = source.Out();
  host.Events[0] = out.In();
  TData d;
  host.doMethod(d, 0);
  EXPECT_EQ(out.got, (std::vector<std::string>{"str 0.125"}));
  ASSERT_EQ(system.boxes().size(), 1u);
  EXPECT_EQ(system.boxes()[0].caption, "Debug");
}

}  // namespace
