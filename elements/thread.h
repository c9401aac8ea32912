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
// Resume answers. Busy from Resume until the body returns (and counted by
// WorkerStarted/WorkerFinished meanwhile). Must be destroyed by a thread
// other than its own.
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
  void Run();

  TExecute execute_;
  std::unique_ptr<TWorkerRun> run_;
  std::atomic<int> exit_code_{0};
  std::mutex mutex_;  // orders Terminated against Sleep and Synchronize
  std::condition_variable sleep_cv_;
  bool handing_over_ = false;  // guarded by mutex_
};

// True inside a TThread body (on its thread, or on the thread running it
// to its end).
bool OnWorkerThread();

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
// there decides what becomes of the work.
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
  void DestroyWorker();
  void JoinRetired(bool all);

  // Stopped workers still waiting for their hand-over to the window thread.
  std::vector<std::unique_ptr<TThread>> retired_;
};
