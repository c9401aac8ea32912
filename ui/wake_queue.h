// Work handed to the window thread by other threads, for any backend whose
// toolkit wakes its loop from another thread. Waking a loop at a high rate
// can stall it (FLTK's X11 loop does), so the work goes into one queue and
// at most one wake-up is pending at a time: the first post after a drain
// wakes the loop, later ones ride along. The wake-up's callback (run by the
// toolkit on the window thread) calls Drain.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class TWakeQueue {
 public:
  // `wake` asks the window thread to drain soon and answers whether the
  // request was taken (FLTK: Fl::awake with the drain callback).
  explicit TWakeQueue(std::function<bool()> wake) : wake_(std::move(wake)) {}

  // Any thread; never waits.
  void Post(std::function<void()> fn);
  // Any thread but the window thread: queues `fn`, waits until it ran and
  // answers true; false, without running it, when the queue is closed
  // before it ran.
  bool RunAndWait(std::function<void()> fn);
  // Window thread: runs what was queued, in order; answers how much ran.
  size_t Drain();
  // The same, but when anything ran, later posts ride along without waking
  // the loop until the next drain, which the caller makes itself (FLTK: a
  // timeout one turn period later). A worker posting all the time then
  // wakes the loop once per period instead of once per drain.
  size_t DrainAndHold();
  // The loop has ended: queued work is dropped and waiting callers answer
  // false; later work is dropped too.
  void Close();

  // How many wake-ups were asked for.
  int WakeUps() const { return wake_ups_.load(); }
  // Whether work waits for the next drain.
  bool Queued();

 private:
  struct TTask {
    std::function<void()> fn;
    std::shared_ptr<bool> done;  // hand-overs only; guarded by m_
  };
  void Push(TTask task);
  size_t RunQueued(bool hold);

  std::function<bool()> wake_;
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<TTask> tasks_;
  bool wake_pending_ = false;
  bool closed_ = false;
  std::atomic<int> wake_ups_{0};
};
