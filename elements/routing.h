// Routing elements: fan-out, fetching, shared reading, read-triggered
// computation and memory. None of them fails; unwired inputs read as
// KindNone or the incoming value (runtime/data.h). They own nothing but
// their stored values and live as long as their scheme.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

// Fires every output in order, each with its own copy of the value that
// arrived, so no output sees what an earlier one did to its record.
class THIHub : public TElement {
 public:
  uint8_t OutCount = 0;
  uint8_t InCount = 0;  // descriptive: every input index behaves alike
  std::vector<THI_Event> onEvent;

  void SetOutCount(int n);
  void doEvent(TData& data, uint16_t index);
};

// Discards what arrived and continues on onEventData with the value of its
// data input (else DataDef, else KindNone).
class THIDoData : public TElement {
 public:
  TData DataDef;
  THI_Event Data;
  THI_Event onEventData;

  void doData(TData& data);
};

// Lets several readers share one source: every read goes through to it.
class THIGetData : public TElement {
 public:
  int32_t Count = 0;  // descriptive: every output index behaves alike
  THI_Event Data;

  void Value(TData& data, uint16_t index);
};

// Turns a read into a computation: reading Value fires onEvent (whose chain
// may store a value through doData) and then answers the stored value.
class THIEventFromData : public TElement {
 public:
  TData DataValue;
  THI_Event Data;
  THI_Event onEvent;

  void doData(TData& data);
  void Value(TData& data);
};

// Stores whatever arrives (KindNone included) and continues with it on
// onData; Value answers the stored value until the next doValue.
class THIMemory : public TElement {
 public:
  TData ValueValue;
  TData Default;
  THI_Event onData;

  void SetMemoryDefault(const TData& value);
  void doValue(TData& data);
  void Value(TData& data);
};
