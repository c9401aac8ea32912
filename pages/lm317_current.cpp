#include "pages/lm317_current.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/power_rating.h"

namespace {

constexpr TRowGrid kGrid{315, 60, 330, 380, 20, kCharSetCyrillic, false};
// Three lines separated by a lone CR, the first two ending in a blank.
const char kRangeWarning[] = "R3 - Out of range \r0.8<R3<125 for LM317 \r0.4<R3<125 for LM150,LM350";

// The current resistor: method doCalc; data input Iout (amperes); events
// onR (R = 1.25/Iout, ohms) and onP (P = R*Iout^2, watts); data output P,
// the last power. R outside 0.4 to 125 ohms shows a warning after both
// results have gone out; nothing is stopped.
constexpr TMethodPoint kResistorDoCalc{0};
constexpr TDataInPoint kResistorIout{0};
constexpr TEventPoint kResistorOnR{0};
constexpr TEventPoint kResistorOnP{1};
constexpr TDataOutPoint kResistorP{0};

class TClassMultiElement_28C18E4 : public TCalcScheme {
 public:
  TClassMultiElement_28C18E4() {
    Bridge = Create<THIEditMulti>();
    THIGetData* ioutFan = Create<THIGetData>();
    THIMathParse* rFormula = AddFormula("1.25/%1", 1, TResultKind::Real);
    THIGetData* rFan = Create<THIGetData>();
    THIMathParse* pFormula = AddFormula("%1*%2*%2", 2, TResultKind::Real);
    THIIf_else* tooSmall = Create<THIIf_else>();
    THIIf_else* tooLarge = Create<THIIf_else>();
    THIHub* warnHub = Create<THIHub>();
    THIMessage* rangeWarning = AddWarning(kRangeWarning);
    THIHub* rHub = Create<THIHub>();

    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(1);
    ioutFan->Count = 2;
    rFan->Count = 3;
    tooSmall->Type = CompareLess;
    SetString(tooSmall->Op2Def, "0.4");
    tooLarge->Type = CompareGreater;
    SetInteger(tooLarge->Op2Def, 125);
    warnHub->InCount = 2;
    warnHub->SetOutCount(1);
    rHub->SetOutCount(3);

    Entry(Bridge, kResistorDoCalc) = MakeLink<&THIHub::doEvent>(rHub);
    ioutFan->Data = Outer(Bridge, kResistorIout);
    rHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(rFormula);
    rHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(pFormula);
    rHub->onEvent[2] = MakeLink<&THIIf_else::doCompare>(tooSmall);
    rFormula->X[0] = MakeLink<&THIGetData::Value>(ioutFan, 0);
    rFormula->onResult = Exit(Bridge, kResistorOnR);
    rFan->Data = MakeLink<&THIMathParse::Result>(rFormula);
    pFormula->X[0] = MakeLink<&THIGetData::Value>(rFan, 0);
    pFormula->X[1] = MakeLink<&THIGetData::Value>(ioutFan, 1);
    pFormula->onResult = Exit(Bridge, kResistorOnP);
    tooSmall->Op1 = MakeLink<&THIGetData::Value>(rFan, 1);
    tooSmall->onTrue = MakeLink<&THIHub::doEvent>(warnHub, 0);
    tooSmall->onFalse = MakeLink<&THIIf_else::doCompare>(tooLarge);
    tooLarge->Op1 = MakeLink<&THIGetData::Value>(rFan, 2);
    tooLarge->onTrue = MakeLink<&THIHub::doEvent>(warnHub, 1);
    warnHub->onEvent[0] = MakeLink<&THIMessage::doMessage>(rangeWarning);
    Answer(Bridge, kResistorP) = MakeLink<&THIMathParse::Result>(pFormula);
  }

  THIEditMulti* Bridge;
};

TChildScheme MakeCurrentResistor(TControl*) { return MakeChildScheme<TClassMultiElement_28C18E4>(); }

}  // namespace

TClassChildGroupBox_28BDDE8::TClassChildGroupBox_28BDDE8(TControl* parent) {
  MakePage(parent, 1, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, kLm317CurrentSchematic);
  THIEdit* iout = AddLoadRow(20);
  const TResistorRows rows = AddResistorRows(55);
  Describe("LM317 Current");

  THIMultiElement* calcPanel = AddCalcPanel(kCalcPanelAtFoot);
  THIMultiElement* resistor = AddHost(Box(), &MakeCurrentResistor, 2, 1);

  On(calcPanel, kPanelOnCalculate) = AddSteps(
      {Call(resistor, kResistorDoCalc), AddRatingStep({"%1/0.7", false, true}, Read(resistor, kResistorP), rows.Rating)});
  In(resistor, kResistorIout) = MakeLink<&THIEdit::Value>(iout);
  rows.R1.Show(resistor, kResistorOnR, 2, TRoundingNames::Lm317CurrentR1);
  rows.Power.Show(resistor, kResistorOnP, 2, TRoundingNames::Lm317CurrentPower);
}
