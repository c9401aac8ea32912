#include "ui/panel.h"

#include <gtest/gtest.h>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"
#include "ui/button.h"

namespace {

using PanelTest = UiTest;

TEST_F(PanelTest, InitPassesTheEdgesAndFixesTheFontHeight) {
  THIPanel panel(Form());
  panel.Left = 279;
  panel.Top = 150;
  panel.Width = 127;
  panel.Height = 23;
  panel.OuterEdge = 0;
  panel.InnerEdge = 1;
  panel.EdgeWidth = 2;
  panel.BorderFlag = 0;
  panel.BorderWidth = 1;
  panel.Alignment = 1;
  panel.Caption = "";
  panel.Font = MakeFontRec("Arial", 8, 0, 1, 0);
  panel.Init();
  THeadlessControl* c = H(&panel);
  EXPECT_EQ(c->Kind(), TControlKind::Panel);
  const int32_t* b = c->Options().Border;
  EXPECT_EQ((std::vector<int32_t>{b[0], b[1], b[2], b[3], b[4]}), (std::vector<int32_t>{0, 1, 2, 0, 1}));
  EXPECT_EQ(c->FontHeight(), -11) << "11 pixels whatever the size says";
  EXPECT_EQ(c->Font().Size, 8);
  EXPECT_EQ(c->Alignment(), 1);
  EXPECT_EQ(c->Bounds(), (TRect{279, 150, 127, 23}));
}

TEST_F(PanelTest, ElementsMadeRightAfterThePanelLandOnIt) {
  // Schemes make every element first and initialise them afterwards.
  THIPanel panel(Form());
  THIButton button(panel.Control());
  ASSERT_NE(panel.Control(), nullptr);
  EXPECT_EQ(button.Control()->Parent(), panel.Control());
  panel.Init();
  button.Init();
  panel.Control()->SetVisible(false);
  EXPECT_FALSE(button.Control()->Showing());
}

TEST_F(PanelTest, ClickFiresOnClick) {
  THIPanel panel(Form());
  panel.Init();
  TProbe clicks;
  panel.onClick = clicks.Link();
  platform.Click(panel.Control());
  EXPECT_EQ(clicks.values.size(), 1u);
}

}  // namespace
