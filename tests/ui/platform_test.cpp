#include "ui/platform.h"

#include <gtest/gtest.h>

#include "runtime/scheme_lock.h"
#include "ui/headless/headless.h"

namespace {

// Records the notifications a control delivers.
class TRecorder : public TControlHandler {
 public:
  std::vector<TNotifyKind> kinds;
  bool lockHeld = true;
  bool HandleNotification(const TNotification& n) override {
    kinds.push_back(n.Kind);
    lockHeld = lockHeld && SchemeLock().HeldByMe();
    return false;
  }
};

TControl* Make(THeadlessPlatform& p, TControlKind kind, TControl* parent) { return p.CreateControl(kind, parent, {}); }

TEST(Platform, InstallsItselfForItsLifetime) {
  TSystemOps* before = SystemOps();
  {
    THeadlessPlatform outer;
    EXPECT_EQ(Platform(), &outer);
    EXPECT_EQ(SystemOps(), &outer);
    {
      THeadlessPlatform inner;
      EXPECT_EQ(Platform(), &inner);
    }
    EXPECT_EQ(Platform(), &outer);
  }
  EXPECT_EQ(SystemOps(), before);
}

TEST(Platform, DestroyingAParentTellsEveryChildOnce) {
  THeadlessPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* box = Make(p, TControlKind::GroupBox, form);
  TControl* label = Make(p, TControlKind::Label, box);
  TControl* edit = Make(p, TControlKind::Edit, form);
  TRecorder formRec, boxRec, labelRec, editRec;
  form->SetHandler(&formRec);
  box->SetHandler(&boxRec);
  label->SetHandler(&labelRec);
  edit->SetHandler(&editRec);
  const int32_t labelHandle = label->Handle();
  form->SetHandler(nullptr);  // the owner destroys it and needs no word
  TControl::Destroy(form);
  EXPECT_TRUE(formRec.kinds.empty());
  for (TRecorder* r : {&boxRec, &labelRec, &editRec}) {
    ASSERT_EQ(r->kinds.size(), 1u);
    EXPECT_EQ(r->kinds[0], TNotifyKind::Destroyed);
    EXPECT_TRUE(r->lockHeld);
  }
  EXPECT_EQ(p.FromHandle(labelHandle), nullptr);
}

TEST(Platform, ShowingAndUsableFollowTheParents) {
  THeadlessPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* box = Make(p, TControlKind::GroupBox, form);
  TControl* edit = Make(p, TControlKind::Edit, box);
  EXPECT_TRUE(edit->Visible());
  EXPECT_FALSE(edit->Showing()) << "forms start hidden";
  form->SetVisible(true);
  EXPECT_TRUE(edit->Showing());
  box->SetVisible(false);
  EXPECT_FALSE(edit->Showing());
  EXPECT_TRUE(edit->Visible());
  box->SetVisible(true);
  EXPECT_TRUE(edit->EnabledTree());
  box->SetEnabled(false);
  EXPECT_FALSE(edit->EnabledTree());
  EXPECT_TRUE(edit->Enabled());
  TControl::Destroy(form);
}

TEST(Platform, TabStopsGoByOrderThenCreation) {
  THeadlessPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  form->SetVisible(true);
  TControl* panel = Make(p, TControlKind::Panel, form);
  TControl* a = Make(p, TControlKind::Edit, form);        // order 2
  TControl* b = Make(p, TControlKind::Edit, form);        // order 1
  TControl* c = Make(p, TControlKind::Button, panel);     // order 1, made after b
  TControl* none = Make(p, TControlKind::Edit, form);     // order 0: no stop
  TControl* hidden = Make(p, TControlKind::Edit, form);   // order 3, hidden
  TControl* off = Make(p, TControlKind::Edit, form);      // order 4, disabled
  a->SetTabOrder(2);
  b->SetTabOrder(1);
  c->SetTabOrder(1);
  none->SetTabOrder(0);
  hidden->SetTabOrder(3);
  hidden->SetVisible(false);
  off->SetTabOrder(4);
  off->SetEnabled(false);
  struct Case {
    TControl* from;
    bool backward;
    TControl* want;
  } cases[] = {
      {nullptr, false, b}, {b, false, c}, {c, false, a}, {a, false, b},  // wraps
      {nullptr, true, a},  {a, true, c},  {c, true, b},  {b, true, a},
      {none, false, b},    {hidden, true, a},
  };
  for (const Case& k : cases) EXPECT_EQ(NextTabStop(form, k.from, k.backward), k.want);
  panel->SetVisible(false);
  EXPECT_EQ(NextTabStop(form, b, false), a) << "the button went with its panel";
  EXPECT_EQ(NextTabStop(panel, nullptr, false), nullptr);
  EXPECT_EQ(NextTabStop(nullptr, nullptr, false), nullptr);
  TControl::Destroy(form);
}

TEST(Platform, BoxButtonsByStyle) {
  struct Case {
    uint32_t style;
    std::vector<int> buttons;
  } cases[] = {
      {MbOk | MbIconWarning, {IdOk}},
      {MbOkCancel, {IdOk, IdCancel}},
      {MbAbortRetryIgnore | MbIconError, {IdAbort, IdRetry, IdIgnore}},
      {MbYesNoCancel, {IdYes, IdNo, IdCancel}},
      {MbYesNo | MbIconQuestion, {IdYes, IdNo}},
      {MbRetryCancel, {IdRetry, IdCancel}},
      {9, {IdOk}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoxButtons(c.style), c.buttons) << c.style;
    EXPECT_EQ(FirstButtonOf(c.style), c.buttons.front());
  }
}

TEST(Platform, WindowStyleByHandle) {
  THeadlessPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  const int32_t h = form->Handle();
  EXPECT_NE(h, 0);
  EXPECT_EQ(p.WindowStyleOf(h) & (kStyleMaximizeBox | kStyleSizable), kStyleMaximizeBox | kStyleSizable);
  p.SetWindowStyleOf(h, p.WindowStyleOf(h) & ~kStyleMaximizeBox);
  EXPECT_EQ(form->Style() & kStyleMaximizeBox, 0);
  p.RedrawMenuBar(h);
  EXPECT_EQ(p.MenuRedraws(), 1);
  TControl::Destroy(form);
  EXPECT_EQ(p.WindowStyleOf(h), 0);
  p.SetWindowStyleOf(h, 5);  // ignored
  p.RedrawMenuBar(h);
  EXPECT_EQ(p.MenuRedraws(), 1);
}

TEST(Platform, TooltipManagerIsMadeOnFirstUseAndForgetsControls) {
  THeadlessPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* label = Make(p, TControlKind::Label, form);
  EXPECT_FALSE(p.HasTooltips());
  p.Tooltips().Add(label, "calculated value");
  EXPECT_TRUE(p.HasTooltips());
  EXPECT_EQ(p.Tooltips().Text(label), "calculated value");
  TTooltips* manager = &p.Tooltips();
  EXPECT_EQ(manager, &p.Tooltips());
  TControl::Destroy(label);
  EXPECT_EQ(p.Tooltips().Text(label), "");
  TControl::Destroy(form);
}

TEST(Platform, ApplicationWindowBelongsToTheFirstClaim) {
  THeadlessPlatform p;
  TControl* a = Make(p, TControlKind::Form, nullptr);
  TControl* b = Make(p, TControlKind::Form, nullptr);
  EXPECT_FALSE(p.HasApplicationWindow());
  EXPECT_TRUE(p.ClaimApplicationWindow(a));
  EXPECT_FALSE(p.ClaimApplicationWindow(b));
  p.ReleaseApplicationWindow(b);  // not its to release
  EXPECT_TRUE(p.HasApplicationWindow());
  TControl::Destroy(a);
  EXPECT_FALSE(p.HasApplicationWindow());
  EXPECT_TRUE(p.ClaimApplicationWindow(b));
  TControl::Destroy(b);
}

TEST(Platform, CommandLineArguments) {
  THeadlessPlatform p;
  p.SetCommandLine("kelvane", {"/ih", "x y"});
  EXPECT_EQ(p.ParamCount(), 2);
  EXPECT_EQ(p.ParamStr(0), "kelvane");
  EXPECT_EQ(p.ParamStr(1), "/ih");
  EXPECT_EQ(p.ParamStr(2), "x y");
  EXPECT_EQ(p.ParamStr(3), "");
  EXPECT_EQ(p.ParamStr(-1), "");
}

}  // namespace
