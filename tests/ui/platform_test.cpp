#include "ui/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "runtime/scheme_lock.h"
#include "ui/headless/headless.h"

namespace {

// Records the notifications a control delivers.
class TRecorder : public TControlHandler {
 public:
  std::vector<TNotifyKind> kinds;
  bool lockHeld = true;
  std::function<bool(const TNotification&)> On;  // the answer, when set
  bool HandleNotification(const TNotification& n) override {
    kinds.push_back(n.Kind);
    lockHeld = lockHeld && SchemeLock().HeldByMe();
    return On ? On(n) : false;
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

// --- Work put off until a control shows -------------------------------------

// A headless platform that defers, as a desktop does.
class TDeferringPlatform : public THeadlessPlatform {
 public:
  bool DefersHiddenWork() const override { return true; }
};

size_t Revealed(const TRecorder& r) { return std::count(r.kinds.begin(), r.kinds.end(), TNotifyKind::Revealed); }

TEST(PlatformDeferred, AControlIsRevealedOnceAtTheFirstRunItShowsIn) {
  // Which of the form and the box are visible at each run, and how many
  // times the label has been revealed after it.
  struct Step {
    bool form, box;
    size_t revealed;
  };
  const Step steps[] = {
      {false, true, 0},  // forms start hidden
      {true, false, 0},  // its page is hidden
      {true, true, 1},
      {true, true, 1},   // once only
      {false, false, 1},
      {true, true, 1},   // shown again: nothing was asked for
  };
  TDeferringPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* box = Make(p, TControlKind::GroupBox, form);
  TControl* label = Make(p, TControlKind::Label, box);
  TRecorder rec;
  label->SetHandler(&rec);
  EXPECT_TRUE(label->DeferWhileHidden());
  EXPECT_TRUE(label->DeferWhileHidden());  // asking twice is asking once
  for (const Step& step : steps) {
    box->SetVisible(step.box);
    form->SetVisible(step.form);
    p.RunDeferred();
    EXPECT_EQ(Revealed(rec), step.revealed) << "form " << step.form << ", box " << step.box;
  }
  EXPECT_TRUE(rec.lockHeld);
  label->SetHandler(nullptr);
  TControl::Destroy(form);
}

TEST(PlatformDeferred, OnlyTheShowingOnesAreRevealedAndTheRestWait) {
  TDeferringPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* pages[3];
  TControl* labels[3];
  TRecorder recs[3];
  for (int i = 0; i < 3; ++i) {
    pages[i] = Make(p, TControlKind::GroupBox, form);
    labels[i] = Make(p, TControlKind::Label, pages[i]);
    labels[i]->SetHandler(&recs[i]);
    labels[i]->DeferWhileHidden();
  }
  form->SetVisible(true);
  pages[1]->SetVisible(false);
  pages[2]->SetVisible(false);
  p.RunDeferred();
  EXPECT_EQ(Revealed(recs[0]), 1u);
  EXPECT_EQ(Revealed(recs[1]), 0u);
  EXPECT_EQ(Revealed(recs[2]), 0u);
  pages[0]->SetVisible(false);
  pages[2]->SetVisible(true);
  p.RunDeferred();
  EXPECT_EQ(Revealed(recs[2]), 1u);
  EXPECT_EQ(Revealed(recs[1]), 0u) << "still hidden, still waiting";
  for (TControl* label : labels) label->SetHandler(nullptr);
  TControl::Destroy(form);
}

TEST(PlatformDeferred, NothingIsPutOffOnScreenOrHeadless) {
  TDeferringPlatform deferring;
  TControl* form = Make(deferring, TControlKind::Form, nullptr);
  TControl* label = Make(deferring, TControlKind::Label, form);
  form->SetVisible(true);
  EXPECT_FALSE(label->DeferWhileHidden()) << "a showing control does its work now";
  TControl::Destroy(form);

  THeadlessPlatform p;
  EXPECT_FALSE(p.DefersHiddenWork()) << "headless controls read back their final sizes, shown or not";
  TControl* hiddenForm = Make(p, TControlKind::Form, nullptr);
  EXPECT_FALSE(Make(p, TControlKind::Label, hiddenForm)->DeferWhileHidden());
  TControl::Destroy(hiddenForm);
}

// Error paths: controls going away while they wait or while others are told.
TEST(PlatformDeferredErrors, AControlDestroyedWhileWaitingIsForgotten) {
  TDeferringPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* box = Make(p, TControlKind::GroupBox, form);
  TControl* gone = Make(p, TControlKind::Label, box);
  TControl* stays = Make(p, TControlKind::Label, box);
  TRecorder rec;
  stays->SetHandler(&rec);
  gone->DeferWhileHidden();
  stays->DeferWhileHidden();
  TControl::Destroy(gone);
  form->SetVisible(true);
  p.RunDeferred();  // would touch the destroyed one (the sanitizers see it)
  EXPECT_EQ(Revealed(rec), 1u);
  stays->SetHandler(nullptr);
  TControl::Destroy(form);
}

TEST(PlatformDeferredErrors, AHandlerMayDestroyOrDeferOthersWhileTheyAreTold) {
  TDeferringPlatform p;
  TControl* form = Make(p, TControlKind::Form, nullptr);
  TControl* box = Make(p, TControlKind::GroupBox, form);
  TControl* first = Make(p, TControlKind::Label, box);
  TControl* victim = Make(p, TControlKind::Label, box);
  TControl* other = Make(p, TControlKind::GroupBox, form);
  TControl* later = Make(p, TControlKind::Label, other);
  TRecorder victimRec, laterRec;
  TRecorder firstRec;
  // The first one told destroys the next in line, hides a page and asks
  // for a control on it: the destroyed one is not told, the asked one
  // waits for its page.
  firstRec.On = [&](const TNotification& n) {
    if (n.Kind != TNotifyKind::Revealed) return false;
    victim->SetHandler(nullptr);
    TControl::Destroy(victim);
    other->SetVisible(false);
    later->DeferWhileHidden();
    return true;
  };
  first->SetHandler(&firstRec);
  victim->SetHandler(&victimRec);
  later->SetHandler(&laterRec);
  first->DeferWhileHidden();
  victim->DeferWhileHidden();
  form->SetVisible(true);
  p.RunDeferred();
  EXPECT_EQ(Revealed(firstRec), 1u);
  EXPECT_EQ(Revealed(victimRec), 0u);
  EXPECT_EQ(Revealed(laterRec), 0u);
  other->SetVisible(true);
  p.RunDeferred();
  EXPECT_EQ(Revealed(laterRec), 1u);
  first->SetHandler(nullptr);
  later->SetHandler(nullptr);
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
