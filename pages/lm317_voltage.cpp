#include "pages/lm317_voltage.h"

#include "elements/branching.h"
#include "elements/loops.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/thread.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/range_check.h"

namespace {

constexpr TRowGrid kGrid{315, 55, 310, 375, 20, kCharSetCyrillic, false};
const char kR2Hint[] = "calculated value of the resistor R2";
const char kRloadHint[] = "maximal value of load resistance";
const char kIloadHint[] = "minimum load current";

// The R2 search. Methods doHalt and doFind; data inputs Vout, R1 and
// Accurate; events onR2 (each R2 candidate, whole ohms) and onDone (time to
// compute what depends on R2).
// doFind always fires the estimate and onDone on the caller's thread; with
// Accurate = 1 it then ends a search still running and starts the search
// for the new inputs on the worker, which counts R2 up
// from the estimate, firing onR2 at every step and onDone once the output
// voltage of a step exceeds Vout. doHalt ends a running search after its
// step (the worker's own onDone does so too) and resets the count to the
// estimate. Where no worker can be started the search runs on the
// caller's thread instead, to the same end: the estimate is never left
// standing as the accurate result.
constexpr TMethodPoint kSearchDoHalt{0};
constexpr TMethodPoint kSearchDoFind{1};
constexpr TDataInPoint kSearchVout{0};
constexpr TDataInPoint kSearchR1{1};
constexpr TDataInPoint kSearchAccurate{2};
constexpr TEventPoint kSearchOnR2{0};
constexpr TEventPoint kSearchOnDone{1};

class TClassMultiElement_2956E44 : public TCalcScheme {
 public:
  TClassMultiElement_2956E44() {
    Bridge = Create<THIEditMulti>();
    THIIf_else* emptyGuard = Create<THIIf_else>();
    THIIf_else* modeSwitch = Create<THIIf_else>();
    THIMathParse* r2Estimate = AddFormula("((%1-0.000059*(%1/1.25-1)*%2)/1.25-1 )*%2", 2, TResultKind::Integer);
    THIMathParse* voutOfR2 = AddFormula("1.253*(1+%2/%1) +  0.0000475*%2", 2, TResultKind::Real);
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
    // A search still running (or just ending) for the last inputs is ended,
    // so the search for these runs to its end.
    accurateHub->onEvent[1] = MakeLink<&THIThread::doRestart>(searchThread);
    fastHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Estimate);
    fastHub->onEvent[1] = MakeLink<&THIHub::doEvent>(doneHub);
    r2Estimate->X[0] = MakeLink<&THIGetData::Value>(voutFan2, 0);
    r2Estimate->X[1] = MakeLink<&THIGetData::Value>(r1Fan2, 1);
    r2Estimate->onResult = MakeLink<&THIHub::doEvent>(estimateHub);
    estimateHub->onEvent[0] = MakeLink<&THICounter::doMin>(stepCounter);
    estimateHub->onEvent[1] = MakeLink<&THIHub::doEvent>(r2Hub);
    searchThread->onExecute = MakeLink<&THIFor::doFor>(searchLoop);
    searchThread->onError = MakeLink<&THIFor::doFor>(searchLoop);
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
  MakePage(parent, 2, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, kLm317VoltageSchematic);
  // This page makes its two fields before any label.
  THIEdit* vout = AddEditField(20, {"5", "Output voltage", 1});
  THIComboBox* r1 = AddListField(50, {kLm317VoltageR1List, kR1ListHint, 0, false});
  LabelRow(20, {"Vout", 33}, vout, {"V", 13});
  LabelRow(50, {"R1", 20}, r1, {"Om", 26});
  const TResultRow r2 = AddResultRow(75, {"R2=", 28}, {"", 11}, {"kOm", 33}, {kR2Hint, kResistorRow});
  const TResultRow rload =
      AddResultRow(100, {"R\xED<", 29}, {"", 55, 15}, {"kOm", 33}, {kRloadHint, kPlainValue | kFixedValue});
  const TResultRow iload = AddResultRow(125, {"(I\xED>", 28}, {"", 56}, {"mA)", 24}, {kIloadHint, kPlainValue});
  Describe("LM317 Voltage");

  THIMultiElement* accuratePanel = AddHost(Box(), &MakeAccuratePanel, 0, 0);
  THIMultiElement* calcPanel = AddCalcPanel(kCalcPanelAtFoot);
  THIMultiElement* voutCheck =
      AddRangeCheck({TRangeShape::LowOnly, TextValue("1.5"), TData(), "Output Voltage can not be less than 1.5 V."});
  THIMemory* r2Memory = Create<THIMemory>();
  // The regulator needs at least 10 mA; what the divider does not draw,
  // the load must.
  THIMathParse* iminCalc = AddFormula("10-(%1/(%2+%3))*1000", 3, TResultKind::Real);
  THIMathParse* rloadCalc = AddFormula("(%1/%2)*1000", 2, TResultKind::Integer);
  THIMathParse* iloadCalc = AddFormula("(%1/%2)*1000", 2, TResultKind::Real);
  const THI_Event checkedVout = Read(voutCheck, kRangeValue);
  const THI_Event r1Value = MakeLink<&THIComboBox::Text>(r1);
  THIMultiElement* r2Search =
      AddR2Search(checkedVout, r1Value, Read(accuratePanel, kPanelAccurate), MakeLink<&THIMemory::doValue>(r2Memory));

  Entry(Bridge, kPageDoPreset) = AddPreset(r1, "240");
  On(calcPanel, kPanelOnCalculate) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(vout);
  On(voutCheck, kRangeOnValid) = Call(r2Search, kSearchDoFind);
  On(r2Search, kSearchOnDone) = AddSteps({Call(r2Search, kSearchDoHalt), MakeLink<&THIMathParse::doCalc>(iminCalc),
                                          MakeLink<&THIMathParse::doCalc>(rloadCalc),
                                          MakeLink<&THIMathParse::doCalc>(iloadCalc)});
  r2.Show(r2Memory->onData, 3, TRoundingNames::Lm317VoltageR2, TScale::Thousands);
  Feed(iminCalc, {checkedVout, r1Value, MakeLink<&THIMemory::Value>(r2Memory)});
  Feed(rloadCalc, {checkedVout, MakeLink<&THIMathParse::Result>(iminCalc)});
  rload.Show(rloadCalc->onResult, 3, TRoundingNames::Lm317VoltageRload, TScale::Thousands);
  Feed(iloadCalc, {checkedVout, MakeLink<&THIMathParse::Result>(rloadCalc)});
  iload.Show(iloadCalc->onResult, 3, TRoundingNames::Lm317VoltageIload);
}

THIMultiElement* TClassChildGroupBox_11B4F30::AddR2Search(const THI_Event& vout, const THI_Event& r1,
                                                          THI_Event accurate, THI_Event onR2) {
  THIMultiElement* search = AddHost(Box(), &MakeR2Search, 2, 3);
  In(search, kSearchVout) = vout;
  In(search, kSearchR1) = r1;
  In(search, kSearchAccurate) = std::move(accurate);
  On(search, kSearchOnR2) = std::move(onR2);
  return search;
}
