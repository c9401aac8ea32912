#include "ui/tab_control.h"

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

bool THITabControl::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::SelectChange) return THIWin::HandleMessage(n);
  if (control_) index_ = control_->Selected();
  FireInteger(onChange, index_);
  return true;
}
