#include "pages/ua723.h"

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/conv_real.h"
#include "pages/power_rating.h"
#include "pages/range_check.h"

namespace {

const TPageFonts kFonts = PageFonts(1);
const char kRatingHint[] =
    "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";

}  // namespace

TClassChildGroupBox_2928CAC::TClassChildGroupBox_2928CAC(TControl* parent) {
  MakePage(parent, 1);
  AddSchematic(Box(), {10, 19, 250, 199}, "BITMAP0");
  AddLabel(Box(), {280, 20, 25, 15}, "Vout:", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {315, 15, 60, 21}, "5", "Output voltage", kFonts.Input, 2);
  AddLabel(Box(), {380, 20, 15, 15}, "V", kFonts.Caption);
  AddLabel(Box(), {280, 45, 25, 15}, "Iout:", kFonts.Caption);
  THIEdit* ioutEdit = AddEdit(Box(), {315, 40, 60, 21}, "150", "Output current", kFonts.Input, 4);
  AddLabel(Box(), {380, 45, 25, 20}, "mA", kFonts.Caption);
  AddLabel(Box(), {280, 70, 25, 15}, "R1:", kFonts.Caption);
  // The R1 list alone is set in the Cyrillic character set.
  THIComboBox* r1List =
      AddList(Box(), {315, 65, 60, 21}, "Str13", kR1ListHint, PageFonts(204).Input, 0, false);
  AddLabel(Box(), {380, 70, 26, 20}, "Om", kFonts.Caption);
  AddLabel(Box(), {280, 95, 35, 15}, "R2=", kFonts.Caption);
  THILabel* r2Value = AddLabel(Box(), {325, 95, 50, 15}, "0", kFonts.Result, "", true);
  AddLabel(Box(), {380, 95, 33, 20}, "kOm", kFonts.Caption);
  AddLabel(Box(), {280, 115, 35, 15}, "R3=", kFonts.Caption);
  THILabel* r3Value = AddLabel(Box(), {325, 115, 50, 15}, "0", kFonts.Result, "", true);
  AddLabel(Box(), {380, 115, 26, 20}, "Om", kFonts.Caption);
  AddLabel(Box(), {280, 135, 35, 15}, "P(R3)=", kFonts.Caption);
  THILabel* powerValue = AddLabel(Box(), {325, 135, 45, 15}, "0", kFonts.Result, "", true);
  AddLabel(Box(), {380, 135, 18, 15}, "W", kFonts.Caption);
  AddLabel(Box(), {280, 160, 50, 15}, "(R3power=", kFonts.SmallCaption, kRatingHint);
  THILabel* ratingValue = AddLabel(Box(), {345, 160, 20, 15}, "0", kFonts.SmallResult, kRatingHint);
  AddLabel(Box(), {380, 160, 20, 15}, " W)", kFonts.SmallCaption, kRatingHint);

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
  THIMath* r2ToKilo = Create<THIMath>();
  THIMultiElementEx* r2Digits = AddNamedHost(Box(), [](TControl* p) { return MakeConvReal(p, 3, 1); }, 1, 1);
  THIIf_else* currentCheck = Create<THIIf_else>();
  THIMessage* currentWarning = Create<THIMessage>();
  THIHub* currentHub = Create<THIHub>();
  THIMathParse* r3Calc = Create<THIMathParse>();
  THIMathParse* powerCalc = Create<THIMathParse>();
  THIMultiElementEx* r3Digits = AddNamedHost(Box(), [](TControl* p) { return MakeConvReal(p, 2, 5); }, 1, 1);
  THIMultiElementEx* powerDigits = AddNamedHost(Box(), [](TControl* p) { return MakeConvReal(p, 2, 9); }, 1, 1);
  THIMultiElement* powerRating =
      AddHost(Box(), [](TControl* p) { return MakePowerRating(p, {"%1/0.7", false, false}); }, 1, 1);

  firstHub->SetOutCount(2);
  SetFormula(r2Calc, "(%1*%2) -%2", 2, 0);
  SetDivide(r2ToKilo, 1000.0);
  currentCheck->Type = 3;
  SetInteger(currentCheck->Op2Def, 150);
  SetMessage(currentWarning, "Output current must be < 150mA. ", "Warning!", 5);
  currentHub->SetOutCount(4);
  SetFormula(r3Calc, "0.7 / (%1 / 1000)", 1, 1);
  SetFormula(powerCalc, "(0.7*%1) / 1000", 1, 1);

  calcPanel->Events[0] = MakeLink<&THIMultiElement::doMethod>(voutCheck, 0);
  voutCheck->Datas[0] = MakeLink<&THIEdit::Value>(voutEdit);
  // Without a chosen R1 the calculation ends before any result changes.
  voutCheck->Events[0] = MakeLink<&THIMultiElement::doMethod>(r1Check, 0);
  r1Check->Datas[0] = MakeLink<&THIComboBox::Value>(r1List);
  r1Check->Events[0] = MakeLink<&THIHub::doEvent>(firstHub);
  // R2 is shown before the current is checked, so a current warning leaves
  // the new R2 beside the earlier R3 results.
  firstHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Calc);
  firstHub->onEvent[1] = MakeLink<&THIIf_else::doCompare>(currentCheck);
  r2Calc->X[0] = MakeLink<&THIMultiElement::Var>(voutCheck, 0);
  r2Calc->X[1] = MakeLink<&THIComboBox::Value>(r1List);
  r2Calc->onResult = MakeLink<&THIMath::doOperation>(r2ToKilo);
  r2ToKilo->onResult = MakeLink<&THIMultiElementEx::doMethod>(r2Digits, 0);
  r2Digits->Events[0] = MakeLink<&THILabel::doText>(r2Value);
  currentCheck->Op1 = MakeLink<&THIEdit::Value>(ioutEdit);
  currentCheck->onTrue = MakeLink<&THIHub::doEvent>(currentHub);
  currentCheck->onFalse = MakeLink<&THIMessage::doMessage>(currentWarning);
  currentHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r3Calc);
  currentHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(powerCalc);
  currentHub->onEvent[2] = MakeLink<&THIMultiElement::doMethod>(powerRating, 0);
  currentHub->onEvent[3] = MakeLink<&THIMultiElement::doMethod>(powerRating, 1);
  r3Calc->X[0] = MakeLink<&THIEdit::Value>(ioutEdit);
  r3Calc->onResult = MakeLink<&THIMultiElementEx::doMethod>(r3Digits, 0);
  r3Digits->Events[0] = MakeLink<&THILabel::doText>(r3Value);
  powerCalc->X[0] = MakeLink<&THIEdit::Value>(ioutEdit);
  powerCalc->onResult = MakeLink<&THIMultiElementEx::doMethod>(powerDigits, 0);
  powerDigits->Events[0] = MakeLink<&THILabel::doText>(powerValue);
  powerRating->Datas[0] = MakeLink<&THIMathParse::Result>(powerCalc);
  powerRating->Events[0] = MakeLink<&THILabel::doText>(ratingValue);
}
