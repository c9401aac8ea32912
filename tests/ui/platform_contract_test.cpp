#include "ui/platform_contract.h"

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <thread>

#include "ui/bitmap.h"

namespace {

// Records what a control tells its element; `On` may answer or act.
struct TRecorder : TControlHandler {
  std::vector<TNotifyKind> Seen;
  std::function<bool(const TNotification&)> On;
  bool HandleNotification(const TNotification& n) override {
    Seen.push_back(n.Kind);
    return On ? On(n) : false;
  }
  int Count(TNotifyKind k) const { return static_cast<int>(std::count(Seen.begin(), Seen.end(), k)); }
};

// Adds its name to the log when its control is destroyed.
struct TDestroyLog : TControlHandler {
  std::vector<std::string>* Log = nullptr;
  std::string Name;
  bool HandleNotification(const TNotification& n) override {
    if (n.Kind == TNotifyKind::Destroyed) Log->push_back(Name);
    return false;
  }
};

// "Привет" in code page 1251.
const std::string kCyrillic = "\xCF\xF0\xE8\xE2\xE5\xF2";

}  // namespace

// --- Making and reading back -------------------------------------------------------

TEST_P(PlatformContractOnScreen, EveryKindIsMadeUnderItsParentWithAHandle) {
  const TControlKind kinds[] = {TControlKind::Button,   TControlKind::CheckBox, TControlKind::GroupBox,
                                TControlKind::Edit,     TControlKind::Label,    TControlKind::PickList,
                                TControlKind::EditList, TControlKind::TabStrip, TControlKind::Panel,
                                TControlKind::Image,    TControlKind::Table};
  EXPECT_EQ(Form()->Parent(), nullptr);
  EXPECT_FALSE(Form()->Visible()) << "forms start hidden";
  EXPECT_EQ(Form()->Style(), kStyleFormDefault);
  int32_t y = 0;
  for (TControlKind kind : kinds) {
    TControl* c = Make(kind, 0, y += 25);
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(c->Kind(), kind);
    EXPECT_EQ(c->Parent(), Form());
    EXPECT_EQ(Form()->Children().back(), c);
    EXPECT_NE(c->Handle(), 0);
    EXPECT_EQ(P().FromHandle(c->Handle()), c);
    EXPECT_TRUE(c->Visible()) << "children start shown";
    const bool field = kind == TControlKind::Edit || kind == TControlKind::EditList ||
                       kind == TControlKind::PickList || kind == TControlKind::Table;
    EXPECT_EQ(c->Color(), field ? kColorWindow : kColorButtonFace) << "the desktop's colours";
    EXPECT_TRUE(c->Enabled());
    EXPECT_EQ(c->Selected(), -1);
    EXPECT_TRUE(c->Items().empty());
    EXPECT_TRUE(c->Columns().empty());
    EXPECT_EQ(c->RowCount(), 0);
  }
}

TEST_P(PlatformContractOnScreen, TextReadsBackInCodePage1251) {
  struct TCase {
    TControlKind Kind;
    bool Kept;  // a pick-only list shows its selected line instead
  } cases[] = {{TControlKind::Button, true}, {TControlKind::CheckBox, true}, {TControlKind::GroupBox, true},
               {TControlKind::Edit, true},   {TControlKind::Label, true},    {TControlKind::EditList, true},
               {TControlKind::Panel, true},  {TControlKind::PickList, false}};
  Form()->SetText(kCyrillic);
  EXPECT_EQ(Form()->Text(), kCyrillic);
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind));
    TControl* control = Make(c.Kind, 0, 0);
    control->SetText(kCyrillic + " & 1.5");
    EXPECT_EQ(control->Text(), c.Kept ? kCyrillic + " & 1.5" : "");
  }
}

TEST_P(PlatformContractOnScreen, SettingAFieldsTextPutsTheCaretAtTheEnd) {
  for (TControlKind kind : {TControlKind::Edit, TControlKind::EditList}) {
    TControl* field = Make(kind, 0, 0);
    field->SetText(kCyrillic);
    EXPECT_EQ(field->Caret(), 6);
    field->SetCaret(2);
    EXPECT_EQ(field->Caret(), 2);
  }
}

TEST_P(PlatformContractOnScreen, BoundsAreKeptAndAFormsClientSizeAddsItsFrame) {
  TControl* panel = Make(TControlKind::Panel, 10, 20);
  TControl* label = Make(TControlKind::Label, 0, 0, panel);
  label->SetBounds({5, 6, 70, 21});
  EXPECT_EQ(label->Bounds(), (TRect{5, 6, 70, 21})) << "relative to the parent";
  label->SetClientSize(50, 13);
  EXPECT_EQ(label->Bounds(), (TRect{5, 6, 50, 13}));
  EXPECT_EQ(Form()->Bounds(), (TRect{40, 40, 400, 300}));
  Form()->SetClientSize(200, 100);
  const TRect r = Form()->Bounds();
  EXPECT_EQ(r.Width, 200 + 2 * TPlatform::kFrameSide);
  EXPECT_EQ(r.Height, 100 + TPlatform::kFrameTop + TPlatform::kFrameSide);
}

TEST_P(PlatformContractOnScreen, ControlsAreDrawnAtTheScaleWhileBoundsStayInLayoutPixels) {
  TControl* group = Make(TControlKind::GroupBox, 10, 20);
  group->SetBounds({10, 20, 200, 150});
  TControl* edit = Make(TControlKind::Edit, 7, 9, group);
  TControl* label = Make(TControlKind::Label, 221, 31);
  label->SetFont(TFontRec{"Arial", 10, 0, 0, 204}, 16);
  label->SetText("Vout");
  TControl* panel = Make(TControlKind::Panel, 230, 100);
  TControl* button = Make(TControlKind::Button, 5, 0, panel);
  Show();
  const std::optional<int> textAt1 = Backend().TextPixels(label);
  if (!Backend().OnScreen(Form())) GTEST_SKIP() << "a backend without a screen stays at scale 1";
  const double first = P().Scale();
  // Whole scales, so that every place is exact (3 would not fit the
  // test's screen); going from the contract's scale to the other one shows
  // that a change of scale places every control again.
  for (int scale : {2, 1}) {
    P().SetScale(scale);
    Backend().PumpUntil([] { return true; });
    const struct {
      TControl* control;
      TRect layout, screen;
    } cases[] = {
        {group, {10, 20, 200, 150}, {10, 20, 200, 150}},
        {edit, {7, 9, 80, 24}, {17, 29, 80, 24}},
        {label, {221, 31, 80, 24}, {221, 31, 80, 24}},
        {button, {5, 0, 80, 24}, {235, 100, 80, 24}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "scale " << scale << ", control at " << c.layout.Left << "," << c.layout.Top);
      EXPECT_EQ(c.control->Bounds(), c.layout);
      const TRect s = c.screen;
      EXPECT_EQ(Backend().OnScreen(c.control), (TRect{s.Left * scale, s.Top * scale, s.Width * scale, s.Height * scale}));
    }
    // A window of its own stands where the platform puts it (a window
    // manager, a page's flow); its size is the layout's at every scale.
    const TRect form = Form()->Bounds();
    EXPECT_EQ(form.Width, 400) << "scale " << scale;
    EXPECT_EQ(form.Height, 300) << "scale " << scale;
    const std::optional<TRect> client = Backend().OnScreen(Form());
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->Width, (400 - 2 * TPlatform::kFrameSide) * scale);
    EXPECT_EQ(client->Height, (300 - TPlatform::kFrameTop - TPlatform::kFrameSide) * scale);
    const std::optional<int> text = Backend().TextPixels(label);
    ASSERT_TRUE(text && textAt1);
    // Faces come in whole pixel sizes, so the text grows about as much.
    EXPECT_GE(*text, *textAt1 * scale / first * 0.8) << "scale " << scale;
    EXPECT_LE(*text, *textAt1 * scale / first * 1.2) << "scale " << scale;
  }
  P().SetScale(first);
}

TEST_P(PlatformContractOnScreen, VisibilityAndEnabledStateFollowTheParents) {
  Show();
  TControl* box = Make(TControlKind::GroupBox, 0, 0);
  TControl* edit = Make(TControlKind::Edit, 5, 5, box);
  EXPECT_TRUE(edit->Showing());
  box->SetVisible(false);
  EXPECT_TRUE(edit->Visible()) << "its own flag is untouched";
  EXPECT_FALSE(edit->Showing());
  box->SetVisible(true);
  EXPECT_TRUE(edit->Showing());
  box->SetEnabled(false);
  EXPECT_TRUE(edit->Enabled());
  EXPECT_FALSE(edit->EnabledTree());
  box->SetEnabled(true);
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->EnabledTree());
}

TEST_P(PlatformContractOnScreen, LookPropertiesReadBack) {
  TFontRec font;
  font.Name = "Arial";
  font.Size = 10;
  font.Style = FontBold | FontUnderline;
  font.Color = 0x00800000;
  font.CharSet = 204;
  for (TControlKind kind : {TControlKind::Label, TControlKind::Edit, TControlKind::PickList, TControlKind::Panel,
                            TControlKind::Button}) {
    SCOPED_TRACE(static_cast<int>(kind));
    TControl* c = Make(kind, 0, 0);
    c->SetFont(font, 16);
    EXPECT_EQ(c->Font(), font);
    EXPECT_EQ(c->FontHeight(), 16);
    c->SetColor(0x00336699);
    EXPECT_EQ(c->Color(), 0x00336699u);
    c->SetColor(kColorButtonFace);
    EXPECT_EQ(c->Color(), kColorButtonFace);
    c->SetEdge(1);
    EXPECT_EQ(c->Edge(), 1);
    c->SetCursor(CursorHand);
    EXPECT_EQ(c->Cursor(), CursorHand);
    c->SetAlignment(2);
    EXPECT_EQ(c->Alignment(), 2);
    c->SetStyle(kStyleFlat);
    EXPECT_EQ(c->Style(), kStyleFlat);
  }
  Form()->SetStyle(kStyleFormDefault & ~kStyleMaximizeBox);
  EXPECT_EQ(P().WindowStyleOf(Form()->Handle()), kStyleFormDefault & ~kStyleMaximizeBox);
}

TEST_P(PlatformContractOnScreen, PicturesAndWindowSettingsReadBack) {
  TControl* image = Make(TControlKind::Image, 0, 0);
  auto picture = std::make_shared<const TRgbImage>(2, 1, std::vector<uint8_t>{1, 2, 3, 4, 5, 6});
  image->SetPicture(picture, {-3, -4, 20, 10});
  EXPECT_EQ(image->Picture(), picture);
  EXPECT_EQ(image->PictureRect(), (TRect{-3, -4, 20, 10}));
  image->SetPicture(nullptr, {});
  EXPECT_EQ(image->Picture(), nullptr);
  Form()->SetAlpha(128);
  EXPECT_EQ(Form()->Alpha(), 128);
  Form()->SetWindowState(2);
  EXPECT_EQ(Form()->WindowState(), 2);
}

// --- Lines, selection and check state ------------------------------------------------

TEST_P(PlatformContractOnScreen, ListLinesAndTheSelectedLine) {
  TControl* pick = Make(TControlKind::PickList, 0, 0);
  TControl* edit = Make(TControlKind::EditList, 0, 30);
  TControl* tabs = Make(TControlKind::TabStrip, 0, 60);
  for (TControl* c : {pick, edit, tabs})
    for (const char* line : {"one", "two", "three"}) c->AddItem(line);
  EXPECT_EQ(pick->Items(), (std::vector<std::string>{"one", "two", "three"}));
  pick->SetSelected(1);
  EXPECT_EQ(pick->Selected(), 1);
  EXPECT_EQ(pick->Text(), "two");
  pick->SetSelected(7);
  EXPECT_EQ(pick->Selected(), -1) << "out of range selects nothing";
  EXPECT_EQ(pick->Text(), "");
  edit->SetSelected(2);
  EXPECT_EQ(edit->Text(), "three") << "the field shows the selected line";
  edit->ClearItems();
  EXPECT_EQ(edit->Selected(), -1);
  EXPECT_EQ(edit->Text(), "three") << "clearing the lines leaves the field";
  tabs->SetSelected(2);
  tabs->SetSelected(-1);
  EXPECT_EQ(tabs->Selected(), 2) << "a tab strip always shows one of its tabs";
}

TEST_P(PlatformContractOnScreen, SortedListsInsertInOrderAndKeepTheSelectedLine) {
  TCreateOptions sorted;
  sorted.Sorted = true;
  TControl* list = Make(TControlKind::PickList, 0, 0, nullptr, sorted);
  list->AddItem("b");
  list->SetSelected(0);
  list->AddItem("C");
  list->AddItem("a");
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(list->Selected(), 1);
  EXPECT_EQ(list->Text(), "b");
}

TEST_P(PlatformContractOnScreen, TheProgramsOwnWritesNeverNotify) {
  TRecorder seen;
  std::vector<TControl*> controls;
  for (TControlKind kind : {TControlKind::Edit, TControlKind::EditList, TControlKind::PickList,
                            TControlKind::TabStrip, TControlKind::CheckBox, TControlKind::Table}) {
    TControl* c = Make(kind, 0, 0);
    c->SetHandler(&seen);
    controls.push_back(c);
  }
  for (TControl* c : controls) {
    c->AddItem("x");
    c->AddItem("y");
    c->SetColumns({{"x", 30, 0}});
    c->SetRows({{"x"}, {"y"}});
    c->SetSelected(1);
    c->SetText("typed by the program");
    c->SetCaret(1);
    c->SetChecked(true);
    c->ClearItems();
  }
  EXPECT_TRUE(seen.Seen.empty()) << seen.Seen.size() << " notifications";
  for (TControl* c : controls) c->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, CheckStateIsSetByTheProgramAndToggledByAClick) {
  Show();
  TControl* box = Make(TControlKind::CheckBox, 10, 10);
  TRecorder seen;
  box->SetHandler(&seen);
  box->SetChecked(true);
  EXPECT_TRUE(box->Checked());
  box->SetChecked(false);
  EXPECT_FALSE(box->Checked());
  Backend().Click(box);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(seen.Count(TNotifyKind::Click), 1);
  EXPECT_EQ(seen.Count(TNotifyKind::MouseDown), 1);
  box->SetHandler(nullptr);
}

// --- Focus and the Tab key ---------------------------------------------------------------

TEST_P(PlatformContractOnScreen, FocusMovesTellBothControls) {
  Show();
  TControl* a = Make(TControlKind::Edit, 0, 0);
  TControl* b = Make(TControlKind::Edit, 0, 30);
  TRecorder seenA, seenB;
  a->SetHandler(&seenA);
  b->SetHandler(&seenB);
  a->SetFocus();
  EXPECT_EQ(P().Focused(), a);
  EXPECT_EQ(seenA.Seen, (std::vector<TNotifyKind>{TNotifyKind::FocusIn}));
  b->SetFocus();
  EXPECT_EQ(P().Focused(), b);
  EXPECT_EQ(seenA.Count(TNotifyKind::FocusOut), 1);
  EXPECT_EQ(seenB.Count(TNotifyKind::FocusIn), 1);
  b->SetHandler(nullptr);
  const TControl* gone = b;
  TControl::Destroy(b);
  // The desktop may hand the focus on; never to the control that went.
  EXPECT_NE(P().Focused(), gone);
  a->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, TabAndShiftTabReachTheFormAndFollowTheTabOrder) {
  TRecorder formSeen;
  formSeen.On = [&](const TNotification& n) {
    if (n.Kind != TNotifyKind::TabKey) return false;
    if (TControl* next = NextTabStop(Form(), P().Focused(), n.Backward)) next->SetFocus();
    return true;
  };
  Form()->SetHandler(&formSeen);
  Show();
  TControl* a = Make(TControlKind::Edit, 0, 0);
  TControl* b = Make(TControlKind::Edit, 0, 30);
  TControl* c = Make(TControlKind::Edit, 0, 60);
  TControl* none = Make(TControlKind::Edit, 0, 90);
  a->SetTabOrder(2);
  b->SetTabOrder(1);
  c->SetTabOrder(3);
  none->SetTabOrder(0);
  a->SetFocus();
  Backend().PressTab(false);
  EXPECT_EQ(P().Focused(), c);
  Backend().PressTab(false);
  EXPECT_EQ(P().Focused(), b) << "wraps around";
  Backend().PressTab(true);
  EXPECT_EQ(P().Focused(), c);
  EXPECT_EQ(formSeen.Count(TNotifyKind::TabKey), 3);
  c->SetEnabled(false);
  a->SetFocus();
  Backend().PressTab(false);
  EXPECT_EQ(P().Focused(), b) << "a disabled stop is skipped";
  Form()->SetHandler(nullptr);
}

// --- Clipboard, menus, right clicks ----------------------------------------------------------

TEST_P(PlatformContractOnScreen, ClipboardTextReadsBackAsGiven) {
  Show();
  for (const std::string& text : {std::string("0.805 kOm"), kCyrillic + " = 5 V",
                                  std::string("L200\r\nVout = 5 V\r\nR2 = 0.805 kOm"), std::string()}) {
    P().SetClipboardText(text);
    EXPECT_EQ(P().ClipboardText(), text);
  }
}

TEST_P(PlatformContractOnScreen, APopupMenuAnswersThePickedLineOrNone) {
  if (!P().PopupMenuWaits()) GTEST_SKIP() << "this platform's menus answer when the request is delivered again";
  TControl* label = Make(TControlKind::Label, 10, 10);
  label->SetText("0.805");
  Show();
  const std::vector<std::string> lines = {"Copy value", "Copy design", "E24: 820 Om (+1.9 %)", kCyrillic + " & more"};
  for (int32_t answer : {1, 0, 3, TPlatform::kNoMenuItem, 2}) {
    Backend().AnswerNextMenu(answer);
    EXPECT_EQ(P().PopupMenu(label, lines), answer);
  }
}

TEST_P(PlatformContractOnScreen, AMenuThatCannotWaitAnswersWhenItsRequestIsDeliveredAgain) {
  if (P().PopupMenuWaits()) GTEST_SKIP() << "this platform's menus wait for their click (the case above)";
  TControl* label = Make(TControlKind::Label, 10, 10);
  label->SetText("0.805");
  const std::vector<std::string> lines = {"Copy value", "Copy design", kCyrillic + " & more"};
  std::vector<int32_t> answers;
  TRecorder seen;
  seen.On = [&](const TNotification& n) {
    if (n.Kind != TNotifyKind::ContextMenu) return false;
    answers.push_back(P().PopupMenu(label, lines));
    return true;
  };
  label->SetHandler(&seen);
  Show();
  const struct {
    int32_t pick;
    std::vector<int32_t> answers;  // the first shows the menu and answers none
  } cases[] = {{1, {TPlatform::kNoMenuItem, 1}},
               {TPlatform::kNoMenuItem, {TPlatform::kNoMenuItem}},
               {2, {TPlatform::kNoMenuItem, 2}},
               {0, {TPlatform::kNoMenuItem, 0}}};
  for (const auto& c : cases) {
    answers.clear();
    Backend().AnswerNextMenu(c.pick);
    Backend().RightClick(label);
    Backend().PumpUntil([&] { return answers.size() == c.answers.size(); });
    Backend().PumpUntil([] { return true; });
    EXPECT_EQ(answers, c.answers) << "picked " << c.pick;
  }
  EXPECT_EQ(P().PopupMenu(label, lines), TPlatform::kNoMenuItem) << "a pick answers its request once";
  label->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, ARightClickOnALabelAsksForItsMenu) {
  TControl* label = Make(TControlKind::Label, 10, 10);
  label->SetText("0.805");
  TControl* button = Make(TControlKind::Button, 10, 60);
  TRecorder onLabel, onButton;
  label->SetHandler(&onLabel);
  button->SetHandler(&onButton);
  Show();
  Backend().RightClick(label);
  Backend().RightClick(button);
  EXPECT_TRUE(Backend().PumpUntil([&] { return onLabel.Count(TNotifyKind::ContextMenu) == 1; }));
  EXPECT_EQ(onLabel.Count(TNotifyKind::Click), 0) << "the right button clicks nothing";
  EXPECT_EQ(onButton.Count(TNotifyKind::ContextMenu), 0) << "only labels have menus";
  label->SetHandler(nullptr);
  button->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, CtrlCCopiesAFieldsSelectionWhenTheWindowLeavesTheKey) {
  TControl* field = Make(TControlKind::Edit, 10, 10);
  field->SetText("Hello");
  EXPECT_FALSE(field->HasSelection()) << "the program's text selects nothing";
  bool windowTakes = false;
  int windowSaw = 0;
  TRecorder onForm;
  onForm.On = [&](const TNotification& n) {
    if (n.Kind != TNotifyKind::ControlKey || n.Key != 'C') return false;
    ++windowSaw;
    return windowTakes;
  };
  Form()->SetHandler(&onForm);
  Show();
  P().SetClipboardText("before");
  Backend().SelectText(field, 1, 3);
  EXPECT_TRUE(field->HasSelection());
  windowTakes = true;
  Backend().PressCtrlC();
  Backend().PumpUntil([] { return true; });
  EXPECT_EQ(P().ClipboardText(), "before") << "the window took the key";
  windowTakes = false;
  Backend().PressCtrlC();
  EXPECT_TRUE(Backend().PumpUntil([&] { return P().ClipboardText() == "ell"; })) << P().ClipboardText();
  EXPECT_EQ(windowSaw, 2) << "the window sees Ctrl+C first";
  field->SetText("Other");
  EXPECT_FALSE(field->HasSelection());
  Form()->SetHandler(nullptr);
}

// --- Threads -------------------------------------------------------------------------------

TEST_P(PlatformContractOnScreen, ABoxFromAWorkerAnswersAtOnceAndIsShownLater) {
  if (!HasOtherThreads()) GTEST_SKIP() << "no worker thread to ask for a box from";
  int answer = 0;
  std::thread worker([&] { answer = P().ShowMessageBox(false, "From a worker", "Debug", MbYesNo); });
  worker.join();
  EXPECT_EQ(answer, IdOk);
  EXPECT_TRUE(Backend().ShownBoxes().empty()) << "not before the window thread gets to it";
  EXPECT_TRUE(Backend().PumpUntil([&] { return !Backend().ShownBoxes().empty(); }));
  EXPECT_EQ(Backend().ShownBoxes(), (std::vector<std::string>{"Debug"}));
}

TEST_P(PlatformContractOnScreen, ABoxOnTheWindowThreadAnswersItsButton) {
  EXPECT_EQ(P().ShowMessageBox(false, "Proceed?", "Question", MbYesNo | MbIconQuestion), IdYes);
  EXPECT_EQ(Backend().ShownBoxes(), (std::vector<std::string>{"Question"}));
}

TEST_P(PlatformContractOnScreen, HandOverRunsOnTheWindowThreadWhileTheWorkerWaits) {
  if (!HasOtherThreads()) GTEST_SKIP() << "no worker thread to hand work over from";
  ASSERT_TRUE(P().ClaimApplicationWindow(Form()));
  std::atomic<bool> ranOnWindowThread{false}, answered{false};
  bool result = false;
  std::thread worker([&] {
    result = P().RunOnUIThread([&] { ranOnWindowThread = P().IsUIThread(); });
    answered = true;
  });
  EXPECT_TRUE(Backend().PumpUntil([&] { return answered.load(); }));
  worker.join();
  EXPECT_TRUE(result);
  EXPECT_TRUE(ranOnWindowThread);
  bool direct = false;
  EXPECT_TRUE(P().RunOnUIThread([&] { direct = true; }));
  EXPECT_TRUE(direct) << "on the window thread it runs at once";
}

TEST_P(PlatformContractOnScreen, PostedWorkRunsOnTheWindowThreadInOrder) {
  if (!HasOtherThreads()) GTEST_SKIP() << "no worker thread to post work from";
  std::vector<int> order;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) P().PostToUIThread([&order, i, this] { order.push_back(P().IsUIThread() ? i : -1); });
  });
  worker.join();
  EXPECT_TRUE(Backend().PumpUntil([&] { return order.size() == 3; }));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

// However the platform runs a worker's body (a thread of its own, to its
// end at once, or in slices between the window's turns), its run joined
// has ended the body, every step done once, and nothing runs it again.
TEST_P(PlatformContractOnScreen, AWorkersBodyHasEndedOnceItsRunIsJoined) {
  constexpr int kSteps = 200000;
  std::atomic<int> steps{0}, ends{0};
  std::unique_ptr<TWorkerRun> run = P().StartWorker([&] {
    while (steps < kSteps) {
      ++steps;
      if (steps < kSteps && SliceOver()) return false;
    }
    ++ends;
    return true;
  });
  ASSERT_NE(run, nullptr);
  run->Join();
  EXPECT_EQ(steps.load(), kSteps);
  EXPECT_EQ(ends.load(), 1);
  run.reset();
  Backend().PumpUntil([] { return true; });  // a slice handed over meanwhile finds nothing to do
  EXPECT_EQ(ends.load(), 1);
}

// --- Destruction ---------------------------------------------------------------------------

TEST_P(PlatformContractOnScreen, DestroyingAControlTellsItsChildrenNewestFirst) {
  TControl* panel = Make(TControlKind::Panel, 0, 0);
  std::vector<std::string> log;
  TDestroyLog handlers[4];
  const char* names[] = {"panel", "first", "second", "third"};
  std::vector<int32_t> handles;
  for (int i = 0; i < 4; ++i) {
    TControl* c = i == 0 ? panel : Make(TControlKind::Label, 0, 0, panel);
    handlers[i].Log = &log;
    handlers[i].Name = names[i];
    c->SetHandler(&handlers[i]);
    handles.push_back(c->Handle());
  }
  P().Tooltips().Add(panel->Children().front(), "tip");
  TControl::Destroy(panel);
  EXPECT_EQ(log, (std::vector<std::string>{"third", "second", "first"})) << "the control itself is not told";
  for (int32_t h : handles) EXPECT_EQ(P().FromHandle(h), nullptr);
  EXPECT_TRUE(Form()->Children().empty());
}

TEST_P(PlatformContractErrors, TheHandOverNeedsAnApplicationWindow) {
  if (!HasOtherThreads()) GTEST_SKIP() << "no worker thread to hand work over from";
  bool ran = false;
  bool result = true;
  std::thread worker([&] { result = P().RunOnUIThread([&] { ran = true; }); });
  worker.join();
  EXPECT_FALSE(result);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(P().RunOnUIThread([&] { ran = true; }));
  EXPECT_FALSE(ran);
}

TEST_P(PlatformContractErrors, ControlUseOffTheWindowThreadIsCounted) {
  if (!HasOtherThreads()) GTEST_SKIP() << "no thread but the window thread to use a control from";
  TOwned form(P().CreateControl(TControlKind::Form, nullptr, {}));
  form->SetText("Counted");
  EXPECT_EQ(P().ThreadViolations(), 0);
  std::thread worker([&] { (void)form->Text(); });
  worker.join();
  EXPECT_EQ(P().ThreadViolations(), 1);
}

// --- Tables ----------------------------------------------------------------------------------

namespace {

// Rows "R<i>", "<i> Om", "<i>.5" for i from 0.
std::vector<std::vector<std::string>> NumberedRows(int count) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    rows.push_back({"R" + n, n + " Om", n + ".5"});
  }
  return rows;
}

const std::vector<TTableColumn> kThreeColumns = {{"Set", 50, 0}, {"R2", 70, 2}, {"Vout, V", 80, 1}};

}  // namespace

TEST_P(PlatformContractOnScreen, ATablesColumnsAndRowsReadBackAsGiven) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 10, 300, 150});
  const std::vector<TTableColumn> columns = {{"R1", 60, 0}, {kCyrillic, 80, 1}, {"Vout, V", 70, 2}};
  table->SetColumns(columns);
  EXPECT_EQ(table->Columns(), columns);
  const std::vector<std::vector<std::string>> rows = {
      {"510", "1500", "5.01"}, {"240"}, {"1 & 2", "@C;", "x", "kept, unseen"}, {}};
  table->SetRows(rows);
  EXPECT_EQ(table->Rows(), rows);
  EXPECT_EQ(table->RowCount(), 4);
  EXPECT_EQ(table->Selected(), -1);
  const struct {
    int32_t row, column;
    const char* text;
  } cells[] = {{0, 1, "1500"}, {1, 0, "240"}, {1, 2, ""},  {2, 0, "1 & 2"}, {2, 3, "kept, unseen"},
               {3, 0, ""},     {4, 0, ""},    {-1, 0, ""}, {0, -1, ""},     {0, 9, ""}};
  for (const auto& c : cells) EXPECT_EQ(table->Cell(c.row, c.column), c.text) << c.row << "," << c.column;
  EXPECT_TRUE(table->Items().empty()) << "a table has rows, not lines";
  EXPECT_EQ(table->Bounds(), (TRect{10, 10, 300, 150}));
}

TEST_P(PlatformContractOnScreen, TheProgramSelectsARowAndNewRowsSelectNone) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(4));
  const struct {
    int32_t asked, selected;
  } cases[] = {{2, 2}, {0, 0}, {4, -1}, {3, 3}, {-3, -1}, {1, 1}};
  for (const auto& c : cases) {
    table->SetSelected(c.asked);
    EXPECT_EQ(table->Selected(), c.selected) << "asked " << c.asked;
  }
  table->SetColumns({{"Set", 90, 0}});
  EXPECT_EQ(table->Selected(), 1) << "new columns keep the rows and the selection";
  table->SetRows(NumberedRows(6));
  EXPECT_EQ(table->Selected(), -1);
  table->SetSelected(5);
  table->SetRows({});
  EXPECT_EQ(table->Selected(), -1);
  table->SetSelected(0);
  EXPECT_EQ(table->Selected(), -1) << "an empty table has no row to select";
}

TEST_P(PlatformContractOnScreen, TheUserPicksARowWithTheMouse) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 10, 300, 150});
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(3));
  TRecorder seen;
  table->SetHandler(&seen);
  Show();
  const struct {
    int32_t row;
    int changes;  // SelectChange notifications so far
  } clicks[] = {{1, 1}, {1, 1}, {0, 2}, {2, 3}};
  for (const auto& c : clicks) {
    Backend().ClickRow(table, c.row);
    EXPECT_TRUE(Backend().PumpUntil([&] { return table->Selected() == c.row; })) << "row " << c.row;
    EXPECT_EQ(seen.Count(TNotifyKind::SelectChange), c.changes) << "row " << c.row;
  }
  EXPECT_EQ(seen.Count(TNotifyKind::MouseDown), 4);
  EXPECT_EQ(P().Focused(), table) << "a click gives the table the focus";
  EXPECT_EQ(table->Rows(), NumberedRows(3)) << "nothing on screen edits a text";
  table->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, KeysMoveTheSelectionARowAPageOrToAnEnd) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 10, 300, 150});
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(40));
  TRecorder seen;
  bool consumeDown = false;
  seen.On = [&](const TNotification& n) { return consumeDown && n.Kind == TNotifyKind::KeyDown && n.Key == VkDown; };
  table->SetHandler(&seen);
  Show();
  const int32_t page = table->PageRows();
  ASSERT_GE(page, 2);
  ASSERT_LT(page, 20);
  const struct {
    int32_t key, row;
  } steps[] = {{VkDown, 0},         {VkDown, 1}, {VkNext, 1 + page}, {VkUp, page},          {VkPrior, 0},
               {VkUp, 0},           {VkEnd, 39}, {VkDown, 39},       {VkPrior, 39 - page}, {VkHome, 0},
               {VkNext, page}};
  int changes = 0;
  int32_t was = -1;
  for (const auto& step : steps) {
    Backend().PressKey(table, step.key);
    EXPECT_TRUE(Backend().PumpUntil([&] { return table->Selected() == step.row; }))
        << "key " << step.key << " from " << was << " gave " << table->Selected();
    if (step.row != was) ++changes;
    was = step.row;
    EXPECT_EQ(seen.Count(TNotifyKind::SelectChange), changes) << "key " << step.key;
  }
  consumeDown = true;
  Backend().PressKey(table, VkDown);
  Backend().PumpUntil([] { return true; });
  EXPECT_EQ(table->Selected(), page) << "a key the handler consumed moves nothing";
  EXPECT_EQ(seen.Count(TNotifyKind::SelectChange), changes);
  table->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, ATallerTableShowsMoreRowsAtOnce) {
  TControl* low = Make(TControlKind::Table, 10, 10);
  TControl* tall = Make(TControlKind::Table, 120, 10);
  low->SetBounds({10, 10, 100, 70});
  tall->SetBounds({120, 10, 100, 250});
  for (TControl* t : {low, tall}) {
    t->SetColumns(kThreeColumns);
    t->SetRows(NumberedRows(50));
  }
  Show();
  EXPECT_GE(low->PageRows(), 1);
  EXPECT_GT(tall->PageRows(), low->PageRows() + 5);
  EXPECT_LT(tall->PageRows(), 50);
}

TEST_P(PlatformContractOnScreen, AnEmptyTableHasNoRowForAnyKey) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 10, 300, 150});
  table->SetColumns(kThreeColumns);
  TRecorder seen;
  table->SetHandler(&seen);
  Show();
  for (const int32_t key : std::initializer_list<int32_t>{VkDown, VkEnd, VkNext, VkHome}) Backend().PressKey(table, key);
  Backend().PumpUntil([] { return true; });
  EXPECT_EQ(table->Selected(), -1);
  EXPECT_EQ(seen.Count(TNotifyKind::SelectChange), 0);
  EXPECT_EQ(seen.Count(TNotifyKind::KeyDown), 4) << "the keys still reach the handler";
  table->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, LongAndCyrillicTextsReadBackWhole) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 10, 200, 100});
  std::string everyLetter;  // the Cyrillic letters of code page 1251, and No.
  for (int c = 0xC0; c <= 0xFF; ++c) everyLetter += static_cast<char>(c);
  everyLetter += "\xA8\xB8\xB9";
  const std::string long1 = std::string(3000, '9') + "Om";
  const std::vector<TTableColumn> columns = {{kCyrillic, 40, 0}, {everyLetter, 60, 2}};
  const std::vector<std::vector<std::string>> rows = {{long1, everyLetter}, {kCyrillic + " 5 V", std::string(500, 'W')}};
  table->SetColumns(columns);
  table->SetRows(rows);
  Show();
  EXPECT_EQ(table->Columns(), columns);
  EXPECT_EQ(table->Rows(), rows);
  EXPECT_EQ(table->Cell(0, 0), long1);
  EXPECT_EQ(table->Bounds(), (TRect{10, 10, 200, 100})) << "a long text is cut, the table keeps its size";
  if (std::optional<TSize> cell = Backend().CellPixels(table, 0)) {
    EXPECT_EQ(cell->Width, static_cast<int32_t>(40 * P().Scale())) << "a long text is cut, the column keeps its width";
  }
}

TEST_P(PlatformContractOnScreen, ATableIsDrawnAtTheScaleWhileItsWidthsStayInLayoutPixels) {
  TControl* table = Make(TControlKind::Table, 10, 10);
  table->SetBounds({10, 20, 240, 120});
  table->SetFont(TFontRec{"Arial", 9, 0, 0, 204}, 15);
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(5));
  Show();
  if (!Backend().CellPixels(table, 0)) GTEST_SKIP() << "a backend without a screen stays at scale 1";
  const double first = P().Scale();
  P().SetScale(1);
  Backend().PumpUntil([] { return true; });
  const int32_t rowAt1 = Backend().CellPixels(table, 0)->Height;
  for (int scale : {2, 1}) {
    SCOPED_TRACE(testing::Message() << "scale " << scale);
    P().SetScale(scale);
    Backend().PumpUntil([] { return true; });
    EXPECT_EQ(table->Bounds(), (TRect{10, 20, 240, 120}));
    EXPECT_EQ(table->Columns(), kThreeColumns);
    EXPECT_EQ(Backend().OnScreen(table), (TRect{10 * scale, 20 * scale, 240 * scale, 120 * scale}));
    for (int32_t c = 0; c < 3; ++c) {
      const std::optional<TSize> cell = Backend().CellPixels(table, c);
      ASSERT_TRUE(cell.has_value());
      EXPECT_EQ(cell->Width, kThreeColumns[static_cast<size_t>(c)].Width * scale) << "column " << c;
      // Faces come in whole pixel sizes, so a row grows about as much.
      EXPECT_GE(cell->Height, rowAt1 * scale * 0.8) << "column " << c;
      EXPECT_LE(cell->Height, rowAt1 * scale * 1.25) << "column " << c;
    }
  }
  P().SetScale(first);
}

// --- A second window -------------------------------------------------------------------------

TEST_P(PlatformContractOnScreen, AFormMadeOverAControlIsOwnedByThatControlsForm) {
  TControl* panel = Make(TControlKind::Panel, 10, 10);
  TOwned parts(P().CreateControl(TControlKind::Form, panel, {}));
  EXPECT_EQ(parts->Owner(), Form());
  EXPECT_EQ(parts->Parent(), nullptr) << "a window of its own, not a child";
  EXPECT_FALSE(parts->Visible()) << "forms start hidden";
  EXPECT_EQ(Form()->Owner(), nullptr);
  EXPECT_EQ(std::count(panel->Children().begin(), panel->Children().end(), parts.get()), 0);
  TOwned alone(P().CreateControl(TControlKind::Form, nullptr, {}));
  EXPECT_EQ(alone->Owner(), nullptr);
}

TEST_P(PlatformContractOnScreen, AnOwnedFormOpensClosesAndOpensAgainWhileItsOwnerStays) {
  Show();
  TOwned parts(P().CreateControl(TControlKind::Form, Form(), {}));
  parts->SetBounds({450, 40, 320, 220});
  parts->SetText("Parts");
  TControl* table = P().CreateControl(TControlKind::Table, parts.get(), {});
  table->SetBounds({8, 8, 290, 150});
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(3));
  TRecorder seen;
  // The program's answer to the close box: the window goes, the program stays.
  seen.On = [&](const TNotification& n) {
    if (n.Kind != TNotifyKind::CloseRequest) return false;
    parts->SetVisible(false);
    return true;
  };
  parts->SetHandler(&seen);
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    parts->SetVisible(true);
    parts->Raise();
    EXPECT_TRUE(parts->Visible());
    EXPECT_TRUE(Backend().PumpUntil([&] {
      const std::optional<bool> owned = Backend().ShownAsOwned(parts.get(), Form());
      return !owned || *owned;
    })) << "above its owner, off the task bar";
    Backend().CloseBox(parts.get());
    EXPECT_TRUE(Backend().PumpUntil([&] { return !parts->Visible(); }));
    EXPECT_EQ(seen.Count(TNotifyKind::CloseRequest), round);
    EXPECT_TRUE(Form()->Visible()) << "the owner stays";
    EXPECT_EQ(table->Rows(), NumberedRows(3)) << "a closed window keeps what it holds";
  }
  parts->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, CtrlCAndEscapeInAnOwnedFormReachThatForm) {
  TRecorder onMain, onParts, onTable;
  Form()->SetHandler(&onMain);
  Show();
  TOwned parts(P().CreateControl(TControlKind::Form, Form(), {}));
  parts->SetBounds({450, 40, 320, 220});
  TControl* table = P().CreateControl(TControlKind::Table, parts.get(), {});
  table->SetBounds({8, 8, 290, 150});
  table->SetColumns(kThreeColumns);
  table->SetRows(NumberedRows(3));
  int copies = 0;
  onParts.On = [&](const TNotification& n) {
    if (n.Kind == TNotifyKind::ControlKey && n.Key == 'C') return ++copies, true;
    return n.Kind == TNotifyKind::EscapeKey;
  };
  parts->SetHandler(&onParts);
  bool tableTakesEscape = false;
  onTable.On = [&](const TNotification& n) {
    return tableTakesEscape && n.Kind == TNotifyKind::KeyDown && n.Key == VkEscape;
  };
  table->SetHandler(&onTable);
  parts->SetVisible(true);
  Backend().PumpUntil([] { return true; });
  table->SetFocus();
  EXPECT_TRUE(Backend().PumpUntil([&] { return P().Focused() == table; }));
  Backend().PressCtrlC();
  EXPECT_TRUE(Backend().PumpUntil([&] { return copies == 1; }));
  Backend().PressKey(table, VkEscape);
  EXPECT_TRUE(Backend().PumpUntil([&] { return onParts.Count(TNotifyKind::EscapeKey) == 1; }));
  tableTakesEscape = true;
  Backend().PressKey(table, VkEscape);
  Backend().PumpUntil([] { return true; });
  EXPECT_EQ(onParts.Count(TNotifyKind::EscapeKey), 1) << "Escape the control took stays there";
  EXPECT_EQ(onTable.Count(TNotifyKind::KeyDown), 2);
  EXPECT_EQ(onMain.Count(TNotifyKind::ControlKey), 0) << "the owner's window saw none of it";
  EXPECT_EQ(onMain.Count(TNotifyKind::EscapeKey), 0);
  table->SetHandler(nullptr);
  parts->SetHandler(nullptr);
  Form()->SetHandler(nullptr);
}

TEST_P(PlatformContractOnScreen, HidingAFormTakesTheFocusFromItsControls) {
  Show();
  TOwned parts(P().CreateControl(TControlKind::Form, Form(), {}));
  parts->SetBounds({450, 40, 320, 220});
  TControl* table = P().CreateControl(TControlKind::Table, parts.get(), {});
  table->SetBounds({8, 8, 290, 150});
  parts->SetVisible(true);
  Backend().PumpUntil([] { return true; });
  table->SetFocus();
  EXPECT_TRUE(Backend().PumpUntil([&] { return P().Focused() == table; }));
  parts->SetVisible(false);
  EXPECT_TRUE(Backend().PumpUntil([&] { return P().Focused() != table; }));
}

TEST_P(PlatformContractErrors, DestroyingAnOwnerDestroysItsOwnedFormsFirst) {
  TControl* owner = P().CreateControl(TControlKind::Form, nullptr, {});
  TControl* parts = P().CreateControl(TControlKind::Form, owner, {});
  TControl* cell = P().CreateControl(TControlKind::Table, parts, {});
  TControl* label = P().CreateControl(TControlKind::Label, owner, {});
  std::vector<std::string> log;
  TDestroyLog named[3];
  const std::pair<TControl*, const char*> controls[] = {{parts, "parts"}, {cell, "table"}, {label, "label"}};
  std::vector<int32_t> handles;
  for (int i = 0; i < 3; ++i) {
    named[i].Log = &log;
    named[i].Name = controls[i].second;
    controls[i].first->SetHandler(&named[i]);
    handles.push_back(controls[i].first->Handle());
  }
  TControl::Destroy(owner);
  EXPECT_EQ(log, (std::vector<std::string>{"parts", "table", "label"}));
  for (int32_t h : handles) EXPECT_EQ(P().FromHandle(h), nullptr);
}
