#include "ui/check_box.h"

THICheckBox::THICheckBox(TControl* parent) : THIWin(parent) {
  MakeControl(TControlKind::CheckBox);
  if (control_) {
    control_->SetText("CheckBox");
    control_->SetHandler(this);
  }
  EdgeStyle = 0;
}

void THICheckBox::SetCaption(const std::string& text) {
  if (control_) control_->SetText(text);
}

void THICheckBox::SetChecked(uint8_t option) {
  checked_ = option == 0;
  if (control_) control_->SetChecked(checked_);
}

void THICheckBox::Checked(TData& data) {
  if (control_ && OnUIThread()) checked_ = control_->Checked();
  SetInteger(data, checked_ ? 1 : 0);
}

bool THICheckBox::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::Click) return THIWin::HandleMessage(n);
  if (control_) checked_ = control_->Checked();
  const int32_t state = checked_ ? 1 : 0;
  FireInteger(onCheck, state);
  FireInteger(onCheck2, state);
  return true;
}
