#include "support/sample_scheme.h"

#include "runtime/event.h"
#include "runtime/scheme_lock.h"
#include "ui/platform.h"

namespace {

template <typename T>
void Place(T* e, int l, int t, int w, int h) {
  e->Left = l;
  e->Top = t;
  e->Width = w;
  e->Height = h;
}

}  // namespace

TSampleScheme::TSampleScheme(TCounters* counters, int steps) : counters_(counters), steps_(steps) {
  form = Create<THIMainForm>();
  tabs = Create<THITabControl>(form->Control());
  for (THIGroupBox*& p : pages) p = Create<THIGroupBox>(form->Control());
  TControl* page0 = pages[0]->Control();
  caption = Create<THILabel>(page0);
  edit = Create<THIEdit>(page0);
  pickList = Create<THIComboBox>(page0);
  editList = Create<THIComboBox>(page0);
  result = Create<THILabel>(page0);
  image = Create<THIImage>(page0);
  calcPanel = Create<THIPanel>(page0);
  calc = Create<THIButton>(calcPanel->Control());
  checkPanel = Create<THIPanel>(page0);
  accurate = Create<THICheckBox>(checkPanel->Control());
  checkState = Create<THILabel>(page0);
  counter = Create<THILabel>(pages[1]->Control());
  workPanel = Create<THIPanel>(pages[1]->Control());
  work = Create<THIButton>(workPanel->Control());

  Place(form, 20, 105, 445, 307);
  form->Color = kColorButtonFace;
  form->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0);
  form->Placement = &THIMainForm::CenterOnScreen;
  form->SetCaption("Sample");
  form->SetBorderStyle(1);
  form->Init();
  form->onCreate = MakeLink<&TSampleScheme::onCreate>(this);
  form->onShow = MakeLink<&TSampleScheme::onShow>(this);
  form->onClose = MakeLink<&TSampleScheme::onClose>(this);

  Place(tabs, 5, 5, 430, 265);
  tabs->Tabs = "First\r\nSecond\r\nThird";
  tabs->Init();
  tabs->onChange = MakeLink<&TSampleScheme::doTab>(this);

  for (THIGroupBox* p : pages) {
    Place(p, 10, 30, 415, 232);
    p->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0);
    p->SetCaption("");
    p->Init();
  }

  Place(caption, 280, 20, 33, 20);
  caption->Font = MakeFontRec("Arial", 10, 1, 204, 0x800000);
  caption->Hint = "Output \"voltage\"\\";
  caption->Caption = "Vout";
  caption->Init();

  Place(edit, 315, 15, 55, 21);
  edit->TabOrder = 1;
  edit->Color = kColorWindow;
  edit->Hint = "Output voltage";
  edit->Font = MakeFontRec("Arial", 9, 1, 204, 0);
  edit->ValueReader = &THIEdit::ReadRealText;
  edit->Text = "5";
  edit->Init();
  edit->onEnter = MakeLink<&TSampleScheme::doAsk>(this);

  Place(pickList, 315, 45, 55, 21);
  pickList->Strings = "130\r\n240\r\n1000";
  pickList->EditText = "ComboBox";
  pickList->Init();

  Place(editList, 315, 70, 60, 21);
  editList->TabOrder = 3;
  editList->Editable = 1;
  editList->Strings = "820\r\n1000";
  editList->EditText = "ComboBox";
  editList->Init();

  Place(result, 310, 100, 55, 15);
  result->FixedSize = 1;
  result->Font = MakeFontRec("Arial", 10, 1 | 4, 204, 0);
  result->Caption = "0";
  result->Init();

  Place(image, 10, 19, 250, 200);
  image->KeepSize = 1;
  image->Color = 0xFFFFFF;
  image->Paint = &THIImage::DrawProportional;
  image->Init();

  Place(calcPanel, 273, 195, 130, 32);
  calcPanel->Font = MakeFontRec("Arial", 8, 0, 1, 0);
  calcPanel->EdgeWidth = 1;
  calcPanel->BorderWidth = 1;
  calcPanel->Init();
  Place(calc, 5, 4, 120, 25);
  calc->TabOrder = 1;
  calc->Hint = "Go!";
  calc->SetCaption("Calculate");
  calc->Init();
  calc->onClick = MakeLink<&TSampleScheme::doCalc>(this);

  Place(checkPanel, 279, 150, 127, 23);
  checkPanel->Init();
  Place(accurate, 3, 3, 95, 18);
  accurate->TabOrder = 6;
  accurate->SetCaption("Accurate result");
  accurate->SetChecked(1);
  accurate->Init();
  accurate->onCheck = MakeLink<&THILabel::doText>(checkState);
  Place(checkState, 100, 225, 10, 10);
  checkState->Caption = "-";
  checkState->Init();

  Place(counter, 10, 10, 40, 20);
  counter->Caption = "0";
  counter->Init();
  Place(workPanel, 273, 195, 130, 32);
  workPanel->Init();
  Place(work, 5, 4, 120, 25);
  work->SetCaption("Calculate");
  work->Init();
  work->onClick = MakeLink<&TSampleScheme::doWork>(this);
}

TSampleScheme::~TSampleScheme() {
  stop_ = true;
  if (worker_.joinable()) {
    TSchemeUnlock unlocked;
    worker_.join();
  }
  if (counters_) ++counters_->destroyed;
}

TControl* TSampleScheme::PageBox(int tab) { return tab >= 0 && tab < 3 ? pages[tab]->Control() : nullptr; }

void TSampleScheme::doCalc(TData&) {
  TData value;
  edit->Value(value);
  if (IsNone(value)) {
    SystemOps()->ShowMessageBox(true, "Output Voltage must be set. ", "Warning!", MbOk | MbIconWarning);
    return;
  }
  TData doubled;
  SetReal(doubled, ToReal(value) * 2);
  result->doText(doubled);
}

void TSampleScheme::doAsk(TData&) {
  const int answer = SystemOps()->ShowMessageBox(true, "Use this value?", "Question", MbYesNo | MbIconQuestion);
  TData d;
  SetInteger(d, answer);
  result->doText(d);
}

void TSampleScheme::doWork(TData&) {
  if (worker_.joinable()) {
    TSchemeUnlock unlocked;
    worker_.join();
  }
  WorkerStarted();
  // Like the search: each step fires through the dispatcher under the
  // scheme lock, and the loop ends once firing is dead (the window closed).
  worker_ = std::thread([this] {
    const THI_Event show = MakeLink<&THILabel::doText>(counter);
    for (int i = 1; i <= steps_ && !stop_; ++i) {
      TSchemeGuard guard;
      if (!DispatchRunning()) break;
      FireInteger(show, i);
    }
    WorkerFinished();
  });
}

void TSampleScheme::onCreate(TData&) {
  counters_->order.push_back("create");
  TData index;
  tabs->Index(index);
  doTab(index);
}

void TSampleScheme::doTab(TData& data) {
  const int32_t shown = ToInteger(data);
  for (int i = 0; i < 3; ++i) {
    TData v;
    SetInteger(v, i == shown ? 1 : 0);
    pages[i]->doVisible(v);
  }
}

void TSampleScheme::onClose(TData&) {
  counters_->order.push_back("close");
  counters_->dispatchAtClose = DispatchRunning();
}

TMainFactory SampleFactory(TSampleScheme::TCounters* counters, int steps) {
  return [counters, steps]() -> std::unique_ptr<TMainScheme> { return std::make_unique<TSampleScheme>(counters, steps); };
}
