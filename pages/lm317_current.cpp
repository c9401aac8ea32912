#include "pages/lm317_current.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/power_rating.h"

namespace {

const TPageFonts kFonts = PageFonts(204);
// The captions call the resistor R1, the hints R3; both are shown as written.
const char kRsetHint[] = "calculated value of the resistor R3";
const char kPowerHint[] = "resistor R3 power dissipation";
const char kRatingHint[] =
    "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";
// Three lines separated by a lone CR, the first two ending in a blank.
const char kRangeWarning[] = "R3 - Out of range \r0.8<R3<125 for LM317 \r0.4<R3<125 for LM150,LM350";

// The current resistor: method 0 doCalc; data input 0 Iout (amperes);
// events 0 onR (R = 1.25/Iout, ohms) and 1 onP (P = R*Iout^2, watts);
// data output 0 P, the last power. R outside 0.4 to 125 ohms shows a
// warning after both results have gone out; nothing is stopped.
class TClassMultiElement_28C18E4 : public TScheme {
 public:
  TClassMultiElement_28C18E4() {
    Bridge = Create<THIEditMulti>();
    THIGetData* ioutFan = Create<THIGetData>();
    THIMathParse* rFormula = Create<THIMathParse>();
    THIGetData* rFan = Create<THIGetData>();
    THIMathParse* pFormula = Create<THIMathParse>();
    THIIf_else* tooSmall = Create<THIIf_else>();
    THIIf_else* tooLarge = Create<THIIf_else>();
    THIHub* warnHub = Create<THIHub>();
    THIMessage* rangeWarning = Create<THIMessage>();
    THIHub* rHub = Create<THIHub>();

    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(1);
    ioutFan->Count = 2;
    SetFormula(rFormula, "1.25/%1", 1, 1);
    rFan->Count = 3;
    SetFormula(pFormula, "%1*%2*%2", 2, 1);
    tooSmall->Type = CompareLess;
    SetString(tooSmall->Op2Def, "0.4");
    tooLarge->Type = CompareGreater;
    SetInteger(tooLarge->Op2Def, 125);
    warnHub->InCount = 2;
    warnHub->SetOutCount(1);
    SetMessage(rangeWarning, kRangeWarning, "Warning!", 5);
    rHub->SetOutCount(3);

    Bridge->Methods[0] = MakeLink<&THIHub::doEvent>(rHub);
    ioutFan->Data = MakeLink<&THIEditMulti::Data>(Bridge, 0);
    rHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(rFormula);
    rHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(pFormula);
    rHub->onEvent[2] = MakeLink<&THIIf_else::doCompare>(tooSmall);
    rFormula->X[0] = MakeLink<&THIGetData::Value>(ioutFan, 0);
    rFormula->onResult = MakeLink<&THIEditMulti::onEvent>(Bridge, 0);
    rFan->Data = MakeLink<&THIMathParse::Result>(rFormula);
    pFormula->X[0] = MakeLink<&THIGetData::Value>(rFan, 0);
    pFormula->X[1] = MakeLink<&THIGetData::Value>(ioutFan, 1);
    pFormula->onResult = MakeLink<&THIEditMulti::onEvent>(Bridge, 1);
    tooSmall->Op1 = MakeLink<&THIGetData::Value>(rFan, 1);
    tooSmall->onTrue = MakeLink<&THIHub::doEvent>(warnHub, 0);
    tooSmall->onFalse = MakeLink<&THIIf_else::doCompare>(tooLarge);
    tooLarge->Op1 = MakeLink<&THIGetData::Value>(rFan, 2);
    tooLarge->onTrue = MakeLink<&THIHub::doEvent>(warnHub, 1);
    warnHub->onEvent[0] = MakeLink<&THIMessage::doMessage>(rangeWarning);
    Bridge->Vars[0] = MakeLink<&THIMathParse::Result>(pFormula);
  }

  THIEditMulti* Bridge;
};

TChildScheme MakeCurrentResistor(TControl*) { return MakeChildScheme<TClassMultiElement_28C18E4>(); }

}  // namespace

TClassChildGroupBox_28BDDE8::TClassChildGroupBox_28BDDE8(TControl* parent) {
  MakePage(parent, 1);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP5");
  THILabel* ioutEditCaption = AddLabel(Box(), {280, 20, 20, 20}, "I\xED:", kFonts.Caption);
  THIEdit* ioutEdit = AddEdit(Box(), {315, 15, 60, 21}, "1.5", "Load current", kFonts.Input, 3);
  THILabel* ioutEditUnit = AddLabel(Box(), {380, 20, 13, 20}, "A", kFonts.Caption);
  THILabel* rsetValueCaption = AddLabel(Box(), {280, 55, 28, 20}, "R1=", kFonts.Caption, kRsetHint);
  THILabel* rsetValue = AddLabel(Box(), {330, 55, 46, 20}, "0", kFonts.Result, kRsetHint);
  THILabel* rsetValueUnit = AddLabel(Box(), {380, 55, 26, 20}, "Om", kFonts.Caption);
  THILabel* powerValueCaption = AddLabel(Box(), {280, 75, 45, 20}, "P(R1)=", kFonts.Caption, kPowerHint);
  THILabel* powerValue = AddLabel(Box(), {330, 75, 46, 20}, "0", kFonts.Result, kPowerHint);
  THILabel* powerValueUnit = AddLabel(Box(), {380, 75, 17, 20}, "W", kFonts.Caption);
  THILabel* ratingValueCaption = AddLabel(Box(), {280, 100, 60, 15}, "(R1power=", kFonts.SmallCaption, kRatingHint, true);
  THILabel* ratingValue = AddLabel(Box(), {345, 100, 30, 18}, "0", kFonts.SmallResult, kRatingHint);
  THILabel* ratingValueUnit = AddLabel(Box(), {380, 100, 20, 15}, "W)", kFonts.SmallCaption, kRatingHint, true);
  Describe("LM317 Current", {{ioutEditCaption, ioutEdit, ioutEditUnit, ""},
                       {rsetValueCaption, rsetValue, rsetValueUnit, "", true},
                       {powerValueCaption, powerValue, powerValueUnit, ""},
                       {ratingValueCaption, ratingValue, ratingValueUnit, "R1 power rating"}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIHub* calcHub = Create<THIHub>();
  THIMultiElement* rsetCalc = AddHost(Box(), &MakeCurrentResistor, 2, 1);
  THIMultiElementEx* rsetDigits = AddRounding(2, 65);
  THIMultiElementEx* powerDigits = AddRounding(2, 61);
  THIMultiElement* powerRating = AddHost(Box(), [](TControl* p) { return MakePowerRating(p, {"%1/0.7", false, true}); }, 1, 1);

  calcHub->SetOutCount(2);

  calcPanel->Events[0] = MakeLink<&THIHub::doEvent>(calcHub);
  calcHub->onEvent[0] = MakeLink<&THIMultiElement::doMethod>(rsetCalc, 0);
  calcHub->onEvent[1] = Call(powerRating, kRatingDoCalc);
  rsetCalc->Datas[0] = MakeLink<&THIEdit::Value>(ioutEdit);
  rsetCalc->Events[0] = Call(rsetDigits, kRoundDoConvReal);
  rsetCalc->Events[1] = Call(powerDigits, kRoundDoConvReal);
  On(rsetDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(rsetValue);
  On(powerDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(powerValue);
  In(powerRating, kRatingPower) = MakeLink<&THIMultiElement::Var>(rsetCalc, 0);
  On(powerRating, kRatingOnRating) = MakeLink<&THILabel::doText>(ratingValue);
}
