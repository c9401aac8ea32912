// The regulator pages in the real FLTK window: the shared page scenarios,
// and closing the window during a search.
#include <gtest/gtest.h>

#include <chrono>

#include "gui/harness.h"
#include "scenarios/page_scenarios.h"
#include "scenarios/scenario.h"
#include "pages/main_form.h"
#include "support/search_hold.h"

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

// "Calculate" pressed again while the first search is held at the end of
// its run (the worst case, Vout 100 and R1 3000: all 200000 steps): the old
// search ends, the new one runs to its own end (a second worker gets
// there), and R2 is the accurate result for the second press's inputs.
TEST(Pages, CalculateAgainAtTheEndOfASearch) {
  const TAddress r1List{0, 315, 45};
  constexpr int kLine240 = 6, kLine3000 = 23;
  struct Case {
    const char* what;
    const char* vout;
    int r1Line;
    const char *r2, *rload, *iload;
  };
  // Vout 100, R1 3000: R2 stays at the estimate 203441 (Rload 10509);
  // Vout 5, R1 240: the search ends at 713 (Rload 1052).
  const Case cases[] = {
      {"the worst case pressed twice", "100", kLine3000, "203.441", "10.509", "9.516"},
      {"new inputs on the second press", "5", kLine240, "0.713", "1.052", "4.753"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TSearchEndHold hold;
    bool held = false;
    const int status = TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
      s.Tick(0);
      s.Replace(kLvVout, "100");
      s.Pick(r1List, kLine3000);
      s.Calculate(0);
      held = hold.WaitHeld(std::chrono::seconds(60));
      if (!held) return;
      s.Replace(kLvVout, c.vout);
      s.Pick(r1List, c.r1Line);
      s.Calculate(0);
      s.WaitForWorkers();
      EXPECT_EQ(s.Shown(kLvR2), c.r2);
      EXPECT_EQ(s.Shown(kLvRload), c.rload);
      EXPECT_EQ(s.Shown(kLvIload), c.iload);
      EXPECT_EQ(hold.Ended(), 2) << "the second search did not run to its end";
    });
    EXPECT_TRUE(held) << "the first search never got to its end";
    EXPECT_EQ(status, 0);
  }
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
