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

const TPageFonts kFonts = PageFonts(1);

// The capacitor choice: "doChoose" (method 0) reads the output voltage
// through the host's data input 0 (Vout), takes its integer part and fires
// the C1 limits of its band as texts: picofarads on event 0 (onLow), then
// microfarads on event 1 (onHigh). Bands: up to 3 V, 4 to 8 V, above 8 V.
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

    Bridge->Methods[0] = MakeLink<&THIConvertor::doConvert>(voutToInt);
    voutToInt->Data = MakeLink<&THIEditMulti::Data>(Bridge, 0);
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
    lowHub->onEvent[0] = MakeLink<&THIEditMulti::onEvent>(Bridge, 0);
    highHub->onEvent[0] = MakeLink<&THIEditMulti::onEvent>(Bridge, 1);
  }

  THIEditMulti* Bridge;
};

TChildScheme MakeCapacitorChoice(TControl*) { return MakeChildScheme<TClassMultiElement_28E9C80>(); }

}  // namespace

TClassChildGroupBox_28BC1D8::TClassChildGroupBox_28BC1D8(TControl* parent) {
  MakePage(parent, 1);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP8");
  THILabel* voutEditCaption = AddLabel(Box(), {280, 20, 25, 15}, "Vout:", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {335, 15, 40, 21}, "5", "Output voltage", kFonts.Input, 2);
  THILabel* voutEditUnit = AddLabel(Box(), {380, 20, 15, 15}, "V", kFonts.Caption);
  THILabel* ioutEditCaption = AddLabel(Box(), {280, 45, 25, 15}, "Iout:", kFonts.Caption);
  THIEdit* ioutEdit = AddEdit(Box(), {335, 40, 40, 21}, "100", "Maximum output current", kFonts.Input, 4);
  THILabel* ioutEditUnit = AddLabel(Box(), {380, 45, 25, 15}, "mA", kFonts.Caption);
  THILabel* ratioEditCaption = AddLabel(Box(), {280, 70, 50, 15}, "Idiv/Iref:", kFonts.Caption);
  THIEdit* ratioEdit = AddEdit(Box(), {335, 65, 40, 21}, "200", "", kFonts.Input, 2, &THIEdit::ReadIntegerText);
  THILabel* r1ValueCaption = AddLabel(Box(), {280, 95, 35, 15}, "R1=", kFonts.Caption);
  THILabel* r1Value = AddLabel(Box(), {325, 95, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* r1ValueUnit = AddLabel(Box(), {380, 95, 26, 20}, "Om", kFonts.Caption);
  THILabel* r2ValueCaption = AddLabel(Box(), {280, 115, 35, 15}, "R2=", kFonts.Caption);
  THILabel* r2Value = AddLabel(Box(), {325, 115, 50, 15}, "0", kFonts.Result, "", true);
  THILabel* r2ValueUnit = AddLabel(Box(), {380, 115, 33, 20}, "kOm", kFonts.Caption);
  THILabel* r3ValueCaption = AddLabel(Box(), {280, 135, 35, 15}, "R3=", kFonts.Caption);
  THILabel* r3Value = AddLabel(Box(), {325, 135, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* r3ValueUnit = AddLabel(Box(), {380, 135, 33, 20}, "kOm", kFonts.Caption);
  THILabel* c1LowValueCaption = AddLabel(Box(), {280, 155, 25, 15}, "C1:", kFonts.Caption);
  THILabel* c1LowValue = AddLabel(Box(), {325, 155, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* c1LowValueUnit = AddLabel(Box(), {380, 155, 23, 15}, "<pF", kFonts.Caption);
  THILabel* c1HighValue = AddLabel(Box(), {325, 175, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* c1HighValueUnit = AddLabel(Box(), {380, 175, 23, 15}, ">uF", kFonts.Caption);
  Describe("TL431+LM317", {{voutEditCaption, voutEdit, voutEditUnit, ""},
                       {ioutEditCaption, ioutEdit, ioutEditUnit, ""},
                       {ratioEditCaption, ratioEdit, nullptr, ""},
                       {r1ValueCaption, r1Value, r1ValueUnit, "", true},
                       {r2ValueCaption, r2Value, r2ValueUnit, "", true},
                       {r3ValueCaption, r3Value, r3ValueUnit, "", true},
                       {c1LowValueCaption, c1LowValue, c1LowValueUnit, ""},
                       {c1LowValueCaption, c1HighValue, c1HighValueUnit, ""}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{275, 195, 130, 33}, 3}); }, 1, 0);
  THIGetData* voutFan = Create<THIGetData>();
  THIMultiElement* voutCheck = AddVoutCheck();
  THIGetData* ratioFan = Create<THIGetData>();
  THIIf_else* ratioGate = Create<THIIf_else>();
  THIMessage* ratioWarning = Create<THIMessage>();
  THIIf_else* currentGate = Create<THIIf_else>();
  THIMessage* currentWarning = Create<THIMessage>();
  THIHub* calcHub = Create<THIHub>();
  const TDivider divider =
      AddDivider(MakeLink<&THIGetData::Value>(ratioFan, 1), voutCheck, r3Value, 87, r2Value, 91);
  THIMathParse* r1Calc = Create<THIMathParse>();
  THIMultiElementEx* r1Digits = AddRounding(2, 95);
  THIMultiElement* capChoice = AddHost(Box(), &MakeCapacitorChoice, 2, 1);

  voutFan->Count = 2;
  ratioFan->Count = 2;
  ratioGate->Type = CompareLess;
  SetInteger(ratioGate->Op2Def, 100);
  SetMessage(ratioWarning, "Divider-Current to Reference-Current Ratio should be greater than 100.", "Warning!", 5);
  currentGate->Type = CompareLessOrEqual;
  SetInteger(currentGate->Op2Def, 100);
  SetMessage(currentWarning, "Output current must be < 100mA. ", "Warning!", 5);
  calcHub->SetOutCount(4);
  SetFormula(r1Calc, "1.25/((%1+1)/1000)", 1, 1);

  calcPanel->Events[0] = Call(voutCheck, kRangeDoCheck);
  voutFan->Data = MakeLink<&THIEdit::Value>(voutEdit);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIGetData::Value>(voutFan, 0);
  On(voutCheck, kRangeOnValid) = MakeLink<&THIIf_else::doCompare>(ratioGate);
  ratioFan->Data = MakeLink<&THIEdit::Value>(ratioEdit);
  ratioGate->Op1 = MakeLink<&THIGetData::Value>(ratioFan, 0);
  ratioGate->onTrue = MakeLink<&THIMessage::doMessage>(ratioWarning);
  ratioGate->onFalse = MakeLink<&THIIf_else::doCompare>(currentGate);
  currentGate->Op1 = MakeLink<&THIEdit::Value>(ioutEdit);
  currentGate->onTrue = MakeLink<&THIHub::doEvent>(calcHub);
  currentGate->onFalse = MakeLink<&THIMessage::doMessage>(currentWarning);
  calcHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(divider.R3);
  calcHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(divider.R2);
  calcHub->onEvent[2] = MakeLink<&THIMathParse::doCalc>(r1Calc);
  calcHub->onEvent[3] = MakeLink<&THIMultiElement::doMethod>(capChoice, 0);
  r1Calc->X[0] = MakeLink<&THIEdit::Value>(ioutEdit);
  r1Calc->onResult = Call(r1Digits, kRoundDoConvReal);
  On(r1Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r1Value);
  capChoice->Datas[0] = MakeLink<&THIGetData::Value>(voutFan, 1);
  capChoice->Events[0] = MakeLink<&THILabel::doText>(c1LowValue);
  capChoice->Events[1] = MakeLink<&THILabel::doText>(c1HighValue);
}
