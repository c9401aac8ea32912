// The worker thread object and the element that runs a chain on it.
//
// The scheme lock (runtime/scheme_lock.h) keeps the scheme single-threaded:
// the body takes it around each firing of onExecute, a loop running on the
// worker offers it between steps, and nothing waits for the window thread
// while holding it. A busy worker is never killed: destroying it asks it to
// stop (Terminated, which a running loop sees after its current step) and
// joins it with the caller's hold on the scheme lock released.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"
#include "runtime/system_ops.h"

// One worker that runs its body once, the way the platform runs work
// (TSystemOps::StartWorker): on a thread of its own, or where there are no
// threads on the thread that resumes it, to the end of the body before
// Resume answers or a slice at a time between the window's turns. Busy
// from Resume until the body has ended (and counted by
// WorkerStarted/WorkerFinished meanwhile). Must be destroyed by a thread
// other than its own.
//
// Leaving off: in a slice, a part of the body may stop short and leave the
// rest of its work to the worker (LeaveOff); every part that called it
// then leaves its own rest after it and returns. The next slice runs the
// rests in the order they were left, innermost first. Only the part the
// body's own link fires directly may leave off (TakeLeaveOff), since an
// element in between would go on with its work at once.
class TThread {
 public:
  using TExecute = std::function<int(TThread&)>;

  // Makes a worker whose body runs only after Resume.
  static std::unique_ptr<TThread> CreateSuspended(TExecute execute);
  // Terminates, then waits for the body to return with the caller's scheme
  // lock released.
  ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the body; false when no worker could be started (nothing runs).
  bool Resume();
  // Asks the body to stop; a loop on this worker ends after its step.
  void Terminate();
  // Waits up to `ms` milliseconds, less when terminated meanwhile.
  void Sleep(int32_t ms);
  // Runs `fn` on the window thread while this thread waits, with the scheme
  // lock released; false (and `fn` not run) without an application window
  // or once terminated.
  bool Synchronize(const std::function<void()>& fn);
  // True while the body waits for the window thread in Synchronize: a
  // window thread joining it now would wait for itself.
  bool HandingOver();

  bool IsCurrent() const;
  int ExitCode() const { return exit_code_.load(); }

  // The body's link is about to fire `target`'s point (TakeLeaveOff).
  void OfferLeaveOff(const void* target) { may_leave_off_ = target; }
  // Asked once by an element as its point starts: whether it is the one
  // the body fired directly, and so may leave off between its steps. Any
  // later asker is nested inside it and must not.
  bool TakeLeaveOff(const void* element);
  // Leaves `rest` to run when the worker goes on (see above).
  void LeaveOff(std::function<void()> rest);
  // Whether a part of the body has left off in this slice.
  bool LeftOff() const { return !rests_.empty(); }

  // A seam for tests: runs on every worker after its body has returned
  // (the scheme lock released) and before the worker counts as idle, the
  // moment at which a start still finds it busy. Set it while no worker
  // runs; an empty hook removes it.
  using TAfterBody = std::function<void(TThread&)>;
  static void SetAfterBodyHook(TAfterBody hook);

  std::atomic<bool> Suspended{true};
  std::atomic<bool> Terminated{false};
  std::atomic<bool> Busy{false};

 private:
  explicit TThread(TExecute execute) : execute_(std::move(execute)) {}
  // Runs the body, or goes on with what it left; true once it has ended.
  bool RunOn();
  void RunRests();

  TExecute execute_;
  bool begun_ = false;
  std::vector<std::function<void()>> rests_;  // in the order they run
  const void* may_leave_off_ = nullptr;
  std::unique_ptr<TWorkerRun> run_;
  std::atomic<int> exit_code_{0};
  std::mutex mutex_;  // orders Terminated against Sleep and Synchronize
  std::condition_variable sleep_cv_;
  bool handing_over_ = false;  // guarded by mutex_
};

// True inside a TThread body (on its thread, or on the thread running it
// to its end or in slices).
bool OnWorkerThread();
// The worker whose body runs on this thread now, or none.
TThread* CurrentWorker();

// Runs onExecute on a worker of its own: once per doStart with RunOnce,
// else again and again until stopped, with onSyncExec handed to the window
// thread after each run. doRestart always ends a busy worker and starts a
// new one, whatever Restart says, for a caller whose newest request must
// win. doStop and a restart stop the worker and join it,
// except one waiting for its hand-over, which is joined later. The
// destructor stops and joins every worker (one still waiting for its
// hand-over then needs the platform to run or refuse it); it must not run
// on the element's own worker. A doStart that cannot start a worker fires
// onError on the caller's thread instead: nothing ran, and the chain wired
// there decides what becomes of the work. Where the platform runs the body
// in slices, the element onExecute fires may leave off between its steps
// (TThread::LeaveOff); the run, and onSyncExec, go on when it ends.
class THIThread : public TElement {
 public:
  ~THIThread() override;

  std::unique_ptr<TThread> Worker;
  std::atomic<bool> StopRequested{false};
  int32_t Delay = 0;  // milliseconds before each run of the body
  bool RunOnce = false;
  bool Restart = false;  // doStart while busy: false ignores it, true replaces the worker
  THI_Event onSyncExec;
  THI_Event onExecute;
  THI_Event onError;

  void doStart(TData& data);
  // Stops a busy worker (as doStop does), then starts as doStart does.
  void doRestart(TData& data);
  void doStop(TData& data);

 private:
  int Execute(TThread& worker);
  // Runs the body's turns from one that waits `delay` first, until one is
  // the last; one whose chain left off goes on when the worker resumes.
  void RunTurns(TThread& worker, int32_t delay);
  // After a turn's chain (the scheme held): whether another turn follows,
  // whether onSyncExec is handed over, and the delay before the next.
  struct TTurnEnd {
    bool sync = false;
    bool last = true;
    int32_t delay = 0;
  };
  TTurnEnd EndTurn();
  // Hands onSyncExec over after a turn; whether another turn follows.
  bool AfterTurn(TThread& worker, const TTurnEnd& end);
  void DestroyWorker();
  void JoinRetired(bool all);

  // Stopped workers still waiting for their hand-over to the window thread.
  std::vector<std::unique_ptr<TThread>> retired_;
};
