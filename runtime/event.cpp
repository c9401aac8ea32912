#include "runtime/event.h"

#include <atomic>
#include <mutex>
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

namespace {
// Dispatching is on while the dispatcher runs and no chain is halted; the
// mutex orders the three switches (start and stop come from the window
// thread, a halt also from a worker).
std::mutex dispatch_mutex;
bool dispatch_started = false;  // guarded by dispatch_mutex
bool chain_halted = false;      // guarded by dispatch_mutex

void SetDispatching() {
  event_detail::Dispatching.store(dispatch_started && !chain_halted, std::memory_order_release);
}
}  // namespace

void StartDispatch() {
  std::lock_guard<std::mutex> l(dispatch_mutex);
  dispatch_started = true;
  SetDispatching();
}

void StopDispatch() {
  std::lock_guard<std::mutex> l(dispatch_mutex);
  dispatch_started = false;
  SetDispatching();
}

void HaltChain() {
  std::lock_guard<std::mutex> l(dispatch_mutex);
  chain_halted = true;
  SetDispatching();
}

bool EndHalt() {
  // Dispatching means nothing is halted: the common case takes no lock.
  if (event_detail::Dispatching.load(std::memory_order_acquire)) return false;
  std::lock_guard<std::mutex> l(dispatch_mutex);
  if (!chain_halted) return false;
  chain_halted = false;
  SetDispatching();
  return true;
}

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
