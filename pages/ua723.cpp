#include "pages/ua723.h"

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/range_check.h"

namespace {

const TPageFonts kFonts = PageFonts(1);

}  // namespace

TClassChildGroupBox_2928CAC::TClassChildGroupBox_2928CAC(TControl* parent) {
  MakePage(parent, 1);
  AddSchematic(Box(), {10, 19, 250, 199}, "BITMAP0");
  THILabel* voutEditCaption = AddLabel(Box(), {280, 20, 25, 15}, "Vout:", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {315, 15, 60, 21}, "5", "Output voltage", kFonts.Input, 2);
  THILabel* voutEditUnit = AddLabel(Box(), {380, 20, 15, 15}, "V", kFonts.Caption);
  THILabel* ioutEditCaption = AddLabel(Box(), {280, 45, 25, 15}, "Iout:", kFonts.Caption);
  THIEdit* ioutEdit = AddEdit(Box(), {315, 40, 60, 21}, "150", "Output current", kFonts.Input, 4);
  THILabel* ioutEditUnit = AddLabel(Box(), {380, 45, 25, 20}, "mA", kFonts.Caption);
  THILabel* r1ListCaption = AddLabel(Box(), {280, 70, 25, 15}, "R1:", kFonts.Caption);
  // The R1 list alone is set in the Cyrillic character set.
  THIComboBox* r1List = AddList(Box(), {315, 65, 60, 21}, "Str13", kR1ListHint, PageFonts(204).Input, 0, false);
  THILabel* r1ListUnit = AddLabel(Box(), {380, 70, 26, 20}, "Om", kFonts.Caption);
  const TSenseRows rows = AddSenseRows();
  Describe("uA723", {{voutEditCaption, voutEdit, voutEditUnit, ""},
                       {ioutEditCaption, ioutEdit, ioutEditUnit, ""},
                       {r1ListCaption, r1List, r1ListUnit, ""}},
           rows.Items);

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIMultiElement* voutCheck = AddHost(
      Box(),
      [](TControl* p) {
        return MakeRangeCheck(p, {TRangeShape::TwoBounds, TextValue("1"), TextValue("37"),
                                  "Output Voltage must be between 1 and  37 V."});
      },
      1, 1);
  THIMultiElement* r1Check = AddHost(Box(), &MakeR1Check, 1, 1);
  THIHub* firstHub = Create<THIHub>();
  THIMathParse* r2Calc = Create<THIMathParse>();
  THIMathParse* r3Calc = Create<THIMathParse>();
  THIMathParse* powerCalc = Create<THIMathParse>();

  firstHub->SetOutCount(2);
  SetFormula(r2Calc, "(%1*%2) -%2", 2, 0);
  SetFormula(r3Calc, "0.7 / (%1 / 1000)", 1, 1);
  SetFormula(powerCalc, "(0.7*%1) / 1000", 1, 1);
  THIIf_else* currentCheck = AddSenseSteps({MakeLink<&THIEdit::Value>(ioutEdit), 150, "Output current must be < 150mA. ",
                     MakeLink<&THIMathParse::doCalc>(r3Calc), &r3Calc->onResult, 2, 5,
                     MakeLink<&THIMathParse::doCalc>(powerCalc), &powerCalc->onResult,
                     MakeLink<&THIMathParse::Result>(powerCalc), 9},
                    rows);

  calcPanel->Events[0] = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(voutEdit);
  // Without a chosen R1 the calculation ends before any result changes.
  On(voutCheck, kRangeOnValid) = Call(r1Check, kChoiceDoCheck);
  In(r1Check, kChoiceChoice) = MakeLink<&THIComboBox::Value>(r1List);
  On(r1Check, kChoiceOnValid) = MakeLink<&THIHub::doEvent>(firstHub);
  // R2 is shown before the current is checked, so a current warning leaves
  // the new R2 beside the earlier R3 results.
  firstHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Calc);
  firstHub->onEvent[1] = MakeLink<&THIIf_else::doCompare>(currentCheck);
  r2Calc->X[0] = Read(voutCheck, kRangeValue);
  r2Calc->X[1] = MakeLink<&THIComboBox::Value>(r1List);
  ShowRounded(r2Calc->onResult, rows.R2, 3, 1, true);
  r3Calc->X[0] = MakeLink<&THIEdit::Value>(ioutEdit);
  powerCalc->X[0] = MakeLink<&THIEdit::Value>(ioutEdit);
}
