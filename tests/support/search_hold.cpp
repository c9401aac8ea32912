#include "support/search_hold.h"

#include "elements/thread.h"
#include "runtime/scheme_lock.h"

TSearchEndHold::TSearchEndHold() {
  TThread::SetAfterBodyHook([this](TThread& worker) {
    ++ended_;
    {
      std::lock_guard<std::mutex> l(m_);
      if (held_) return;
      held_ = true;
    }
    cv_.notify_all();
    // Sleep returns at once when the worker is asked to stop.
    while (!worker.Terminated && !released_) worker.Sleep(5);
  });
}

TSearchEndHold::~TSearchEndHold() {
  released_ = true;
  WaitWorkersIdle(std::chrono::seconds(60));
  TThread::SetAfterBodyHook(nullptr);
}

bool TSearchEndHold::WaitHeld(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> l(m_);
  return cv_.wait_for(l, limit, [this] { return held_; });
}
