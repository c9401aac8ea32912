#include "pages/ua723.h"

#include "pages/choice_check.h"

TClassChildGroupBox_2928CAC::TClassChildGroupBox_2928CAC(TControl* parent) {
  // The R1 list alone is set in the Cyrillic character set.
  THIEdit* iout = MakeSensePage(parent, {kUa723Schematic, "uA723", {"150", "Output current", 4}, {"mA", 25, 20},
                                         {kUa723R1List, kR1ListHint, 0, false, false, 0, kCharSetCyrillic},
                                         {TRangeShape::TwoBounds, TextValue("1"), TextValue("37"),
                                          "Output Voltage must be between 1 and  37 V."},
                                         "(%1*%2) -%2", TRoundingNames::Ua723R2});
  // R3 = 0.7 V / Iout and its power, with Iout in mA.
  THIMathParse* r3Calc = AddFormula("0.7 / (%1 / 1000)", 1, TResultKind::Real);
  THIMathParse* powerCalc = AddFormula("(0.7*%1) / 1000", 1, TResultKind::Real);
  r3Calc->X[0] = MakeLink<&THIEdit::Value>(iout);
  powerCalc->X[0] = MakeLink<&THIEdit::Value>(iout);
  AddSenseSteps({150, "Output current must be < 150mA. "},
                {MakeLink<&THIMathParse::doCalc>(r3Calc), &r3Calc->onResult, 2, TRoundingNames::Ua723R3},
                {MakeLink<&THIMathParse::doCalc>(powerCalc), &powerCalc->onResult, 2, TRoundingNames::Ua723Power},
                MakeLink<&THIMathParse::Result>(powerCalc));
}
