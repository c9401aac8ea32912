#include "ui/platform.h"

#include <algorithm>

#include "ui/scale.h"

namespace {
TPlatform* installed_platform = nullptr;
}  // namespace

TPlatform* Platform() { return installed_platform; }

std::string TTooltips::Text(TControl* c) const {
  auto it = texts_.find(c);
  return it == texts_.end() ? std::string() : it->second;
}

// --- TPlatform ---------------------------------------------------------------

TPlatform::TPlatform()
    : ui_thread_(std::this_thread::get_id()), previous_(installed_platform), previous_ops_(SetSystemOps(this)) {
  installed_platform = this;
}

TPlatform::~TPlatform() {
  installed_platform = previous_;
  SetSystemOps(previous_ops_);
}

bool TPlatform::IsUIThread() { return std::this_thread::get_id() == ui_thread_; }

void TPlatform::CheckThread() {
  if (!IsUIThread()) thread_violations_.fetch_add(1);
}

void TPlatform::SetCapture(TControl* c) {
  CheckThread();
  capture_ = c;
}

void TPlatform::ReleaseCapture() {
  CheckThread();
  capture_ = nullptr;
}

void TPlatform::FocusMoved(TControl* c) {
  if (focus_ == c) return;
  TControl* old = focus_;
  focus_ = c;
  TNotification n;
  if (old) {
    n.Kind = TNotifyKind::FocusOut;
    old->Deliver(n);
  }
  if (c && focus_ == c) {
    n.Kind = TNotifyKind::FocusIn;
    c->Deliver(n);
  }
}

void TPlatform::ControlDestroyed(TControl* c) {
  if (focus_ == c) focus_ = nullptr;
  if (capture_ == c) capture_ = nullptr;
}

void TPlatform::Defer(TControl* c) {
  deferred_.push_back(c);
  deferred_stale_ = true;
}

void TPlatform::ForgetDeferred(TControl* c) {
  deferred_.erase(std::remove(deferred_.begin(), deferred_.end(), c), deferred_.end());
  std::replace(revealing_.begin(), revealing_.end(), c, static_cast<TControl*>(nullptr));
}

void TPlatform::RunDeferred() {
  CheckThread();
  // Not again from a loop that a handler being revealed runs (a box).
  if (!deferred_stale_ || !revealing_.empty()) return;
  deferred_stale_ = false;
  // The showing ones leave the list first; a handler may defer others, or
  // destroy one not yet told (ForgetDeferred clears its place).
  auto waiting = std::stable_partition(deferred_.begin(), deferred_.end(), [](TControl* c) { return !c->Showing(); });
  revealing_.assign(waiting, deferred_.end());
  deferred_.erase(waiting, deferred_.end());
  for (size_t i = 0; i < revealing_.size(); ++i) {
    TControl* c = revealing_[i];
    if (!c) continue;
    c->deferred_ = false;
    c->Reveal();
  }
  revealing_.clear();
}

int TPlatform::ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) {
  if (!IsUIThread()) {
    // Shown when the window thread gets to it; the caller goes on at once.
    PostToUIThread([this, owned, text, caption, style] { ShowBox(owned, text, caption, style); });
    return IdOk;
  }
  return ShowBox(owned, text, caption, style);
}

bool TPlatform::RunOnUIThread(const std::function<void()>& fn) {
  if (!HasApplicationWindow()) return false;
  if (IsUIThread()) {
    fn();
    return true;
  }
  return HandOver(fn);
}

std::unique_ptr<TWorkerRun> TPlatform::StartWorker(TWorkerBody body) {
  switch (worker_mode_) {
    case TWorkerMode::OwnThread: break;
    case TWorkerMode::ToTheEnd: return RunWorkerInline(std::move(body));
    case TWorkerMode::InSlices:
      return RunWorkerInSlices(std::move(body), [this](std::function<void()> slice) { PostSlice(std::move(slice)); });
  }
  return StartThreadWorker(std::move(body));
}

TTooltips& TPlatform::Tooltips() {
  if (!tooltips_) tooltips_ = CreateTooltips();
  return *tooltips_;
}

TControl* TPlatform::FromHandle(int32_t handle) const {
  auto it = controls_.find(handle);
  return it == controls_.end() ? nullptr : it->second;
}

int32_t TPlatform::WindowStyleOf(int32_t handle) {
  TControl* c = FromHandle(handle);
  return c ? c->Style() : 0;
}

void TPlatform::SetWindowStyleOf(int32_t handle, int32_t style) {
  if (TControl* c = FromHandle(handle)) c->SetStyle(style);
}

void TPlatform::RedrawMenuBar(int32_t) {}

bool TPlatform::ClaimApplicationWindow(TControl* form) {
  if (app_form_) return false;
  app_form_ = form;
  has_app_window_.store(true, std::memory_order_release);
  return true;
}

void TPlatform::ReleaseApplicationWindow(TControl* form) {
  if (app_form_ != form) return;
  app_form_ = nullptr;
  has_app_window_.store(false, std::memory_order_release);
}

namespace {

void RescaleTree(TControl* c) {
  c->Rescale();
  for (TControl* child : c->Children()) RescaleTree(child);
}

}  // namespace

void TPlatform::SetScale(double scale) {
  CheckThread();
  scale = RoundScale(scale);
  if (scale == scale_) return;
  scale_ = scale;
  ApplyScale();
  // The controls are kept by handle, which grows as they are made; the
  // tops are walked down so that parents are placed before children.
  std::vector<TControl*> tops;
  for (const auto& entry : controls_)
    if (!entry.second->Parent()) tops.push_back(entry.second);
  for (TControl* top : tops) RescaleTree(top);
}

void TPlatform::SetCommandLine(const std::string& program, const std::vector<std::string>& args) {
  program_ = program;
  args_ = args;
}

std::string TPlatform::ParamStr(int i) const {
  if (i == 0) return program_;
  if (i < 0 || i > static_cast<int>(args_.size())) return std::string();
  return args_[static_cast<size_t>(i - 1)];
}
