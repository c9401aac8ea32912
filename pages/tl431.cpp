#include "pages/tl431.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "pages/range_check.h"

namespace {

const char kHeadroomError[] = "Output Voltage too high for selected minimum input voltage. \r\rCalculations stopped. ";
const char kInputRangeError[] = "Maximum input voltage is lower than minimum input voltage. \r\rCalculations stopped. ";

}  // namespace

TClassChildGroupBox_1191F04::TClassChildGroupBox_1191F04(TControl* parent) {
  MakePage(parent, 1, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, kTl431Schematic);
  const TVinFields vin = AddVinRow();
  const TInputs in = AddInputRows(45, &THIEdit::ReadRealText);
  const TResultRow r1 = AddR1Row(120);
  const TResultRow power = AddResultRow(140, {"P(R1)=", 45, 20}, {"", 31, 20}, {"W", 17, 20});
  const TDividerRows dividerRows = AddDividerRows(160);
  Describe("TL431");

  THIMultiElement* calcPanel = AddCalcPanel(kPanelPlace);
  THIMultiElement* voutCheck = AddVoutCheck();
  THIIf_else* headroomCheck = AddCheck(CompareGreaterOrEqual, {}, AddError(kHeadroomError), false);
  THIIf_else* inputRangeCheck = AddCheck(CompareGreater, {}, AddError(kInputRangeError), true);
  const TDivider divider =
      AddDivider(in.Ratio, voutCheck, dividerRows, {TRoundingNames::Tl431R3, TRoundingNames::Tl431R2});
  THIMathParse* r1Calc = AddFormula("((%1 - %2 * 1.02) * 1000) / ( %3 + (4 * %4 / 1000) + 1)", 4, TResultKind::Real);
  THIMathParse* powerCalc =
      AddFormula("(%1 - (%2 * 0.98)) * ((%3 + (4 * %4 / 1000) +1) / 1000)", 4, TResultKind::Real);

  On(calcPanel, kPanelOnCalculate) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(in.Vout);
  On(voutCheck, kRangeOnValid) = MakeLink<&THIIf_else::doCompare>(headroomCheck);
  headroomCheck->Op1 = MakeLink<&THIEdit::Value>(in.Vout);
  headroomCheck->Op2 = MakeLink<&THIEdit::Value>(vin.Min);
  headroomCheck->onFalse = AddRatioCheck(in.Ratio, MakeLink<&THIIf_else::doCompare>(inputRangeCheck));
  inputRangeCheck->Op1 = MakeLink<&THIEdit::Value>(vin.Max);
  inputRangeCheck->Op2 = MakeLink<&THIEdit::Value>(vin.Min);
  inputRangeCheck->onTrue = AddCurrentCheck(
      in.Iout, AddSteps({MakeLink<&THIMathParse::doCalc>(divider.R3), MakeLink<&THIMathParse::doCalc>(divider.R2),
                         MakeLink<&THIMathParse::doCalc>(r1Calc), MakeLink<&THIMathParse::doCalc>(powerCalc)}));
  const THI_Event vout = MakeLink<&THIEdit::Value>(in.Vout), iout = MakeLink<&THIEdit::Value>(in.Iout);
  const THI_Event ratio = MakeLink<&THIEdit::Value>(in.Ratio);
  Feed(r1Calc, {MakeLink<&THIEdit::Value>(vin.Min), vout, iout, ratio});
  Feed(powerCalc, {MakeLink<&THIEdit::Value>(vin.Max), vout, iout, ratio});
  r1.Show(r1Calc->onResult, 2, TRoundingNames::Tl431R1);
  power.Show(powerCalc->onResult, 2, TRoundingNames::Tl431Power);
}

// The Vin row, hand-placed: "min" and "max" beside their fields, the row
// set in the Cyrillic character set.
TClassChildGroupBox_1191F04::TVinFields TClassChildGroupBox_1191F04::AddVinRow() {
  const TPageFonts fonts = PageFonts(kCharSetCyrillic);
  const TFontRec small = MakeFontRec("Arial", 8, FontBold, kCharSetCyrillic, 0x808080);
  AddLabel(Box(), {318, 20, 25, 20}, "Vin", fonts.Caption);
  AddLabel(Box(), {263, 22, 25, 18}, "min", small);
  THIEdit* min = AddEdit(Box(), {285, 15, 30, 21}, "7.5", "Minimum input voltage", fonts.Input, 0);
  AddLabel(Box(), {373, 22, 27, 18}, "max", small);
  THIEdit* max = AddEdit(Box(), {342, 15, 30, 21}, "9", "Maximum input voltage", fonts.Input, 0);
  THILabel* unit = AddLabel(Box(), {400, 20, 13, 20}, "V", fonts.Caption);
  AddItem({nullptr, min, unit, "Vin min"});
  AddItem({nullptr, max, unit, "Vin max"});
  return {min, max};
}

// --- Shared with the TL431 with LM317 page -------------------------------------

TTl431Page::TInputs TTl431Page::AddInputRows(int32_t top, THIEdit::TValueReader ratioReader) {
  THIEdit* vout = AddVoutRow(top);
  THIEdit* iout = AddEditRow(top + 25, {"Iout:", 25}, {"100", "Maximum output current", 4}, {"mA", 25});
  THIEdit* ratio = AddEditRow(top + 50, {"Idiv/Iref:", 50}, {"200", "", 2, ratioReader});
  return {vout, iout, ratio};
}

TPageScheme::TResultRow TTl431Page::AddR1Row(int32_t top) {
  return AddResultRow(top, {"R1=", 35}, {"", 45}, {"Om", 26, 20}, {"", kResistorRow});
}

TTl431Page::TDividerRows TTl431Page::AddDividerRows(int32_t top) {
  TResultRow r2 = AddResultRow(top, {"R2=", 35}, {"", 50}, {"kOm", 33, 20}, {"", kResistorRow});
  TResultRow r3 = AddResultRow(top + 20, {"R3=", 35}, {"", 45}, {"kOm", 33, 20}, {"", kResistorRow});
  return {r2, r3};
}

THIMultiElement* TTl431Page::AddVoutCheck() {
  return AddRangeCheck(
      {TRangeShape::TwoBounds, TextValue("2.5"), IntegerValue(36), "Output Voltage must be between 2.5 and  36 V."});
}

THI_Event TTl431Page::AddRatioCheck(THIEdit* ratio, THI_Event next) {
  THIIf_else* check = AddCheck(CompareLess, IntegerValue(100),
                               AddWarning("Divider-Current to Reference-Current Ratio should be greater than 100."),
                               false);
  check->Op1 = MakeLink<&THIEdit::Value>(ratio);
  check->onFalse = std::move(next);
  return MakeLink<&THIIf_else::doCompare>(check);
}

THI_Event TTl431Page::AddCurrentCheck(THIEdit* iout, THI_Event next) {
  THIIf_else* check =
      AddCheck(CompareLessOrEqual, IntegerValue(100), AddWarning("Output current must be < 100mA. "), true);
  check->Op1 = MakeLink<&THIEdit::Value>(iout);
  check->onTrue = std::move(next);
  return MakeLink<&THIIf_else::doCompare>(check);
}

TTl431Page::TDivider TTl431Page::AddDivider(THIEdit* ratio, THIMultiElement* voutCheck, const TDividerRows& rows,
                                            TDividerNames names) {
  TDivider d{AddFormula("(2.495*1000000) / (4*%1)", 1, TResultKind::Integer),
             AddFormula("(%1-2.495)*%2/2.495", 2, TResultKind::Integer)};
  d.R3->X[0] = MakeLink<&THIEdit::Value>(ratio);
  rows.R3.Show(d.R3->onResult, 3, names.R3, TScale::Thousands);
  d.R2->X[0] = Read(voutCheck, kRangeValue);
  d.R2->X[1] = MakeLink<&THIMathParse::Result>(d.R3);
  rows.R2.Show(d.R2->onResult, 3, names.R2, TScale::Thousands);
  return d;
}
