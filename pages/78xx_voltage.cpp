#include "pages/78xx_voltage.h"

#include "elements/branching.h"
#include "elements/lists.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/range_check.h"
#include "runtime/resources.h"

namespace {

const TPageFonts kFonts = PageFonts(204);
const char kR2Hint[] = "calculated value of the resistor R2";

}  // namespace

TClassChildGroupBox_28DD42C::TClassChildGroupBox_28DD42C(TControl* parent) {
  MakePage(parent, 2);
  AddSchematic(Box(), {10, 19, 250, 200}, "BITMAP2");
  THILabel* typeListCaption = AddLabel(Box(), {280, 20, 35, 20}, "Type", kFonts.Caption);
  THIComboBox* typeList = AddList(Box(), {315, 15, 85, 21}, "Str30", "", kFonts.Input, 0, true);
  typeList->SelectTyped = 1;
  THILabel* voutEditCaption = AddLabel(Box(), {280, 45, 33, 20}, "Vout", kFonts.Caption);
  THIEdit* voutEdit = AddEdit(Box(), {315, 40, 55, 21}, "15", "Output voltage", kFonts.Input, 1);
  THILabel* voutEditUnit = AddLabel(Box(), {375, 45, 13, 20}, "V", kFonts.Caption);
  THILabel* r1ListCaption = AddLabel(Box(), {280, 70, 20, 20}, "R1", kFonts.Caption);
  THIComboBox* r1List = AddList(Box(), {315, 65, 55, 21}, "Str31", "Choose value of the resistor R1.", kFonts.Input, 0, false);
  THILabel* r1ListUnit = AddLabel(Box(), {375, 70, 26, 20}, "Om", kFonts.Caption);
  THILabel* r2ValueCaption = AddLabel(Box(), {280, 105, 28, 20}, "R2=", kFonts.Caption, kR2Hint);
  THILabel* r2Value = AddLabel(Box(), {310, 105, 11, 20}, "0", kFonts.Result, kR2Hint);
  THILabel* r2ValueUnit = AddLabel(Box(), {375, 105, 26, 20}, "Om", kFonts.Caption);
  Describe("78xx Voltage", {{typeListCaption, typeList, nullptr, ""},
                       {voutEditCaption, voutEdit, voutEditUnit, ""},
                       {r1ListCaption, r1List, r1ListUnit, ""},
                       {r2ValueCaption, r2Value, r2ValueUnit, "", true}});

  THIMultiElement* calcPanel = AddHost(
      Box(), [](TControl* p) { return MakeCalcPanel(p, {{273, 195, 130, 32}, 5}); }, 1, 0);
  THIMultiElement* typeCheck = AddHost(Box(), &MakeTypeCheck, 1, 1);
  THIMemory* typeIndex = Create<THIMemory>();
  THIStrList* voltageList = Create<THIStrList>();
  THIArrayRW* voltageReader = Create<THIArrayRW>();
  THIMemory* deviceVoltage = Create<THIMemory>();
  THIHub* typeHub = Create<THIHub>();
  THIGetData* deviceVoltageFan = Create<THIGetData>();
  THIGetData* voutFan = Create<THIGetData>();
  THIGetData* r1Fan = Create<THIGetData>();
  THIMultiElement* voutCheck = AddHost(
      Box(),
      [](TControl* p) {
        return MakeRangeCheck(p, {TRangeShape::Device, TextValue("5"), IntegerValue(33),
                                  "Output Voltage must be between %1 and  33 V for this type of device."});
      },
      1, 2);
  THIHub* calcHub = Create<THIHub>();
  THIIf_else* deviceCheck = Create<THIIf_else>();
  THIFormatStr* deviceText = Create<THIFormatStr>();
  THIMessage* deviceWarning = Create<THIMessage>();
  THIMathParse* r2Calc = Create<THIMathParse>();
  THIMultiElementEx* r2Digits = AddRounding(2, 26);
  THIHub* initHub = Create<THIHub>();
  THIDoData* r1Preset = Create<THIDoData>();
  THIDoData* typePreset = Create<THIDoData>();

  voltageList->SetStrings(LoadTextResource("Str25"));
  deviceVoltage->SetMemoryDefault(IntegerValue(5));
  typeHub->SetOutCount(2);
  deviceVoltageFan->Count = 4;
  voutFan->Count = 4;
  r1Fan->Count = 2;
  calcHub->SetOutCount(1);
  deviceCheck->Type = CompareGreater;
  deviceText->SetArgCount(1);
  deviceText->Mask = "Output voltage must be greater then %1V for this type of device.";
  deviceText->SkipInserted = 1;
  SetMessage(deviceWarning, "", "Warning!", 5);
  SetFormula(r2Calc, "(%1-%3) / ((%3/%2)+0.0033)", 3, 1);
  initHub->SetOutCount(2);
  SetString(r1Preset->DataDef, "240");
  // The device the numbers start with (5 V) is shown from the start.
  SetString(typePreset->DataDef, "7805");

  // Picking a type: its index first, then the voltage on the same line.
  typeList->onChange = MakeLink<&THIHub::doEvent>(typeHub);
  typeHub->onEvent[0] = MakeLink<&THIMemory::doValue>(typeIndex);
  typeHub->onEvent[1] = MakeLink<&THIArrayRW::doRead>(voltageReader);
  voltageReader->Array = MakeLink<&THIStrList::Array>(voltageList);
  voltageReader->Index = MakeLink<&THIMemory::Value>(typeIndex);
  voltageReader->onRead = MakeLink<&THIMemory::doValue>(deviceVoltage);
  deviceVoltageFan->Data = MakeLink<&THIMemory::Value>(deviceVoltage);
  voutFan->Data = Read(voutCheck, kRangeValue);
  r1Fan->Data = MakeLink<&THIComboBox::Text>(r1List);

  // A type typed but not in the list ends the calculation before any check.
  calcPanel->Events[0] = Call(typeCheck, kChoiceDoCheck);
  In(typeCheck, kChoiceChoice) = MakeLink<&THIComboBox::Text>(typeList);
  On(typeCheck, kChoiceOnValid) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(voutEdit);
  In(voutCheck, kRangeMinVoltage) = MakeLink<&THIGetData::Value>(deviceVoltageFan, 0);
  On(voutCheck, kRangeOnValid) = MakeLink<&THIHub::doEvent>(calcHub);
  calcHub->onEvent[0] = MakeLink<&THIIf_else::doCompare>(deviceCheck);
  deviceCheck->Op1 = MakeLink<&THIGetData::Value>(voutFan, 0);
  deviceCheck->Op2 = MakeLink<&THIGetData::Value>(deviceVoltageFan, 1);
  deviceCheck->onTrue = MakeLink<&THIMathParse::doCalc>(r2Calc);
  deviceCheck->onFalse = MakeLink<&THIFormatStr::doString>(deviceText);
  deviceText->Args[0] = MakeLink<&THIGetData::Value>(deviceVoltageFan, 2);
  deviceText->onFString = MakeLink<&THIMessage::doMessage>(deviceWarning);
  r2Calc->X[0] = MakeLink<&THIGetData::Value>(voutFan, 1);
  r2Calc->X[1] = MakeLink<&THIGetData::Value>(r1Fan, 0);
  r2Calc->X[2] = MakeLink<&THIGetData::Value>(deviceVoltageFan, 3);
  r2Calc->onResult = Call(r2Digits, kRoundDoConvReal);
  On(r2Digits, kRoundOnResult) = MakeLink<&THILabel::doText>(r2Value);

  Entry(Bridge, kPageDoPreset) = MakeLink<&THIHub::doEvent>(initHub);
  initHub->onEvent[0] = MakeLink<&THIDoData::doData>(r1Preset);
  initHub->onEvent[1] = MakeLink<&THIDoData::doData>(typePreset);
  r1Preset->onEventData = MakeLink<&THIComboBox::doSelectText>(r1List);
  typePreset->onEventData = MakeLink<&THIComboBox::doSelectText>(typeList);
}
