#include "pages/lm317_voltage.h"

#include "elements/branching.h"
#include "elements/loops.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/thread.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/range_check.h"

namespace {

const TPageFonts kFonts = PageFonts(204);
const TFontRec kPlainResult = MakeFontRec("Arial", 10, FontBold, 204, 0x000000);
const char kR2Hint[] = "calculated value of the resistor R2";
const char kRloadHint[] = "maximal value of load resistance";
const char kIloadHint[] = "minimum load current";

// The R2 search. Methods doHalt and doFind; data inputs Vout, R1 and
// Accurate; events onR2 (each R2 candidate, whole ohms) and onDone (time to
// compute what depends on R2).
// doFind always fires the estimate and onDone on the caller's thread; with
// Accurate = 1 it then starts the search on the worker, which counts R2 up
// from the estimate, firing onR2 at every step and onDone once the output
// voltage of a step exceeds Vout. doHalt ends a running search after its
// step (the worker's own onDone does so too) and resets the count to the
// estimate.
constexpr TMethodPoint kSearchDoHalt{0};
constexpr TMethodPoint kSearchDoFind{1};
constexpr TDataInPoint kSearchVout{0};
constexpr TDataInPoint kSearchR1{1};
constexpr TDataInPoint kSearchAccurate{2};
constexpr TEventPoint kSearchOnR2{0};
constexpr TEventPoint kSearchOnDone{1};

class TClassMultiElement_2956E44 : public TScheme {
 public:
  TClassMultiElement_2956E44() {
    Bridge = Create<THIEditMulti>();
    THIIf_else* emptyGuard = Create<THIIf_else>();
    THIIf_else* modeSwitch = Create<THIIf_else>();
    THIMathParse* r2Estimate = Create<THIMathParse>();
    THIMathParse* voutOfR2 = Create<THIMathParse>();
    THIIf_else* overshoot = Create<THIIf_else>();
    THICounter* stepCounter = Create<THICounter>();
    // The loop goes before the thread: destroyed first, it lets a worker
    // parked between steps return without touching the scheme again.
    THIFor* searchLoop = Create<THIFor>();
    THIThread* searchThread = Create<THIThread>();
    THIGetData* r1Fan2 = Create<THIGetData>();
    THIGetData* voutFan2 = Create<THIGetData>();
    THIHub* findHub = Create<THIHub>();
    THIHub* fastHub = Create<THIHub>();
    THIHub* accurateHub = Create<THIHub>();
    THIHub* estimateHub = Create<THIHub>();
    THIHub* stepHub = Create<THIHub>();
    THIHub* haltHub = Create<THIHub>();
    THIHub* r2Hub = Create<THIHub>();
    THIHub* doneHub = Create<THIHub>();

    Bridge->SetMethodCount(2);
    Bridge->SetVarCount(0);
    emptyGuard->Type = CompareEqual;
    modeSwitch->Type = CompareEqual;
    SetInteger(modeSwitch->Op2Def, 1);
    SetFormula(r2Estimate, "((%1-0.000059*(%1/1.25-1)*%2)/1.25-1 )*%2", 2, 0);
    SetFormula(voutOfR2, "1.253*(1+%2/%1) +  0.0000475*%2", 2, 1);
    overshoot->Type = CompareGreater;
    stepCounter->CountValue = 0;
    stepCounter->MinValue = 1;
    stepCounter->Max = 200000;
    stepCounter->Step = 1;
    stepCounter->Direction = 0;
    searchLoop->StartDef = 1;
    searchLoop->EndDef = 200000;
    searchLoop->Step = 1;
    searchLoop->IncludeEnd = true;
    searchLoop->UseInData = false;
    searchThread->Delay = 0;
    searchThread->RunOnce = true;
    searchThread->Restart = false;
    r1Fan2->Count = 3;
    voutFan2->Count = 2;
    findHub->SetOutCount(1);
    fastHub->SetOutCount(2);
    accurateHub->SetOutCount(2);
    estimateHub->SetOutCount(2);
    stepHub->SetOutCount(3);
    haltHub->SetOutCount(2);
    r2Hub->SetOutCount(1);
    doneHub->SetOutCount(1);

    Entry(Bridge, kSearchDoHalt) = MakeLink<&THIHub::doEvent>(haltHub);
    Entry(Bridge, kSearchDoFind) = MakeLink<&THIHub::doEvent>(findHub);
    r1Fan2->Data = Outer(Bridge, kSearchR1);
    voutFan2->Data = Outer(Bridge, kSearchVout);
    findHub->onEvent[0] = MakeLink<&THIIf_else::doCompare>(emptyGuard);
    // Op2 takes the incoming empty value, so any selected R1 passes.
    emptyGuard->Op1 = MakeLink<&THIGetData::Value>(r1Fan2, 0);
    emptyGuard->onFalse = MakeLink<&THIIf_else::doCompare>(modeSwitch);
    modeSwitch->Op1 = Outer(Bridge, kSearchAccurate);
    modeSwitch->onTrue = MakeLink<&THIHub::doEvent>(accurateHub);
    modeSwitch->onFalse = MakeLink<&THIHub::doEvent>(fastHub);
    accurateHub->onEvent[0] = MakeLink<&THIHub::doEvent>(fastHub);
    accurateHub->onEvent[1] = MakeLink<&THIThread::doStart>(searchThread);
    fastHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Estimate);
    fastHub->onEvent[1] = MakeLink<&THIHub::doEvent>(doneHub);
    r2Estimate->X[0] = MakeLink<&THIGetData::Value>(voutFan2, 0);
    r2Estimate->X[1] = MakeLink<&THIGetData::Value>(r1Fan2, 1);
    r2Estimate->onResult = MakeLink<&THIHub::doEvent>(estimateHub);
    estimateHub->onEvent[0] = MakeLink<&THICounter::doMin>(stepCounter);
    estimateHub->onEvent[1] = MakeLink<&THIHub::doEvent>(r2Hub);
    searchThread->onExecute = MakeLink<&THIFor::doFor>(searchLoop);
    searchLoop->onEvent = MakeLink<&THIHub::doEvent>(stepHub);
    stepHub->onEvent[0] = MakeLink<&THICounter::doNext>(stepCounter);
    stepHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(voutOfR2);
    stepHub->onEvent[2] = MakeLink<&THIIf_else::doCompare>(overshoot);
    stepCounter->onNext = MakeLink<&THIHub::doEvent>(r2Hub);
    voutOfR2->X[0] = MakeLink<&THIGetData::Value>(r1Fan2, 2);
    voutOfR2->X[1] = MakeLink<&THICounter::Count>(stepCounter);
    overshoot->Op1 = MakeLink<&THIMathParse::Result>(voutOfR2);
    overshoot->Op2 = MakeLink<&THIGetData::Value>(voutFan2, 1);
    overshoot->onTrue = MakeLink<&THIHub::doEvent>(doneHub);
    haltHub->onEvent[0] = MakeLink<&THIFor::doStop>(searchLoop);
    haltHub->onEvent[1] = MakeLink<&THICounter::doReset>(stepCounter);
    r2Hub->onEvent[0] = Exit(Bridge, kSearchOnR2);
    doneHub->onEvent[0] = Exit(Bridge, kSearchOnDone);
  }

  THIEditMulti* Bridge;
};

TChildScheme MakeR2Search(TControl*) { return MakeChildScheme<TClassMultiElement_2956E44>(); }

}  // namespace

TClassChildGroupBox_11B4F30::TClassChildGroupBox_11B4F30(TControl* parent) {
  MakePage(parent, 2);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP4");
  THIEdit* voutEdit = AddEdit(Box(), {315, 15, 55, 21}, "5", "Output voltage", kFonts.Input, 1);
  THIComboBox* r1List = AddList(Box(), {315, 45, 55, 21}, "Str56", "Choose value of the resistor R1.", kFonts.Input, 0, false);
  THILabel* voutEditCaption = AddLabel(Box(), {280, 20, 33, 20}, "Vout", kFonts.Caption);
  THILabel* voutEditUnit = AddLabel(Box(), {375, 20, 13, 20}, "V", kFonts.Caption);
  THILabel* r1ListCaption = AddLabel(Box(), {280, 50, 20, 20}, "R1", kFonts.Caption);
  THILabel* r1ListUnit = AddLabel(Box(), {375, 50, 26, 20}, "Om", kFonts.Caption);
  THILabel* r2ValueCaption = AddLabel(Box(), {280, 75, 28, 20}, "R2=", kFonts.Caption, kR2Hint);
  THILabel* r2Value = AddLabel(Box(), {310, 75, 11, 20}, "0", kFonts.Result, kR2Hint);
  THILabel* r2ValueUnit = AddLabel(Box(), {375, 75, 33, 20}, "kOm", kFonts.Caption);
  THILabel* rloadValueCaption = AddLabel(Box(), {280, 100, 29, 20}, "R\xED<", kFonts.Caption, kRloadHint);
  THILabel* rloadValue = AddLabel(Box(), {310, 100, 55, 15}, "0", kPlainResult, kRloadHint, true);
  THILabel* rloadValueUnit = AddLabel(Box(), {375, 100, 33, 20}, "kOm", kFonts.Caption);
  THILabel* iloadValueCaption = AddLabel(Box(), {280, 125, 28, 20}, "(I\xED>", kFonts.Caption, kIloadHint);
  THILabel* iloadValue = AddLabel(Box(), {310, 125, 56, 20}, "0", kPlainResult, kIloadHint);
  THILabel* iloadValueUnit = AddLabel(Box(), {375, 125, 24, 20}, "mA)", kFonts.Caption);
  Describe("LM317 Voltage", {{voutEditCaption, voutEdit, voutEditUnit, ""},
                       {r1ListCaption, r1List, r1ListUnit, ""},
                       {r2ValueCaption, r2Value, r2ValueUnit, "", true},
                       {rloadValueCaption, rloadValue, rloadValueUnit, ""},
                       {iloadValueCaption, iloadValue, iloadValueUnit, ""}});

  THIMultiElement* accuratePanel = AddHost(Box(), &MakeAccuratePanel, 0, 0);
  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIMultiElement* voutCheck = AddHost(
      Box(),
      [](TControl* p) {
        return MakeRangeCheck(p, {TRangeShape::LowOnly, TextValue("1.5"), TData(),
                                  "Output Voltage can not be less than 1.5 V."});
      },
      1, 1);
  THIMultiElement* r2Search = AddHost(Box(), &MakeR2Search, 2, 3);
  THIMultiElementEx* r2Digits = AddRounding(3, 48);
  THIMultiElementEx* rloadDigits = AddRounding(3, 52);
  THIMultiElementEx* iloadDigits = AddRounding(3, 57);
  THIHub* calcHub = Create<THIHub>();
  THIGetData* voutFan = Create<THIGetData>();
  THIGetData* r1Fan = Create<THIGetData>();
  THIMemory* r2Memory = Create<THIMemory>();
  THIMath* r2ToKilo = Create<THIMath>();
  THIMath* rloadToKilo = Create<THIMath>();
  THIMathParse* iminCalc = Create<THIMathParse>();
  THIMathParse* rloadCalc = Create<THIMathParse>();
  THIMathParse* iloadCalc = Create<THIMathParse>();
  THIDoData* r1Default = Create<THIDoData>();

  calcHub->SetOutCount(4);
  voutFan->Count = 4;
  r1Fan->Count = 2;
  SetDivide(r2ToKilo, 1000.0);
  SetDivide(rloadToKilo, 1000.0);
  // The regulator needs at least 10 mA; what the divider does not draw,
  // the load must.
  SetFormula(iminCalc, "10-(%1/(%2+%3))*1000", 3, 1);
  SetFormula(rloadCalc, "(%1/%2)*1000", 2, 0);
  SetFormula(iloadCalc, "(%1/%2)*1000", 2, 1);
  SetString(r1Default->DataDef, "240");

  Entry(Bridge, kPageDoPreset) = MakeLink<&THIDoData::doData>(r1Default);
  r1Default->onEventData = MakeLink<&THIComboBox::doSelectText>(r1List);
  calcPanel->Events[0] = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(voutEdit);
  On(voutCheck, kRangeOnValid) = Call(r2Search, kSearchDoFind);
  voutFan->Data = Read(voutCheck, kRangeValue);
  r1Fan->Data = MakeLink<&THIComboBox::Text>(r1List);
  In(r2Search, kSearchVout) = MakeLink<&THIGetData::Value>(voutFan, 0);
  In(r2Search, kSearchR1) = MakeLink<&THIGetData::Value>(r1Fan, 0);
  In(r2Search, kSearchAccurate) = MakeLink<&THIMultiElement::Var>(accuratePanel, 0);
  On(r2Search, kSearchOnR2) = MakeLink<&THIMemory::doValue>(r2Memory);
  On(r2Search, kSearchOnDone) = MakeLink<&THIHub::doEvent>(calcHub);
  calcHub->onEvent[0] = Call(r2Search, kSearchDoHalt);
  calcHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(iminCalc);
  calcHub->onEvent[2] = MakeLink<&THIMathParse::doCalc>(rloadCalc);
  calcHub->onEvent[3] = MakeLink<&THIMathParse::doCalc>(iloadCalc);
  r2Memory->onData = MakeLink<&THIMath::doOperation>(r2ToKilo);
  r2ToKilo->onResult = Call(r2Digits, kRoundDoConvReal);
  On(r2Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r2Value);
  iminCalc->X[0] = MakeLink<&THIGetData::Value>(voutFan, 1);
  iminCalc->X[1] = MakeLink<&THIGetData::Value>(r1Fan, 1);
  iminCalc->X[2] = MakeLink<&THIMemory::Value>(r2Memory);
  rloadCalc->X[0] = MakeLink<&THIGetData::Value>(voutFan, 2);
  rloadCalc->X[1] = MakeLink<&THIMathParse::Result>(iminCalc);
  rloadCalc->onResult = MakeLink<&THIMath::doOperation>(rloadToKilo);
  rloadToKilo->onResult = Call(rloadDigits, kRoundDoConvReal);
  On(rloadDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(rloadValue);
  iloadCalc->X[0] = MakeLink<&THIGetData::Value>(voutFan, 3);
  iloadCalc->X[1] = MakeLink<&THIMathParse::Result>(rloadCalc);
  iloadCalc->onResult = Call(iloadDigits, kRoundDoConvReal);
  On(iloadDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(iloadValue);
}
