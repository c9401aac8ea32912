#include "pages/parts_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "runtime/lines.h"
#include "runtime/number_text.h"
#include "ui/headless/headless.h"
#include "ui/program.h"
#include "ui/tab_control.h"

namespace {

enum : int { LM317VoltageTab = 0, LM317CurrentTab = 1, M5237Tab = 5, AboutTab = 9 };

// Runs the real program on the headless backend; `user` acts on it while
// the message loop runs, then the window closes.
void WithProgram(const std::function<void(THeadlessPlatform&, TClassMainForm_2943964&)>& user) {
  THeadlessPlatform platform;
  TClassMainForm_2943964* scheme = nullptr;
  const TMainFactory factory = [&scheme]() {
    auto s = std::make_unique<TClassMainForm_2943964>();
    scheme = s.get();
    return std::unique_ptr<TMainScheme>(std::move(s));
  };
  platform.SetUser([&] {
    user(platform, *scheme);
    platform.RequestClose(platform.ApplicationForm());
  });
  ASSERT_EQ(RunProgram(platform, {}, factory), 0);
}

// The control of `page` at its layout place.
TControl* At(TControl* page, int32_t left, int32_t top) {
  for (TControl* c : page->Children())
    if (c->Bounds().Left == left && c->Bounds().Top == top) return c;
  ADD_FAILURE() << "no control at " << left << "," << top;
  return page;
}

void Calculate(THeadlessPlatform& platform, TClassMainForm_2943964& scheme, int tab) {
  ASSERT_TRUE(platform.Click(FindFirstOfKind(scheme.PageBox(tab), TControlKind::Button)));
}

void OpenByKey(THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
  ASSERT_TRUE(platform.PressControlKey('D', false));
  ASSERT_NE(scheme.PartsWindow(), nullptr);
  ASSERT_TRUE(scheme.PartsWindow()->IsOpen());
}

std::string NoteOf(TPartsWindow& w) { return w.Note->Control()->Text(); }

double Number(const std::string& text) {
  TData v;
  SetString(v, text);
  return ToReal(v);
}

// A shown divider set against the LM317's equation worked by hand with the
// constants of the page's accurate search: Vout = 1.253 (1 + R2/R1) +
// 47.5 uA * R2.
double LM317Output(double r1, double r2) { return 1.253 * (1 + r2 / r1) + 47.5e-6 * r2; }

TEST(PartsWindow, StartUpBuildsNothingAndAnUncalculatedPageSaysWhatToDoFirst) {
  WithProgram([](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
    EXPECT_EQ(scheme.PartsWindow(), nullptr) << "built when first opened";
    OpenByKey(platform, scheme);
    TPartsWindow& w = *scheme.PartsWindow();
    EXPECT_NE(NoteOf(w).find("press \"Calculate\""), std::string::npos) << NoteOf(w);
    EXPECT_NE(NoteOf(w).find("LM317 Voltage"), std::string::npos) << NoteOf(w);
    EXPECT_TRUE(w.Sets->Rows().empty());
    EXPECT_TRUE(w.Findings->Rows().empty());
    EXPECT_EQ(w.Form->Control()->Owner(), scheme.MainForm->Control());
    EXPECT_EQ(w.Form->Control()->Text(), "Parts: LM317 Voltage");
  });
}

TEST(PartsWindow, FollowsEachCalculateButNotTypingAlone) {
  WithProgram([](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
    OpenByKey(platform, scheme);
    TPartsWindow& w = *scheme.PartsWindow();
    TControl* page = scheme.PageBox(LM317VoltageTab);
    Calculate(platform, scheme, LM317VoltageTab);
    ASSERT_EQ(w.Sets->Rows().size(), 5u) << NoteOf(w);
    EXPECT_EQ(NoteOf(w), "");
    // Each set: E24 values whose output the equation gives, best first.
    double previous = 0;
    for (const auto& row : w.Sets->Rows()) {
      ASSERT_EQ(row.size(), 6u);
      const double r1 = Number(row[1]), r2 = Number(row[2]), vout = Number(row[3]);
      EXPECT_NEAR(vout, LM317Output(r1, r2), 1e-5 * vout) << row[1] << "/" << row[2];
      const double error = std::fabs(vout - 5) / 5 * 100;
      EXPECT_GE(error + 1e-3, previous) << "best first";
      previous = error;
      EXPECT_EQ(SeriesInRange(TSeries::E24, r1, r1).size(), 1u) << row[1];
      EXPECT_EQ(SeriesInRange(TSeries::E24, r2, r2).size(), 1u) << row[2];
    }
    EXPECT_LT(previous, 1.0) << "the fifth set of E24 is within 1 % of 5 V";
    // The page has no input voltage: the heat rows ask for one.
    ASSERT_FALSE(w.Findings->Rows().empty());
    EXPECT_EQ(w.Findings->Rows().back(), (std::vector<std::string>{"Heat", "Give the input voltage (a number above 0)."}));
    ASSERT_TRUE(platform.PasteText(w.Vin->Control(), "9"));
    EXPECT_NE(w.Findings->Rows().back()[1].find("load current"), std::string::npos) << w.Findings->Rows().back()[1];
    ASSERT_TRUE(platform.PasteText(w.Load->Control(), "0.5"));
    EXPECT_EQ(w.Findings->Rows().back()[0], "P(R2)") << "the resistors' power last";
    // By hand: the regulator drops Vin - Vout at the load and divider current.
    const auto& best = w.Sets->Rows()[0];
    const double watts = (9 - Number(best[3])) * (0.5 + Number(best[5]) / 1000);
    for (const auto& row : w.Findings->Rows()) {
      if (row[0] == "Regulator dissipation") {
        EXPECT_NEAR(Number(row[1].substr(0, row[1].find(' '))), watts, 0.01 * watts);
      }
    }

    // Typing a new target alone changes nothing; Calculate does.
    TControl* vout = At(page, 315, 15);
    const auto before = w.Sets->Rows();
    ASSERT_TRUE(platform.PasteText(vout, "12"));
    EXPECT_EQ(w.Sets->Rows(), before);
    Calculate(platform, scheme, LM317VoltageTab);
    ASSERT_FALSE(w.Sets->Rows().empty());
    EXPECT_NEAR(Number(w.Sets->Rows()[0][3]), 12, 0.12);
  });
}

TEST(PartsWindow, FollowsThePageOnScreen) {
  WithProgram([](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
    OpenByKey(platform, scheme);
    TPartsWindow& w = *scheme.PartsWindow();
    TControl* tabs = scheme.Tabs()->Control();
    ASSERT_TRUE(platform.SelectTab(tabs, AboutTab));
    EXPECT_NE(NoteOf(w).find("designs no circuit"), std::string::npos) << NoteOf(w);
    EXPECT_EQ(w.Form->Control()->Text(), "Parts");
    ASSERT_TRUE(platform.SelectTab(tabs, LM317CurrentTab));
    EXPECT_NE(NoteOf(w).find("LM317 Current"), std::string::npos) << NoteOf(w);
    Calculate(platform, scheme, LM317CurrentTab);
    // A current source: single values and pairs, Iout near the page's 1.5 A.
    ASSERT_FALSE(w.Sets->Rows().empty()) << NoteOf(w);
    EXPECT_EQ(w.Sets->Columns[1].Heading, "R1, Om");
    EXPECT_EQ(w.Sets->Columns[2].Heading, "Iout, A");
    EXPECT_NEAR(Number(w.Sets->Rows()[0][2]), 1.5, 0.1);
    // Closed, it keeps nothing and reads the page when it opens again.
    TData none;
    w.Form->doClose(none);
    ASSERT_TRUE(platform.SelectTab(tabs, M5237Tab));
    EXPECT_EQ(w.Form->Control()->Text(), "Parts: LM317 Current");
    OpenByKey(platform, scheme);
    EXPECT_EQ(w.Form->Control()->Text(), "Parts: M5237");
  });
}

TEST(PartsWindow, TheSeriesAndToleranceChosenInIt) {
  WithProgram([](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
    Calculate(platform, scheme, LM317VoltageTab);
    OpenByKey(platform, scheme);
    TPartsWindow& w = *scheme.PartsWindow();
    const std::string e24Best = w.Sets->Rows().at(0)[4];
    const struct {
      int line;
      TSeries series;
      const char* tolerance;
    } cases[] = {{0, TSeries::E6, "20"}, {3, TSeries::E48, "2"}, {5, TSeries::E192, "0.5"}, {2, TSeries::E24, "5"}};
    for (const auto& c : cases) {
      ASSERT_TRUE(platform.Pick(w.Series->Control(), c.line));
      EXPECT_EQ(w.Tolerance->Control()->Text(), c.tolerance) << SeriesName(c.series);
      ASSERT_FALSE(w.Sets->Rows().empty()) << SeriesName(c.series) << ": " << NoteOf(w);
      for (const auto& row : w.Sets->Rows())
        EXPECT_EQ(SeriesInRange(c.series, Number(row[2]), Number(row[2])).size(), 1u) << SeriesName(c.series);
    }
    EXPECT_EQ(w.Sets->Rows()[0][4], e24Best) << "back to E24, the same best set";

    // The worst case widens with the tolerance.
    auto spreadOfTolerance = [&w]() {
      for (const auto& row : w.Findings->Rows())
        if (row[0] == "From tolerance") return row[1];
      return std::string("none");
    };
    const std::string at5 = spreadOfTolerance();
    ASSERT_TRUE(platform.PasteText(w.Tolerance->Control(), "10"));
    EXPECT_NE(spreadOfTolerance(), at5);
    EXPECT_NE(spreadOfTolerance(), "none");

    // Past 50 % the window says so and keeps what it shows.
    const auto shown = w.Findings->Rows();
    ASSERT_TRUE(platform.PasteText(w.Tolerance->Control(), "60"));
    EXPECT_NE(NoteOf(w).find("50 %"), std::string::npos) << NoteOf(w);
    EXPECT_EQ(w.Findings->Rows(), shown);
  });
}

TEST(PartsWindow, ControlCCopiesItsContentAsLines) {
  WithProgram([](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
    Calculate(platform, scheme, LM317VoltageTab);
    OpenByKey(platform, scheme);
    TPartsWindow& w = *scheme.PartsWindow();
    ASSERT_TRUE(platform.Click(w.Series->Control()));
    ASSERT_TRUE(platform.PressControlKey('C', false));
    const std::vector<std::string> lines = SplitLines(platform.ClipboardText());
    ASSERT_GT(lines.size(), 3 + w.Sets->Rows().size());
    EXPECT_EQ(lines[0], "LM317 Voltage parts");
    EXPECT_EQ(lines[1], "Series = E24");
    EXPECT_EQ(lines[2], "Tolerance = 5 %");
    const auto& first = w.Sets->Rows()[0];
    EXPECT_EQ(lines[3], "Set 1: R1 = " + first[1] + " Om, R2 = " + first[2] + " Om, Vout = " + first[3] +
                            " V, Error = " + first[4] + ", Idiv = " + first[5] + " mA");
    EXPECT_EQ(lines[3 + w.Sets->Rows().size()], w.Findings->Rows()[0][0] + " = " + w.Findings->Rows()[0][1]);
    EXPECT_EQ(platform.ClipboardText().find('\n'), platform.ClipboardText().find("\r\n") + 1) << "CR LF";

    // In the main window Ctrl+C still copies the page's design.
    platform.Click(At(scheme.PageBox(LM317VoltageTab), 315, 15));
    ASSERT_TRUE(platform.PressControlKey('C', false));
    EXPECT_EQ(platform.ClipboardText().rfind("LM317 Voltage\r\nVout = 5 V", 0), 0u) << platform.ClipboardText();
  });
}

TEST(PartsWindow, TheRightClickMenusOpenIt) {
  const struct {
    const char* where;
    std::function<TControl*(TClassMainForm_2943964&)> control;
    size_t line;  // of the Parts line in the menu
  } cases[] = {
      {"the page's frame", [](TClassMainForm_2943964& s) { return s.PageBox(LM317VoltageTab); }, 0},
      {"the schematic",
       [](TClassMainForm_2943964& s) { return FindFirstOfKind(s.PageBox(LM317VoltageTab), TControlKind::Image); }, 0},
  };
  for (const auto& c : cases) {
    WithProgram([&c](THeadlessPlatform& platform, TClassMainForm_2943964& scheme) {
      Calculate(platform, scheme, LM317VoltageTab);
      platform.MenuAnswers.push_back(static_cast<int32_t>(c.line));
      ASSERT_TRUE(platform.RightClick(c.control(scheme)));
      ASSERT_EQ(platform.Menus().size(), 1u) << c.where;
      const std::vector<std::string> items = platform.Menus()[0].Items;
      ASSERT_EQ(items.size(), c.line + 1) << c.where;
      EXPECT_EQ(items.back(), std::string(kPartsLine)) << c.where;
      ASSERT_NE(scheme.PartsWindow(), nullptr) << c.where;
      EXPECT_TRUE(scheme.PartsWindow()->IsOpen()) << c.where;
      EXPECT_EQ(scheme.PartsWindow()->Sets->Rows().size(), 5u) << c.where;
    });
  }
}

}  // namespace
