#include "ui/label.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "runtime/scheme_lock.h"
#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

class LabelTest : public UiTest {
 protected:
  std::unique_ptr<THILabel> Make(const std::string& caption = "0") {
    auto l = std::make_unique<THILabel>(Form());
    l->Left = 310;
    l->Top = 75;
    l->Width = 11;
    l->Height = 20;
    l->Font = MakeFontRec("Arial", 10, FontBold | FontUnderline, 204, 0);
    l->Caption = caption;
    l->Init();
    return l;
  }
};

TEST_F(LabelTest, DoTextShowsEveryKind) {
  struct Case {
    TData value;
    const char* shown;
  };
  std::vector<Case> cases(7);
  SetReal(cases[0].value, 0.1 + 0.2);
  cases[0].shown = "0.3";
  SetInteger(cases[1].value, -5);
  cases[1].shown = "-5";
  cases[2].shown = "";  // none
  SetReal(cases[3].value, 2.0 / 3.0);
  cases[3].shown = "0.666666666666667";
  SetReal(cases[4].value, 1.25);
  cases[4].shown = "1.25";
  SetString(cases[5].value, "R\xED<");
  cases[5].shown = "R\xED<";
  SetInteger(cases[6].value, INT32_MIN);
  cases[6].shown = "-2147483648";
  auto label = Make("x");
  for (Case& c : cases) {
    label->doText(c.value);
    EXPECT_EQ(label->Control()->Text(), c.shown);
  }
}

// A real given again, after another value or after a text, shows its own
// text each time, received or read through the Text input.
TEST_F(LabelTest, RepeatedRealsShowTheirText) {
  const struct {
    uint8_t kind;  // KindReal, KindString or KindInteger
    double real;
    const char* text;
    const char* shown;
  } steps[] = {{KindReal, 0.805, "", "0.805"},   {KindReal, 0.805, "", "0.805"},  {KindString, 0, "0.9", "0.9"},
               {KindReal, 0.805, "", "0.805"},   {KindInteger, 3, "", "3"},       {KindReal, 0.805, "", "0.805"},
               {KindReal, -0.0, "", "0"},        {KindReal, 1.0 / 3, "", "0.333333333333333"},
               {KindReal, 0.805, "", "0.805"}};
  for (bool wired : {false, true}) {
    auto label = Make("x");
    TSource source;
    if (wired) label->Text = source.Link();
    for (const auto& s : steps) {
      SCOPED_TRACE(s.shown);
      TData d;
      if (s.kind == KindReal) SetReal(d, s.real);
      if (s.kind == KindString) SetString(d, s.text);
      if (s.kind == KindInteger) SetInteger(d, static_cast<int32_t>(s.real));
      TData received;
      if (wired) {
        source.value = d;
        SetString(received, "ignored");
      } else {
        received = d;
      }
      label->doText(received);
      EXPECT_EQ(label->Control()->Text(), s.shown);
      EXPECT_EQ(label->Shown(), s.shown);
    }
  }
}

TEST_F(LabelTest, WiredTextInputWinsOverTheReceivedValue) {
  auto label = Make();
  TSource source;
  SetReal(source.value, 0.712);
  label->Text = source.Link();
  TData received;
  SetString(received, "ignored");
  label->doText(received);
  EXPECT_EQ(label->Control()->Text(), "0.712");
}

TEST_F(LabelTest, SizesItselfToItsTextUnlessFixed) {
  auto grows = Make("0");
  EXPECT_EQ(grows->Control()->Bounds(), (TRect{310, 75, 9, 16}));  // one bold Arial 10 character
  TData d;
  SetReal(d, 0.712);
  grows->doText(d);
  EXPECT_EQ(grows->Control()->Bounds(), (TRect{310, 75, 45, 16}));
  auto fixed = std::make_unique<THILabel>(Form());
  fixed->Left = 310;
  fixed->Top = 100;
  fixed->Width = 55;
  fixed->Height = 15;
  fixed->FixedSize = 1;
  fixed->Font = MakeFontRec("Arial", 10, FontBold, 204, 0);
  fixed->Caption = "0";
  fixed->Init();
  SetReal(d, 0.712);  // the first doText used the value up
  fixed->doText(d);
  EXPECT_EQ(fixed->Control()->Bounds(), (TRect{310, 100, 55, 15}));
  EXPECT_EQ(fixed->Control()->Text(), "0.712");
}

// Every "Calculate" writes its labels again, mostly with the texts they
// show: the control is written only when the text changes, and the label
// still takes its size back when something else resized it.
TEST_F(LabelTest, TheSameTextAgainWritesNothingButKeepsTheSize) {
  auto label = Make("0");
  int writes = 0;
  platform.OnSetText = [&](TControl* c, const std::string&) { writes += c == label->Control(); };
  struct Step {
    const char* text;
    int32_t resizedTo;  // the control's width set from outside first; 0: none
    int writes;         // in all so far
    int32_t width;
  } steps[] = {
      {"0.712", 0, 1, 45}, {"0.712", 0, 1, 45}, {"1", 0, 2, 9}, {"1", 100, 2, 9}, {"0.712", 0, 3, 45},
  };
  for (const Step& s : steps) {
    if (s.resizedTo) {
      const TRect r = label->Control()->Bounds();
      label->Control()->SetBounds({r.Left, r.Top, s.resizedTo, r.Height});
    }
    TData d;
    SetString(d, s.text);
    label->doText(d);
    EXPECT_EQ(label->Control()->Text(), s.text);
    EXPECT_EQ(writes, s.writes) << s.text;
    EXPECT_EQ(label->Control()->Bounds(), (TRect{310, 75, s.width, 16})) << s.text;
  }
}

// A worker hands over the value; it is written out by the number rule when
// shown, and Shown() answers the same text before that.
TEST_F(LabelTest, WorkerValueIsWrittenOutByTheNumberRule) {
  auto label = Make("0");
  std::thread worker([&] {
    TSchemeGuard guard;
    TData d;
    SetReal(d, 2.0 / 3.0);
    label->doText(d);
  });
  worker.join();
  EXPECT_EQ(label->Shown(), "0.666666666666667");
  platform.Pump();
  EXPECT_EQ(label->Control()->Text(), "0.666666666666667");
  EXPECT_EQ(label->Shown(), "0.666666666666667");
}

TEST_F(LabelTest, HoverChangesTheLookAndLeavingRestoresIt) {
  auto link = std::make_unique<THILabel>(Form());
  link->Font = MakeFontRec("Times New Roman", 12, FontBold, 204, 0x800000);
  link->HoverColor = 0xFF0000;
  link->HoverCursor = CursorHand;
  link->HoverUnderline = 1;
  link->Caption = "example.org";
  link->Init();
  TControl* c = link->Control();
  platform.MouseEnter(c);
  EXPECT_EQ(c->Font().Color, 0xFF0000u);
  EXPECT_EQ(c->Font().Style, FontBold | FontUnderline);
  EXPECT_EQ(c->Cursor(), CursorHand);
  EXPECT_EQ(c->FontHeight(), 18);
  platform.MouseLeave(c);
  EXPECT_EQ(c->Font(), link->Font);
  EXPECT_EQ(c->Cursor(), 0);
  // Again, to be sure leaving did not spoil the next visit.
  platform.MouseEnter(c);
  EXPECT_EQ(c->Font().Color, 0xFF0000u);
  platform.MouseLeave(c);
  EXPECT_EQ(c->Font().Color, 0x800000u);
}

TEST_F(LabelTest, LabelsWithoutHoverKeepTheirLookAndUnderline) {
  auto value = Make("0");  // bold underlined, no hover fields
  const TFontRec before = value->Control()->Font();
  platform.MouseEnter(value->Control());
  EXPECT_EQ(value->Control()->Font(), before);
  platform.MouseLeave(value->Control());
  EXPECT_EQ(value->Control()->Font(), before);
  EXPECT_EQ(value->Control()->Font().Style & FontUnderline, FontUnderline);
  // A hover colour alone leaves an underline of the label's own in place.
  auto coloured = Make("1");
  coloured->HoverColor = 0xFF0000;
  platform.MouseEnter(coloured->Control());
  platform.MouseLeave(coloured->Control());
  EXPECT_EQ(coloured->Control()->Font().Style & FontUnderline, FontUnderline);
}

TEST_F(LabelTest, ClickFiresOnClick) {
  auto label = Make();
  TProbe clicks;
  label->onClick = clicks.Link();
  platform.Click(label->Control());
  ASSERT_EQ(clicks.values.size(), 1u);
  EXPECT_TRUE(IsNone(clicks.values[0]));
  EXPECT_EQ(platform.Focused(), nullptr) << "labels take no focus";
}

TEST_F(LabelTest, RightClickAsksForTheMenuOnlyWhenOneIsWired) {
  auto plain = Make();
  auto withMenu = Make("0.805");
  TProbe clicks, menus;
  plain->onClick = clicks.Link();
  withMenu->onClick = clicks.Link();
  withMenu->onContextMenu = menus.Link();
  platform.RightClick(plain->Control());
  platform.RightClick(withMenu->Control());
  EXPECT_EQ(menus.values.size(), 1u);
  EXPECT_TRUE(clicks.values.empty()) << "the right button clicks nothing";
}

TEST_F(LabelTest, AlignmentReachesTheControl) {
  auto label = std::make_unique<THILabel>(Form());
  label->SetAlignment(2);
  label->Init();
  EXPECT_EQ(H(label.get())->Alignment(), 2);
  label->SetAlignment(1);
  EXPECT_EQ(H(label.get())->Alignment(), 1);
}

// A worker shows its steps in a label the way the search does: one doText
// per step under the scheme lock, while the window thread keeps pumping.
TEST_F(LabelTest, WorkerTextsAreCoalescedAndTheLastWins) {
  auto label = Make("0");
  std::vector<int> shown;
  platform.OnSetText = [&](TControl* c, const std::string& text) {
    if (c == label->Control()) shown.push_back(TextToInteger(text));
  };
  constexpr int kSteps = 3000;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 1; i <= kSteps; ++i) {
      TSchemeGuard guard;
      TData d;
      SetInteger(d, i);
      label->doText(d);
      SchemeLock().YieldToWaiter();
    }
    done = true;
  });
  while (!done) {
    platform.WaitForWork(std::chrono::milliseconds(5));
    platform.Pump();
  }
  worker.join();
  platform.Pump();
  EXPECT_EQ(label->Control()->Text(), "3000");
  EXPECT_EQ(platform.ThreadViolations(), 0) << "the worker never touched the control";
  ASSERT_FALSE(shown.empty());
  for (size_t i = 1; i < shown.size(); ++i) ASSERT_LT(shown[i - 1], shown[i]) << "an older text came back";
  EXPECT_LE(shown.size(), static_cast<size_t>(kSteps));
}

// The window thread shows a worker's text without the scheme lock, so a
// search holding it between its steps is not stopped by its own progress.
TEST_F(LabelTest, WorkerTextShowsWhileTheWorkerHoldsTheSchemeLock) {
  auto label = Make("0");
  std::atomic<bool> posted{false}, shown{false}, heldWhenShown{false};
  std::thread worker([&] {
    TSchemeGuard guard;
    TData d;
    SetString(d, "step");
    label->doText(d);
    posted = true;
    // Bounded, so that a window thread waiting for the lock fails the test
    // instead of hanging it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!shown && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    heldWhenShown = shown.load();
  });
  while (!posted) std::this_thread::yield();
  platform.Pump();
  shown = label->Control()->Text() == "step";
  worker.join();
  EXPECT_TRUE(heldWhenShown);
}

TEST_F(LabelTest, WindowThreadTextMakesAPendingWorkerTextStale) {
  auto label = Make("0");
  std::thread worker([&] {
    TSchemeGuard guard;
    TData d;
    SetString(d, "from the worker");
    label->doText(d);
  });
  worker.join();
  EXPECT_EQ(label->Shown(), "from the worker");
  TData d;
  SetString(d, "newer");
  label->doText(d);
  platform.Pump();
  EXPECT_EQ(label->Control()->Text(), "newer");
}

TEST_F(LabelTest, PendingUpdateOfAGoneLabelDoesNothing) {
  auto label = Make("0");
  std::thread worker([&] {
    TData d;
    SetString(d, "late");
    label->doText(d);
  });
  worker.join();
  label.reset();
  EXPECT_EQ(platform.Pump(), 1u);
}

// --- Measured when first shown, where the platform defers it -----------------

class TDeferringPlatform : public THeadlessPlatform {
 public:
  bool DefersHiddenWork() const override { return true; }
};

// A label on a page (a group box) of a form, both built hidden.
struct TPagedLabel {
  explicit TPagedLabel(TPlatform& p, uint8_t fixedSize = 0)
      : form(p.CreateControl(TControlKind::Form, nullptr, {})),
        page(p.CreateControl(TControlKind::GroupBox, form, {})),
        label(std::make_unique<THILabel>(page)) {
    label->Left = 10;
    label->Top = 20;
    label->Width = 11;
    label->Height = 13;
    label->FixedSize = fixedSize;
    label->Font = MakeFontRec("Arial", 10, FontBold, 204, 0);
    label->Caption = "0";
    label->Init();
  }
  ~TPagedLabel() {
    label.reset();
    TControl::Destroy(form);
  }
  void Show(const std::string& text) {
    TData d;
    SetString(d, text);
    label->doText(d);
  }
  TRect Bounds() const { return label->Control()->Bounds(); }

  TControl* form;
  TControl* page;
  std::unique_ptr<THILabel> label;
};

TEST(LabelDeferred, AHiddenLabelTakesTheSizeOfItsLastTextWhenItFirstShows) {
  const std::string texts[] = {"R1 = 240 Om", "Vout,\r\nmax", "0"};
  for (const std::string& last : texts) {
    SCOPED_TRACE(last);
    TRect eager;
    {
      THeadlessPlatform p;
      TPagedLabel l(p);
      l.Show(last);
      eager = l.Bounds();
    }
    TDeferringPlatform p;
    TPagedLabel l(p);
    l.page->SetVisible(false);
    l.form->SetVisible(true);
    l.Show("a much longer text than any of the others");
    l.Show(last);
    p.RunDeferred();
    EXPECT_EQ(l.Bounds(), (TRect{10, 20, 11, 13})) << "not measured while its page is hidden";
    EXPECT_EQ(l.label->Control()->Text(), last) << "the text itself is shown at once";
    l.page->SetVisible(true);
    p.RunDeferred();
    EXPECT_EQ(l.Bounds(), eager);
  }
}

TEST(LabelDeferred, AShowingOrFixedLabelIsNotPutOff) {
  struct Case {
    uint8_t fixedSize;
    bool formShown;
    TRect after;  // bounds at once after the text, before any run
  };
  THeadlessPlatform eagerPlatform;
  TPagedLabel eager(eagerPlatform);
  eager.Show("R2");
  const Case cases[] = {
      {0, true, eager.Bounds()},
      {1, true, TRect{10, 20, 11, 13}},
      {1, false, TRect{10, 20, 11, 13}},
  };
  for (const Case& c : cases) {
    TDeferringPlatform p;
    TPagedLabel l(p, c.fixedSize);
    l.form->SetVisible(c.formShown);
    l.Show("R2");
    EXPECT_EQ(l.Bounds(), c.after) << "fixed " << int(c.fixedSize) << ", shown " << c.formShown;
  }
}

}  // namespace
