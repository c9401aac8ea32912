#include "ui/button.h"

THIButton::THIButton(TControl* parent) : THIWin(parent) {
  MakeControl(TControlKind::Button);
  if (control_) {
    control_->SetText("Push");
    control_->SetHandler(this);
  }
  EdgeStyle = 0;
}

void THIButton::SetCaption(const std::string& text) {
  if (control_) control_->SetText(text);
}

bool THIButton::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::Click) return THIWin::HandleMessage(n);
  TData copy = Data;
  FireEvent(onClick, copy);
  return true;
}
