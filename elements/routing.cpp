#include "elements/routing.h"

void THIHub::SetOutCount(int n) {
  if (n < 0) n = 0;
  if (n > 255) n = 255;
  OutCount = static_cast<uint8_t>(n);
  onEvent.assign(static_cast<size_t>(n), THI_Event());
}

void THIHub::doEvent(TData& data, uint16_t) {
  // One record serves every output: copied over whole before each, it is
  // a fresh copy of the arrival each time.
  TData copy;
  for (size_t i = 0; i < OutCount && i < onEvent.size(); ++i) {
    CopyWhole(copy, data);
    FireEvent(onEvent[i], copy);
  }
}

void THIDoData::doData(TData& data) {
  // What arrived is dropped: the value is read straight into the record,
  // made fresh first as every read gets it, or the default is copied.
  if (Data.Wired()) {
    ResetData(data);
    FireEvent(Data, data);
    data.Next = nullptr;
    ContinueAsIs(data, onEventData);
    return;
  }
  ContinueData(data, onEventData, DataDef);
}

void THIGetData::Value(TData& data, uint16_t) { ReadInto(data, Data); }

void THIEventFromData::doData(TData& data) {
  // Copied rather than moved in: two empty texts then cost nothing.
  const TData value = ReadData(data, Data, nullptr);
  CopyWhole(DataValue, value);
}

void THIEventFromData::Value(TData& data) {
  FireEvent(onEvent, data);
  CopySingle(data, DataValue);
}

void THIMemory::SetMemoryDefault(const TData& value) {
  CopySingle(Default, value);
  CopySingle(ValueValue, Default);
}

void THIMemory::doValue(TData& data) {
  if (!data.Next && KindOf(data) != KindNone) {
    // A single value: kept, and the record continues with it as it is.
    CopySingle(ValueValue, data);
    ContinueAsIs(data, onData);
    return;
  }
  ValueValue = PopFirst(data);
  ContinueData(data, onData, ValueValue);
}

void THIMemory::Value(TData& data) { CopySingle(data, ValueValue); }
