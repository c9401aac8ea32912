#include "pages/device_rows.h"

#include "elements/lists.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "runtime/resources.h"

TDevicePage::TDeviceTable TDevicePage::AddDeviceTable(const char* types, const std::vector<TDeviceColumn>& columns) {
  TDeviceTable table{AddListRow(20, {"Type", 35}, {types, "", 0, true, true, 85}), {}};
  THIHub* pickHub = Create<THIHub>();
  THIMemory* lineIndex = Create<THIMemory>();
  pickHub->SetOutCount(static_cast<int>(columns.size()) + 1);
  // Picking a type: its index first, then the value on the same line of
  // each column.
  table.Types->onChange = MakeLink<&THIHub::doEvent>(pickHub);
  pickHub->onEvent[0] = MakeLink<&THIMemory::doValue>(lineIndex);
  for (size_t i = 0; i < columns.size(); ++i) {
    THIStrList* lines = Create<THIStrList>();
    THIArrayRW* reader = Create<THIArrayRW>();
    THIMemory* value = Create<THIMemory>();
    lines->SetStrings(LoadTextResource(columns[i].Lines));
    value->SetMemoryDefault(columns[i].Initial);
    pickHub->onEvent[i + 1] = MakeLink<&THIArrayRW::doRead>(reader);
    reader->Array = MakeLink<&THIStrList::Array>(lines);
    reader->Index = MakeLink<&THIMemory::Value>(lineIndex);
    reader->onRead = MakeLink<&THIMemory::doValue>(value);
    table.Columns.push_back(value);
  }
  return table;
}

void TDevicePage::AddTypeOpening(THIComboBox* types, THI_Event onValid) {
  THIMultiElement* calcPanel = AddCalcPanel(kCalcPanelAtFoot);
  THIMultiElement* typeCheck = AddTypeCheck();
  On(calcPanel, kPanelOnCalculate) = Call(typeCheck, kChoiceDoCheck);
  In(typeCheck, kChoiceChoice) = MakeLink<&THIComboBox::Text>(types);
  On(typeCheck, kChoiceOnValid) = std::move(onValid);
}

void TDevicePage::AddStartPicks(THIComboBox* types, THIComboBox* r1, const std::string& r1Text) {
  THIHub* picks = Create<THIHub>();
  picks->SetOutCount(r1 ? 2 : 1);
  if (r1) picks->onEvent[0] = AddPreset(r1, r1Text);
  picks->onEvent[r1 ? 1 : 0] = AddPreset(types, "7805");
  Entry(Bridge, kPageDoPreset) = MakeLink<&THIHub::doEvent>(picks);
}
