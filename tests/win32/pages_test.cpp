// The regulator pages in the real Win32 window, under Wine: the page
// scenarios every backend runs, the About page's link and the "/ih" box.
#include <gtest/gtest.h>

#include "runtime/system_ops.h"
#include "scenarios/page_scenarios.h"
#include "scenarios/scenario.h"
#include "win32/session.h"

namespace {

class Win32PageScenario : public ::testing::TestWithParam<TScenario> {};

TEST_P(Win32PageScenario, Runs) {
  bool ran = true;
  const TWin32Session::TResult result =
      TWin32Session::Run({}, [&](TWin32Session& s) { ran = RunSteps(s, GetParam().Steps); });
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

INSTANTIATE_TEST_SUITE_P(Pages, Win32PageScenario, ::testing::ValuesIn(PageScenarios()),
                         [](const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); });

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
