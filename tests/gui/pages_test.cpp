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

// A store that keeps the text in memory.
class TKept : public TInputStore {
 public:
  bool Load(std::string& text) override {
    text = Text;
    return !Text.empty();
  }
  void Save(const std::string& text) override { Text = text; }
  void Note(const std::string& line) override { Notes += line + "\n"; }
  std::string Text, Notes;
};

// What the user left in the window comes back when it opens again, and
// the page calculates with it.
TEST(Pages, InputsLeftAtTheCloseBoxComeBackAtTheNextStart) {
  TKept kept;
  const TAddress r1List{0, 315, 45};
  TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    s.Replace(kLvVout, "12");
    s.Pick(r1List, 3);
    s.Tick(0);
  }, {}, nullptr, &kept);
  EXPECT_NE(kept.Text.find("0 315,15 edit 12\n"), std::string::npos) << kept.Text;
  std::string vout, r1, r2;
  TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    vout = s.Shown(kLvVout);
    r1 = s.Shown(r1List);
    s.Calculate(0);
    s.WaitForWorkers();
    r2 = s.Shown(kLvR2);
  }, {}, nullptr, &kept);
  EXPECT_EQ(vout, "12");
  EXPECT_EQ(r1, "180");
  EXPECT_EQ(r2, "1.536");  // the accurate search's: the ticked box came back too
  EXPECT_EQ(kept.Notes, "");
}

}  // namespace
