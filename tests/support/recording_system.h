// A TSystemOps for unit tests: records message boxes and started commands,
// answers boxes from a queue, and runs window-thread hand-overs when the
// test thread pumps. Installs itself for its lifetime.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/system_ops.h"

class TRecordingSystem : public TSystemOps {
 public:
  struct Box {
    bool owned;
    std::string text, caption;
    uint32_t style;
  };
  struct Command {
    std::string commandLine;
    int showMode;
  };

  TRecordingSystem();
  ~TRecordingSystem() override;

  int ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  int StartCommand(const std::string& commandLine, int showMode) override;
  int32_t WindowStyleOf(int32_t handle) override;
  void SetWindowStyleOf(int32_t handle, int32_t style) override;
  void RedrawMenuBar(int32_t handle) override;
  bool IsUIThread() override;
  bool RunOnUIThread(const std::function<void()>& fn) override;
  void PostToUIThread(std::function<void()> fn) override;

  // Runs queued hand-overs and posts on the calling (window) thread.
  void Pump();

  // What happened so far; safe to read from the test thread.
  std::vector<Box> boxes() const;
  std::vector<Command> commands() const;

  std::deque<int> answers;       // next ShowMessageBox answers (default IdOk)
  int startStatus = kCommandStarted;
  bool hasAppWindow = true;
  std::map<int32_t, int32_t> styles;
  std::vector<int32_t> menuRedraws;

 private:
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::thread::id ui_thread_;
  std::vector<Box> boxes_;
  std::vector<Command> commands_;
  std::deque<std::function<void()>> queued_;
  uint64_t done_ = 0, queued_count_ = 0;
  TSystemOps* previous_;
};
