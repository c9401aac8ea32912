// The regulator pages in the real FLTK window: the shared page scenarios,
// and closing the window during a search.
#include <gtest/gtest.h>

#include "gui/harness.h"
#include "scenarios/page_scenarios.h"
#include "scenarios/scenario.h"
#include "pages/main_form.h"

namespace {

class PageScenario : public ::testing::TestWithParam<TScenario> {};

TEST_P(PageScenario, Runs) {
  bool ran = true;
  TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) { ran = RunSteps(s, GetParam().Steps); });
  EXPECT_TRUE(ran) << "a step addresses a page without controls";
}

// The same user on the window at twice its size: clicks land on the
// scaled controls, and what the pages show is the same.
class PageScenarioAtScale2 : public PageScenario {};

TEST_P(PageScenarioAtScale2, Runs) {
  bool ran = true;
  TGuiSession::Run(&MakeMainScheme, {"--scale", "2"}, [&](TGuiSession& s) { ran = RunSteps(s, GetParam().Steps); });
  EXPECT_TRUE(ran) << "a step addresses a page without controls";
}

std::string ScenarioName(const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); }

INSTANTIATE_TEST_SUITE_P(Pages, PageScenario, ::testing::ValuesIn(PageScenarios()), ScenarioName);
INSTANTIATE_TEST_SUITE_P(Pages, PageScenarioAtScale2, ::testing::ValuesIn(PageScenarios()), ScenarioName);

// The search runs on a worker; the window closing mid-search must end the
// program (a hang fails the test by its time limit).
TEST(Pages, ClosingDuringTheAccurateSearchEndsTheProgram) {
  bool built = true;
  const int status = TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    built = s.FirstOfKind(0, TControlKind::CheckBox) != nullptr;
    if (!built) return;
    s.Tick(0);
    s.Replace(kLvVout, "30");
    s.Calculate(0);
    s.CloseWindow();
  });
  EXPECT_TRUE(built) << "the LM317 Voltage page has no check box";
  EXPECT_EQ(status, 0);
}

}  // namespace
