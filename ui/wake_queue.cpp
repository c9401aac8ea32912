#include "ui/wake_queue.h"

#include <algorithm>

void TWakeQueue::Push(TTask task) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> l(m_);
    if (closed_) return;
    tasks_.push_back(std::move(task));
    if (!wake_pending_) wake = wake_pending_ = true;
  }
  if (!wake) return;
  wake_ups_.fetch_add(1);
  if (!wake_()) {
    // Not taken: the next post asks again.
    std::lock_guard<std::mutex> l(m_);
    wake_pending_ = false;
  }
}

void TWakeQueue::Post(std::function<void()> fn) { Push({std::move(fn), nullptr}); }

bool TWakeQueue::RunAndWait(std::function<void()> fn) {
  auto done = std::make_shared<bool>(false);
  {
    std::lock_guard<std::mutex> l(m_);
    if (closed_) return false;
  }
  Push({std::move(fn), done});
  std::unique_lock<std::mutex> l(m_);
  // Woken when the task ran, or when the queue closed and dropped it.
  cv_.wait(l, [&] { return *done || closed_; });
  return *done;
}

size_t TWakeQueue::Drain() { return RunQueued(false); }

bool TWakeQueue::Queued() {
  std::lock_guard<std::mutex> l(m_);
  return !tasks_.empty();
}

size_t TWakeQueue::DrainAndHold() { return RunQueued(true); }

size_t TWakeQueue::RunQueued(bool hold) {
  std::deque<TTask> batch;
  {
    std::lock_guard<std::mutex> l(m_);
    if (closed_) {
      wake_pending_ = false;
      return 0;
    }
    batch.swap(tasks_);
    wake_pending_ = hold && !batch.empty();
  }
  size_t ran = 0;
  for (TTask& task : batch) {
    task.fn();
    ++ran;
    if (task.done) {
      std::lock_guard<std::mutex> l(m_);
      *task.done = true;
      cv_.notify_all();
    }
  }
  return ran;
}

void TWakeQueue::Close() {
  std::lock_guard<std::mutex> l(m_);
  closed_ = true;
  tasks_.clear();
  cv_.notify_all();
}
