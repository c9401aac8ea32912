#include "runtime/system_ops.h"

#include <system_error>
#include <thread>

#include "runtime/event.h"

namespace {
TSystemOps* installed_ops = nullptr;

class TThreadRun : public TWorkerRun {
 public:
  explicit TThreadRun(std::function<void()> body) : thread_(std::move(body)) {}
  ~TThreadRun() override { Join(); }
  void Join() override {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

// A body that ran to its end before its run was handed out.
class TFinishedRun : public TWorkerRun {
 public:
  void Join() override {}
};
}  // namespace

std::unique_ptr<TWorkerRun> StartThreadWorker(std::function<void()> body) {
  if (!kBuildHasThreads) return nullptr;
  try {
    return std::make_unique<TThreadRun>(std::move(body));
  } catch (const std::system_error&) {
    return nullptr;
  }
}

std::unique_ptr<TWorkerRun> RunWorkerInline(std::function<void()> body) {
  if (body) body();
  return std::make_unique<TFinishedRun>();
}

std::unique_ptr<TWorkerRun> TSystemOps::StartWorker(std::function<void()> body) {
  return kBuildHasThreads ? StartThreadWorker(std::move(body)) : RunWorkerInline(std::move(body));
}

TSystemOps* SystemOps() { return installed_ops; }

TSystemOps* SetSystemOps(TSystemOps* ops) {
  TSystemOps* previous = installed_ops;
  installed_ops = ops;
  return previous;
}

std::vector<int> BoxButtons(uint32_t style) {
  switch (style & 0x0F) {
    case MbOkCancel: return {IdOk, IdCancel};
    case MbAbortRetryIgnore: return {IdAbort, IdRetry, IdIgnore};
    case MbYesNoCancel: return {IdYes, IdNo, IdCancel};
    case MbYesNo: return {IdYes, IdNo};
    case MbRetryCancel: return {IdRetry, IdCancel};
    default: return {IdOk};
  }
}

int FirstButtonOf(uint32_t style) { return BoxButtons(style).front(); }

const char kTooLargeText[] = "The result is too large.";

void StopTooLarge() {
  if (TSystemOps* ops = SystemOps()) ops->ShowMessageBox(true, kTooLargeText, "Warning!", MbOk | MbIconWarning);
  HaltChain();
}
