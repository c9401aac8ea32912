#include "ui/group_box.h"

THIGroupBox::THIGroupBox(TControl* parent) : THIWin(parent) {
  MakeControl(TControlKind::GroupBox);
  if (control_) {
    control_->SetText("GroupBox");
    control_->SetFont(MakeFontRec("MS Sans Serif", 8, 0, 1, 0), kDefaultFontHeight);
    control_->SetHandler(this);
  }
}

bool THIGroupBox::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::ContextMenu) return THIWin::HandleMessage(n);
  if (!onContextMenu.Wired()) return false;
  FireNone(onContextMenu);
  return true;
}

void THIGroupBox::SetCaption(const std::string& text) {
  if (control_) control_->SetText(text);
}

void THIGroupBox::doVisible(TData& data) {
  Visible = ToBool(data) ? 1 : 0;
  if (control_) control_->SetVisible(Visible != 0);
}
