#include "ui/platform.h"

#include <algorithm>

#include "runtime/scheme_lock.h"

namespace {
TSystemOps* installed_ops = nullptr;
TPlatform* installed_platform = nullptr;
}  // namespace

TSystemOps* SystemOps() { return installed_ops; }

TSystemOps* SetSystemOps(TSystemOps* ops) {
  TSystemOps* previous = installed_ops;
  installed_ops = ops;
  return previous;
}

TPlatform* Platform() { return installed_platform; }

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

bool operator==(const TFontRec& a, const TFontRec& b) {
  return a.Name == b.Name && a.Size == b.Size && a.Style == b.Style && a.Color == b.Color && a.CharSet == b.CharSet;
}

bool operator==(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

// --- TControl ----------------------------------------------------------------

TControl::TControl(TPlatform& platform, TControlKind kind, TControl* parent)
    : platform_(platform), kind_(kind), parent_(parent), handle_(platform.next_handle_++) {
  platform_.controls_[handle_] = this;
  if (parent_) parent_->children_.push_back(this);
}

TControl::~TControl() {
  platform_.controls_.erase(handle_);
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TControl::Destroy(TControl* c) {
  if (!c) return;
  // Children go first, newest first, each telling its element.
  while (!c->children_.empty()) {
    TControl* child = c->children_.back();
    TNotification n;
    n.Kind = TNotifyKind::Destroyed;
    child->Deliver(n);
    child->handler_ = nullptr;
    Destroy(child);
  }
  TPlatform& p = c->platform_;
  if (p.tooltips_) p.tooltips_->Remove(c);
  if (p.app_form_ == c) p.ReleaseApplicationWindow(c);
  p.ControlDestroyed(c);
  delete c;
}

void TControl::SetTabOrder(int32_t order) {
  tab_order_ = order;
  if (order > 0 && tab_serial_ == 0) tab_serial_ = platform_.next_tab_serial_++;
}

bool TControl::Deliver(const TNotification& n) {
  TControlHandler* h = handler_;
  if (!h) return false;
  TSchemeGuard guard;
  return h->HandleNotification(n);
}

void TControl::ReplaceText(int32_t at, int32_t count, const std::string& text) {
  std::string whole = Text();
  const size_t from = std::min(static_cast<size_t>(std::max<int32_t>(at, 0)), whole.size());
  whole.replace(from, std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), whole.size() - from), text);
  SetText(whole);
  SetCaret(static_cast<int32_t>(from + text.size()));
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->Visible()) return false;
  return true;
}

bool TControl::EnabledTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->Enabled()) return false;
  return true;
}

namespace {

void CollectTabStops(TControl* c, std::vector<TControl*>& out) {
  for (TControl* child : c->Children()) {
    if (child->TabOrder() > 0 && child->Showing() && child->EnabledTree()) out.push_back(child);
    CollectTabStops(child, out);
  }
}

}  // namespace

TControl* NextTabStop(TControl* root, TControl* from, bool backward) {
  if (!root) return nullptr;
  std::vector<TControl*> stops;
  CollectTabStops(root, stops);
  if (stops.empty()) return nullptr;
  std::sort(stops.begin(), stops.end(), [](const TControl* a, const TControl* b) {
    if (a->TabOrder() != b->TabOrder()) return a->TabOrder() < b->TabOrder();
    return a->TabSerial() < b->TabSerial();
  });
  auto it = std::find(stops.begin(), stops.end(), from);
  if (it == stops.end()) return backward ? stops.back() : stops.front();
  size_t i = static_cast<size_t>(it - stops.begin());
  const size_t n = stops.size();
  return stops[backward ? (i + n - 1) % n : (i + 1) % n];
}

std::string TTooltips::Text(TControl* c) const {
  auto it = texts_.find(c);
  return it == texts_.end() ? std::string() : it->second;
}

// --- TPlatform ---------------------------------------------------------------

TPlatform::TPlatform() : previous_(installed_platform), previous_ops_(SetSystemOps(this)) { installed_platform = this; }

TPlatform::~TPlatform() {
  installed_platform = previous_;
  SetSystemOps(previous_ops_);
}

TTooltips& TPlatform::Tooltips() {
  if (!tooltips_) tooltips_ = CreateTooltips();
  return *tooltips_;
}

TControl* TPlatform::FromHandle(int32_t handle) const {
  auto it = controls_.find(handle);
  return it == controls_.end() ? nullptr : it->second;
}

int32_t TPlatform::GetWindowStyle(int32_t handle) {
  TControl* c = FromHandle(handle);
  return c ? c->Style() : 0;
}

void TPlatform::SetWindowStyle(int32_t handle, int32_t style) {
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

void TPlatform::SetCommandLine(const std::string& program, const std::vector<std::string>& args) {
  program_ = program;
  args_ = args;
}

std::string TPlatform::ParamStr(int i) const {
  if (i == 0) return program_;
  if (i < 0 || i > static_cast<int>(args_.size())) return std::string();
  return args_[static_cast<size_t>(i - 1)];
}
