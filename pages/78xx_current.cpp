#include "pages/78xx_current.h"

#include "elements/branching.h"
#include "elements/lists.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/power_rating.h"
#include "pages/range_check.h"
#include "runtime/resources.h"

namespace {

const TPageFonts kFonts = PageFonts(204);
const char kR1Hint[] = "calculated value of the resistor R3";
const char kPowerHint[] = "resistor R3 power dissipation";
const char kRatingHint[] =
    "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";

}  // namespace

TClassChildGroupBox_2137818::TClassChildGroupBox_2137818(TControl* parent) {
  MakePage(parent, 2);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP1");
  THILabel* typeListCaption = AddLabel(Box(), {280, 20, 35, 20}, "Type", kFonts.Caption);
  THIComboBox* typeList = AddList(Box(), {315, 15, 85, 21}, "Str16", "", kFonts.Input, 0, true);
  typeList->SelectTyped = 1;
  THILabel* loadEditCaption = AddLabel(Box(), {280, 45, 20, 20}, "I\xED:", kFonts.Caption);
  THIEdit* loadEdit = AddEdit(Box(), {315, 40, 55, 21}, "1.5", "Load current", kFonts.Input, 3);
  THILabel* loadEditUnit = AddLabel(Box(), {380, 45, 13, 20}, "A", kFonts.Caption);
  THILabel* r1ValueCaption = AddLabel(Box(), {280, 80, 28, 20}, "R1=", kFonts.Caption, kR1Hint);
  THILabel* r1Value = AddLabel(Box(), {330, 80, 46, 20}, "0", kFonts.Result, kR1Hint);
  THILabel* r1ValueUnit = AddLabel(Box(), {380, 80, 26, 20}, "Om", kFonts.Caption);
  THILabel* powerValueCaption = AddLabel(Box(), {280, 100, 45, 20}, "P(R1)=", kFonts.Caption, kPowerHint);
  THILabel* powerValue = AddLabel(Box(), {330, 100, 46, 20}, "0", kFonts.Result, kPowerHint);
  THILabel* powerValueUnit = AddLabel(Box(), {380, 100, 17, 20}, "W", kFonts.Caption);
  THILabel* ratingValueCaption = AddLabel(Box(), {280, 125, 60, 15}, "(R1power=", kFonts.SmallCaption, kRatingHint, true);
  THILabel* ratingValue = AddLabel(Box(), {345, 125, 30, 18}, "0", kFonts.SmallResult, kRatingHint);
  THILabel* ratingValueUnit = AddLabel(Box(), {380, 125, 20, 15}, "W)", kFonts.SmallCaption, kRatingHint, true);
  Describe("78xx Current", {{typeListCaption, typeList, nullptr, ""},
                       {loadEditCaption, loadEdit, loadEditUnit, ""},
                       {r1ValueCaption, r1Value, r1ValueUnit, "", true},
                       {powerValueCaption, powerValue, powerValueUnit, ""},
                       {ratingValueCaption, ratingValue, ratingValueUnit, "R1 power rating"}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIMultiElement* typeCheck = AddHost(Box(), &MakeTypeCheck, 1, 1);
  THIHub* typeHub = Create<THIHub>();
  THIMemory* voltageIndex = Create<THIMemory>();
  THIStrList* voltageList = Create<THIStrList>();
  THIArrayRW* voltageReader = Create<THIArrayRW>();
  THIMemory* deviceVoltage = Create<THIMemory>();
  THIMemory* currentIndex = Create<THIMemory>();
  THIStrList* currentList = Create<THIStrList>();
  THIArrayRW* currentReader = Create<THIArrayRW>();
  THIMemory* maximumCurrent = Create<THIMemory>();
  THIGetData* voltageFan = Create<THIGetData>();
  THIGetData* maximumFan = Create<THIGetData>();
  THIGetData* loadFan = Create<THIGetData>();
  THIIf_else* currentCheck = Create<THIIf_else>();
  THIIf_else* lowCurrentCheck = Create<THIIf_else>();
  THIFormatStr* currentText = Create<THIFormatStr>();
  THIMessage* currentWarning = Create<THIMessage>();
  THIHub* calcHub = Create<THIHub>();
  THIMathParse* r1Calc = Create<THIMathParse>();
  THIMathParse* powerCalc = Create<THIMathParse>();
  THIMultiElementEx* r1Digits = AddRounding(2, 17);
  THIMultiElementEx* powerDigits = AddRounding(2, 21);
  THIMultiElement* powerRating = AddHost(Box(), [](TControl* p) { return MakePowerRating(p, {"%1/0.75", true, true}); }, 1, 1);
  THIDoData* typePreset = Create<THIDoData>();

  typeHub->SetOutCount(4);
  voltageList->SetStrings(LoadTextResource("Str15"));
  deviceVoltage->SetMemoryDefault(IntegerValue(5));
  currentList->SetStrings(LoadTextResource("Str14"));
  maximumCurrent->SetMemoryDefault(TextValue("1.5"));
  voltageFan->Count = 2;
  maximumFan->Count = 2;
  loadFan->Count = 3;
  currentCheck->Type = CompareLessOrEqual;
  // The lower bound keeps the R1 divisor (Iload - 0.0033) away from zero.
  // Held as text so it reads exactly as the same digits typed into the field.
  lowCurrentCheck->Type = CompareGreaterOrEqual;
  lowCurrentCheck->Op2Def = TextValue("0.005");
  currentText->SetArgCount(1);
  currentText->Mask = "Output current must be between 0.005 and %1 A for this type of device. ";
  currentText->SkipInserted = 1;
  SetMessage(currentWarning, "", "Warning!", 5);
  calcHub->SetOutCount(3);
  SetFormula(r1Calc, "%2 / (%1-0.0033)", 2, 1);
  SetFormula(powerCalc, "(%2*%2) / %1", 2, 1);
  // The device the numbers start with (5 V, 1.5 A) is shown from the start.
  SetString(typePreset->DataDef, "7805");

  // Picking a type: the voltage on its line, then the maximum current.
  typeList->onChange = MakeLink<&THIHub::doEvent>(typeHub);
  typeHub->onEvent[0] = MakeLink<&THIMemory::doValue>(voltageIndex);
  typeHub->onEvent[1] = MakeLink<&THIArrayRW::doRead>(voltageReader);
  typeHub->onEvent[2] = MakeLink<&THIMemory::doValue>(currentIndex);
  typeHub->onEvent[3] = MakeLink<&THIArrayRW::doRead>(currentReader);
  voltageReader->Array = MakeLink<&THIStrList::Array>(voltageList);
  voltageReader->Index = MakeLink<&THIMemory::Value>(voltageIndex);
  voltageReader->onRead = MakeLink<&THIMemory::doValue>(deviceVoltage);
  currentReader->Array = MakeLink<&THIStrList::Array>(currentList);
  currentReader->Index = MakeLink<&THIMemory::Value>(currentIndex);
  currentReader->onRead = MakeLink<&THIMemory::doValue>(maximumCurrent);
  voltageFan->Data = MakeLink<&THIMemory::Value>(deviceVoltage);
  maximumFan->Data = MakeLink<&THIMemory::Value>(maximumCurrent);
  loadFan->Data = MakeLink<&THIEdit::Value>(loadEdit);

  // Calculate: Iload <= Imax, then Iload >= 0.005; either failing shows the
  // one built message.
  // A type typed but not in the list ends the calculation before any check.
  calcPanel->Events[0] = Call(typeCheck, kChoiceDoCheck);
  In(typeCheck, kChoiceChoice) = MakeLink<&THIComboBox::Text>(typeList);
  On(typeCheck, kChoiceOnValid) = MakeLink<&THIIf_else::doCompare>(currentCheck);
  currentCheck->Op1 = MakeLink<&THIGetData::Value>(loadFan, 0);
  currentCheck->Op2 = MakeLink<&THIGetData::Value>(maximumFan, 0);
  currentCheck->onTrue = MakeLink<&THIIf_else::doCompare>(lowCurrentCheck);
  currentCheck->onFalse = MakeLink<&THIFormatStr::doString>(currentText);
  lowCurrentCheck->Op1 = MakeLink<&THIGetData::Value>(loadFan, 2);
  lowCurrentCheck->onTrue = MakeLink<&THIHub::doEvent>(calcHub);
  lowCurrentCheck->onFalse = MakeLink<&THIFormatStr::doString>(currentText);
  currentText->Args[0] = MakeLink<&THIGetData::Value>(maximumFan, 1);
  currentText->onFString = MakeLink<&THIMessage::doMessage>(currentWarning);
  calcHub->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r1Calc);
  calcHub->onEvent[1] = MakeLink<&THIMathParse::doCalc>(powerCalc);
  calcHub->onEvent[2] = Call(powerRating, kRatingDoCalc);
  r1Calc->X[0] = MakeLink<&THIGetData::Value>(loadFan, 1);
  r1Calc->X[1] = MakeLink<&THIGetData::Value>(voltageFan, 0);
  r1Calc->onResult = Call(r1Digits, kRoundDoConvReal);
  On(r1Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r1Value);
  powerCalc->X[0] = MakeLink<&THIMathParse::Result>(r1Calc);
  powerCalc->X[1] = MakeLink<&THIGetData::Value>(voltageFan, 1);
  powerCalc->onResult = Call(powerDigits, kRoundDoConvReal);
  On(powerDigits, kRoundOnResult) = MakeLink<&THILabel::doText>(powerValue);
  In(powerRating, kRatingPower) = MakeLink<&THIMathParse::Result>(powerCalc);
  On(powerRating, kRatingOnRating) = MakeLink<&THILabel::doText>(ratingValue);

  Entry(Bridge, kPageDoPreset) = MakeLink<&THIDoData::doData>(typePreset);
  typePreset->onEventData = MakeLink<&THIComboBox::doSelectText>(typeList);
}
