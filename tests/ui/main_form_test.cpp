#include "ui/main_form.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"
#include "ui/edit.h"
#include "ui/group_box.h"

namespace {

// Forms of their own, with the dispatcher off as a scheme builds them.
class MainFormTest : public ::testing::Test {
 protected:
  void TearDown() override { StopDispatch(); }
  THeadlessPlatform platform;
};

TEST_F(MainFormTest, ConstructionGivesTheDefaults) {
  THIMainForm form;
  THeadlessControl* c = static_cast<THeadlessControl*>(form.Control());
  EXPECT_EQ(c->Text(), "Form");
  EXPECT_EQ(c->Font().Name, "MS Sans Serif");
  EXPECT_EQ(c->FontHeight(), -11);
  EXPECT_FALSE(c->Visible());
  EXPECT_TRUE(form.OwnsApplicationWindow());
  THIMainForm second;
  EXPECT_FALSE(second.OwnsApplicationWindow());
  RunInits();
}

TEST_F(MainFormTest, StartupQueueSkipsAFormAlreadyGone) {
  TProbe created;
  auto gone = std::make_unique<THIMainForm>();
  gone->onCreate = created.Link();
  THIMainForm stays;
  TProbe stayed;
  stays.onCreate = stayed.Link();
  gone.reset();
  StartDispatch();
  RunInits();
  EXPECT_TRUE(created.values.empty());
  EXPECT_EQ(stayed.values.size(), 1u);
}

TEST_F(MainFormTest, CenterOnScreenWhateverLeftAndTopSay) {
  struct Case {
    int32_t w, h, left, top;
  } cases[] = {{445, 307, 290, 231}, {1024, 768, 0, 0}, {101, 51, 462, 359}, {1100, 800, -38, -16}};
  for (const Case& k : cases) {
    THIMainForm form;
    form.Left = 20;
    form.Top = 105;
    form.Width = k.w;
    form.Height = k.h;
    form.Placement = &THIMainForm::CenterOnScreen;
    form.Init();
    EXPECT_EQ(form.Control()->Bounds(), (TRect{k.left, k.top, k.w, k.h})) << k.w << "x" << k.h;
    EXPECT_EQ(form.Left, k.left);
    RunInits();
  }
}

TEST_F(MainFormTest, BorderStyleDecidesTheFrame) {
  struct Case {
    uint8_t style;
    bool sizable, maximize, caption;
  } cases[] = {
      {0, false, false, false}, {1, false, true, true}, {2, true, true, true},
      {3, false, false, true},  {4, false, true, true}, {5, true, true, true},
  };
  for (const Case& k : cases) {
    THIMainForm form;
    form.SetBorderStyle(k.style);
    const int32_t s = form.Control()->Style();
    EXPECT_EQ((s & kStyleSizable) != 0, k.sizable) << int(k.style);
    EXPECT_EQ((s & kStyleMaximizeBox) != 0, k.maximize) << int(k.style);
    EXPECT_EQ((s & kStyleCaption) == kStyleCaption, k.caption) << int(k.style);
    RunInits();
  }
}

TEST_F(MainFormTest, InitAppliesWindowProperties) {
  THIMainForm form;
  form.Left = 3;
  form.Top = 4;
  form.Width = 200;
  form.Height = 100;
  form.Color = kColorButtonFace;
  form.Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0);
  form.AlphaBlend = 200;
  form.SetCaption("Kelvane v1.3");
  form.Init();
  THeadlessControl* c = static_cast<THeadlessControl*>(form.Control());
  EXPECT_EQ(c->Bounds(), (TRect{3, 4, 200, 100}));
  EXPECT_EQ(c->Text(), "Kelvane v1.3");
  EXPECT_EQ(c->Color(), kColorButtonFace);
  EXPECT_EQ(c->FontHeight(), 14);
  EXPECT_EQ(c->Alpha(), 200);
  EXPECT_FALSE(c->Visible()) << "the program run shows the owning form";
  form.ShowApplication();
  EXPECT_TRUE(c->Visible());

  THIMainForm client;
  client.Width = 439;
  client.Height = 280;
  client.ClientSize = 1;
  client.Init();
  EXPECT_EQ(client.Control()->Bounds().Width, 445);
  EXPECT_EQ(client.Control()->Bounds().Height, 307);
  EXPECT_TRUE(client.Control()->Visible()) << "a form that does not own the application shows itself";
  RunInits();
}

TEST_F(MainFormTest, HiddenFormStaysHidden) {
  THIMainForm form;
  form.Visible = 0;
  form.Init();
  form.ShowApplication();
  EXPECT_FALSE(form.Control()->Visible());
  RunInits();
  EXPECT_FALSE(form.Control()->Visible());
}

TEST_F(MainFormTest, StartupFiresCreateThenShowOnce) {
  THIMainForm form;
  form.Init();
  std::vector<std::string> order;
  int hookCalls = 0;
  form.FirstShowHook = [&](int v) { order.push_back("hook" + std::to_string(v)); ++hookCalls; };
  TProbe created, shown;
  form.onCreate = created.Link();
  form.onShow = shown.Link();
  form.ShowApplication();
  StartDispatch();
  RunInits();
  EXPECT_EQ(created.values.size(), 1u);
  EXPECT_EQ(shown.values.size(), 1u);
  EXPECT_EQ(order, (std::vector<std::string>{"hook0"}));
  TNotification n;
  n.Kind = TNotifyKind::Shown;
  form.Control()->Deliver(n);
  EXPECT_EQ(shown.values.size(), 2u) << "onShow every time the window shows";
  EXPECT_EQ(hookCalls, 1) << "the first-show work only once";
}

TEST_F(MainFormTest, CloseFiresOnCloseThenStopsTheDispatcher) {
  THIMainForm form;
  form.Init();
  form.ShowApplication();
  StartDispatch();
  RunInits();
  bool dispatchDuringClose = false;
  struct TWatch : TElement {
    bool* seen;
    void doEvent(TData&) { *seen = DispatchRunning(); }
  } watch;
  watch.seen = &dispatchDuringClose;
  form.onClose = MakeLink<&TWatch::doEvent>(&watch);
  std::vector<int> hook;
  form.FirstShowHook = [&](int v) { hook.push_back(v); };
  EXPECT_TRUE(platform.RequestClose(form.Control()));
  EXPECT_TRUE(dispatchDuringClose);
  EXPECT_FALSE(DispatchRunning());
  EXPECT_TRUE(form.Closed());
  EXPECT_TRUE(platform.QuitRequested());
  EXPECT_FALSE(platform.HasApplicationWindow());
  EXPECT_FALSE(form.Control()->Visible());
  EXPECT_EQ(hook, (std::vector<int>{1}));
}

TEST_F(MainFormTest, CanCloseRefusesTheClose) {
  THIMainForm form;
  form.Init();
  form.ShowApplication();
  StartDispatch();
  RunInits();
  TProbe closed;
  TSource veto;
  SetInteger(veto.value, 1);
  form.CanClose = veto.Link();
  form.onClose = closed.Link();
  EXPECT_FALSE(platform.RequestClose(form.Control()));
  EXPECT_TRUE(closed.values.empty());
  EXPECT_TRUE(DispatchRunning());
  EXPECT_TRUE(form.Control()->Visible());
  EXPECT_FALSE(platform.QuitRequested());
  SetInteger(veto.value, 0);
  EXPECT_TRUE(platform.RequestClose(form.Control()));
  EXPECT_EQ(closed.values.size(), 1u);
}

TEST_F(MainFormTest, SecondFormOnlyHidesWhenClosed) {
  THIMainForm owner;
  owner.Init();
  THIMainForm other;
  other.Init();
  StartDispatch();
  RunInits();
  TProbe closed;
  other.onClose = closed.Link();
  ASSERT_TRUE(other.Control()->Visible());
  EXPECT_FALSE(platform.RequestClose(other.Control()));
  EXPECT_FALSE(other.Control()->Visible());
  EXPECT_TRUE(closed.values.empty());
  EXPECT_TRUE(DispatchRunning());
}

TEST_F(MainFormTest, HandleOutputNamesTheWindowsStyle) {
  THIMainForm form;
  form.SetBorderStyle(1);
  form.Init();
  TData handle;
  form.Handle(handle);
  ASSERT_EQ(KindOf(handle), KindInteger);
  ASSERT_NE(handle.IntValue, 0);
  TSystemOps* ops = SystemOps();
  const int32_t style = ops->WindowStyleOf(handle.IntValue);
  EXPECT_EQ(style & kStyleMaximizeBox, kStyleMaximizeBox);
  ops->SetWindowStyleOf(handle.IntValue, style & ~kStyleMaximizeBox);
  EXPECT_EQ(form.Control()->Style() & (kStyleMaximizeBox | kStyleSizable), 0);
  RunInits();
}

TEST_F(MainFormTest, CtrlCCopiesUnlessAFieldHasASelection) {
  struct Case {
    const char* what;
    int32_t key;
    bool shift;
    bool wired;
    int32_t selected;  // characters selected in the focused field
    bool copies;
  } cases[] = {
      {"Ctrl+C", 'C', false, true, 0, true},
      {"Ctrl+C over a selection", 'C', false, true, 2, false},
      {"Ctrl+Shift+C", 'C', true, true, 0, false},
      {"Ctrl+X", 'X', false, true, 0, false},
      {"nothing wired", 'C', false, false, 0, false},
  };
  for (const Case& c : cases) {
    THIMainForm form;
    form.Init();
    RunInits();
    TProbe copies;
    if (c.wired) form.onCopy = copies.Link();
    TControl* field = platform.CreateControl(TControlKind::Edit, form.Control(), {});
    field->SetText("12.5");
    platform.SelectText(field, 1, c.selected);
    StartDispatch();
    const bool taken = platform.PressControlKey(c.key, c.shift);
    StopDispatch();
    EXPECT_EQ(taken, c.copies) << c.what;
    EXPECT_EQ(copies.values.size(), c.copies ? 1u : 0u) << c.what;
    EXPECT_EQ(platform.ClipboardText(), c.selected && !c.shift && c.key == 'C' ? "2." : "") << c.what;
    platform.SetClipboardText("");
  }
}

TEST_F(MainFormTest, ShortcutsFireWithTheirLetterAndNothingElse) {
  const struct {
    const char* what;
    int32_t key;
    bool shift;
    bool wired;
    bool fires;
  } cases[] = {
      {"Ctrl+D", 'D', false, true, true},          {"Ctrl+K", 'K', false, true, true},
      {"Ctrl+E, not listed", 'E', false, true, false}, {"Ctrl+Shift+D", 'D', true, true, false},
      {"nothing wired", 'D', false, false, false}, {"Ctrl+C stays onCopy's", 'C', false, true, false},
  };
  for (const auto& c : cases) {
    THIMainForm form;
    form.Shortcuts = "DK";
    form.Init();
    RunInits();
    TProbe keys;
    if (c.wired) form.onShortcut = keys.Link();
    StartDispatch();
    const bool taken = platform.PressControlKey(c.key, c.shift);
    StopDispatch();
    EXPECT_EQ(taken, c.fires) << c.what;
    ASSERT_EQ(keys.values.size(), c.fires ? 1u : 0u) << c.what;
    if (c.fires) {
      EXPECT_EQ(ToInteger(keys.values[0]), c.key) << c.what;
    }
  }
}

TEST_F(MainFormTest, IconOnlyWhenTheResourceExists) {
  static const unsigned char bytes[] = {0, 0, 1, 0};
  const TResource items[] = {{"ICON0", ResIcon, bytes, sizeof bytes}};
  const TResourceTable table = {items, 1};
  const TResourceTable* previous = SetResourceTable(&table);
  THIMainForm with;
  with.SetIcon("ICON0");
  EXPECT_TRUE(with.HasIcon());
  EXPECT_EQ(static_cast<THeadlessControl*>(with.Control())->Icon(), "ICON0");
  THIMainForm without;
  without.SetIcon("ICON9");
  EXPECT_FALSE(without.HasIcon());
  EXPECT_EQ(static_cast<THeadlessControl*>(without.Control())->Icon(), "");
  SetResourceTable(previous);
  RunInits();
}

// --- A second window over the main one ---------------------------------------------------------

class OwnedFormTest : public UiTest {
 protected:
  // A form over the main window, hidden until asked, as a window the user
  // opens is built.
  std::unique_ptr<THIMainForm> MakeOwned(int32_t w = 300, int32_t h = 250) {
    auto parts = std::make_unique<THIMainForm>(Form());
    parts->Width = w;
    parts->Height = h;
    parts->Visible = 0;
    parts->Init();
    RunInits();
    parts->onHide = hidden.Link();
    return parts;
  }
  TProbe hidden;
};

TEST_F(OwnedFormTest, EveryWayOfClosingOnlyHidesItAndTheProgramRunsOn) {
  const struct {
    const char* how;
    std::function<void(THIMainForm&)> close;
  } ways[] = {
      {"close box", [&](THIMainForm& f) { EXPECT_FALSE(platform.RequestClose(f.Control())); }},
      {"doClose", [](THIMainForm& f) { TData none; f.doClose(none); }},
      {"Escape", [&](THIMainForm& f) { platform.PressKey(f.Control(), VkEscape); }},
  };
  auto parts = MakeOwned();
  parts->EscapeCloses = 1;
  TProbe ended;
  form->onClose = ended.Link();
  EXPECT_FALSE(parts->OwnsApplicationWindow());
  EXPECT_EQ(parts->Control()->Owner(), Form());
  EXPECT_FALSE(parts->Control()->Visible()) << "opened when the user asks";
  size_t closes = 0;
  for (const auto& way : ways) {
    TData none;
    parts->doShow(none);
    EXPECT_TRUE(parts->Control()->Visible()) << way.how;
    way.close(*parts);
    EXPECT_FALSE(parts->Control()->Visible()) << way.how;
    EXPECT_EQ(hidden.values.size(), ++closes) << way.how;
    EXPECT_TRUE(Form()->Visible()) << way.how;
    EXPECT_TRUE(DispatchRunning()) << way.how;
    EXPECT_EQ(platform.ApplicationForm(), Form()) << way.how;
  }
  EXPECT_TRUE(ended.values.empty()) << "the main window's onClose is the program's end";
}

TEST_F(OwnedFormTest, EscapeClosesOnlyAFormThatAsksForIt) {
  auto parts = MakeOwned();
  TData none;
  parts->doShow(none);
  platform.PressKey(parts->Control(), VkEscape);
  EXPECT_TRUE(parts->Control()->Visible()) << "EscapeCloses is 0";
  form->EscapeCloses = 0;
  platform.PressKey(Form(), VkEscape);
  EXPECT_TRUE(Form()->Visible());
  parts->EscapeCloses = 1;
  TSource refuse;
  SetInteger(refuse.value, 1);
  parts->CanClose = refuse.Link();
  platform.PressKey(parts->Control(), VkEscape);
  EXPECT_TRUE(parts->Control()->Visible()) << "CanClose refuses Escape as it refuses the close box";
  EXPECT_TRUE(hidden.values.empty());
}

TEST_F(OwnedFormTest, ShowingItAgainBringsItToTheFront) {
  auto parts = MakeOwned();
  TData none;
  parts->doShow(none);
  parts->doShow(none);
  EXPECT_TRUE(parts->Control()->Visible());
  EXPECT_EQ(H(parts.get())->RaiseCount(), 2);
}

TEST_F(OwnedFormTest, ClosingItTakesTheFocusFromItsControls) {
  auto parts = MakeOwned();
  TData none;
  parts->doShow(none);
  TControl* table = platform.CreateControl(TControlKind::Table, parts->Control(), {});
  platform.PressKey(table, VkDown);
  EXPECT_EQ(platform.Focused(), table);
  parts->doClose(none);
  EXPECT_EQ(platform.Focused(), nullptr);
  TProbe copies;
  form->onCopy = copies.Link();
  EXPECT_TRUE(platform.PressControlKey('C', false)) << "Ctrl+C goes to the main window again";
  EXPECT_EQ(copies.values.size(), 1u);
}

TEST_F(OwnedFormTest, BesideOwnerPutsItRightOfTheOwnerOrWhereItFits) {
  // The headless screen is 1024 x 768.
  const struct {
    TRect owner;
    int32_t w, h;
    int32_t left, top;
  } cases[] = {
      {{20, 100, 445, 307}, 300, 250, 465, 100},   // right of it
      {{600, 100, 400, 300}, 300, 250, 300, 100},  // no room on the right: left of it
      {{290, 231, 445, 307}, 300, 250, 724, 231},  // room on neither side: the screen's right edge
      {{20, 600, 445, 307}, 300, 250, 465, 518},   // kept above the screen's bottom
      {{20, -40, 445, 307}, 300, 250, 465, 0},     // and below its top
      {{0, 0, 1024, 768}, 1100, 800, 0, 0},        // larger than the screen: its top left corner
  };
  for (const auto& c : cases) {
    Form()->SetBounds(c.owner);
    auto parts = MakeOwned(c.w, c.h);
    parts->BesideOwner();
    EXPECT_EQ(parts->Control()->Bounds(), (TRect{c.left, c.top, c.w, c.h})) << c.owner.Left << "," << c.owner.Top;
    EXPECT_EQ(parts->Left, c.left);
    EXPECT_EQ(parts->Top, c.top);
  }
  THIMainForm alone;
  alone.Left = 7;
  alone.Top = 9;
  alone.Width = 100;
  alone.Height = 100;
  alone.Init();
  alone.BesideOwner();
  EXPECT_EQ(alone.Control()->Bounds(), (TRect{7, 9, 100, 100})) << "no owner: where it was";
  RunInits();
}

TEST_F(OwnedFormTest, ALaterFormWithoutAnIconTakesTheApplications) {
  static const unsigned char bytes[] = {0, 0, 1, 0};
  const TResource items[] = {{"ICON0", ResIcon, bytes, sizeof bytes}, {"ICON1", ResIcon, bytes, sizeof bytes}};
  const TResourceTable table = {items, 2};
  const TResourceTable* previous = SetResourceTable(&table);
  form->SetIcon("ICON0");
  auto plain = MakeOwned();
  EXPECT_EQ(H(plain.get())->Icon(), "ICON0");
  THIMainForm own(Form());
  own.SetIcon("ICON1");
  own.Init();
  EXPECT_EQ(H(&own)->Icon(), "ICON1");
  SetResourceTable(previous);
  RunInits();
}

TEST_F(OwnedFormTest, AnOwnerGoingFirstTakesTheOwnedWindowWithIt) {
  auto parts = MakeOwned();
  TControl* table = platform.CreateControl(TControlKind::Table, parts->Control(), {});
  const int32_t handle = table->Handle();
  StopDispatch();
  form.reset();
  EXPECT_EQ(parts->Control(), nullptr) << "the element heard its window went";
  EXPECT_EQ(platform.FromHandle(handle), nullptr);
  TData none;
  parts->doShow(none);  // does nothing, safely
  parts->doClose(none);
}

using TabKeys = UiTest;

TEST_F(TabKeys, TabAndShiftTabFollowTabOrder) {
  THIGroupBox box(Form());
  box.Init();
  // Edits make their controls in Init, so Init order is creation order.
  THIEdit second(box.Control()), first(box.Control()), skipped(box.Control()), hidden(box.Control());
  THIEdit alsoFirst(box.Control());
  second.TabOrder = 2;
  first.TabOrder = 1;
  skipped.TabOrder = 0;
  hidden.TabOrder = 3;
  hidden.Visible = 0;
  alsoFirst.TabOrder = 1;  // same order as `first`, made later
  for (THIWin* e : std::initializer_list<THIWin*>{&second, &first, &skipped, &hidden, &alsoFirst}) e->Init();

  platform.PressTab(false);
  EXPECT_EQ(platform.Focused(), nullptr) << "navigation is off until the program run turns it on";
  form->SetTabNavigation(true);
  std::vector<TControl*> forward, backward;
  for (int i = 0; i < 4; ++i) {
    platform.PressTab(false);
    forward.push_back(platform.Focused());
  }
  for (int i = 0; i < 4; ++i) {
    platform.PressTab(true);
    backward.push_back(platform.Focused());
  }
  EXPECT_EQ(forward, (std::vector<TControl*>{first.Control(), alsoFirst.Control(), second.Control(), first.Control()}));
  EXPECT_EQ(backward, (std::vector<TControl*>{second.Control(), alsoFirst.Control(), first.Control(), second.Control()}));
}

}  // namespace
