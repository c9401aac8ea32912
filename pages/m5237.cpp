#include "pages/m5237.h"

#include "pages/choice_check.h"
#include "pages/range_check.h"

TClassChildGroupBox_28CCE9C::TClassChildGroupBox_28CCE9C(TControl* parent) {
  MakePage(parent, 2, {315, 60, 325, 380, 15, kCharSetDefault, true});
  AddSchematic(Box(), {10, 19, 250, 199}, kM5237Schematic);
  THIEdit* vout = AddVoutRow(20);
  THIComboBox* r1 = AddR1ListRow(45, {kM5237R1List, kR1ListHint, 3, true});
  const TResultRow r2 = AddResultRow(80, {"R2=", 35}, {"", 50}, {"kOm", 33, 20}, {"", kResistorRow});
  Describe("M5237");

  THIMathParse* r2Calc = AddFormula("%2* ((%1/1.26) -1)          ", 2, TResultKind::Integer);
  THIMultiElement* voutCheck =
      AddVoutR1Checks({TRangeShape::TwoBounds, TextValue("1.5"), IntegerValue(33),
                       "Output Voltage must be between 1.5 and  33 V."},
                      vout, r1, MakeLink<&THIMathParse::doCalc>(r2Calc));
  Feed(r2Calc, {Read(voutCheck, kRangeValue), MakeLink<&THIComboBox::Value>(r1)});
  r2.Show(r2Calc->onResult, 3, TRoundingNames::M5237R2, TScale::Thousands);
  Entry(Bridge, kPageDoPreset) = AddPreset(r1, "4300");
}
