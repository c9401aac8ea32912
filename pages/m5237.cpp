#include "pages/m5237.h"

#include "elements/math.h"
#include "elements/routing.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/range_check.h"

namespace {

const TPageFonts kFonts = PageFonts(1);

}  // namespace

TClassChildGroupBox_28CCE9C::TClassChildGroupBox_28CCE9C(TControl* parent) {
  MakePage(parent, 2);
  AddSchematic(Box(), {10, 19, 250, 199}, "BITMAP6");
  THILabel* voutEditCaption = AddLabel(Box(), {280, 20, 25, 15}, "Vout:", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {315, 15, 60, 21}, "5", "Output voltage", kFonts.Input, 2);
  THILabel* voutEditUnit = AddLabel(Box(), {380, 20, 15, 15}, "V", kFonts.Caption);
  THILabel* r1ListCaption = AddLabel(Box(), {280, 45, 25, 15}, "R1:", kFonts.Caption);
  THIComboBox* r1List = AddList(Box(), {315, 40, 60, 21}, "Str73", kR1ListHint, kFonts.Input, 3, true);
  THILabel* r1ListUnit = AddLabel(Box(), {380, 45, 26, 20}, "Om", kFonts.Caption);
  THILabel* r2ValueCaption = AddLabel(Box(), {280, 80, 35, 15}, "R2=", kFonts.Caption);
  THILabel* r2Value = AddLabel(Box(), {325, 80, 50, 15}, "0", kFonts.Result, "", true);
  THILabel* r2ValueUnit = AddLabel(Box(), {380, 80, 33, 20}, "kOm", kFonts.Caption);
  Describe("M5237", {{voutEditCaption, voutEdit, voutEditUnit, ""},
                       {r1ListCaption, r1List, r1ListUnit, ""},
                       {r2ValueCaption, r2Value, r2ValueUnit, "", true}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIMultiElement* voutCheck = AddHost(
      Box(),
      [](TControl* p) {
        return MakeRangeCheck(p, {TRangeShape::TwoBounds, TextValue("1.5"), IntegerValue(33),
                                  "Output Voltage must be between 1.5 and  33 V."});
      },
      1, 1);
  THIMultiElement* r1Check = AddHost(Box(), &MakeR1Check, 1, 1);
  THIHub* calcHub = Create<THIHub>();
  THIMathParse* r2Calc = Create<THIMathParse>();
  THIMath* r2ToKilo = Create<THIMath>();
  THIMultiElementEx* r2Digits = AddRounding(3, 69);
  THIDoData* r1Preset = Create<THIDoData>();

  calcHub->InCount = 1;
  calcHub->SetOutCount(1);
  SetFormula(r2Calc, "%2* ((%1/1.26) -1)          ", 2, 0);
  SetDivide(r2ToKilo, 1000.0);
  SetString(r1Preset->DataDef, "4300");

  calcPanel->Events[0] = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(voutEdit);
  // Without a usable R1 the calculation ends before any result changes.
  On(voutCheck, kRangeOnValid) = Call(r1Check, kChoiceDoCheck);
  In(r1Check, kChoiceChoice) = MakeLink<&THIComboBox::Value>(r1List);
  On(r1Check, kChoiceOnValid) = MakeLink<&THIHub::doEvent>(calcHub);
  calcHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Calc);
  r2Calc->X[0] = Read(voutCheck, kRangeValue);
  r2Calc->X[1] = MakeLink<&THIComboBox::Value>(r1List);
  r2Calc->onResult = MakeLink<&THIMath::doOperation>(r2ToKilo);
  r2ToKilo->onResult = Call(r2Digits, kRoundDoConvReal);
  On(r2Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r2Value);
  Entry(Bridge, kPageDoPreset) = MakeLink<&THIDoData::doData>(r1Preset);
  r1Preset->onEventData = MakeLink<&THIComboBox::doSelectText>(r1List);
}
