// Serialises the scheme between the window thread and the search worker.
// The window thread holds the lock for every chain it runs; a worker holds
// it for each loop step and offers it between steps. The lock is fair
// (first come, first served) and re-entrant on the owning thread; taking,
// offering and releasing it make no system call while nobody waits for it.
// A thread holding it must never wait for another thread that may want it:
// use TSchemeUnlock around such waits.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class TSchemeLock {
 public:
  void Lock();
  void Unlock();
  bool HeldByMe() const;
  // Between loop steps: hands the lock to a waiting thread, then takes it
  // back. Does nothing when the caller does not hold it or nobody waits.
  void YieldToWaiter();

  // Fully releases the caller's hold (any depth) and returns the depth, so
  // Restore can take it back; 0 when the caller did not hold it.
  int ReleaseAll();
  void Restore(int depth);

  // Wake-ups sent to sleeping waiters so far (each one a system call).
  uint64_t WakeUps() const { return wake_ups_.load(std::memory_order_relaxed); }

 private:
  void WaitForTurn(uint64_t ticket);

  // Tickets are taken and served with atomics alone; only a thread that
  // finds itself behind another sleeps, and only then does a release wake.
  std::atomic<uint64_t> next_ticket_{0};
  std::atomic<uint64_t> now_serving_{0};
  std::atomic<int> sleepers_{0};
  std::atomic<uint64_t> wake_ups_{0};
  std::mutex m_;  // for sleeping only
  std::condition_variable cv_;
  std::atomic<std::thread::id> owner_{};
  int depth_ = 0;  // touched only by the owner
};

TSchemeLock& SchemeLock();

// Holds the scheme lock for a scope.
class TSchemeGuard {
 public:
  TSchemeGuard() { SchemeLock().Lock(); }
  ~TSchemeGuard() { SchemeLock().Unlock(); }
  TSchemeGuard(const TSchemeGuard&) = delete;
  TSchemeGuard& operator=(const TSchemeGuard&) = delete;
};

// Releases the caller's hold on the scheme lock for a scope (for waiting on
// another thread), and takes it back at the end.
class TSchemeUnlock {
 public:
  TSchemeUnlock() : depth_(SchemeLock().ReleaseAll()) {}
  ~TSchemeUnlock() { SchemeLock().Restore(depth_); }
  TSchemeUnlock(const TSchemeUnlock&) = delete;
  TSchemeUnlock& operator=(const TSchemeUnlock&) = delete;

 private:
  int depth_;
};

// Busy worker threads, so a driver can wait for a search to finish.
void WorkerStarted();
void WorkerFinished();
int BusyWorkers();
// Waits (with the scheme lock released) until no worker is busy; false on
// timeout.
bool WaitWorkersIdle(std::chrono::milliseconds timeout);

// The stop request of the worker running on this thread, if any: a loop
// running on a worker ends after its current step once this is set.
// Answers the one it replaces (a body run on the calling thread puts it
// back when it ends).
const std::atomic<bool>* SetCurrentWorkerStop(const std::atomic<bool>* flag);
bool CurrentWorkerStopRequested();
