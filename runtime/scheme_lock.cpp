#include "runtime/scheme_lock.h"

namespace {

std::mutex busy_mutex;
std::condition_variable busy_cv;
int busy_workers = 0;

thread_local const std::atomic<bool>* current_worker_stop = nullptr;

}  // namespace

TSchemeLock& SchemeLock() {
  static TSchemeLock lock;
  return lock;
}

bool TSchemeLock::HeldByMe() const { return owner_.load(std::memory_order_acquire) == std::this_thread::get_id(); }

void TSchemeLock::Lock() {
  if (HeldByMe()) {
    ++depth_;
    return;
  }
  const uint64_t ticket = next_ticket_.fetch_add(1, std::memory_order_seq_cst);
  if (now_serving_.load(std::memory_order_acquire) != ticket) WaitForTurn(ticket);
  owner_.store(std::this_thread::get_id(), std::memory_order_release);
  depth_ = 1;
}

void TSchemeLock::WaitForTurn(uint64_t ticket) {
  std::unique_lock<std::mutex> l(m_);
  // Counted before the turn is tested again: a release either sees this
  // sleeper and wakes it, or its new turn is seen here.
  sleepers_.fetch_add(1, std::memory_order_seq_cst);
  cv_.wait(l, [&] { return now_serving_.load(std::memory_order_seq_cst) == ticket; });
  sleepers_.fetch_sub(1, std::memory_order_relaxed);
}

void TSchemeLock::Unlock() {
  if (!HeldByMe()) return;
  if (--depth_ > 0) return;
  owner_.store(std::thread::id(), std::memory_order_release);
  now_serving_.fetch_add(1, std::memory_order_seq_cst);
  if (sleepers_.load(std::memory_order_seq_cst) == 0) return;
  // Taking the mutex orders the wake-up after a sleeper's last test.
  { std::lock_guard<std::mutex> l(m_); }
  wake_ups_.fetch_add(1, std::memory_order_relaxed);
  cv_.notify_all();
}

int TSchemeLock::ReleaseAll() {
  if (!HeldByMe()) return 0;
  int depth = depth_;
  depth_ = 1;
  Unlock();
  return depth;
}

void TSchemeLock::Restore(int depth) {
  if (depth <= 0) return;
  Lock();
  depth_ = depth;
}

void TSchemeLock::YieldToWaiter() {
  if (!HeldByMe()) return;
  // Only the holder moves now_serving_; a ticket beyond it is a waiter.
  if (next_ticket_.load(std::memory_order_relaxed) == now_serving_.load(std::memory_order_relaxed) + 1) return;
  // Tickets are served in order, so a waiter queued before us runs first.
  Restore(ReleaseAll());
}

void WorkerStarted() {
  std::lock_guard<std::mutex> l(busy_mutex);
  ++busy_workers;
}

void WorkerFinished() {
  {
    std::lock_guard<std::mutex> l(busy_mutex);
    --busy_workers;
  }
  busy_cv.notify_all();
}

int BusyWorkers() {
  std::lock_guard<std::mutex> l(busy_mutex);
  return busy_workers;
}

bool WaitWorkersIdle(std::chrono::milliseconds timeout) {
  TSchemeUnlock unlocked;
  std::unique_lock<std::mutex> l(busy_mutex);
  return busy_cv.wait_for(l, timeout, [] { return busy_workers == 0; });
}

const std::atomic<bool>* SetCurrentWorkerStop(const std::atomic<bool>* flag) {
  const std::atomic<bool>* previous = current_worker_stop;
  current_worker_stop = flag;
  return previous;
}

bool CurrentWorkerStopRequested() {
  return current_worker_stop && current_worker_stop->load(std::memory_order_acquire);
}
