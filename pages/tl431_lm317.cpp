#include "pages/tl431_lm317.h"

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/range_check.h"

namespace {

// The capacitor choice: doChoose reads the output voltage through the
// data input Vout, takes its integer part and fires the C1 limits of its
// band as texts: picofarads on onLow, then microfarads on onHigh. Bands:
// up to 3 V, 4 to 8 V, above 8 V.
constexpr TMethodPoint kCapacitorDoChoose{0};
constexpr TDataInPoint kCapacitorVout{0};
constexpr TEventPoint kCapacitorOnLow{0};
constexpr TEventPoint kCapacitorOnHigh{1};

class TClassMultiElement_28E9C80 : public TScheme {
 public:
  TClassMultiElement_28E9C80() {
    Bridge = Create<THIEditMulti>();
    THIConvertor* voutToInt = Create<THIConvertor>();
    THIIf_else* upto3 = Create<THIIf_else>();
    THIIf_else* upto8 = Create<THIIf_else>();
    THIHub* band1 = Create<THIHub>();
    THIHub* band2 = Create<THIHub>();
    THIHub* band3 = Create<THIHub>();
    THIDoData* low1 = Create<THIDoData>();
    THIDoData* high1 = Create<THIDoData>();
    THIDoData* low2 = Create<THIDoData>();
    THIDoData* high2 = Create<THIDoData>();
    THIDoData* low3 = Create<THIDoData>();
    THIDoData* high3 = Create<THIDoData>();
    THIHub* lowHub = Create<THIHub>();
    THIHub* highHub = Create<THIHub>();

    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(0);
    voutToInt->Mode = ConvertToInteger;
    voutToInt->Digits = 2;
    upto3->Type = CompareLessOrEqual;
    SetInteger(upto3->Op2Def, 3);
    upto8->Type = CompareLessOrEqual;
    SetInteger(upto8->Op2Def, 8);
    band1->SetOutCount(2);
    band2->SetOutCount(2);
    band3->SetOutCount(2);
    SetString(low1->DataDef, "6200");
    SetString(high1->DataDef, "3.3");
    SetString(low2->DataDef, "27000");
    SetString(high2->DataDef, "1.5");
    SetString(low3->DataDef, "33000");
    SetString(high3->DataDef, "0.082");
    lowHub->InCount = 3;
    lowHub->SetOutCount(1);
    highHub->InCount = 3;
    highHub->SetOutCount(1);

    Entry(Bridge, kCapacitorDoChoose) = MakeLink<&THIConvertor::doConvert>(voutToInt);
    voutToInt->Data = Outer(Bridge, kCapacitorVout);
    voutToInt->onResult = MakeLink<&THIIf_else::doCompare>(upto3);
    upto3->onTrue = MakeLink<&THIHub::doEvent>(band1);
    upto3->onFalse = MakeLink<&THIIf_else::doCompare>(upto8);
    upto8->onTrue = MakeLink<&THIHub::doEvent>(band2);
    upto8->onFalse = MakeLink<&THIHub::doEvent>(band3);
    band1->onEvent[0] = MakeLink<&THIDoData::doData>(low1);
    band1->onEvent[1] = MakeLink<&THIDoData::doData>(high1);
    band2->onEvent[0] = MakeLink<&THIDoData::doData>(low2);
    band2->onEvent[1] = MakeLink<&THIDoData::doData>(high2);
    band3->onEvent[0] = MakeLink<&THIDoData::doData>(low3);
    band3->onEvent[1] = MakeLink<&THIDoData::doData>(high3);
    low1->onEventData = MakeLink<&THIHub::doEvent>(lowHub, 0);
    low2->onEventData = MakeLink<&THIHub::doEvent>(lowHub, 1);
    low3->onEventData = MakeLink<&THIHub::doEvent>(lowHub, 2);
    high1->onEventData = MakeLink<&THIHub::doEvent>(highHub, 0);
    high2->onEventData = MakeLink<&THIHub::doEvent>(highHub, 1);
    high3->onEventData = MakeLink<&THIHub::doEvent>(highHub, 2);
    lowHub->onEvent[0] = Exit(Bridge, kCapacitorOnLow);
    highHub->onEvent[0] = Exit(Bridge, kCapacitorOnHigh);
  }

  THIEditMulti* Bridge;
};

TChildScheme MakeCapacitorChoice(TControl*) { return MakeChildScheme<TClassMultiElement_28E9C80>(); }

}  // namespace

TClassChildGroupBox_28BC1D8::TClassChildGroupBox_28BC1D8(TControl* parent) {
  MakePage(parent, 1, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, kTl431Lm317Schematic);
  const TInputs in = AddInputRows(20, &THIEdit::ReadIntegerText);
  const TResultRow r1 = AddR1Row(95);
  const TDividerRows dividerRows = AddDividerRows(115);
  const TResultRow c1Low = AddResultRow(155, {"C1:", 25}, {"", 45}, {"<pF", 23});
  const TResultRow c1High = AddResultRow(175, c1Low.Caption, {"", 45}, {">uF", 23});
  Describe("TL431+LM317");

  THIMultiElement* calcPanel = AddCalcPanel(kPanelPlace);
  THIMultiElement* voutCheck = AddVoutCheck();
  const TDivider divider =
      AddDivider(in.Ratio, voutCheck, dividerRows, {TRoundingNames::Tl431Lm317R3, TRoundingNames::Tl431Lm317R2});
  THIMathParse* r1Calc = AddFormula("1.25/((%1+1)/1000)", 1, TResultKind::Real);
  THIMultiElement* capChoice = AddHost(Box(), &MakeCapacitorChoice, 2, 1);

  On(calcPanel, kPanelOnCalculate) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(in.Vout);
  const THI_Event calculate =
      AddSteps({MakeLink<&THIMathParse::doCalc>(divider.R3), MakeLink<&THIMathParse::doCalc>(divider.R2),
                MakeLink<&THIMathParse::doCalc>(r1Calc), Call(capChoice, kCapacitorDoChoose)});
  On(voutCheck, kRangeOnValid) = AddRatioCheck(in.Ratio, AddCurrentCheck(in.Iout, calculate));
  r1Calc->X[0] = MakeLink<&THIEdit::Value>(in.Iout);
  r1.Show(r1Calc->onResult, 2, TRoundingNames::Tl431Lm317R1);
  In(capChoice, kCapacitorVout) = MakeLink<&THIEdit::Value>(in.Vout);
  On(capChoice, kCapacitorOnLow) = MakeLink<&THILabel::doText>(c1Low.Value);
  On(capChoice, kCapacitorOnHigh) = MakeLink<&THILabel::doText>(c1High.Value);
}
