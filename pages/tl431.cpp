#include "pages/tl431.h"

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/range_check.h"

namespace {

// The Vin row is set in the Cyrillic character set, the rest of the page in
// the default one.
const TPageFonts kFonts = PageFonts(1);
const TPageFonts kVinFonts = PageFonts(204);
const TFontRec kSmallCyr = MakeFontRec("Arial", 8, FontBold, 204, 0x808080);

}  // namespace

TClassChildGroupBox_1191F04::TClassChildGroupBox_1191F04(TControl* parent) {
  MakePage(parent, 1);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP3");
  AddLabel(Box(), {318, 20, 25, 20}, "Vin", kVinFonts.Caption);
  AddLabel(Box(), {263, 22, 25, 18}, "min", kSmallCyr);
  THIEdit* vinMinEdit = AddEdit(Box(), {285, 15, 30, 21}, "7.5", "Minimum input voltage", kVinFonts.Input, 0);
  AddLabel(Box(), {373, 22, 27, 18}, "max", kSmallCyr);
  THIEdit* vinMaxEdit = AddEdit(Box(), {342, 15, 30, 21}, "9", "Maximum input voltage", kVinFonts.Input, 0);
  THILabel* vinUnit = AddLabel(Box(), {400, 20, 13, 20}, "V", kVinFonts.Caption);
  THILabel* voutEditCaption = AddLabel(Box(), {280, 45, 25, 15}, "Vout:", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {335, 40, 40, 21}, "5", "Output voltage", kFonts.Input, 2);
  THILabel* voutEditUnit = AddLabel(Box(), {380, 45, 15, 15}, "V", kFonts.Caption);
  THILabel* ioutEditCaption = AddLabel(Box(), {280, 70, 25, 15}, "Iout:", kFonts.Caption);
  THIEdit* ioutEdit = AddEdit(Box(), {335, 65, 40, 21}, "100", "Maximum output current", kFonts.Input, 4);
  THILabel* ioutEditUnit = AddLabel(Box(), {380, 70, 25, 15}, "mA", kFonts.Caption);
  THILabel* ratioEditCaption = AddLabel(Box(), {280, 95, 50, 15}, "Idiv/Iref:", kFonts.Caption);
  THIEdit* ratioEdit = AddEdit(Box(), {335, 90, 40, 21}, "200", "", kFonts.Input, 2);
  THILabel* r1ValueCaption = AddLabel(Box(), {280, 120, 35, 15}, "R1=", kFonts.Caption);
  THILabel* r1Value = AddLabel(Box(), {325, 120, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* r1ValueUnit = AddLabel(Box(), {380, 120, 26, 20}, "Om", kFonts.Caption);
  THILabel* powerValueCaption = AddLabel(Box(), {280, 140, 45, 20}, "P(R1)=", kFonts.Caption);
  THILabel* powerValue = AddLabel(Box(), {325, 140, 31, 20}, "0", kFonts.Result, "", true);
  THILabel* powerValueUnit = AddLabel(Box(), {380, 140, 17, 20}, "W", kFonts.Caption);
  THILabel* r2ValueCaption = AddLabel(Box(), {280, 160, 35, 15}, "R2=", kFonts.Caption);
  THILabel* r2Value = AddLabel(Box(), {325, 160, 50, 15}, "0", kFonts.Result, "", true);
  THILabel* r2ValueUnit = AddLabel(Box(), {380, 160, 33, 20}, "kOm", kFonts.Caption);
  THILabel* r3ValueCaption = AddLabel(Box(), {280, 180, 35, 15}, "R3=", kFonts.Caption);
  THILabel* r3Value = AddLabel(Box(), {325, 180, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* r3ValueUnit = AddLabel(Box(), {380, 180, 33, 20}, "kOm", kFonts.Caption);
  Describe("TL431", {{nullptr, vinMinEdit, vinUnit, "Vin min"},
                       {nullptr, vinMaxEdit, vinUnit, "Vin max"},
                       {voutEditCaption, voutEdit, voutEditUnit, ""},
                       {ioutEditCaption, ioutEdit, ioutEditUnit, ""},
                       {ratioEditCaption, ratioEdit, nullptr, ""},
                       {r1ValueCaption, r1Value, r1ValueUnit, "", true},
                       {powerValueCaption, powerValue, powerValueUnit, ""},
                       {r2ValueCaption, r2Value, r2ValueUnit, "", true},
                       {r3ValueCaption, r3Value, r3ValueUnit, "", true}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{275, 195, 130, 33}, 3}); }, 1, 0);
  THIGetData* voutFan = Create<THIGetData>();
  THIGetData* ioutFan = Create<THIGetData>();
  THIGetData* ratioFan = Create<THIGetData>();
  THIGetData* vinMinFan = Create<THIGetData>();
  THIGetData* vinMaxFan = Create<THIGetData>();
  THIMultiElement* voutCheck = AddVoutCheck();
  THIIf_else* headroomCheck = Create<THIIf_else>();
  THIMessage* headroomError = Create<THIMessage>();
  THIIf_else* ratioCheck = Create<THIIf_else>();
  THIMessage* ratioWarning = Create<THIMessage>();
  THIIf_else* inputRangeCheck = Create<THIIf_else>();
  THIMessage* inputRangeError = Create<THIMessage>();
  THIIf_else* currentCheck = Create<THIIf_else>();
  THIMessage* currentWarning = Create<THIMessage>();
  THIHub* calcHub = Create<THIHub>();
  THIMathParse* r1Calc = Create<THIMathParse>();
  THIMathParse* powerCalc = Create<THIMathParse>();
  const TDivider divider =
      AddDivider(MakeLink<&THIGetData::Value>(ratioFan, 1), voutCheck, r3Value, 32, r2Value, 36);
  THIMultiElementEx* r1Digits = AddRounding(2, 40);
  THIMultiElementEx* powerDigits = AddRounding(2, 44);

  voutFan->Count = 4;
  voutFan->Data = MakeLink<&THIEdit::Value>(voutEdit);
  ioutFan->Count = 3;
  ioutFan->Data = MakeLink<&THIEdit::Value>(ioutEdit);
  ratioFan->Count = 4;
  ratioFan->Data = MakeLink<&THIEdit::Value>(ratioEdit);
  vinMinFan->Count = 3;
  vinMinFan->Data = MakeLink<&THIEdit::Value>(vinMinEdit);
  vinMaxFan->Count = 2;
  vinMaxFan->Data = MakeLink<&THIEdit::Value>(vinMaxEdit);
  headroomCheck->Type = CompareGreaterOrEqual;
  SetMessage(headroomError, "Output Voltage too high for selected minimum input voltage. \r\rCalculations stopped. ",
             "Error!", 1);
  ratioCheck->Type = CompareLess;
  SetInteger(ratioCheck->Op2Def, 100);
  SetMessage(ratioWarning, "Divider-Current to Reference-Current Ratio should be greater than 100.", "Warning!", 5);
  inputRangeCheck->Type = CompareGreater;
  SetMessage(inputRangeError, "Maximum input voltage is lower than minimum input voltage. \r\rCalculations stopped. ",
             "Error!", 1);
  currentCheck->Type = CompareLessOrEqual;
  SetInteger(currentCheck->Op2Def, 100);
  SetMessage(currentWarning, "Output current must be < 100mA. ", "Warning!", 5);
  calcHub->InCount = 1;
  calcHub->SetOutCount(4);
  SetFormula(r1Calc, "((%1 - %2 * 1.02) * 1000) / ( %3 + (4 * %4 / 1000) + 1)", 4, 1);
  SetFormula(powerCalc, "(%1 - (%2 * 0.98)) * ((%3 + (4 * %4 / 1000) +1) / 1000)", 4, 1);

  calcPanel->Events[0] = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIGetData::Value>(voutFan, 0);
  On(voutCheck, kRangeOnValid) = MakeLink<&THIIf_else::doCompare>(headroomCheck);
  headroomCheck->Op1 = MakeLink<&THIGetData::Value>(voutFan, 1);
  headroomCheck->Op2 = MakeLink<&THIGetData::Value>(vinMinFan, 0);
  headroomCheck->onTrue = MakeLink<&THIMessage::doMessage>(headroomError);
  headroomCheck->onFalse = MakeLink<&THIIf_else::doCompare>(ratioCheck);
  ratioCheck->Op1 = MakeLink<&THIGetData::Value>(ratioFan, 0);
  ratioCheck->onTrue = MakeLink<&THIMessage::doMessage>(ratioWarning);
  ratioCheck->onFalse = MakeLink<&THIIf_else::doCompare>(inputRangeCheck);
  inputRangeCheck->Op1 = MakeLink<&THIGetData::Value>(vinMaxFan, 0);
  inputRangeCheck->Op2 = MakeLink<&THIGetData::Value>(vinMinFan, 1);
  inputRangeCheck->onTrue = MakeLink<&THIIf_else::doCompare>(currentCheck);
  inputRangeCheck->onFalse = MakeLink<&THIMessage::doMessage>(inputRangeError);
  currentCheck->Op1 = MakeLink<&THIGetData::Value>(ioutFan, 0);
  currentCheck->onTrue = MakeLink<&THIHub::doEvent>(calcHub);
  currentCheck->onFalse = MakeLink<&THIMessage::doMessage>(currentWarning);
  calcHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(divider.R3);
  calcHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(divider.R2);
  calcHub->onEvent[2] = MakeLink<&THIMathParse::doCalc>(r1Calc);
  calcHub->onEvent[3] = MakeLink<&THIMathParse::doCalc>(powerCalc);
  r1Calc->X[0] = MakeLink<&THIGetData::Value>(vinMinFan, 2);
  r1Calc->X[1] = MakeLink<&THIGetData::Value>(voutFan, 2);
  r1Calc->X[2] = MakeLink<&THIGetData::Value>(ioutFan, 1);
  r1Calc->X[3] = MakeLink<&THIGetData::Value>(ratioFan, 2);
  r1Calc->onResult = Call(r1Digits, kRoundDoConvReal);
  On(r1Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r1Value);
  powerCalc->X[0] = MakeLink<&THIGetData::Value>(vinMaxFan, 1);
  powerCalc->X[1] = MakeLink<&THIGetData::Value>(voutFan, 3);
  powerCalc->X[2] = MakeLink<&THIGetData::Value>(ioutFan, 2);
  powerCalc->X[3] = MakeLink<&THIGetData::Value>(ratioFan, 3);
  powerCalc->onResult = Call(powerDigits, kRoundDoConvReal);
  On(powerDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(powerValue);
}

// --- Shared with the TL431 with LM317 page -------------------------------------

THIMultiElement* TTl431Page::AddVoutCheck() {
  return AddHost(
      Box(),
      [](TControl* p) {
        return MakeRangeCheck(p, {TRangeShape::TwoBounds, TextValue("2.5"), IntegerValue(36),
                                  "Output Voltage must be between 2.5 and  36 V."});
      },
      1, 1);
}

TTl431Page::TDivider TTl431Page::AddDivider(THI_Event ratio, THIMultiElement* voutCheck, THILabel* r3, int r3Names,
                                            THILabel* r2, int r2Names) {
  TDivider d{Create<THIMathParse>(), Create<THIMathParse>()};
  SetFormula(d.R3, "(2.495*1000000) / (4*%1)", 1, 0);
  SetFormula(d.R2, "(%1-2.495)*%2/2.495", 2, 0);
  d.R3->X[0] = ratio;
  ShowRounded(d.R3->onResult, r3, 3, r3Names, true);
  d.R2->X[0] = Read(voutCheck, kRangeValue);
  d.R2->X[1] = MakeLink<&THIMathParse::Result>(d.R3);
  ShowRounded(d.R2->onResult, r2, 3, r2Names, true);
  return d;
}
