#include "pages/78xx_current.h"

#include "elements/branching.h"
#include "pages/power_rating.h"
#include "pages/range_check.h"

TClassChildGroupBox_2137818::TClassChildGroupBox_2137818(TControl* parent) {
  MakePage(parent, 2, {315, 55, 330, 380, 20, kCharSetCyrillic, false});
  AddSchematic(Box(), {10, 19, 250, 200}, k78xxCurrentSchematic);
  const TDeviceTable table = AddDeviceTable(
      k78xxCurrentTypes, {{k78xxCurrentVolts, IntegerValue(5)}, {k78xxCurrentAmps, TextValue("1.5")}});
  THIMemory* deviceVoltage = table.Columns[0];
  THIMemory* maximumCurrent = table.Columns[1];
  THIEdit* load = AddLoadRow(45);
  const TResistorRows rows = AddResistorRows(80);
  Describe("78xx Current");

  // Iload <= Imax, then Iload >= 0.005; either failing shows the one
  // message. The lower bound keeps the R1 divisor (Iload - 0.0033) away
  // from zero; held as text, it reads exactly as the same digits typed.
  THIIf_else* currentCheck = AddCheck(CompareLessOrEqual, {}, nullptr, true);
  THIIf_else* lowCurrentCheck = AddCheck(CompareGreaterOrEqual, TextValue("0.005"), nullptr, true);
  THIMathParse* r1Calc = AddFormula("%2 / (%1-0.0033)", 2, TResultKind::Real);
  THIMathParse* powerCalc = AddFormula("(%2*%2) / %1", 2, TResultKind::Real);
  const THI_Event currentWarning =
      AddWarningOf("Output current must be between 0.005 and %1 A for this type of device. ",
                   MakeLink<&THIMemory::Value>(maximumCurrent));

  // A type typed but not in the list ends the calculation before any check.
  AddTypeOpening(table.Types, MakeLink<&THIIf_else::doCompare>(currentCheck));
  currentCheck->Op1 = MakeLink<&THIEdit::Value>(load);
  currentCheck->Op2 = MakeLink<&THIMemory::Value>(maximumCurrent);
  currentCheck->onTrue = MakeLink<&THIIf_else::doCompare>(lowCurrentCheck);
  currentCheck->onFalse = currentWarning;
  lowCurrentCheck->Op1 = MakeLink<&THIEdit::Value>(load);
  lowCurrentCheck->onTrue =
      AddSteps({MakeLink<&THIMathParse::doCalc>(r1Calc), MakeLink<&THIMathParse::doCalc>(powerCalc),
                AddRatingStep({"%1/0.75", true, true}, MakeLink<&THIMathParse::Result>(powerCalc), rows.Rating)});
  lowCurrentCheck->onFalse = currentWarning;
  Feed(r1Calc, {MakeLink<&THIEdit::Value>(load), MakeLink<&THIMemory::Value>(deviceVoltage)});
  Feed(powerCalc, {MakeLink<&THIMathParse::Result>(r1Calc), MakeLink<&THIMemory::Value>(deviceVoltage)});
  rows.R1.Show(r1Calc->onResult, 2, TRoundingNames::I78xxR1);
  rows.Power.Show(powerCalc->onResult, 2, TRoundingNames::I78xxPower);
  AddStartPicks(table.Types);
}
