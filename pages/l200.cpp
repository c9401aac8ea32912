#include "pages/l200.h"

#include "pages/choice_check.h"

TClassChildGroupBox_1163FB8::TClassChildGroupBox_1163FB8(TControl* parent) {
  THIEdit* iout = MakeSensePage(parent, {kL200Schematic, "L200", {"2", "Output current", 4}, {"A", 15},
                                         {kL200R1List, kR1ListHint, 3, true},
                                         {TRangeShape::TwoBounds, TextValue("2.77"), TextValue("37"),
                                          "Output Voltage must be between 2.77 and  37 V."},
                                         "(%1/2.77-1)*%2 ", TRoundingNames::L200R2});
  // R3 = 0.45 V / Iout, then the power R3 dissipates.
  THIMath* r3Calc = AddQuotient(0.45);
  THIMathParse* powerCalc = AddFormula("0.2020/%1", 1, TResultKind::Real);
  r3Calc->Op2 = MakeLink<&THIEdit::Value>(iout);
  powerCalc->X[0] = MakeLink<&THIMath::Result>(r3Calc);
  AddSenseSteps({2, "Output current must be < 2A. "},
                {MakeLink<&THIMath::doOperation>(r3Calc), &r3Calc->onResult, 4, TRoundingNames::L200R3},
                {MakeLink<&THIMathParse::doCalc>(powerCalc), &powerCalc->onResult, 2, TRoundingNames::L200Power},
                MakeLink<&THIMathParse::Result>(powerCalc));
}
