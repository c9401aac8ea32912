// The controls on real FLTK widgets, driven by injected events, on the
// sample scheme (one control of each kind on page 0, a worker on page 1):
// fields keep valid text, lists pick, the check box ticks, buttons
// calculate, boxes are modal and answered, hints are tooltips, hover looks,
// Tab moves the focus, worker updates reach the window.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/harness.h"
#include "gui/scenario.h"
#include "support/sample_scheme.h"
#include "support/ui_probe.h"
#include "ui/fltk/control.h"
#include "ui/fltk/widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>

namespace {

// Page 0 of the sample scheme.
const TAddress kEdit{0, 315, 15};
const TAddress kPickList{0, 315, 45};
const TAddress kEditList{0, 315, 70};
const TAddress kResult{0, 310, 100};
const TAddress kCheckState{0, 100, 225};
const TAddress kCounter{1, 10, 10};

TFltkControl* AsFltk(TControl* c) { return static_cast<TFltkControl*>(c); }

void RunSample(const TGuiSession::TScript& script, int steps = 2000) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(SampleFactory(&counters, steps), {}, script);
}

// --- Scenarios ---------------------------------------------------------------

class SampleScenario : public ::testing::TestWithParam<TScenario> {};

TEST_P(SampleScenario, Runs) {
  RunSample([](TGuiSession& s) { EXPECT_TRUE(RunSteps(s, GetParam().Steps)); });
}

const TScenario kSample[] = {
    // The field shows the last valid text as the user types.
    {"TypedDigitsAreKept", {Type(kEdit, "12"), Expect(kEdit, "512")}},
    {"StrayLetterIsRefusedAtOnce", {Type(kEdit, "1a2"), Expect(kEdit, "512")}},
    {"CommaIsRefused", {Set(kEdit, "1"), Type(kEdit, ","), Expect(kEdit, "1")}},
    {"UnfinishedExponentIsKept", {Set(kEdit, "1e"), Expect(kEdit, "1e"), Type(kEdit, "-3"), Expect(kEdit, "1e-3")}},
    {"ReplacingTheWholeText", {Set(kEdit, "2.5"), Expect(kEdit, "2.5")}},
    // Calculate reads the field: twice its value, or a warning.
    {"CalculateShowsTwiceTheValue", {Set(kEdit, "2.5"), Calc(0), Expect(kResult, "5")}},
    {"CalculateWithAnEmptyFieldWarns",
     {Set(kEdit, "3"), Calc(0), Expect(kResult, "6"), Set(kEdit, ""), Calc(0),
      ExpectBox("Warning!", "Output Voltage must be set. ", MbOk | MbIconWarning), Expect(kResult, "6")}},
    {"UnfinishedTextReadsAsNoValue", {Set(kEdit, "-"), Calc(0), ExpectBox("Warning!", "Output Voltage must be set. ", 48)}},
    // Lists.
    {"PickOnlyListShowsThePickedLine", {Pick(kPickList, 1), Expect(kPickList, "240"), Pick(kPickList, 2),
                                        Expect(kPickList, "1000"), Pick(kPickList, 0), Expect(kPickList, "130")}},
    {"EditableListShowsThePickedLine", {Pick(kEditList, 1), Expect(kEditList, "1000"), Pick(kEditList, 0),
                                        Expect(kEditList, "820")}},
    {"EditableListTakesTypedText", {Pick(kEditList, 1), Set(kEditList, "1500"), Expect(kEditList, "1500")}},
    // The check box reports each click.
    {"CheckBoxTicksAndClears", {Expect(kCheckState, "-"), Tick(0), Expect(kCheckState, "1"), Tick(0),
                                Expect(kCheckState, "0")}},
    // A worker's label updates reach the window, the last one last.
    {"WorkerUpdatesArrive", {Tab(1), Calc(1), Wait(), Expect(kCounter, "2000")}},
};

INSTANTIATE_TEST_SUITE_P(Controls, SampleScenario, ::testing::ValuesIn(kSample),
                         [](const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); });

// --- Details a scenario does not show ----------------------------------------------

TEST(Controls, RefusedCharacterPutsTheCaretBackWhereTheLastGoodTextHadIt) {
  RunSample([](TGuiSession& s) {
    s.Replace(kEdit, "123");
    s.Click(s.Find(kEdit));
    s.PressKey(FL_Home);
    s.PressKey(FL_Right);
    s.PressKey('9', "9");
    auto* field = static_cast<Fl_Input*>(AsFltk(s.Find(kEdit))->Widget());
    EXPECT_STREQ(field->value(), "1923");
    s.PressKey('x', "x");
    EXPECT_STREQ(field->value(), "1923");
    EXPECT_EQ(field->position(), 2);
    s.PressKey('5', "5");
    EXPECT_STREQ(field->value(), "19523");
  });
}

TEST(Controls, PickedLineReadsAsTheListsText) {
  RunSample([](TGuiSession& s) {
    auto& sample = static_cast<TSampleScheme&>(s.Scheme());
    TData text;
    sample.pickList->Text(text);
    EXPECT_TRUE(IsNone(text));
    s.Pick(kPickList, 2);
    sample.pickList->Text(text);
    EXPECT_EQ(ToString(text), "1000");
    // Typing into the editable list leaves no line selected.
    s.Pick(kEditList, 0);
    sample.editList->Text(text);
    EXPECT_EQ(ToString(text), "820");
    s.Type(kEditList, "5");
    sample.editList->Text(text);
    EXPECT_TRUE(IsNone(text));
  });
}

TEST(Controls, BoxIsModalOverTheMainWindow) {
  std::vector<TSeenBox> boxes;
  TSampleScheme::TCounters counters;
  TGuiSession::Run(
      SampleFactory(&counters),
      {},
      [](TGuiSession& s) {
        s.Replace(kEdit, "");
        s.Calculate(0);
      },
      {}, &boxes);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].OverMainWindow);
  EXPECT_TRUE(boxes[0].OwnedByMainWindow);
}

TEST(Controls, BoxButtonsAnswerTheirIdentifiers) {
  struct TCase {
    uint32_t style;
    int press;
  };
  const TCase cases[] = {{MbOkCancel | MbIconQuestion, IdCancel}, {MbYesNo | MbIconQuestion, IdNo},
                         {MbYesNoCancel, IdYes}, {MbAbortRetryIgnore | MbIconError, IdIgnore},
                         {MbRetryCancel | MbIconInformation, IdRetry}, {MbOk, IdOk}};
  for (const TCase& c : cases) {
    int answered = 0;
    std::vector<TSeenBox> boxes;
    TSampleScheme::TCounters counters;
    TGuiSession::Run(
        SampleFactory(&counters), {},
        [&](TGuiSession&) { answered = SystemOps()->ShowMessageBox(true, "Line one\r\nLine two\rthree", "Asked", c.style); },
        {c.press}, &boxes);
    EXPECT_EQ(answered, c.press) << "style " << c.style;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Line one\nLine two\nthree");
    EXPECT_EQ(boxes[0].Caption, "Asked");
  }
}

TEST(Controls, BoxKeysAnswerAsOnADesktop) {
  struct TCase {
    uint32_t style;
    int key;
    int answer;  // after the key; a box still open is then clicked on its first button
  };
  const TCase cases[] = {
      {MbOk, FL_Escape, IdOk},                  {MbOkCancel, FL_Escape, IdCancel},
      {MbYesNoCancel, FL_Escape, IdCancel},     {MbYesNo, FL_Escape, IdYes},
      {MbAbortRetryIgnore, FL_Escape, IdAbort}, {MbYesNo, FL_Enter, IdYes},
      {MbRetryCancel | MbIconWarning, FL_Enter, IdRetry},
  };
  for (const TCase& c : cases) {
    int answered = 0;
    RunSample([&](TGuiSession& s) {
      s.BoxKeys.push_back(c.key);
      answered = SystemOps()->ShowMessageBox(true, "Keys", "Keys", c.style);
      EXPECT_EQ(s.Boxes.size(), 1u) << "style " << c.style;
    });
    EXPECT_EQ(answered, c.answer) << "style " << c.style << " key " << c.key;
  }
}

TEST(Controls, BoxAskedFromAWorkerIsShownLaterOnTheWindowThread) {
  RunSample([](TGuiSession& s) {
    int answered = 0;
    std::thread worker([&] { answered = SystemOps()->ShowMessageBox(true, "From a worker", "Debug", MbOk); });
    worker.join();
    EXPECT_EQ(answered, IdOk);
    EXPECT_TRUE(s.Boxes.empty());
    for (int i = 0; i < 500 && s.Boxes.empty(); ++i) Fl::wait(0.01);
    ASSERT_EQ(s.Boxes.size(), 1u);
    EXPECT_EQ(s.Boxes[0].Text, "From a worker");
  });
}

TEST(Controls, HandOverRunsOnTheWindowThread) {
  RunSample([](TGuiSession& s) {
    std::atomic<bool> done{false};
    bool answered = false;
    std::thread::id ranOn;
    std::thread worker([&] {
      answered = s.Platform().RunOnUIThread([&] { ranOn = std::this_thread::get_id(); });
      done = true;
    });
    for (int i = 0; i < 1000 && !done; ++i) Fl::wait(0.01);
    worker.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
  });
}

TEST(Controls, HintsAreTooltips) {
  RunSample([](TGuiSession& s) {
    EXPECT_STREQ(AsFltk(s.Find(kEdit))->Widget()->tooltip(), "Output voltage");
    EXPECT_STREQ(AsFltk(s.Find({0, 280, 20}))->Widget()->tooltip(), "Output \"voltage\"\\");
    EXPECT_EQ(AsFltk(s.Find(kPickList))->Widget()->tooltip(), nullptr);
  });
}

TEST(Controls, TabMovesTheFocusInTabOrder) {
  RunSample([](TGuiSession& s) {
    auto& sample = static_cast<TSampleScheme&>(s.Scheme());
    s.Click(sample.edit->Control());
    // Tab orders: edit 1, Calculate 1 (made later), editable list 3, check box 6.
    const std::vector<TControl*> order = {sample.calc->Control(), sample.editList->Control(),
                                          sample.accurate->Control(), sample.edit->Control()};
    for (TControl* next : order) {
      s.PressKey(FL_Tab, "\t");

      EXPECT_EQ(Fl::focus(), AsFltk(next)->FocusWidget());
      EXPECT_EQ(s.Platform().Focused(), next);
    }
    s.PressKey(FL_Tab, "\t", FL_SHIFT);
    EXPECT_EQ(s.Platform().Focused(), sample.accurate->Control());
  });
}

TEST(Controls, ClosingDuringAWorkerEndsTheProgram) {
  TSampleScheme::TCounters counters;
  const int status = TGuiSession::Run(SampleFactory(&counters, 200000), {}, [](TGuiSession& s) {
    s.SelectTab(1);
    s.Calculate(1);
    s.CloseWindow();
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(counters.destroyed, 1);
}

// A label with the hover look of a web link, on the sample's empty page 2.
class THoverScheme : public TSampleScheme {
 public:
  explicit THoverScheme(TCounters* counters) : TSampleScheme(counters) {
    link = Create<THILabel>(pages[2]->Control());
    link->Left = 5;
    link->Top = 35;
    link->Width = 141;
    link->Height = 23;
    link->Font = MakeFontRec("Times New Roman", 12, FontBold, 204, 0x800000);
    link->HoverColor = 0xFF0000;
    link->HoverCursor = CursorHand;
    link->HoverUnderline = 1;
    link->Caption = "www.example.org";
    link->Init();
    probe = Create<TProbe>();
    link->onClick = probe->Link();
  }
  THILabel* link;
  TProbe* probe;
};

TEST(Controls, LinkTurnsBlueAndUnderlinedUnderThePointerAndClicks) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(
      [&counters] { return std::unique_ptr<TMainScheme>(new THoverScheme(&counters)); }, {},
      [](TGuiSession& s) {
        auto& scheme = static_cast<THoverScheme&>(s.Scheme());
        auto* widget = static_cast<TLabelWidget*>(AsFltk(scheme.link->Control())->Widget());
        s.SelectTab(2);
        const Fl_Color navy = widget->labelcolor();
        EXPECT_FALSE(widget->Look.Underline);
        s.Hover(scheme.link->Control());
        EXPECT_EQ(widget->labelcolor(), fl_rgb_color(0, 0, 255));
        EXPECT_TRUE(widget->Look.Underline);
        EXPECT_EQ(scheme.link->Control()->Cursor(), CursorHand);
        s.MoveAway();
        EXPECT_EQ(widget->labelcolor(), navy);
        EXPECT_FALSE(widget->Look.Underline);
        EXPECT_EQ(scheme.link->Control()->Cursor(), 0);
        s.Click(scheme.link->Control());
        EXPECT_EQ(scheme.probe->values.size(), 1u);
      });
}

}  // namespace

namespace {

// The program run's own steps happen once each, in order, on the real
// window too: the window being mapped is not a second show.
TEST(ProgramRun, CreateShowAndCloseHappenOnceEach) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(SampleFactory(&counters), {}, [](TGuiSession& s) {
    s.WaitMapped();
    s.Settle();
  });
  EXPECT_EQ(counters.order, (std::vector<std::string>{"create", "show", "close"}));
  EXPECT_TRUE(counters.dispatchAtClose) << "onClose fires before the dispatcher stops";
  EXPECT_EQ(counters.destroyed, 1);
}

// The window system's focus changes are the form's activation.
class TActivationScheme : public TSampleScheme {
 public:
  explicit TActivationScheme(TCounters* counters) : TSampleScheme(counters) {
    activated = Create<TProbe>();
    deactivated = Create<TProbe>();
    form->onActivate = activated->Link();
    form->onDeactivate = deactivated->Link();
  }
  TProbe* activated;
  TProbe* deactivated;
};

TEST(ProgramRun, FocusOfTheWindowActivatesTheForm) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(
      [&counters] { return std::unique_ptr<TMainScheme>(new TActivationScheme(&counters)); }, {},
      [](TGuiSession& s) {
        auto& scheme = static_cast<TActivationScheme&>(s.Scheme());
        const size_t before = scheme.activated->values.size();
        Fl::handle(FL_FOCUS, &s.Window());
        Fl::handle(FL_FOCUS, &s.Window());  // already active: nothing new
        EXPECT_EQ(scheme.activated->values.size(), before + 1);
        Fl::handle(FL_UNFOCUS, &s.Window());
        EXPECT_EQ(scheme.deactivated->values.size(), 1u);
      });
}

}  // namespace
