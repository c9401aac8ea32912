#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "support/page_drive.h"
#include "ui/headless/headless.h"
#include "ui/program.h"
#include "ui/tab_control.h"

namespace {

#define LIST_LINE(top, width, text)                                                                       \
  "info 9@5," #top " kind=label rect=5," #top "," #width ",14 visible=1 enabled=1 tab=0 font=\"Courier New\"," \
  "8,0,0x00000000,204 hint=\"\"\n9@5," #top " \"" text "\"\n"
#define LOOK(top) "info 9@5," #top "\nget 9@5," #top "\n"

TEST(AboutPage, ShowsTitleLinkAndList) {
  // Label sizes follow the headless measure: Times 14 bold 20 pixels high and
  // 11 per character, Times 12 bold 18 and 10, MS Sans Serif 8 bold 14 and 8,
  // Courier New 8 14 and 7.
  const TScenario scenarios[] = {
      {"title, link and heading", "tab 9\n" LOOK(10) LOOK(35) LOOK(60),
       "info 9@5,10 kind=label rect=5,10,451,20 visible=1 enabled=1 tab=0 "
       "font=\"Times New Roman\",14,1,0x00800000,204 hint=\"\"\n"
       "9@5,10 \"Kelvane v1.3  (c) 2026 Kelvane developers\"\n"
       "info 9@5,35 kind=label rect=5,35,150,18 visible=1 enabled=1 tab=0 "
       "font=\"Times New Roman\",12,1,0x00800000,204 hint=\"\"\n"
       "9@5,35 \"www.example.org\"\n"
       "info 9@5,60 kind=label rect=5,60,160,14 visible=1 enabled=1 tab=0 "
       "font=\"MS Sans Serif\",8,5,0x00000000,1 hint=\"\"\n"
       "9@5,60 \"Allows to calculate:\"\n"},
      {"the nine circuits",
       "tab 9\n" LOOK(80) LOOK(95) LOOK(110) LOOK(125) LOOK(140) LOOK(155) LOOK(170) LOOK(185) LOOK(200),
       LIST_LINE(80, 287, "* LM317 (LM150 , LM350) voltage regulator")
       LIST_LINE(95, 287, "* LM317 (LM150 , LM350) current regulator")
       LIST_LINE(110, 273, "* L200 voltage and/or current regulator")
       LIST_LINE(125, 231, "* TL431 precision shunt regulator")
       LIST_LINE(140, 322, "* TL431 precision shunt regulator (with LM317)")
       LIST_LINE(155, 280, "* M5237  3-terminal adjustable regulator")
       LIST_LINE(170, 217, "* 78xx series voltage regulator")
       LIST_LINE(185, 217, "* 78xx series current regulator")
       LIST_LINE(200, 350, "* uA723 precision voltage and/or current regulator")},
  };
  CheckScenarios(scenarios);
}

TEST(AboutPage, ShownAndHiddenWithItsTab) {
  const TScenario scenarios[] = {
      {"hidden at start, shown by its tab, hidden by another",
       "pages\ninfo 9@5,35\ntab 9\npages\ntab 8\npages\ninfo 9@5,35\ntab 9\ntab 0\npages\n",
       "visible 0\n"
       "info 9@5,35 kind=label rect=5,35,150,18 visible=0 enabled=1 tab=0 "
       "font=\"Times New Roman\",12,1,0x00800000,204 hint=\"\"\n"
       "visible 9\nvisible 8\n"
       "info 9@5,35 kind=label rect=5,35,150,18 visible=0 enabled=1 tab=0 "
       "font=\"Times New Roman\",12,1,0x00800000,204 hint=\"\"\n"
       "visible 0\n"},
  };
  CheckScenarios(scenarios);
}

// What the user sees of one label at a moment.
struct TLook {
  uint32_t Color;
  uint8_t Style;
  int32_t Cursor;
  bool operator==(const TLook& o) const { return Color == o.Color && Style == o.Style && Cursor == o.Cursor; }
};

std::ostream& operator<<(std::ostream& os, const TLook& l) {
  return os << "{colour " << std::hex << l.Color << std::dec << ", style " << int(l.Style) << ", cursor " << l.Cursor
            << "}";
}

TLook LookAt(TControl* c) { return {c->Font().Color, c->Font().Style, c->Cursor()}; }

// Runs the whole program on the headless backend; `user` acts on the About
// page's box (shown first) while the message loop runs.
void WithAboutPage(THeadlessPlatform& platform, const std::function<void(TControl* page)>& user) {
  TMainScheme* scheme = nullptr;
  const TMainFactory factory = [&scheme]() {
    std::unique_ptr<TMainScheme> s = MakeMainScheme();
    scheme = s.get();
    return s;
  };
  platform.SetUser([&] {
    ASSERT_TRUE(platform.SelectTab(scheme->Tabs()->Control(), 9));
    TControl* page = scheme->PageBox(9);
    ASSERT_TRUE(page && page->Showing());
    user(page);
    platform.RequestClose(platform.ApplicationForm());
  });
  ASSERT_EQ(RunProgram(platform, {}, factory), 0);
}

TControl* At(TControl* page, int32_t left, int32_t top) {
  for (TControl* c : page->Children())
    if (c->Bounds().Left == left && c->Bounds().Top == top) return c;
  ADD_FAILURE() << "no control at " << left << "," << top;
  return nullptr;
}

const TLook kNavyBold = {0x800000, 1, 0};

TEST(AboutPage, LinkTurnsBlueUnderlinedWithAHandWhileHovered) {
  THeadlessPlatform platform;
  std::vector<TLook> link, title;
  std::vector<uint32_t> backgrounds;
  WithAboutPage(platform, [&](TControl* page) {
    TControl* linkLabel = At(page, 5, 35);
    TControl* titleLabel = At(page, 5, 10);
    if (!linkLabel || !titleLabel) return;
    for (TControl* c : page->Children())
      if (c->Kind() == TControlKind::Label) backgrounds.push_back(c->Color());
    link.push_back(LookAt(linkLabel));
    platform.MouseEnter(linkLabel);
    link.push_back(LookAt(linkLabel));
    platform.MouseLeave(linkLabel);
    link.push_back(LookAt(linkLabel));
    platform.MouseEnter(linkLabel);
    link.push_back(LookAt(linkLabel));
    platform.MouseLeave(linkLabel);
    link.push_back(LookAt(linkLabel));
    platform.MouseEnter(titleLabel);
    title.push_back(LookAt(titleLabel));
    platform.MouseLeave(titleLabel);
    title.push_back(LookAt(titleLabel));
  });
  const TLook blue = {0xFF0000, 1 | 4, 45};
  EXPECT_EQ(link, (std::vector<TLook>{kNavyBold, blue, kNavyBold, blue, kNavyBold}));
  EXPECT_EQ(title, (std::vector<TLook>{kNavyBold, kNavyBold}));
  EXPECT_EQ(backgrounds, std::vector<uint32_t>(12, kColorButtonFace)) << "every label in button face";
}

TEST(AboutPage, ClickingTheLinkOpensTheAddressOnly) {
  THeadlessPlatform platform;
  WithAboutPage(platform, [&](TControl* page) {
    // The title, the heading and every list line first: none starts anything.
    for (int32_t top : {10, 60, 80, 95, 110, 125, 140, 155, 170, 185, 200})
      if (TControl* c = At(page, 5, top)) platform.Click(c);
    EXPECT_TRUE(platform.Commands().empty());
    if (TControl* link = At(page, 5, 35)) {
      platform.Click(link);
      platform.Click(link);
    }
  });
  const std::vector<THeadlessPlatform::TCommand> commands = platform.Commands();
  ASSERT_EQ(commands.size(), 2u) << "one start per click";
  for (const THeadlessPlatform::TCommand& c : commands) {
    EXPECT_EQ(c.CommandLine, "explorer http://www.example.org/kelvane");
    EXPECT_EQ(c.ShowMode, 1);
  }
  EXPECT_TRUE(platform.Boxes().empty()) << "a start is silent";
}

TEST(AboutPage, AFailedStartIsSilent) {
  THeadlessPlatform platform;
  platform.StartStatus = 2;  // the shell could not find the program
  WithAboutPage(platform, [&](TControl* page) {
    if (TControl* link = At(page, 5, 35)) platform.Click(link);
  });
  EXPECT_EQ(platform.Commands().size(), 1u);
  EXPECT_TRUE(platform.Boxes().empty());
}

}  // namespace
