#include "ui/group_box.h"

#include <gtest/gtest.h>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"
#include "ui/label.h"

namespace {

using GroupBoxTest = UiTest;

TEST_F(GroupBoxTest, ARightClickOnTheFrameAsksForItsMenu) {
  THIGroupBox box(Form());
  box.Init();
  THILabel inside(box.Control());
  inside.Init();
  TProbe menus;
  EXPECT_TRUE(platform.RightClick(box.Control())) << "unwired: nothing happens";
  box.onContextMenu = menus.Link();
  platform.RightClick(box.Control());
  EXPECT_EQ(menus.values.size(), 1u);
  platform.RightClick(inside.Control());
  EXPECT_EQ(menus.values.size(), 1u) << "a control in the frame is not the frame";
  platform.Click(box.Control());
  EXPECT_EQ(menus.values.size(), 1u) << "the left button";
}

TEST_F(GroupBoxTest, VisibilityByToBoolOfTheValue) {
  struct Case {
    const char* what;
    TData value;
    bool visible;
  };
  std::vector<Case> cases(8);
  cases[0].what = "integer 0";
  SetInteger(cases[0].value, 0);
  cases[1].what = "integer 1";
  SetInteger(cases[1].value, 1);
  cases[1].visible = true;
  cases[2].what = "integer -1";
  SetInteger(cases[2].value, -1);
  cases[2].visible = true;
  cases[3].what = "real 0.0";
  SetReal(cases[3].value, 0.0);
  cases[3].visible = true;
  cases[4].what = "text 0";
  SetString(cases[4].value, "0");
  cases[4].visible = true;
  cases[5].what = "empty text";
  SetString(cases[5].value, "");
  cases[5].visible = true;
  cases[6].what = "none";
  cases[6].visible = true;
  cases[7].what = "integer 0 again";
  SetInteger(cases[7].value, 0);
  THIGroupBox box(Form());
  box.Init();
  THILabel inside(box.Control());
  inside.Init();
  for (Case& c : cases) {
    box.doVisible(c.value);
    EXPECT_EQ(box.Control()->Visible(), c.visible) << c.what;
    EXPECT_EQ(inside.Control()->Showing(), c.visible) << c.what << ": what is in the frame goes with it";
  }
}

TEST_F(GroupBoxTest, DefaultsThenSchemeProperties) {
  THIGroupBox box(Form());
  EXPECT_EQ(box.Control()->Text(), "GroupBox");
  EXPECT_EQ(box.Control()->FontHeight(), -11);
  box.SetCaption("");
  box.Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0);
  box.Left = 10;
  box.Top = 30;
  box.Width = 415;
  box.Height = 232;
  box.Init();
  EXPECT_EQ(box.Control()->Text(), "");
  EXPECT_EQ(box.Control()->FontHeight(), 14);
  EXPECT_EQ(box.Control()->Bounds(), (TRect{10, 30, 415, 232}));
}

}  // namespace
