#include "ui/headless/headless.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <utility>
#include <string>
#include <vector>
#include <thread>

namespace {

TEST(Headless, HandOverRunsOnTheWindowThreadWhenItPumps) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  p.ClaimApplicationWindow(form);
  std::thread::id ranOn;
  std::atomic<bool> answered{false};
  bool result = false;
  std::thread worker([&] {
    result = p.RunOnUIThread([&] { ranOn = std::this_thread::get_id(); });
    answered = true;
  });
  while (!answered) {
    p.WaitForWork(std::chrono::milliseconds(50));
    p.Pump();
  }
  worker.join();
  EXPECT_TRUE(result);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  TControl::Destroy(form);
}

TEST(Headless, HandOverOnTheWindowThreadRunsAtOnce) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  p.ClaimApplicationWindow(form);
  int ran = 0;
  EXPECT_TRUE(p.RunOnUIThread([&] { ++ran; }));
  EXPECT_EQ(ran, 1);
  TControl::Destroy(form);
}

TEST(HeadlessErrors, HandOverWithoutApplicationWindowAnswersFalse) {
  THeadlessPlatform p;
  int ran = 0;
  EXPECT_FALSE(p.RunOnUIThread([&] { ++ran; }));
  std::thread worker([&] { EXPECT_FALSE(p.RunOnUIThread([&] { ++ran; })); });
  worker.join();
  // After the loop has ended nobody pumps any more: the answer is false too.
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  p.ClaimApplicationWindow(form);
  p.RunMessageLoop();
  std::thread late([&] { EXPECT_FALSE(p.RunOnUIThread([&] { ++ran; })); });
  late.join();
  EXPECT_EQ(ran, 0);
  TControl::Destroy(form);
}

TEST(Headless, PostedWorkRunsInOrderWhenPumped) {
  THeadlessPlatform p;
  std::vector<int> seen;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) p.PostToUIThread([&seen, i] { seen.push_back(i); });
  });
  worker.join();
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(p.WaitForWork(std::chrono::milliseconds(0)));
  EXPECT_EQ(p.Pump(), 3u);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(p.WaitForWork(std::chrono::milliseconds(0)));
}

// Work that keeps coming is taken once per turn period: right after a turn
// that ran work, new work is not due yet; before any, it is.
TEST(Headless, PostedWorkIsDueOncePerTurnPeriod) {
  THeadlessPlatform p;
  p.SetTurnPeriod(std::chrono::hours(1));
  int ran = 0;
  p.PostToUIThread([&] { ++ran; });
  EXPECT_TRUE(p.WaitForWork(std::chrono::milliseconds(0))) << "due at once before any turn";
  EXPECT_EQ(p.Pump(), 1u);
  p.PostToUIThread([&] { ++ran; });
  EXPECT_FALSE(p.WaitForWork(std::chrono::milliseconds(1))) << "a turn period has not passed";
  EXPECT_EQ(p.Pump(), 1u) << "a pump still runs it";
  p.SetTurnPeriod(std::chrono::milliseconds(0));
  p.PostToUIThread([&] { ++ran; });
  EXPECT_TRUE(p.WaitForWork(std::chrono::milliseconds(0)));
  EXPECT_EQ(p.Pump(), 1u);
  EXPECT_EQ(ran, 3);
}

TEST(Headless, BoxesAreRecordedAndAnswered) {
  THeadlessPlatform p;
  p.Answers = {IdNo};
  EXPECT_EQ(p.ShowMessageBox(true, "Proceed?", "Question", MbYesNo | MbIconQuestion), IdNo);
  EXPECT_EQ(p.ShowMessageBox(false, "t", "c", MbYesNoCancel), IdYes) << "first button by default";
  EXPECT_EQ(p.ShowMessageBox(false, "t", "c", MbRetryCancel), IdRetry);
  p.OnBox = [](const THeadlessPlatform::TBox& box) { return box.Style == MbOkCancel ? IdCancel : IdOk; };
  EXPECT_EQ(p.ShowMessageBox(false, "t", "c", MbOkCancel), IdCancel);
  const auto boxes = p.Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_TRUE(boxes[0].Owned);
  EXPECT_EQ(boxes[0].Text, "Proceed?");
  EXPECT_EQ(boxes[0].Caption, "Question");
  EXPECT_EQ(boxes[0].Style, 36u);
  EXPECT_EQ(boxes[0].Answer, IdNo);
  EXPECT_EQ(boxes[3].Answer, IdCancel);
}

TEST(Headless, BoxFromAWorkerIsShownWhenTheWindowThreadPumps) {
  THeadlessPlatform p;
  int answer = 0;
  std::thread worker([&] { answer = p.ShowMessageBox(false, "Division by zero", "Debug", MbOk); });
  worker.join();
  EXPECT_EQ(answer, IdOk);
  EXPECT_TRUE(p.Boxes().empty());
  p.Pump();
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].Caption, "Debug");
}

TEST(Headless, CommandsAreRecordedNotStarted) {
  THeadlessPlatform p;
  EXPECT_EQ(p.StartCommand("explorer https://example.org/", 1), kCommandStarted);
  p.StartStatus = 2;
  EXPECT_EQ(p.StartCommand("x", 0), 2);
  ASSERT_EQ(p.Commands().size(), 2u);
  EXPECT_EQ(p.Commands()[0].CommandLine, "explorer https://example.org/");
  EXPECT_EQ(p.Commands()[0].ShowMode, 1);
}

TEST(Headless, MeasuresTextByItsFixedRule) {
  THeadlessPlatform p;
  TFontRec regular, bold;
  bold.Style = FontBold;
  struct Case {
    const char* text;
    const TFontRec* font;
    int32_t height;
    TSize want;
  } cases[] = {
      {"0", &bold, 16, {9, 16}},         // Arial 10 bold: cell 16, 8 + 1 per character
      {"kOm", &regular, 16, {24, 16}},
      {"0.712", &bold, 16, {45, 16}},
      {"", &regular, 14, {0, 14}},
      {"ab\r\nabcd", &regular, 14, {28, 28}},
      {"abc", &regular, -11, {21, 14}},  // character height 11: cell 14
  };
  for (const Case& c : cases) {
    const TSize s = p.MeasureText(c.text, *c.font, c.height);
    EXPECT_EQ(s.Width, c.want.Width) << c.text;
    EXPECT_EQ(s.Height, c.want.Height) << c.text;
  }
}

TEST(HeadlessErrors, UserActionsOnTheWrongControlDoNothing) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* label = p.CreateControl(TControlKind::Label, form, {});
  TControl* list = p.CreateControl(TControlKind::PickList, form, {});
  TControl* tabs = p.CreateControl(TControlKind::TabStrip, form, {});
  list->AddItem("a");
  tabs->AddItem("t");
  EXPECT_FALSE(p.TypeText(label, "x"));
  EXPECT_FALSE(p.PasteText(list, "x"));
  EXPECT_FALSE(p.Pick(label, 0));
  EXPECT_FALSE(p.Pick(list, 1));
  EXPECT_FALSE(p.Pick(list, -1));
  EXPECT_FALSE(p.SelectTab(list, 0));
  EXPECT_FALSE(p.SelectTab(tabs, 1));
  EXPECT_FALSE(p.RequestClose(label));
  EXPECT_FALSE(p.Click(nullptr));
  EXPECT_EQ(label->Text(), "");
  EXPECT_EQ(list->Selected(), -1);
  TControl::Destroy(form);
}

TEST(Headless, MenusAreRecordedAndAnsweredFromTheQueueOrTheHook) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* label = p.CreateControl(TControlKind::Label, form, {});
  const std::vector<std::string> lines = {"Copy value", "Copy design", "E24: 680 Om (-4.5 %)"};
  p.MenuAnswers = {2, 5, -3};
  EXPECT_EQ(p.PopupMenu(label, lines), 2);
  EXPECT_EQ(p.PopupMenu(label, lines), TPlatform::kNoMenuItem) << "no such line";
  EXPECT_EQ(p.PopupMenu(label, lines), TPlatform::kNoMenuItem);
  EXPECT_EQ(p.PopupMenu(label, lines), TPlatform::kNoMenuItem) << "no answer queued: dismissed";
  p.OnMenu = [](const THeadlessPlatform::TMenu& m) { return static_cast<int32_t>(m.Items.size()) - 1; };
  EXPECT_EQ(p.PopupMenu(label, lines), 2);
  const std::vector<THeadlessPlatform::TMenu> menus = p.Menus();
  ASSERT_EQ(menus.size(), 5u);
  EXPECT_EQ(menus[0].At, label);
  EXPECT_EQ(menus[0].Items, lines);
  EXPECT_EQ(menus[1].Answer, TPlatform::kNoMenuItem);
  TControl::Destroy(form);
}

TEST(Headless, AnyChangeOfAFieldsTextSelectsNothing) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* edit = p.CreateControl(TControlKind::Edit, form, {});
  TControl* list = p.CreateControl(TControlKind::EditList, form, {});
  list->AddItem("240");
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"typing", [&] { p.TypeText(edit, "1"); }},
      {"pasting", [&] { p.PasteText(edit, "12"); }},
      {"the program's text", [&] { edit->SetText("125"); }},
      {"the program's replace", [&] { edit->ReplaceText(0, 1, "9"); }},
  };
  for (const auto& change : changes) {
    edit->SetText("12.5");
    ASSERT_TRUE(p.SelectText(edit, 1, 2));
    EXPECT_TRUE(edit->HasSelection()) << change.first;
    change.second();
    EXPECT_FALSE(edit->HasSelection()) << change.first;
  }
  ASSERT_TRUE(p.SelectText(list, 0, 9));
  EXPECT_FALSE(list->HasSelection()) << "an empty field has nothing to select";
  list->SetText("1000");
  ASSERT_TRUE(p.SelectText(list, 2, 9));
  EXPECT_EQ(static_cast<THeadlessControl*>(list)->SelectedText(), "00") << "clipped to the text";
  p.Pick(list, 0);
  EXPECT_FALSE(list->HasSelection());
  TControl::Destroy(form);
}

TEST(HeadlessErrors, SelectingAndRightClickingNeedTheRightControl) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* label = p.CreateControl(TControlKind::Label, form, {});
  label->SetText("0.805");
  EXPECT_FALSE(p.SelectText(label, 0, 1));
  EXPECT_FALSE(p.SelectText(nullptr, 0, 1));
  EXPECT_FALSE(p.RightClick(nullptr));
  EXPECT_FALSE(label->HasSelection());
  TControl::Destroy(form);
}

TEST(HeadlessErrors, ControlUseOffTheWindowThreadIsCounted) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  EXPECT_EQ(p.ThreadViolations(), 0);
  std::thread worker([&] { (void)form->Text(); });
  worker.join();
  EXPECT_EQ(p.ThreadViolations(), 1);
  TControl::Destroy(form);
}

TEST(Headless, ListsKeepTheirFieldAndSelectionInStep) {
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* pick = p.CreateControl(TControlKind::PickList, form, {});
  TControl* edit = p.CreateControl(TControlKind::EditList, form, {});
  TCreateOptions sorted;
  sorted.Sorted = true;
  TControl* sortedList = p.CreateControl(TControlKind::PickList, form, sorted);
  for (TControl* c : {pick, edit}) {
    c->AddItem("820");
    c->AddItem("1000");
  }
  pick->SetText("ComboBox");
  edit->SetText("ComboBox");
  EXPECT_EQ(pick->Text(), "") << "a pick-only list shows only its selection";
  EXPECT_EQ(edit->Text(), "ComboBox");
  pick->SetSelected(1);
  edit->SetSelected(1);
  EXPECT_EQ(pick->Text(), "1000");
  EXPECT_EQ(edit->Text(), "1000");
  p.TypeText(edit, "5");
  EXPECT_EQ(edit->Text(), "10005");
  EXPECT_EQ(edit->Selected(), -1);
  pick->SetSelected(7);
  EXPECT_EQ(pick->Selected(), -1);
  for (const char* s : {"b", "\xC0", "A", "c"}) sortedList->AddItem(s);
  EXPECT_EQ(sortedList->Items(), (std::vector<std::string>{"A", "b", "c", "\xC0"}));
  TControl::Destroy(form);
}

// The headless replace works in place; the base one rewrites the whole
// text. Both must give the same text and caret, clipping what reaches past
// the text.
TEST(Headless, ReplaceTextEditsInPlaceLikeTheWholeRewrite) {
  const struct {
    const char* what;
    int32_t at, count;
    const char* with;
    const char* text;
    int32_t caret;
  } cases[] = {
      {"cut the end", 3, 2, "", "123", 3},
      {"insert in the middle", 2, 0, "ab", "12ab345", 4},
      {"replace the start", 0, 1, "x", "x2345", 1},
      {"count past the end", 4, 9, "!", "1234!", 5},
      {"position past the end", 9, 1, "!", "12345!", 6},
      {"negative position and count", -3, -1, "<", "<12345", 1},
  };
  for (const auto& c : cases) {
    for (bool base : {false, true}) {
      THeadlessPlatform p;
      TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
      TControl* edit = p.CreateControl(TControlKind::Edit, form, {});
      int writes = 0;
      p.OnSetText = [&writes](TControl*, const std::string&) { ++writes; };
      edit->SetText("12345");
      if (base)
        edit->TControl::ReplaceText(c.at, c.count, c.with);
      else
        edit->ReplaceText(c.at, c.count, c.with);
      EXPECT_EQ(edit->Text(), c.text) << c.what << (base ? " (base)" : "");
      EXPECT_EQ(edit->Caret(), c.caret) << c.what << (base ? " (base)" : "");
      EXPECT_EQ(writes, 2) << "a program write, seen like SetText: " << c.what;
      TControl::Destroy(form);
    }
  }
}

// Typing and pasting tell what changed, so a field need not read its
// whole text again.
TEST(Headless, TextChangesSayWhatChanged) {
  struct TRecorder : TControlHandler {
    std::vector<std::string> seen;
    bool HandleNotification(const TNotification& n) override {
      if (n.Kind == TNotifyKind::TextChange)
        seen.push_back(std::to_string(n.At) + "-" + std::to_string(n.Removed) + "+" + n.Inserted);
      return true;
    }
  } recorder;
  THeadlessPlatform p;
  TControl* form = p.CreateControl(TControlKind::Form, nullptr, {});
  TControl* edit = p.CreateControl(TControlKind::Edit, form, {});
  edit->SetHandler(&recorder);
  edit->SetText("12");
  p.TypeText(edit, "ab");
  p.PasteText(edit, "xyz");
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"2-0+a", "3-0+b", "0-4+xyz"}));
  TControl::Destroy(form);
}

}  // namespace
