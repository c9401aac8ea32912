#include "elements/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "elements/loops.h"
#include "elements/routing.h"
#include "runtime/number_text.h"
#include "runtime/scheme_lock.h"
#include "support/probe.h"
#include "support/recording_system.h"
#include "support/search_hold.h"

namespace {

// The tests play the window thread: every chain they fire while a worker
// may run is fired holding the scheme lock.
void StartThread(THIThread& t) {
  TSchemeGuard scheme;
  FireNone(MakeLink<&THIThread::doStart>(&t));
}

void StopThread(THIThread& t) {
  TSchemeGuard scheme;
  FireNone(MakeLink<&THIThread::doStop>(&t));
}

void WaitIdle() { ASSERT_TRUE(WaitWorkersIdle(std::chrono::minutes(2))) << "a worker did not finish"; }

// Logs every step and checks that the counter moved with the loop: a step
// seen half done (counter advanced, log not yet) means the scheme was
// entered in the middle of a step.
struct StepLog : TElement {
  THI_Event Count;
  THI_Event Shared;
  int32_t steps = 0;
  int32_t lastShared = 0;
  bool consistent = true;
  std::thread::id thread;
  std::atomic<int32_t>* progress = nullptr;  // watched by the test without the lock
  void doStep(TData& d) {
    ++steps;
    TData none;
    if (ReadInteger(none, Count, 0) != ToInteger(d) || ToInteger(d) != steps) consistent = false;
    lastShared = ReadInteger(none, Shared, 0);
    thread = std::this_thread::get_id();
    if (progress) progress->store(steps);
  }
};

// Holds the worker inside step `at`, offering the scheme lock meanwhile,
// until the test releases it or the worker is asked to stop.
struct Gate : TElement {
  int32_t at = -1;
  std::atomic<bool> reached{false};
  std::atomic<bool> released{false};
  void doStep(TData& d) {
    if (ToInteger(d) != at) return;
    reached = true;
    while (!released && !CurrentWorkerStopRequested()) {
      SchemeLock().YieldToWaiter();
      std::this_thread::yield();
    }
  }
  void WaitReached() const {
    while (!reached) std::this_thread::yield();
  }
};

// The accurate search of the voltage page in small: a thread runs a loop
// whose every step advances a counter, logs and may pass a gate.
struct Search {
  std::atomic<int32_t> progress{0};
  THICounter counter;
  THIFor loop;
  THIHub stepHub, execHub;
  StepLog log;
  Gate gate;
  THIMemory shared;  // written by the window thread, read by every step
  TProbe runs, stops;
  THIThread thread;  // declared last: destroyed, and so joined, first

  explicit Search(int32_t end) {
    counter.MinValue = 1;
    counter.Max = end;
    counter.Step = 1;
    loop.StartDef = 1;
    loop.EndDef = end;
    loop.Step = 1;
    loop.IncludeEnd = true;
    thread.RunOnce = true;
    thread.onExecute = MakeLink<&THIHub::doEvent>(&execHub);
    execHub.SetOutCount(2);
    execHub.onEvent[0] = runs.In();
    execHub.onEvent[1] = MakeLink<&THIFor::doFor>(&loop);
    loop.onEvent = MakeLink<&THIHub::doEvent>(&stepHub);
    loop.onStop = stops.In();
    stepHub.SetOutCount(3);
    stepHub.onEvent[0] = MakeLink<&THICounter::doNext>(&counter);
    stepHub.onEvent[1] = MakeLink<&StepLog::doStep>(&log);
    stepHub.onEvent[2] = MakeLink<&Gate::doStep>(&gate);
    log.Count = MakeLink<&THICounter::Count>(&counter);
    log.Shared = MakeLink<&THIMemory::Value>(&shared);
    log.progress = &progress;
  }
};

// A chain of the window thread between the search's steps: it writes
// what every later step reads, and finds the counter and the log in step.
void WindowChain(Search& s, int32_t value) {
  TSchemeGuard scheme;
  FireInteger(MakeLink<&THIMemory::doValue>(&s.shared), value);
  TData count;
  s.counter.Count(count);
  EXPECT_EQ(ToInteger(count), s.log.steps);
}

class ThreadElement : public DispatchOn {};

TEST_F(ThreadElement, SearchRunsOnTheWorkerWhileTheWindowThreadFires) {
  Search s(200000);
  s.gate.at = 1000;
  StartThread(s.thread);
  s.gate.WaitReached();
  int32_t entered = 0, chains = 0;
  {
    // In the middle of step 1000: the worker waits in the gate.
    TSchemeGuard scheme;
    entered = s.log.steps;
    EXPECT_EQ(s.counter.CountValue, 1000);
    s.gate.released = true;
  }
  EXPECT_EQ(entered, 1000);
  // Window chains keep running while the search goes on; each sees the
  // counter and the log in step.
  while (BusyWorkers() > 0) WindowChain(s, ++chains);
  WaitIdle();
  EXPECT_TRUE(s.log.consistent);
  EXPECT_EQ(s.log.steps, 200000);
  EXPECT_NE(s.log.thread, std::this_thread::get_id());
  EXPECT_LE(s.log.lastShared, chains);
  EXPECT_EQ(s.runs.got.size(), 1u);
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 200001"});
  EXPECT_FALSE(s.thread.Worker->Busy);
}

// Stops the loop when a given step arrives (on the worker).
struct StopLoopAt : TElement {
  THIFor* loop = nullptr;
  int32_t at = 0;
  void doStep(TData& d) {
    if (ToInteger(d) == at) loop->doStop(d);
  }
};

TEST_F(ThreadElement, LoopStoppedFromItsOwnStep) {
  Search s(200000);
  StopLoopAt stopper;
  stopper.loop = &s.loop;
  stopper.at = 5;
  s.stepHub.onEvent[2] = MakeLink<&StopLoopAt::doStep>(&stopper);
  StartThread(s.thread);
  WaitIdle();
  EXPECT_EQ(s.log.steps, 5);
  EXPECT_EQ(s.counter.CountValue, 5);
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 6"});
}

TEST_F(ThreadElement, StopEndsTheSearchAfterItsCurrentStep) {
  Search s(200000);
  s.gate.at = 1000;
  StartThread(s.thread);
  s.gate.WaitReached();
  EXPECT_EQ(BusyWorkers(), 1);
  StopThread(s.thread);  // joins the worker
  EXPECT_EQ(BusyWorkers(), 0);
  EXPECT_EQ(s.thread.Worker, nullptr);
  EXPECT_EQ(s.log.steps, 1000);
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 1001"});  // onStop still continues
  StopThread(s.thread);  // nothing left to stop
}

// Program exit: the schemes are destroyed (by the window thread, holding
// the scheme lock) while a search that would never end by itself runs.
TEST_F(ThreadElement, DestroyingABusySearchEndsPromptly) {
  struct Case {
    const char* name;
    bool dispatchOffFirst;
    bool wholeScheme;  // else the thread element alone, without the lock
  };
  const Case cases[] = {
      {"scheme destroyed in creation order", false, true},
      {"dispatcher off, then the scheme", true, true},
      {"thread element alone", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartDispatch();
    std::atomic<int32_t> progress{0};
    struct Scheme : TScheme {
      THICounter* counter;
      THIFor* loop;
      THIThread* thread;
      THIHub* hub;
      StepLog* log;
      // `outside`: a thread element the scheme does not own.
      Scheme(std::atomic<int32_t>* progress, THIThread* outside) {
        // The loop and the counter are created, and so destroyed, before
        // the thread, as on the voltage page.
        log = Create<StepLog>();
        counter = Create<THICounter>();
        loop = Create<THIFor>();
        thread = outside ? outside : Create<THIThread>();
        hub = Create<THIHub>();
        counter->MinValue = 1;
        counter->Max = INT_MAX;
        counter->Step = 1;
        loop->StartDef = 1;
        loop->EndDef = INT_MAX;
        loop->Step = 1;
        loop->IncludeEnd = true;
        thread->RunOnce = true;
        thread->onExecute = MakeLink<&THIFor::doFor>(loop);
        loop->onEvent = MakeLink<&THIHub::doEvent>(hub);
        hub->SetOutCount(2);
        hub->onEvent[0] = MakeLink<&THICounter::doNext>(counter);
        hub->onEvent[1] = MakeLink<&StepLog::doStep>(log);
        log->Count = MakeLink<&THICounter::Count>(counter);
        log->progress = progress;
      }
    };
    auto outside = c.wholeScheme ? nullptr : std::make_unique<THIThread>();
    auto scheme = std::make_unique<Scheme>(&progress, outside.get());
    StartThread(*scheme->thread);
    while (progress < 1000) std::this_thread::yield();
    if (c.wholeScheme) {
      TSchemeGuard scheme_lock;
      if (c.dispatchOffFirst) StopDispatch();
      scheme.reset();
    } else {
      outside.reset();  // stops and joins without the lock
      EXPECT_TRUE(scheme->log->consistent);
      EXPECT_GE(scheme->log->steps, 1000);
      EXPECT_EQ(scheme->loop->Current, scheme->log->steps + 1);  // onStop's value
      TSchemeGuard scheme_lock;
      scheme.reset();
    }
    EXPECT_EQ(BusyWorkers(), 0);
    EXPECT_LT(progress, INT_MAX);
  }
}

TEST_F(ThreadElement, SecondStartWhileBusyIsIgnored) {
  Search s(2000);
  s.gate.at = 100;
  StartThread(s.thread);
  s.gate.WaitReached();
  {
    TSchemeGuard scheme;
    TThread* first = s.thread.Worker.get();
    FireNone(MakeLink<&THIThread::doStart>(&s.thread));
    EXPECT_EQ(s.thread.Worker.get(), first);
    s.gate.released = true;
  }
  WaitIdle();
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 2001"});
  // The body has ended: a new start replaces the finished worker.
  StartThread(s.thread);
  WaitIdle();
  EXPECT_EQ(s.runs.got.size(), 2u);
  EXPECT_EQ(s.stops.got, (std::vector<std::string>{"int 2001", "int 2001"}));
  EXPECT_EQ(s.counter.CountValue, 2000);  // wrapped to Min once, then counted up again
}

TEST_F(ThreadElement, RestartReplacesABusyWorker) {
  Search s(2000);
  s.thread.Restart = true;
  s.gate.at = 100;
  StartThread(s.thread);
  s.gate.WaitReached();
  {
    TSchemeGuard scheme;
    FireNone(MakeLink<&THIThread::doStart>(&s.thread));  // stops and joins the first
    EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 101"});
    s.gate.released = true;
  }
  WaitIdle();
  EXPECT_EQ(s.runs.got.size(), 2u);
  EXPECT_EQ(s.stops.got, (std::vector<std::string>{"int 101", "int 2001"}));
}

// doRestart ends the busy worker whatever Restart says, and the new one
// runs its whole body; doStart beside it keeps ignoring a busy worker.
TEST_F(ThreadElement, RestartMethodReplacesABusyWorker) {
  struct Case {
    const char* what;
    int32_t gateAt;   // the step the first worker is held in, or -1
    bool afterBody;   // the first worker is held after its last step
    const char* firstStop;
  };
  const Case cases[] = {
      {"held in the middle of its steps", 100, false, "int 101"},
      {"held after its last step, not yet idle", -1, true, "int 2001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<TSearchEndHold> hold;
    if (c.afterBody) hold = std::make_unique<TSearchEndHold>();
    Search s(2000);
    ASSERT_FALSE(s.thread.Restart);
    s.gate.at = c.gateAt;
    StartThread(s.thread);
    if (hold) ASSERT_TRUE(hold->WaitHeld(std::chrono::minutes(1)));
    else s.gate.WaitReached();
    {
      TSchemeGuard scheme;
      TThread* first = s.thread.Worker.get();
      FireNone(MakeLink<&THIThread::doStart>(&s.thread));
      EXPECT_EQ(s.thread.Worker.get(), first) << "doStart replaced a busy worker";
      EXPECT_EQ(s.runs.got.size(), 1u);
      FireNone(MakeLink<&THIThread::doRestart>(&s.thread));  // stops and joins the first
      EXPECT_EQ(s.stops.got, std::vector<std::string>{c.firstStop});
      s.gate.released = true;  // the new worker passes the gate
    }
    WaitIdle();
    EXPECT_EQ(s.runs.got.size(), 2u);
    EXPECT_EQ(s.stops.got, (std::vector<std::string>{c.firstStop, "int 2001"}));
    if (hold) {
      EXPECT_EQ(hold->Ended(), 2);
    }
  }
}

// A calculation halted in a worker's step (a result too large to show)
// ends the search after that step; the dispatcher runs again for the rest.
TEST_F(ThreadElement, AHaltInAStepEndsTheSearchThere) {
  struct HaltAt : TElement {
    int32_t at = 0;
    std::atomic<int32_t> steps{0};
    void doStep(TData& d) {
      ++steps;
      if (ToInteger(d) == at) HaltChain();
    }
  };
  HaltAt halter;
  halter.at = 5;
  THIFor loop;
  TProbe stops;
  THIThread thread;  // declared last: destroyed, and so joined, first
  loop.StartDef = 1;
  loop.EndDef = 100;
  loop.Step = 1;
  loop.IncludeEnd = true;
  loop.onEvent = MakeLink<&HaltAt::doStep>(&halter);
  loop.onStop = stops.In();
  thread.RunOnce = true;
  thread.onExecute = MakeLink<&THIFor::doFor>(&loop);
  StartThread(thread);
  WaitIdle();
  EXPECT_EQ(halter.steps, 5);
  EXPECT_EQ(stops.got, std::vector<std::string>{"int 6"});
  EXPECT_TRUE(DispatchRunning());
}

// With nothing running, doRestart is a plain start.
TEST_F(ThreadElement, RestartMethodWhenIdleStarts) {
  Search s(50);
  {
    TSchemeGuard scheme;
    FireNone(MakeLink<&THIThread::doRestart>(&s.thread));
  }
  WaitIdle();
  EXPECT_EQ(s.runs.got.size(), 1u);
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 51"});
}

// Records on which thread it was fired.
struct ThreadLog : TElement {
  std::vector<std::string>* log = nullptr;
  std::thread::id window;
  std::string name;
  void doIn(TData&) { log->push_back(name + (std::this_thread::get_id() == window ? " on window" : " on worker")); }
};

TEST_F(ThreadElement, SynchronizeRunsOnTheWindowThread) {
  struct Case {
    const char* name;
    bool systemOps, appWindow;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"handed over", true, true, {"execute on worker", "sync on window"}},
      {"no application window", true, false, {"execute on worker"}},
      {"no platform", false, false, {"execute on worker"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> log;
    ThreadLog exec, sync;
    exec.log = sync.log = &log;
    exec.window = sync.window = std::this_thread::get_id();
    exec.name = "execute";
    sync.name = "sync";
    std::unique_ptr<TRecordingSystem> system;
    if (c.systemOps) {
      system = std::make_unique<TRecordingSystem>();
      system->hasAppWindow = c.appWindow;
    }
    {
      THIThread thread;
      thread.RunOnce = true;
      thread.onExecute = MakeLink<&ThreadLog::doIn>(&exec);
      thread.onSyncExec = MakeLink<&ThreadLog::doIn>(&sync);
      StartThread(thread);
      while (BusyWorkers() > 0) {
        if (system) system->Pump();  // the window thread's message loop
        std::this_thread::yield();
      }
    }
    EXPECT_EQ(log, c.expected);
  }
}

// The window thread stopping a worker that waits for it to run the
// hand-over must not wait for the worker in turn.
TEST_F(ThreadElement, StopDuringTheHandOverDoesNotWaitForIt) {
  TRecordingSystem system;
  std::vector<std::string> log;
  ThreadLog sync;
  sync.log = &log;
  sync.window = std::this_thread::get_id();
  sync.name = "sync";
  THIThread thread;
  thread.RunOnce = false;
  thread.onSyncExec = MakeLink<&ThreadLog::doIn>(&sync);
  StartThread(thread);
  while (!thread.Worker->HandingOver()) std::this_thread::yield();
  StopThread(thread);
  EXPECT_EQ(thread.Worker, nullptr);
  EXPECT_EQ(BusyWorkers(), 1);  // still waiting for the message loop
  while (BusyWorkers() > 0) {
    system.Pump();
    std::this_thread::yield();
  }
  EXPECT_EQ(log, std::vector<std::string>{"sync on window"});
  StartThread(thread);  // a new worker; the stopped one is joined
  while (!thread.Worker->HandingOver()) std::this_thread::yield();
  StopThread(thread);
  while (BusyWorkers() > 0) {
    system.Pump();
    std::this_thread::yield();
  }
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(ThreadElement, RepeatsUntilStopped) {
  Search s(10);
  s.thread.RunOnce = false;
  StartThread(s.thread);
  while (s.progress < 25) std::this_thread::yield();  // into the third run
  StopThread(s.thread);
  EXPECT_GE(s.runs.got.size(), 3u);
  EXPECT_EQ(s.runs.got.size(), s.stops.got.size());
}

// A long delay before each run does not hold up a stop.
TEST_F(ThreadElement, StopCutsTheDelayShort) {
  Search s(10);
  s.thread.Delay = 600000;
  StartThread(s.thread);
  StopThread(s.thread);
  EXPECT_TRUE(s.runs.got.empty());
  EXPECT_EQ(BusyWorkers(), 0);
}

// A worker whose own chain stops (or restarts) its element must not wait
// for itself.
TEST_F(ThreadElement, WorkerStoppingItself) {
  Search s(10);
  s.thread.RunOnce = false;
  s.thread.Restart = true;
  s.execHub.SetOutCount(4);
  s.execHub.onEvent[0] = s.runs.In();
  s.execHub.onEvent[1] = MakeLink<&THIFor::doFor>(&s.loop);
  s.execHub.onEvent[2] = MakeLink<&THIThread::doStop>(&s.thread);
  s.execHub.onEvent[3] = MakeLink<&THIThread::doStart>(&s.thread);
  StartThread(s.thread);
  WaitIdle();
  EXPECT_EQ(s.runs.got.size(), 1u);
  ASSERT_NE(s.thread.Worker, nullptr);  // kept until the next start or stop joins it
  EXPECT_FALSE(s.thread.Worker->Busy);
  StartThread(s.thread);
  WaitIdle();
  EXPECT_EQ(s.runs.got.size(), 2u);
}

// A platform that runs workers one way: on threads of their own, on the
// caller's thread to the end of the body, or not at all (out of threads).
enum class TWorkers { OwnThread, ToTheEnd, Refused };

class TWorkersSystem : public TRecordingSystem {
 public:
  explicit TWorkersSystem(TWorkers how) : how_(how) {}
  int starts = 0;
  std::unique_ptr<TWorkerRun> StartWorker(TWorkerBody body) override {
    ++starts;
    switch (how_) {
      case TWorkers::OwnThread: return StartThreadWorker(std::move(body));
      case TWorkers::ToTheEnd: return RunWorkerInline(std::move(body));
      case TWorkers::Refused: break;
    }
    return nullptr;
  }

 private:
  TWorkers how_;
};

// Whichever way the platform runs the body, a search started by doStart
// ends the same: its steps, where the chain stopped it, what continued.
TEST_F(ThreadElement, SearchEndsTheSameWhereverThePlatformRunsIt) {
  struct Case {
    const char* name;
    TWorkers how;
    bool onCallersThread;
  };
  const Case cases[] = {
      {"own thread", TWorkers::OwnThread, false},
      {"to the end on the caller's thread", TWorkers::ToTheEnd, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorkersSystem system(c.how);
    Search s(200000);
    StopLoopAt stopper;
    stopper.loop = &s.loop;
    stopper.at = 4362;
    s.stepHub.onEvent[2] = MakeLink<&StopLoopAt::doStep>(&stopper);
    TProbe errors;
    s.thread.onError = errors.In();
    StartThread(s.thread);
    if (c.onCallersThread) {
      EXPECT_EQ(BusyWorkers(), 0) << "the body ran before doStart returned";
    }
    WaitIdle();
    EXPECT_EQ(system.starts, 1);
    EXPECT_TRUE(errors.got.empty());
    EXPECT_TRUE(s.log.consistent);
    EXPECT_EQ(s.log.steps, 4362);
    EXPECT_EQ(s.counter.CountValue, 4362);
    EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 4363"});
    EXPECT_EQ(s.runs.got.size(), 1u);
    EXPECT_EQ(s.log.thread == std::this_thread::get_id(), c.onCallersThread);
    EXPECT_FALSE(OnWorkerThread());
    EXPECT_FALSE(CurrentWorkerStopRequested());
    ASSERT_NE(s.thread.Worker, nullptr);
    EXPECT_FALSE(s.thread.Worker->Busy);
  }
}

// No worker could be started: nothing runs, nothing is counted busy, and
// onError says so on the caller's thread, every time it happens.
TEST_F(ThreadElement, AWorkerThatCannotStartIsReported) {
  TWorkersSystem system(TWorkers::Refused);
  Search s(10);
  TProbe errors;
  s.thread.onError = errors.In();
  for (int attempt = 1; attempt <= 2; ++attempt) {
    StartThread(s.thread);
    EXPECT_EQ(system.starts, attempt);
    EXPECT_EQ(errors.got.size(), static_cast<size_t>(attempt));
    EXPECT_EQ(s.thread.Worker, nullptr);
    EXPECT_EQ(BusyWorkers(), 0);
  }
  EXPECT_TRUE(s.runs.got.empty());
  EXPECT_EQ(s.log.steps, 0);
  StopThread(s.thread);  // nothing to stop
}

// A body run to its end inside another body (a chain starting a second
// worker): the outer one is current again afterwards, with its own stop.
TEST(ThreadObject, BodyRunToTheEndInsideAnotherKeepsTheOuter) {
  TWorkersSystem system(TWorkers::ToTheEnd);
  bool innerCurrent = false, outerCurrentAfter = false, outerStopAfter = false;
  std::unique_ptr<TThread> inner;
  auto outer = TThread::CreateSuspended([&](TThread& self) {
    self.Terminate();
    inner = TThread::CreateSuspended([&](TThread& me) {
      innerCurrent = me.IsCurrent() && !self.IsCurrent() && !CurrentWorkerStopRequested();
      return 0;
    });
    EXPECT_TRUE(inner->Resume());
    outerCurrentAfter = self.IsCurrent() && OnWorkerThread();
    outerStopAfter = CurrentWorkerStopRequested();
    return 0;
  });
  ASSERT_TRUE(outer->Resume());
  EXPECT_EQ(system.starts, 2);
  EXPECT_TRUE(innerCurrent);
  EXPECT_TRUE(outerCurrentAfter);
  EXPECT_TRUE(outerStopAfter);
  EXPECT_FALSE(OnWorkerThread());
  EXPECT_FALSE(CurrentWorkerStopRequested());
  EXPECT_EQ(BusyWorkers(), 0);
}

TEST(ThreadObject, RefusedWorkerIsNeitherBusyNorRun) {
  TWorkersSystem system(TWorkers::Refused);
  bool ran = false;
  auto t = TThread::CreateSuspended([&](TThread&) {
    ran = true;
    return 0;
  });
  EXPECT_FALSE(t->Resume());
  EXPECT_FALSE(t->Busy);
  EXPECT_EQ(BusyWorkers(), 0);
  t.reset();
  EXPECT_FALSE(ran);
}

TEST(ThreadObject, RunsItsBodyOnceAfterResume) {
  std::atomic<bool> ran{false};
  std::atomic<bool> current{false}, onWorker{false};
  auto t = TThread::CreateSuspended([&](TThread& self) {
    ran = true;
    current = self.IsCurrent();
    onWorker = OnWorkerThread();
    return 7;
  });
  EXPECT_TRUE(t->Suspended);
  EXPECT_FALSE(t->Busy);
  EXPECT_EQ(BusyWorkers(), 0);
  EXPECT_FALSE(ran);
  ASSERT_TRUE(t->Resume());
  EXPECT_TRUE(t->Resume());  // already running: nothing more
  WaitIdle();
  EXPECT_TRUE(ran);
  EXPECT_TRUE(current);
  EXPECT_TRUE(onWorker);
  EXPECT_FALSE(OnWorkerThread());
  EXPECT_FALSE(t->IsCurrent());
  EXPECT_FALSE(t->Busy);
  EXPECT_EQ(t->ExitCode(), 7);
}

// Number text rounds through long double: a thread whose x87 unit rounds
// to 53 bits (as threads that Windows starts directly do) prints
// 0.666666666666666 for 2/3. Workers must compute as the window thread does.
TEST(ThreadObject, WorkerComputesAtTheWindowThreadsPrecision) {
  const std::string onWindowThread = RealToText(2.0 / 3);
  ASSERT_EQ(onWindowThread, "0.666666666666667");
  std::string onWorker;
  volatile long double one = 1.0L;
  bool fullPrecision = false;
  auto t = TThread::CreateSuspended([&](TThread&) {
    onWorker = RealToText(2.0 / 3);
    fullPrecision = one + std::numeric_limits<long double>::epsilon() != one;
    return 0;
  });
  ASSERT_TRUE(t->Resume());
  t.reset();  // joins
  EXPECT_EQ(onWorker, onWindowThread);
  EXPECT_TRUE(fullPrecision);
}

TEST(ThreadObject, NeverResumedEndsAtOnce) {
  bool ran = false;
  {
    auto t = TThread::CreateSuspended([&](TThread&) {
      ran = true;
      return 0;
    });
  }
  EXPECT_FALSE(ran);
  EXPECT_EQ(BusyWorkers(), 0);
}

TEST(ThreadObject, TerminateWakesASleep) {
  auto t = TThread::CreateSuspended([](TThread& self) {
    self.Sleep(INT_MAX);
    return self.Terminated ? 1 : 0;
  });
  ASSERT_TRUE(t->Resume());
  t->Terminate();
  t.reset();  // joins
  EXPECT_EQ(BusyWorkers(), 0);
}

TEST(ThreadObject, SynchronizeWithoutPlatformRunsNothing) {
  bool called = false;
  auto t = TThread::CreateSuspended([](TThread&) { return 0; });
  EXPECT_FALSE(t->Synchronize([&] { called = true; }));
  EXPECT_FALSE(called);
}

// --- Workers run in slices on the window thread ------------------------------

// A platform without threads that runs a worker's body a slice at a time,
// each slice over at once (so a loop leaves off after a few steps); the
// test plays the window's turns between them.
class TSlicesSystem : public TRecordingSystem {
 public:
  std::deque<std::function<void()>> turns;
  std::unique_ptr<TWorkerRun> StartWorker(TWorkerBody body) override {
    return RunWorkerInSlices(
        std::move(body), [this](std::function<void()> slice) { turns.push_back(std::move(slice)); },
        std::chrono::steady_clock::duration::zero());
  }
  // Runs the next slice; false when none is waiting.
  bool NextSlice() {
    if (turns.empty()) return false;
    std::function<void()> slice = std::move(turns.front());
    turns.pop_front();
    slice();
    return true;
  }
  int RunAll() {
    int ran = 0;
    while (NextSlice()) ++ran;
    return ran;
  }
};

// The search with its loop fired by the worker's body itself, so that it
// may leave off between steps.
struct DirectSearch : Search {
  explicit DirectSearch(int32_t end) : Search(end) { thread.onExecute = MakeLink<&THIFor::doFor>(&loop); }
};

// Cut into slices or not, the search ends the same; only a loop the body
// fires directly leaves off (through the hub it runs to its end at once).
TEST_F(ThreadElement, SlicedSearchEndsAsOnAThread) {
  struct Case {
    const char* name;
    bool direct;
  };
  const Case cases[] = {{"loop fired by the body", true}, {"loop behind a hub", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSlicesSystem system;
    std::unique_ptr<Search> s = c.direct ? std::make_unique<DirectSearch>(200000) : std::make_unique<Search>(200000);
    StopLoopAt stopper;
    stopper.loop = &s->loop;
    stopper.at = 4362;
    s->stepHub.onEvent[2] = MakeLink<&StopLoopAt::doStep>(&stopper);
    StartThread(s->thread);
    EXPECT_EQ(BusyWorkers(), c.direct ? 1 : 0);
    EXPECT_EQ(system.turns.empty(), !c.direct);
    if (c.direct) {
      EXPECT_LT(s->log.steps, 4362) << "left off before its end";
      EXPECT_TRUE(s->stops.got.empty());
    }
    const int slices = system.RunAll();
    if (c.direct) {
      EXPECT_GT(slices, 1);
    }
    EXPECT_TRUE(s->log.consistent);
    EXPECT_EQ(s->log.steps, 4362);
    EXPECT_EQ(s->counter.CountValue, 4362);
    EXPECT_EQ(s->stops.got, std::vector<std::string>{"int 4363"});
    EXPECT_EQ(s->log.thread, std::this_thread::get_id());
    EXPECT_EQ(BusyWorkers(), 0);
    EXPECT_FALSE(OnWorkerThread());
    EXPECT_FALSE(CurrentWorkerStopRequested());
    ASSERT_NE(s->thread.Worker, nullptr);
    EXPECT_FALSE(s->thread.Worker->Busy);
  }
}

// Between slices the window runs its chains and finds every step whole.
TEST_F(ThreadElement, WindowChainsRunBetweenSlices) {
  TSlicesSystem system;
  DirectSearch s(20000);
  StartThread(s.thread);
  int chains = 0, slicesStepping = 0;
  for (;;) {
    const int32_t before = s.log.steps;
    if (!system.NextSlice()) break;
    // Steps made in the slice saw the window's chain before it.
    if (s.log.steps > before) {
      ++slicesStepping;
      EXPECT_EQ(s.log.lastShared, chains);
    }
    WindowChain(s, ++chains);
  }
  EXPECT_GT(slicesStepping, 1);
  EXPECT_TRUE(s.log.consistent);
  EXPECT_EQ(s.log.steps, 20000);
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 20001"});
}

// Stopped, restarted or destroyed between slices, the search ends after
// the step it had made, onStop fires once, and a slice still waiting does
// nothing.
TEST_F(ThreadElement, SlicedSearchStoppedBetweenSlices) {
  enum class TEnd { Stop, Restart, DestroyThread, DestroyLoop };
  struct Case {
    const char* name;
    TEnd how;
  };
  const Case cases[] = {{"doStop", TEnd::Stop},
                        {"doRestart", TEnd::Restart},
                        {"thread element destroyed", TEnd::DestroyThread},
                        {"loop element destroyed", TEnd::DestroyLoop}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSlicesSystem system;
    auto s = std::make_unique<DirectSearch>(3000);
    StartThread(s->thread);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(system.NextSlice());
    const int32_t made = s->log.steps;
    ASSERT_GT(made, 0);
    ASSERT_LT(made, 3000);
    const std::string afterMade = "int " + IntegerToText(made + 1);
    std::vector<std::string> stops = s->stops.got;
    TProbe loopStops;
    switch (c.how) {
      case TEnd::Stop:
        StopThread(s->thread);
        EXPECT_EQ(s->thread.Worker, nullptr);
        stops = s->stops.got;
        break;
      case TEnd::Restart: {
        TSchemeGuard scheme;
        FireNone(MakeLink<&THIThread::doRestart>(&s->thread));
        stops = s->stops.got;
        break;
      }
      case TEnd::DestroyThread: {
        TSchemeGuard scheme;
        s->thread.~THIThread();
        new (&s->thread) THIThread;
        stops = s->stops.got;
        break;
      }
      case TEnd::DestroyLoop: {
        s->loop.~THIFor();
        new (&s->loop) THIFor;
        break;
      }
    }
    if (c.how != TEnd::Restart) {
      EXPECT_EQ(s->log.steps, made) << "no step after the stop";
    }
    if (c.how != TEnd::DestroyLoop) {
      EXPECT_EQ(stops, std::vector<std::string>{afterMade});
    } else {
      EXPECT_TRUE(s->stops.got.empty()) << "a destroyed loop fires nothing";
    }
    system.RunAll();
    if (c.how == TEnd::Restart) {
      EXPECT_EQ(s->log.steps, made + 3000) << "the new search ran whole";
      EXPECT_EQ(s->stops.got, (std::vector<std::string>{afterMade, "int 3001"}));
    } else {
      EXPECT_EQ(s->log.steps, made);
      EXPECT_EQ(s->stops.got.size(), c.how == TEnd::DestroyLoop ? 0u : 1u);
    }
    EXPECT_EQ(BusyWorkers(), 0);
  }
}

// onSyncExec follows the left-off loop's onStop, once, when it ends.
TEST_F(ThreadElement, SlicedSearchHandsOverAfterItsEnd) {
  TSlicesSystem system;
  DirectSearch s(5000);
  TProbe sync;
  s.thread.onSyncExec = sync.In();
  StartThread(s.thread);
  while (system.NextSlice()) {
    if (s.stops.got.empty()) {
      EXPECT_TRUE(sync.got.empty());
    }
  }
  EXPECT_EQ(s.stops.got, std::vector<std::string>{"int 5001"});
  EXPECT_EQ(sync.got, std::vector<std::string>{"none"});
}

// A loop in a step of the left-off loop runs whole within the step.
TEST_F(ThreadElement, OnlyTheBodysOwnLoopLeavesOff) {
  TSlicesSystem system;
  DirectSearch s(400);
  THIFor inner;
  inner.StartDef = 1;
  inner.EndDef = 100;
  inner.Step = 1;
  inner.IncludeEnd = true;
  TProbe innerSteps;
  inner.onEvent = innerSteps.In();
  s.stepHub.onEvent[2] = MakeLink<&THIFor::doFor>(&inner);
  StartThread(s.thread);
  int slices = 0;
  do {
    ++slices;
    EXPECT_EQ(innerSteps.got.size(), static_cast<size_t>(s.log.steps) * 100);
  } while (system.NextSlice());
  EXPECT_GT(slices, 2);
  EXPECT_EQ(s.log.steps, 400);
}

// A body that repeats goes on in the next slice between its turns, until
// stopped.
TEST_F(ThreadElement, SlicedBodyRepeatsUntilStopped) {
  TSlicesSystem system;
  Search s(3);
  s.thread.RunOnce = false;
  StartThread(s.thread);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(system.NextSlice()) << "turn " << i;
  EXPECT_GT(s.runs.got.size(), 4u);
  StopThread(s.thread);
  const size_t runs = s.runs.got.size();
  EXPECT_EQ(runs, s.stops.got.size());
  system.RunAll();
  EXPECT_EQ(s.runs.got.size(), runs);
  EXPECT_EQ(BusyWorkers(), 0);
}

}  // namespace
