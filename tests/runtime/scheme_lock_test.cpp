#include "runtime/scheme_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>


namespace {

TEST(SchemeLock, ReentrantOnTheOwner) {
  TSchemeLock& lock = SchemeLock();
  EXPECT_FALSE(lock.HeldByMe());
  {
    TSchemeGuard outer;
    TSchemeGuard inner;
    EXPECT_TRUE(lock.HeldByMe());
    {
      TSchemeUnlock released;
      EXPECT_FALSE(lock.HeldByMe());
    }
    EXPECT_TRUE(lock.HeldByMe());
  }
  EXPECT_FALSE(lock.HeldByMe());
}

// Taking, offering and releasing the lock with nobody waiting wakes no one:
// the search takes and offers it at every step.
TEST(SchemeLock, UncontendedUseSendsNoWakeUp) {
  TSchemeLock& lock = SchemeLock();
  const uint64_t before = lock.WakeUps();
  for (int i = 0; i < 1000; ++i) {
    TSchemeGuard outer;
    lock.YieldToWaiter();
    {
      TSchemeGuard inner;
      TSchemeUnlock released;
    }
    lock.YieldToWaiter();
  }
  std::thread other([&] {
    TSchemeGuard hold;
    lock.YieldToWaiter();
  });
  other.join();
  EXPECT_EQ(lock.WakeUps(), before);
}

// A worker that offers the lock between steps lets a waiting thread in
// during its loop, and both see consistent shared state.
TEST(SchemeLock, YieldLetsAWaiterIn) {
  int shared = 0;  // guarded by the scheme lock
  std::atomic<bool> waiter_done{false};
  std::atomic<bool> worker_started{false};
  int steps_after_waiter = 0;
  std::thread worker([&] {
    TSchemeGuard hold;
    worker_started = true;
    for (int i = 0; i < 2000000 && steps_after_waiter < 3; ++i) {
      ++shared;
      if (waiter_done) ++steps_after_waiter;
      SchemeLock().YieldToWaiter();
    }
  });
  while (!worker_started) std::this_thread::yield();
  {
    TSchemeGuard hold;
    shared += 1000000000;
  }
  waiter_done = true;
  worker.join();
  EXPECT_GE(shared, 1000000000);
  EXPECT_EQ(steps_after_waiter, 3);
}

TEST(Workers, WaitForIdle) {
  EXPECT_TRUE(WaitWorkersIdle(std::chrono::milliseconds(1)));
  WorkerStarted();
  EXPECT_EQ(BusyWorkers(), 1);
  EXPECT_FALSE(WaitWorkersIdle(std::chrono::milliseconds(5)));
  std::thread t([] { WorkerFinished(); });
  EXPECT_TRUE(WaitWorkersIdle(std::chrono::seconds(10)));
  t.join();
  EXPECT_EQ(BusyWorkers(), 0);
}

TEST(Workers, StopFlagIsPerThread) {
  std::atomic<bool> stop{true};
  EXPECT_FALSE(CurrentWorkerStopRequested());
  bool seen = false;
  std::thread t([&] {
    SetCurrentWorkerStop(&stop);
    seen = CurrentWorkerStopRequested();
  });
  t.join();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(CurrentWorkerStopRequested());
}

}  // namespace
