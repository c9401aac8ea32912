#include "runtime/event.h"

#include <atomic>
#include <vector>

namespace {

using TDispatcher = void (*)(const THI_Event&, TData&);

void DispatchNothing(const THI_Event&, TData&) {}

// Runs the link, then follows continuations on the same record, so long
// branching chains stay one frame deep.
void DispatchEvent(const THI_Event& link, TData& data) {
  const THI_Event* current = &link;
  while (current->Code) {
    current->Code(current->Target, data, current->Index);
    if (!(data.Kind & KindContinue)) return;
    data.Kind = static_cast<uint8_t>(data.Kind - KindContinue);
    current = data.ContinueLink;
    if (!current) return;
  }
}

// Atomic because the search worker fires while the window thread may stop
// dispatching at close.
std::atomic<TDispatcher> EventDispatcher{&DispatchNothing};

struct TInitMan {
  struct Entry {
    TInitRoutine routine;
    void* object;
  };
  std::vector<Entry> entries;
  bool running = false;
};

TInitMan* InitMan = nullptr;

}  // namespace

THI_Event MakeLink(TPointRoutine code, void* target, uint16_t index) {
  THI_Event e;
  e.Code = code;
  e.Target = target;
  e.Index = index;
  return e;
}

void FireEvent(const THI_Event& link, TData& data) {
  EventDispatcher.load(std::memory_order_acquire)(link, data);
}

void FireNone(const THI_Event& link) {
  TData d;
  FireEvent(link, d);
}

void FireInteger(const THI_Event& link, int32_t v) {
  TData d;
  SetInteger(d, v);
  FireEvent(link, d);
}

void FireString(const THI_Event& link, const std::string& s) {
  TData d;
  SetString(d, s);
  FireEvent(link, d);
}

void FireReal(const THI_Event& link, double v) {
  TData d;
  SetReal(d, v);
  FireEvent(link, d);
}

void ContinueInteger(TData& data, const THI_Event& link, int32_t v) {
  SetInteger(data, v);
  data.Kind |= KindContinue;
  data.ContinueLink = &link;
}

void ContinueReal(TData& data, const THI_Event& link, double v) {
  SetReal(data, v);
  data.Kind |= KindContinue;
  data.ContinueLink = &link;
}

void ContinueData(TData& data, const THI_Event& link, const TData& value) {
  CopySingle(data, value);
  data.Kind = static_cast<uint8_t>((data.Kind & 0x7F) | KindContinue);
  data.ContinueLink = &link;
}

void StartDispatch() { EventDispatcher.store(&DispatchEvent, std::memory_order_release); }

void StopDispatch() { EventDispatcher.store(&DispatchNothing, std::memory_order_release); }

bool DispatchRunning() { return EventDispatcher.load(std::memory_order_acquire) == &DispatchEvent; }

void AddInit(TInitRoutine routine, void* object) {
  if (!InitMan) InitMan = new TInitMan;
  InitMan->entries.push_back({routine, object});
}

void RunInits() {
  if (!InitMan || InitMan->running) return;
  InitMan->running = true;
  // Entries added while the queue runs land in it and are discarded with
  // it; copying each entry keeps the loop safe when the vector grows.
  for (size_t n = InitMan->entries.size(); n > 0; --n) {
    TInitMan::Entry e = InitMan->entries[n - 1];
    e.routine(e.object);
  }
  delete InitMan;
  InitMan = nullptr;
}
