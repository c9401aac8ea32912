// Holds a search worker at the end of its run: the first worker whose body
// returns (its last step done, the scheme lock released, the worker still
// counted busy) waits there until it is asked to stop or the holder
// releases it. That is the moment a new start used to find the worker busy
// and be ignored; holding it there makes the moment certain instead of a
// race. One holder at a time; it installs TThread's after-body seam.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class TSearchEndHold {
 public:
  TSearchEndHold();
  // Releases a held worker, waits for every worker to finish and removes
  // the seam.
  ~TSearchEndHold();
  TSearchEndHold(const TSearchEndHold&) = delete;
  TSearchEndHold& operator=(const TSearchEndHold&) = delete;

  // Waits until a worker is held; false when none got there in time.
  bool WaitHeld(std::chrono::milliseconds limit);
  void Release() { released_ = true; }
  // Workers that got to the end of their body so far.
  int Ended() const { return ended_.load(); }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  bool held_ = false;  // guarded by m_
  std::atomic<bool> released_{false};
  std::atomic<int> ended_{0};
};
