#include "pages/78xx_voltage.h"

#include "elements/branching.h"
#include "pages/choice_check.h"
#include "pages/range_check.h"

namespace {

constexpr TRowGrid kGrid{315, 55, 310, 375, 20, kCharSetCyrillic, false};
const char kR2Hint[] = "calculated value of the resistor R2";

}  // namespace

TClassChildGroupBox_28DD42C::TClassChildGroupBox_28DD42C(TControl* parent) {
  MakePage(parent, 2, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, k78xxVoltageSchematic);
  const TDeviceTable table = AddDeviceTable(k78xxVoltageTypes, {{k78xxVoltageVolts, IntegerValue(5)}});
  THIMemory* deviceVoltage = table.Columns[0];
  THIEdit* vout = AddEditRow(45, {"Vout", 33}, {"15", "Output voltage", 1}, {"V", 13});
  THIComboBox* r1 = AddListRow(70, {"R1", 20}, {k78xxVoltageR1List, kR1ListHint, 0, false}, {"Om", 26});
  const TResultRow r2 = AddResultRow(105, {"R2=", 28}, {"", 11}, {"Om", 26}, {kR2Hint, kResistorRow});
  Describe("78xx Voltage");

  THIMultiElement* voutCheck = AddRangeCheck({TRangeShape::Device, TextValue("5"), IntegerValue(33),
                                              "Output Voltage must be between %1 and  33 V for this type of device."});
  THIMathParse* r2Calc = AddFormula("(%1-%3) / ((%3/%2)+0.0033)", 3, TResultKind::Real);
  THIIf_else* deviceCheck = AddCheck(CompareGreater, {}, nullptr, true);
  // A type typed but not in the list ends the calculation before any check.
  AddTypeOpening(table.Types, Call(voutCheck, kRangeDoCheck));
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(vout);
  In(voutCheck, kRangeMinVoltage) = MakeLink<&THIMemory::Value>(deviceVoltage);
  On(voutCheck, kRangeOnValid) = MakeLink<&THIIf_else::doCompare>(deviceCheck);
  deviceCheck->Op1 = Read(voutCheck, kRangeValue);
  deviceCheck->Op2 = MakeLink<&THIMemory::Value>(deviceVoltage);
  deviceCheck->onTrue = MakeLink<&THIMathParse::doCalc>(r2Calc);
  deviceCheck->onFalse = AddWarningOf("Output voltage must be greater then %1V for this type of device.",
                                      MakeLink<&THIMemory::Value>(deviceVoltage));
  Feed(r2Calc,
       {Read(voutCheck, kRangeValue), MakeLink<&THIComboBox::Text>(r1), MakeLink<&THIMemory::Value>(deviceVoltage)});
  r2.Show(r2Calc->onResult, 2, TRoundingNames::V78xxR2);
  AddStartPicks(table.Types, r1, "240");
}
