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

// The most steps a search takes from the estimate.
constexpr int32_t kSearchMostSteps = 200000;

// What counts the search's steps: the count of R2 (from the estimate), the
// loop of steps and the thread it runs on.
struct TSearchStepping {
  THICounter* Count;
  THIFor* Loop;
  THIThread* Thread;
};

class TClassMultiElement_2956E44 : public TCalcScheme {
 public:
  TClassMultiElement_2956E44() {
    Bridge = Create<THIEditMulti>();
    Bridge->SetMethodCount(2);
    Bridge->SetVarCount(0);
    // Op2 takes the incoming empty value, so any selected R1 passes.
    THIIf_else* emptyGuard = AddCheck(CompareEqual, {}, nullptr, true);
    THIIf_else* modeSwitch = AddCheck(CompareEqual, IntegerValue(1), nullptr, true);
    THIMathParse* r2Estimate = AddFormula("((%1-0.000059*(%1/1.25-1)*%2)/1.25-1 )*%2", 2, TResultKind::Integer);
    THIMathParse* voutOfR2 = AddFormula("1.253*(1+%2/%1) +  0.0000475*%2", 2, TResultKind::Real);
    THIIf_else* overshoot = AddCheck(CompareGreater, {}, nullptr, true);
    const TSearchStepping steps = AddStepping();
    THIGetData* r1 = AddFan(Outer(Bridge, kSearchR1), 3);
    THIGetData* vout = AddFan(Outer(Bridge, kSearchVout), 2);
    const THI_Event onR2 = AddSteps({Exit(Bridge, kSearchOnR2)});
    const THI_Event onDone = AddSteps({Exit(Bridge, kSearchOnDone)});
    const THI_Event estimate = AddSteps({MakeLink<&THIMathParse::doCalc>(r2Estimate), onDone});

    Entry(Bridge, kSearchDoHalt) =
        AddSteps({MakeLink<&THIFor::doStop>(steps.Loop), MakeLink<&THICounter::doReset>(steps.Count)});
    Entry(Bridge, kSearchDoFind) = AddSteps({MakeLink<&THIIf_else::doCompare>(emptyGuard)});
    emptyGuard->Op1 = MakeLink<&THIGetData::Value>(r1, 0);
    emptyGuard->onFalse = MakeLink<&THIIf_else::doCompare>(modeSwitch);
    modeSwitch->Op1 = Outer(Bridge, kSearchAccurate);
    // A search still running (or just ending) for the last inputs is ended,
    // so the search for these runs to its end.
    modeSwitch->onTrue = AddSteps({estimate, MakeLink<&THIThread::doRestart>(steps.Thread)});
    modeSwitch->onFalse = estimate;
    Feed(r2Estimate, {MakeLink<&THIGetData::Value>(vout, 0), MakeLink<&THIGetData::Value>(r1, 1)});
    r2Estimate->onResult = AddSteps({MakeLink<&THICounter::doMin>(steps.Count), onR2});
    steps.Loop->onEvent = AddSteps({MakeLink<&THICounter::doNext>(steps.Count),
                                    MakeLink<&THIMathParse::doCalc>(voutOfR2),
                                    MakeLink<&THIIf_else::doCompare>(overshoot)});
    steps.Count->onNext = onR2;
    Feed(voutOfR2, {MakeLink<&THIGetData::Value>(r1, 2), MakeLink<&THICounter::Count>(steps.Count)});
    overshoot->Op1 = MakeLink<&THIMathParse::Result>(voutOfR2);
    overshoot->Op2 = MakeLink<&THIGetData::Value>(vout, 1);
    overshoot->onTrue = onDone;
  }

  THIEditMulti* Bridge;

 private:
  // The count, the loop and the thread, the loop running on the thread.
  TSearchStepping AddStepping() {
    THICounter* count = Create<THICounter>();
    // The loop goes before the thread: destroyed first, it lets a worker
    // parked between steps return without touching the scheme again.
    THIFor* loop = Create<THIFor>();
    THIThread* thread = Create<THIThread>();
    count->CountValue = 0;
    count->MinValue = 1;
    count->Max = kSearchMostSteps;
    count->Step = 1;
    count->Direction = 0;
    loop->StartDef = 1;
    loop->EndDef = kSearchMostSteps;
    loop->Step = 1;
    loop->IncludeEnd = true;
    loop->UseInData = false;
    thread->Delay = 0;
    thread->RunOnce = true;
    // A start while busy stays ignored: the search is started by doRestart,
    // which ends a busy worker first.
    thread->Restart = false;
    thread->onExecute = MakeLink<&THIFor::doFor>(loop);
    // Where no worker can be started, the loop runs on the caller's thread.
    thread->onError = MakeLink<&THIFor::doFor>(loop);
    return {count, loop, thread};
  }

  // Lets `readers` links read `source`.
  THIGetData* AddFan(THI_Event source, int32_t readers) {
    THIGetData* fan = Create<THIGetData>();
    fan->Count = readers;
    fan->Data = std::move(source);
    return fan;
  }
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
