#include "elements/thread.h"

#include <chrono>

#include "runtime/scheme_lock.h"
#include "runtime/system_ops.h"

namespace {
thread_local TThread* current_worker = nullptr;
TThread::TAfterBody after_body;
}  // namespace

void TThread::SetAfterBodyHook(TAfterBody hook) { after_body = std::move(hook); }

std::unique_ptr<TThread> TThread::CreateSuspended(TExecute execute) {
  return std::unique_ptr<TThread>(new TThread(std::move(execute)));
}

TThread::~TThread() {
  Terminate();
  if (!run_) return;
  if (Busy) {
    // The body may be waiting for the scheme lock to finish its step.
    TSchemeUnlock unlocked;
    run_->Join();
  } else {
    run_->Join();
  }
}

bool TThread::Resume() {
  if (!Suspended.exchange(false)) return true;
  // Busy before the thread exists, so a quick body cannot end before the
  // flag is set and leave it set for good.
  Busy = true;
  WorkerStarted();
  TSystemOps* ops = SystemOps();
  TWorkerBody body = [this] { return RunOn(); };
  run_ = ops ? ops->StartWorker(std::move(body)) : StartThreadWorker(std::move(body));
  if (run_) return true;
  Busy = false;
  WorkerFinished();
  return false;
}

bool TThread::RunOn() {
  // A body run on the thread that resumed it may be inside another's.
  TThread* outer = current_worker;
  current_worker = this;
  const std::atomic<bool>* outer_stop = SetCurrentWorkerStop(&Terminated);
  if (!begun_) {
    begun_ = true;
    exit_code_ = execute_ ? execute_(*this) : 0;
  } else {
    RunRests();
  }
  const bool ended = !LeftOff();
  if (ended && after_body) after_body(*this);
  SetCurrentWorkerStop(outer_stop);
  current_worker = outer;
  if (!ended) return false;
  Busy = false;
  WorkerFinished();
  return true;
}

void TThread::RunRests() {
  std::vector<std::function<void()>> rests;
  rests.swap(rests_);
  for (size_t i = 0; i < rests.size(); ++i) {
    rests[i]();
    if (LeftOff()) {
      // It left off again: what came after it still comes after it.
      rests_.insert(rests_.end(), std::make_move_iterator(rests.begin() + i + 1),
                    std::make_move_iterator(rests.end()));
      return;
    }
  }
}

bool TThread::TakeLeaveOff(const void* element) {
  const bool mine = may_leave_off_ == element;
  may_leave_off_ = nullptr;
  return mine;
}

void TThread::LeaveOff(std::function<void()> rest) { rests_.push_back(std::move(rest)); }

void TThread::Terminate() {
  {
    std::lock_guard<std::mutex> l(mutex_);
    Terminated = true;
  }
  sleep_cv_.notify_all();
}

void TThread::Sleep(int32_t ms) {
  if (ms <= 0) return;
  std::unique_lock<std::mutex> l(mutex_);
  sleep_cv_.wait_for(l, std::chrono::milliseconds(ms), [this] { return Terminated.load(); });
}

bool TThread::Synchronize(const std::function<void()>& fn) {
  TSystemOps* ops = SystemOps();
  if (!ops) return false;
  {
    // Either a stop sees the hand-over begun, or the hand-over sees the stop.
    std::lock_guard<std::mutex> l(mutex_);
    if (Terminated) return false;
    handing_over_ = true;
  }
  bool ran;
  {
    TSchemeUnlock unlocked;  // the window thread may need the scheme to get here
    ran = ops->RunOnUIThread(fn);
  }
  std::lock_guard<std::mutex> l(mutex_);
  handing_over_ = false;
  return ran;
}

bool TThread::HandingOver() {
  std::lock_guard<std::mutex> l(mutex_);
  return handing_over_;
}

bool TThread::IsCurrent() const { return current_worker == this; }

bool OnWorkerThread() { return current_worker != nullptr; }

TThread* CurrentWorker() { return current_worker; }

THIThread::~THIThread() {
  // The last chain of a stopping worker may have started another one.
  while (Worker && !Worker->IsCurrent()) {
    StopRequested = true;
    Worker.reset();
  }
  JoinRetired(true);
}

void THIThread::JoinRetired(bool all) {
  for (auto it = retired_.begin(); it != retired_.end();) {
    if (all || !(*it)->Busy) {
      std::unique_ptr<TThread> done = std::move(*it);
      it = retired_.erase(it);
      done.reset();
    } else {
      ++it;
    }
  }
}

void THIThread::doStart(TData&) {
  JoinRetired(false);
  if (Worker) {
    if (Worker->IsCurrent()) return;  // a worker cannot replace itself
    if (!Restart && Worker->Busy) return;
    DestroyWorker();
    if (Worker) return;  // started by the old worker's last chain
  }
  Worker = TThread::CreateSuspended([this](TThread& worker) { return Execute(worker); });
  if (Worker->Resume()) return;
  // Nothing ran: whoever waits for the work must hear so, never take it
  // for done.
  Worker.reset();
  FireNone(onError);
}

void THIThread::doRestart(TData& data) {
  // A worker cannot replace itself.
  if (Worker && Worker->IsCurrent()) return;
  doStop(data);
  doStart(data);
}

void THIThread::doStop(TData&) {
  JoinRetired(false);
  DestroyWorker();
}

void THIThread::DestroyWorker() {
  if (!Worker) return;
  StopRequested = true;
  Worker->Terminate();
  // A worker stopping itself ends on its own; the next doStart, doStop or
  // the destructor joins it.
  if (Worker->IsCurrent()) return;
  // One waiting for the window thread ends once that thread has run its
  // hand-over, which it cannot do while it waits here.
  if (Worker->HandingOver()) {
    retired_.push_back(std::move(Worker));
    return;
  }
  Worker.reset();
}

int THIThread::Execute(TThread& worker) {
  StopRequested = false;
  int32_t delay;
  {
    TSchemeGuard scheme;
    delay = Delay;
  }
  RunTurns(worker, delay);
  return 0;
}

void THIThread::RunTurns(TThread& worker, int32_t delay) {
  for (;;) {
    worker.Sleep(delay);
    TTurnEnd end;
    {
      TSchemeGuard scheme;
      // Terminated while waiting for the scheme: the elements may be gone.
      if (worker.Terminated) return;
      worker.OfferLeaveOff(onExecute.Target);
      FireNone(onExecute);
      worker.OfferLeaveOff(nullptr);
      if (worker.LeftOff()) {
        worker.LeaveOff([this, &worker] {
          TTurnEnd rest;
          {
            TSchemeGuard scheme;
            rest = EndTurn();
          }
          if (AfterTurn(worker, rest)) RunTurns(worker, rest.delay);
        });
        return;
      }
      end = EndTurn();
    }
    if (!AfterTurn(worker, end)) return;
    delay = end.delay;
    if (SliceOver()) {
      // The next turn waits for the next slice.
      worker.LeaveOff([this, &worker, delay] { RunTurns(worker, delay); });
      return;
    }
  }
}

THIThread::TTurnEnd THIThread::EndTurn() {
  EndHalt();  // a calculation halted on the way ends with the run
  TTurnEnd end;
  end.sync = onSyncExec.Wired();
  end.last = RunOnce;
  end.delay = Delay;
  return end;
}

bool THIThread::AfterTurn(TThread& worker, const TTurnEnd& end) {
  if (end.sync) {
    worker.Synchronize([this] {
      TSchemeGuard scheme;
      FireNone(onSyncExec);
    });
  }
  return !(worker.Terminated || end.last || StopRequested);
}
