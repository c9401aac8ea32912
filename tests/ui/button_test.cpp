#include "ui/button.h"

#include <gtest/gtest.h>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

using ButtonTest = UiTest;

// Overwrites what it receives, as a continuation would.
class TScribbler : public TElement {
 public:
  std::vector<std::string> seen;
  void doEvent(TData& data) {
    seen.push_back(ToString(data));
    SetString(data, "scribbled");
  }
};

TEST_F(ButtonTest, EachClickSendsAFreshCopyOfData) {
  THIButton button(Form());
  EXPECT_EQ(button.Control()->Text(), "Push");
  EXPECT_EQ(button.EdgeStyle, 0);
  button.SetCaption("Calculate");
  SetString(button.Data, "go");
  button.Init();
  TScribbler target;
  button.onClick = MakeLink<&TScribbler::doEvent>(&target);
  platform.Click(button.Control());
  platform.Click(button.Control());
  EXPECT_EQ(target.seen, (std::vector<std::string>{"go", "go"}));
  EXPECT_EQ(button.Data.StrValue, "go");
  EXPECT_EQ(button.Control()->Text(), "Calculate");
  EXPECT_EQ(platform.Focused(), button.Control());
}

TEST_F(ButtonTest, ClickWithEmptyDataSendsNone) {
  THIButton button(Form());
  button.Init();
  TProbe clicks;
  button.onClick = clicks.Link();
  platform.Click(button.Control());
  ASSERT_EQ(clicks.values.size(), 1u);
  EXPECT_TRUE(IsNone(clicks.values[0]));
}

}  // namespace
