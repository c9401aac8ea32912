// The regulator pages in the real Win32 window, under Wine: the page
// scenarios every backend runs, the About page's link and the "/ih" box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/system_ops.h"
#include "scenarios/page_scenarios.h"
#include "scenarios/scenario.h"
#include "ui/main_form.h"
#include "ui/win32/control.h"
#include "ui/win32/text.h"
#include "win32/session.h"

namespace {

// Every scenario runs at scale 1; at 2 ("--scale 2", as the program takes
// it) each page's default calculation, a typed list value and the tab
// strip, which keeps the run under Wine short.
struct TScaledScenario {
  TScenario Scenario;
  const char* Scale;
};

void PrintTo(const TScaledScenario& s, std::ostream* os) { *os << s.Scenario.Name << " at scale " << s.Scale; }

class Win32PageScenario : public ::testing::TestWithParam<TScaledScenario> {};

std::vector<TScaledScenario> AtScales() {
  std::vector<TScaledScenario> all;
  for (const TScenario& s : PageScenarios()) all.push_back({s, "1"});
  for (const TScenario& s : PageScenarios()) {
    const std::string name = s.Name;
    const bool sample = name.size() > 7 && name.compare(name.size() - 7, 7, "Default") == 0;
    if (sample || name == "L200TypedR1" || name == "TabsShowOnePage") all.push_back({s, "2"});
  }
  return all;
}

TEST_P(Win32PageScenario, Runs) {
  bool ran = true;
  const TWin32Session::TResult result = TWin32Session::Run(
      {"--scale", GetParam().Scale}, [&](TWin32Session& s) { ran = RunSteps(s, GetParam().Scenario.Steps); });
  EXPECT_EQ(result.Status, 0);
  EXPECT_TRUE(result.ScriptRan);
  EXPECT_TRUE(ran) << "a step addresses a page without controls";
  // The boxes Windows showed carry the captions and texts the program
  // asked for, each line ended by CR LF.
  std::vector<std::string> captions, texts;
  for (const TSeenBox& box : result.Boxes) {
    captions.push_back(box.Caption);
    std::string text;
    for (char ch : box.Text) text += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    texts.push_back(text);
  }
  EXPECT_EQ(result.ShownCaptions, captions);
  EXPECT_EQ(result.ShownTexts, texts);
}

INSTANTIATE_TEST_SUITE_P(Pages, Win32PageScenario, ::testing::ValuesIn(AtScales()),
                         [](const ::testing::TestParamInfo<TScaledScenario>& info) {
                           return std::string(info.param.Scenario.Name) + "AtScale" + info.param.Scale;
                         });

// Every field of every page shows its text from the first character on,
// whatever width it had when the text was written.
TEST(Win32Pages, FieldsShowTheirTextFromTheStart) {
  int fields = 0;
  const TWin32Session::TResult result = TWin32Session::Run({}, [&](TWin32Session& s) {
    for (int page = 0; page < s.Scheme().PageCount(); ++page) {
      s.SelectTab(page);
      for (TControl* c : s.Scheme().PageBox(page)->Children()) {
        if (c->Kind() != TControlKind::Edit && c->Kind() != TControlKind::EditList) continue;
        HWND field = static_cast<TWin32Control*>(c)->FocusWindow();
        if (GetWindowTextLengthW(field) < 2) continue;
        ++fields;
        const LRESULT first = SendMessageW(field, EM_POSFROMCHAR, 0, 0);
        const int x = static_cast<short>(LOWORD(first));
        EXPECT_TRUE(first != -1 && x >= 0 && x < 8) << "page " << page << ", field at " << c->Bounds().Left << ","
                                                    << c->Bounds().Top << ": first character at " << first;
      }
    }
  });
  EXPECT_TRUE(result.ScriptRan);
  EXPECT_GE(fields, 10);
}

// Every field, label and list of every page draws in the font the page
// gives it: face, weight and height.
TEST(Win32Pages, ControlsDrawInTheirPagesFonts) {
  int checked = 0;
  const TWin32Session::TResult result = TWin32Session::Run({}, [&](TWin32Session& s) {
    for (int page = 0; page < s.Scheme().PageCount(); ++page) {
      for (TControl* c : s.Scheme().PageBox(page)->Children()) {
        if (c->Kind() != TControlKind::Edit && c->Kind() != TControlKind::Label && c->Kind() != TControlKind::PickList)
          continue;
        LOGFONTW font = {};
        HFONT used = reinterpret_cast<HFONT>(SendMessageW(static_cast<TWin32Control*>(c)->Window(), WM_GETFONT, 0, 0));
        ASSERT_TRUE(used && GetObjectW(used, sizeof font, &font)) << "page " << page;
        ++checked;
        const std::string where = "page " + std::to_string(page) + " at " + std::to_string(c->Bounds().Left) + "," +
                                  std::to_string(c->Bounds().Top);
        EXPECT_EQ(font.lfWeight >= FW_BOLD, (c->Font().Style & FontBold) != 0) << where;
        EXPECT_EQ(font.lfHeight, c->FontHeight()) << where;
        EXPECT_EQ(NarrowCp1251(font.lfFaceName), c->Font().Name) << where;
      }
    }
  });
  EXPECT_TRUE(result.ScriptRan);
  EXPECT_GE(checked, 50);
}

TEST(Win32Pages, AboutLinkStartsTheBrowserCommand) {
  const TWin32Session::TResult result = TWin32Session::Run({}, [](TWin32Session& s) {
    s.SelectTab(9);
    s.Click(s.Find({9, 5, 35}));
  });
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Commands, std::vector<std::string>{"explorer http://www.example.org/kelvane"});
  EXPECT_TRUE(result.Boxes.empty());
}

TEST(Win32Pages, InfoSwitchShowsOnlyTheInfoBox) {
  const TWin32Session::TResult result = TWin32Session::Run({"/ih"}, [](TWin32Session&) {});
  EXPECT_EQ(result.Status, 0);
  EXPECT_FALSE(result.ScriptRan);
  ASSERT_EQ(result.Boxes.size(), 1u);
  EXPECT_EQ(result.Boxes[0].Caption, "Wirebench Info");
  EXPECT_EQ(result.Boxes[0].Text, "\xD0\xA1\xD0\xB4\xD0\xB5\xD0\xBB\xD0\xB0\xD0\xBD\xD0\xBE \xD0\xB2 Wirebench.");
  EXPECT_EQ(result.Boxes[0].Style, static_cast<uint32_t>(MbOk));
  EXPECT_EQ(result.ShownCaptions, std::vector<std::string>{"Wirebench Info"});
}

}  // namespace
