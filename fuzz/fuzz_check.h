// What the fuzz targets share: a stop that libFuzzer reports as a crash
// (with the input saved), and system operations that answer every message
// box at once without showing it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "runtime/system_ops.h"

// Stops the run when a property of the target does not hold, naming the
// line of the check.
inline void FuzzCheck(bool holds, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  if (holds) return;
  std::fprintf(stderr, "property failed at %s:%d\n", file, line);
  __builtin_trap();
}

// Answers every box with its first button; starts no command.
class TSilentSystem : public TSystemOps {
 public:
  int boxes = 0;
  int ShowMessageBox(bool, const std::string&, const std::string&, uint32_t) override {
    ++boxes;
    return IdOk;
  }
  int StartCommand(const std::string&, int) override { return 0; }
  int32_t WindowStyleOf(int32_t) override { return 0; }
  void SetWindowStyleOf(int32_t, int32_t) override {}
  void RedrawMenuBar(int32_t) override {}
  bool IsUIThread() override { return true; }
  bool RunOnUIThread(const std::function<void()>&) override { return false; }
  void PostToUIThread(std::function<void()>) override {}
};
