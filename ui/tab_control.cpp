#include "ui/tab_control.h"

#include <algorithm>

#include "runtime/lines.h"

void THITabControl::Init() {
  captions_ = SplitLines(Tabs);
  MakeControl(TControlKind::TabStrip);
  if (control_) {
    for (const std::string& caption : captions_) control_->AddItem(caption);
    control_->SetSelected(captions_.empty() ? -1 : 0);
  }
  index_ = captions_.empty() ? -1 : 0;
  ApplyProperties();
}

void THITabControl::Index(TData& data) {
  if (control_ && OnUIThread()) index_ = control_->Selected();
  SetInteger(data, index_);
}

int32_t TabStepForKey(int32_t key, uint32_t keyState) {
  if (!(keyState & MkControl)) return 0;
  const bool shift = (keyState & MkShift) != 0;
  if (key == VkTab) return shift ? -1 : 1;
  if (shift) return 0;
  if (key == VkNext) return 1;
  if (key == VkPrior) return -1;
  return 0;
}

void THITabControl::Step(int32_t by) {
  const int32_t count = static_cast<int32_t>(captions_.size());
  if (!control_ || count == 0) return;
  const int32_t from = std::max<int32_t>(0, control_->Selected());
  control_->SetSelected(((from + by) % count + count) % count);
  TNotification picked;
  picked.Kind = TNotifyKind::SelectChange;
  HandleMessage(picked);
}

bool THITabControl::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::SelectChange) return THIWin::HandleMessage(n);
  if (control_) index_ = control_->Selected();
  FireInteger(onChange, index_);
  return true;
}
