#include "runtime/system_ops.h"

#include <system_error>
#include <thread>

#include "runtime/event.h"

namespace {
TSystemOps* installed_ops = nullptr;

// Calls the body until it has ended; outside a slice one call does it.
void RunToTheEnd(const TWorkerBody& body) {
  if (body)
    while (!body()) {
    }
}

class TThreadRun : public TWorkerRun {
 public:
  explicit TThreadRun(TWorkerBody body) : thread_([body = std::move(body)] { RunToTheEnd(body); }) {}
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

// A body run a slice at a time. The slices handed to `post` share the
// body with the run; one that comes after the body has ended (joined
// meanwhile) does nothing.
class TSlicedRun : public TWorkerRun {
 public:
  struct TShared {
    TWorkerBody body;
    TPostSlice post;
    std::chrono::steady_clock::duration time;
    bool ended = false;
  };

  explicit TSlicedRun(std::shared_ptr<TShared> shared) : shared_(std::move(shared)) {}
  ~TSlicedRun() override { Join(); }

  // Runs the rest outside any slice, so to its end.
  void Join() override {
    if (shared_->ended) return;
    RunToTheEnd(shared_->body);
    End(*shared_);
  }

  static void RunSlice(const std::shared_ptr<TShared>& shared) {
    if (shared->ended) return;
    bool ended;
    {
      TWorkerSlice slice(shared->time);
      ended = shared->body();
    }
    if (ended) return End(*shared);
    shared->post([shared] { RunSlice(shared); });
  }

 private:
  // What the body holds is let go as soon as it has ended.
  static void End(TShared& shared) {
    shared.ended = true;
    shared.body = nullptr;
    shared.post = nullptr;
  }

  std::shared_ptr<TShared> shared_;
};

thread_local TWorkerSlice* open_slice = nullptr;
// Reading the clock costs more than a short step: every this many asks.
constexpr uint32_t kAsksPerClockRead = 16;
}  // namespace

std::unique_ptr<TWorkerRun> StartThreadWorker(TWorkerBody body) {
  if (!kBuildHasThreads) return nullptr;
  try {
    return std::make_unique<TThreadRun>(std::move(body));
  } catch (const std::system_error&) {
    return nullptr;
  }
}

std::unique_ptr<TWorkerRun> RunWorkerInline(TWorkerBody body) {
  RunToTheEnd(body);
  return std::make_unique<TFinishedRun>();
}

std::unique_ptr<TWorkerRun> RunWorkerInSlices(TWorkerBody body, TPostSlice post,
                                              std::chrono::steady_clock::duration sliceTime) {
  auto shared = std::make_shared<TSlicedRun::TShared>();
  shared->body = std::move(body);
  shared->post = std::move(post);
  shared->time = sliceTime;
  TSlicedRun::RunSlice(shared);
  return std::make_unique<TSlicedRun>(std::move(shared));
}

TWorkerSlice::TWorkerSlice(std::chrono::steady_clock::duration time)
    : end_(std::chrono::steady_clock::now() + time), outer_(open_slice) {
  open_slice = this;
}

TWorkerSlice::~TWorkerSlice() { open_slice = outer_; }

bool SliceOver() {
  TWorkerSlice* slice = open_slice;
  if (!slice) return false;
  if (!slice->over_ && ++slice->asked_ % kAsksPerClockRead == 0)
    slice->over_ = std::chrono::steady_clock::now() >= slice->end_;
  return slice->over_;
}

std::unique_ptr<TWorkerRun> TSystemOps::StartWorker(TWorkerBody body) {
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
