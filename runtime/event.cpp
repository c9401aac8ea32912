#include "runtime/event.h"

#include <atomic>
#include <vector>

std::atomic<bool> event_detail::Dispatching{false};

namespace {

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

void FireString(const THI_Event& link, const std::string& s) {
  TData d;
  SetString(d, s);
  FireEvent(link, d);
}

void StartDispatch() { event_detail::Dispatching.store(true, std::memory_order_release); }

void StopDispatch() { event_detail::Dispatching.store(false, std::memory_order_release); }

bool DispatchRunning() { return event_detail::Dispatching.load(std::memory_order_acquire); }

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
