// Links between element points, the global dispatcher with its
// continuation loop, and the start-up queue.
// A link is a value and owns nothing; firing an unwired link does nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "runtime/data.h"

// Every point of every element: (element, record, point index).
using TPointRoutine = void (*)(void* target, TData& data, uint16_t index);

struct THI_Event {
  TPointRoutine Code = nullptr;
  void* Target = nullptr;
  uint16_t Index = 0;
  bool Wired() const { return Code != nullptr; }
};

// Turns a member function into a point routine, so a scheme writes
//   hub->onEvent[0] = MakeLink<&THIMemory::doValue>(memory);
// Members may take (TData&, uint16_t index) or just (TData&).
// The trampolines are function templates over the class and the member:
// keyed on the class type, they keep internal linkage for classes in an
// unnamed namespace (a class template keyed on `auto` alone does not with
// every compiler, and same-named helpers in two files would then merge).
template <typename C, void (C::*Method)(TData&, uint16_t)>
void CallPoint(void* t, TData& d, uint16_t i) {
  (static_cast<C*>(t)->*Method)(d, i);
}

template <typename C, void (C::*Method)(TData&)>
void CallPointNoIndex(void* t, TData& d, uint16_t) {
  (static_cast<C*>(t)->*Method)(d);
}

template <auto Method>
struct TPointOf;

template <typename C, void (C::*Method)(TData&, uint16_t)>
struct TPointOf<Method> {
  using Class = C;
  static constexpr TPointRoutine Routine = &CallPoint<C, Method>;
};

template <typename C, void (C::*Method)(TData&)>
struct TPointOf<Method> {
  using Class = C;
  static constexpr TPointRoutine Routine = &CallPointNoIndex<C, Method>;
};

THI_Event MakeLink(TPointRoutine code, void* target, uint16_t index);

template <auto Method>
THI_Event MakeLink(typename TPointOf<Method>::Class* target, uint16_t index = 0) {
  return MakeLink(TPointOf<Method>::Routine, target, index);
}

namespace event_detail {
// Atomic because the search worker fires while the window thread may stop
// dispatching at close.
extern std::atomic<bool> Dispatching;
}  // namespace event_detail

// Firing. Runs the link, then follows continuations on the same record, so
// long branching chains stay one frame deep. Inline: every place that fires
// has its own indirect call, which the processor learns to predict where
// one shared call would keep missing.
inline void FireEvent(const THI_Event& link, TData& data) {
  if (!event_detail::Dispatching.load(std::memory_order_acquire)) return;
  const THI_Event* current = &link;
  while (current->Code) {
    current->Code(current->Target, data, current->Index);
    if (!(data.Kind & KindContinue)) return;
    data.Kind = static_cast<uint8_t>(data.Kind - KindContinue);
    current = data.ContinueLink;
    if (!current) return;
  }
}

// The Fire* helpers nest a new firing with a fresh record that lives until
// the firing returns.
inline void FireNone(const THI_Event& link) {
  TData d;
  FireEvent(link, d);
}
inline void FireInteger(const THI_Event& link, int32_t v) {
  TData d;
  SetInteger(d, v);
  FireEvent(link, d);
}
inline void FireReal(const THI_Event& link, double v) {
  TData d;
  SetReal(d, v);
  FireEvent(link, d);
}
void FireString(const THI_Event& link, const std::string& s);

// Operand readers (the rules are ReadData's, runtime/data.h), inline: an
// arithmetic hop reads two operands, and a call costs as much as a read.
// A default other than T() (0, or the empty text) wins over the arrival.
namespace event_detail {
template <typename T, T (*Convert)(const TData&)>
inline T ReadAs(TData& data, const THI_Event& link, const T& def) {
  if (link.Wired()) {
    TData fresh;
    FireEvent(link, fresh);
    return Convert(fresh);
  }
  if (def != T()) return def;
  if (KindOf(data) == KindNone) return def;
  T value = Convert(data);
  DropFirst(data);
  return value;
}
}  // namespace event_detail
inline int32_t ReadInteger(TData& data, const THI_Event& link, int32_t def) {
  return event_detail::ReadAs<int32_t, ToInteger>(data, link, def);
}
inline double ReadReal(TData& data, const THI_Event& link, double def) {
  return event_detail::ReadAs<double, ToReal>(data, link, def);
}
// Fires the link with the caller's own record; unwired makes it KindNone.
inline void ReadInto(TData& data, const THI_Event& link) {
  if (!link.Wired()) {
    data.Kind = KindNone;
    return;
  }
  FireEvent(link, data);
}

// Continuation: name the link the dispatcher fires next with the caller's
// record, as it holds (ContinueAsIs) or overwritten with the result.
inline void ContinueAsIs(TData& data, const THI_Event& link) {
  data.Kind = static_cast<uint8_t>((data.Kind & 0x7F) | KindContinue);
  data.ContinueLink = &link;
}
inline void ContinueInteger(TData& data, const THI_Event& link, int32_t v) {
  SetInteger(data, v);
  ContinueAsIs(data, link);
}
inline void ContinueReal(TData& data, const THI_Event& link, double v) {
  SetReal(data, v);
  ContinueAsIs(data, link);
}
inline void ContinueData(TData& data, const THI_Event& link, const TData& value) {
  CopySingle(data, value);
  ContinueAsIs(data, link);
}

// The dispatcher starts off: nothing reaches an element before StartDispatch
// or after StopDispatch.
void StartDispatch();
void StopDispatch();
bool DispatchRunning();

// Ending a whole chain, not just one branch of it: after HaltChain nothing
// is fired and no data link answers (reads give none) until the chain's
// origin, the place that fired its first event, calls EndHalt once that
// firing has returned. The element that halts hands nothing on. A halt is
// made by the thread holding the scheme lock, so no other thread's chain
// runs meanwhile. EndHalt answers whether the chain was halted.
void HaltChain();
bool EndHalt();

// Start-up queue: methods registered while schemes are built, run once,
// last registered first. A RunInits while one is running does nothing;
// an AddInit after a run starts a new queue.
using TInitRoutine = void (*)(void* object);
void AddInit(TInitRoutine routine, void* object);

template <auto Method, typename C>
void AddInit(C* object) {
  AddInit([](void* o) { (static_cast<C*>(o)->*Method)(); }, object);
}

void RunInits();
