#include "ui/win.h"

#include <gtest/gtest.h>

#include "runtime/scheme_lock.h"
#include "support/ui_fixture.h"
#include "support/ui_probe.h"
#include "ui/group_box.h"
#include "ui/label.h"

namespace {

using WinTest = UiTest;

TEST_F(WinTest, InitAppliesEveryProperty) {
  THILabel label(Form());
  label.Left = 280;
  label.Top = 20;
  label.Width = 33;
  label.Height = 20;
  label.Color = 0x00FFFFFF;
  label.EdgeStyle = 0;
  label.Enabled = 0;
  label.Visible = 0;
  label.Cursor = CursorText;
  label.Flat = 1;
  label.TabOrder = 4;
  label.FixedSize = 1;
  label.Font = MakeFontRec("Arial", 10, FontBold | FontUnderline, 204, 0x800000);
  label.Init();
  THeadlessControl* c = H(&label);
  EXPECT_EQ(c->Bounds(), (TRect{280, 20, 33, 20}));
  EXPECT_EQ(c->Color(), 0x00FFFFFFu);
  EXPECT_EQ(c->Edge(), 0);
  EXPECT_FALSE(c->Enabled());
  EXPECT_FALSE(c->Visible());
  EXPECT_EQ(c->Cursor(), CursorText);
  EXPECT_EQ(c->Style() & kStyleFlat, kStyleFlat);
  EXPECT_EQ(c->TabOrder(), 4);
  EXPECT_EQ(c->Font(), label.Font);
  EXPECT_EQ(c->FontHeight(), 16) << "cell height is size + 6";
  EXPECT_EQ(c->RaiseCount(), 1);
}

TEST_F(WinTest, FontCellHeightAndParentFont) {
  struct Case {
    uint8_t size;
    int32_t height;
  } cases[] = {{8, 14}, {9, 15}, {10, 16}, {14, 20}};
  for (const Case& k : cases) {
    THILabel label(Form());
    label.Font = MakeFontRec("Arial", k.size, 0, 1, 0);
    label.Init();
    EXPECT_EQ(H(&label)->FontHeight(), k.height);
  }
  THIGroupBox box(Form());
  box.Font = MakeFontRec("Courier New", 8, 0, 204, 0x808080);
  box.Init();
  THILabel child(box.Control());
  child.ParentFont = 1;
  child.Font = MakeFontRec("Arial", 10, 1, 1, 0);
  child.Init();
  EXPECT_EQ(H(&child)->Font(), box.Font);
  EXPECT_EQ(H(&child)->FontHeight(), 14);
}

TEST_F(WinTest, ColourStartsAsTheParents) {
  Form()->SetColor(kColorButtonFace);
  THILabel label(Form());
  EXPECT_EQ(label.Color, kColorButtonFace);
  THILabel orphan(nullptr);
  EXPECT_EQ(orphan.Color, 0u);
}

TEST_F(WinTest, TooltipManagerOnlyForTheFirstHint) {
  THILabel plain(Form());
  plain.Init();
  EXPECT_FALSE(platform.HasTooltips());
  THILabel hinted(Form());
  hinted.Hint = "calculated value of the resistor R2";
  hinted.Init();
  ASSERT_TRUE(platform.HasTooltips());
  TTooltips* manager = &platform.Tooltips();
  THILabel second(Form());
  second.Hint = "minimum load current";
  second.Init();
  EXPECT_EQ(&platform.Tooltips(), manager);
  EXPECT_EQ(manager->Text(hinted.Control()), "calculated value of the resistor R2");
  EXPECT_EQ(manager->Text(second.Control()), "minimum load current");
  EXPECT_EQ(manager->Text(plain.Control()), "");
}

class Mouse : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    label = std::make_unique<THILabel>(Form());
    label->Init();
    label->onMouseDown = down.Link();
    label->onMouseMove = move.Link();
    label->onMouseUp = up.Link();
  }
  void TearDown() override {
    label.reset();
    UiTest::TearDown();
  }
  void Send(TNotifyKind kind, uint8_t button, uint32_t shift) {
    TNotification n;
    n.Kind = kind;
    n.Mouse.Button = button;
    n.Mouse.Shift = shift;
    n.Mouse.X = 7;
    n.Mouse.Y = 3;
    label->Control()->Deliver(n);
  }
  std::unique_ptr<THILabel> label;
  TProbe down, move, up;
};

TEST_F(Mouse, ButtonsAreCountedFromZero) {
  for (uint8_t b : {1, 2, 3}) {
    Send(TNotifyKind::MouseDown, b, 0);
    Send(TNotifyKind::MouseUp, b, 0);
  }
  EXPECT_EQ(down.Texts(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(up.Texts(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(label->LastMouse.X, 7);
  EXPECT_EQ(label->LastMouse.Button, 3);
}

TEST_F(Mouse, MoveNamesTheOneButtonHeld) {
  struct Case {
    uint32_t shift;
    int32_t want;
  } cases[] = {
      {MkLButton, 0}, {MkRButton, 1}, {MkMButton, 2}, {MkLButton | MkShift, -1},
      {MkLButton | MkRButton, -1}, {0, -1}, {MkControl, -1},
  };
  for (const Case& c : cases) {
    move.values.clear();
    Send(TNotifyKind::MouseMove, 0, c.shift);
    ASSERT_EQ(move.values.size(), 1u);
    EXPECT_EQ(ToInteger(move.values[0]), c.want) << c.shift;
  }
}

TEST_F(Mouse, CaptureFromDownToUpOnlyWhenAsked) {
  Send(TNotifyKind::MouseDown, 1, MkLButton);
  EXPECT_EQ(platform.Captured(), nullptr);
  Send(TNotifyKind::MouseUp, 1, 0);
  label->MouseCapture = 1;
  Send(TNotifyKind::MouseDown, 1, MkLButton);
  EXPECT_EQ(platform.Captured(), label->Control());
  Send(TNotifyKind::MouseUp, 1, 0);
  EXPECT_EQ(platform.Captured(), nullptr);
}

TEST_F(WinTest, KeysFocusAndSizeBecomeEvents) {
  THILabel label(Form());
  label.Init();
  TProbe keyDown, keyUp, focusIn, focusOut, dbl, resize;
  label.onKeyDown = keyDown.Link();
  label.onKeyUp = keyUp.Link();
  label.onSetFocus = focusIn.Link();
  label.onKillFocus = focusOut.Link();
  label.onDblClick = dbl.Link();
  label.onResize = resize.Link();
  TNotification n;
  for (TNotifyKind k : {TNotifyKind::KeyDown, TNotifyKind::KeyUp}) {
    n.Kind = k;
    n.Key = 65;
    label.Control()->Deliver(n);
  }
  for (TNotifyKind k : {TNotifyKind::FocusIn, TNotifyKind::FocusOut, TNotifyKind::DblClick, TNotifyKind::Resize}) {
    n.Kind = k;
    label.Control()->Deliver(n);
  }
  EXPECT_EQ(keyDown.Texts(), (std::vector<std::string>{"65"}));
  EXPECT_EQ(keyUp.Texts(), (std::vector<std::string>{"65"}));
  EXPECT_EQ(focusIn.values.size(), 1u);
  EXPECT_TRUE(IsNone(focusIn.values[0]));
  EXPECT_EQ(focusOut.values.size(), 1u);
  EXPECT_EQ(dbl.values.size(), 1u);
  EXPECT_EQ(resize.values.size(), 1u);
}

// Element code reached from a notification runs under the scheme lock.
class TLockProbe : public TElement {
 public:
  bool held = false;
  void doEvent(TData&) { held = SchemeLock().HeldByMe(); }
};

TEST_F(WinTest, NotificationsRunUnderTheSchemeLock) {
  THILabel label(Form());
  label.Init();
  TLockProbe probe;
  label.onClick = MakeLink<&TLockProbe::doEvent>(&probe);
  ASSERT_FALSE(SchemeLock().HeldByMe());
  platform.Click(label.Control());
  EXPECT_TRUE(probe.held);
  EXPECT_FALSE(SchemeLock().HeldByMe());
}

TEST_F(WinTest, ElementForgetsAControlItsParentTookDown) {
  auto box = std::make_unique<THIGroupBox>(Form());
  box->Init();
  THILabel label(box->Control());
  label.Init();
  ASSERT_NE(label.Control(), nullptr);
  box.reset();
  EXPECT_EQ(label.Control(), nullptr);
  TData d;
  SetString(d, "still safe");
  label.doText(d);
  EXPECT_EQ(label.Shown(), "still safe");
}

TEST(WinWithoutPlatform, ElementsWorkWithoutControls) {
  ASSERT_EQ(Platform(), nullptr);
  THILabel label(nullptr);
  label.Init();
  EXPECT_EQ(label.Control(), nullptr);
  TData d;
  SetInteger(d, 3);
  label.doText(d);
  EXPECT_EQ(label.Shown(), "3");
}

}  // namespace
