#include "ui/panel.h"

THIPanel::THIPanel(TControl* parent) : THIWin(parent) {
  MakeControl(TControlKind::Panel);
  if (control_) control_->SetHandler(this);
}

void THIPanel::Init() {
  if (!control_) return;
  TCreateOptions options;
  options.Border[0] = OuterEdge;
  options.Border[1] = InnerEdge;
  options.Border[2] = EdgeWidth;
  options.Border[3] = BorderFlag;
  options.Border[4] = BorderWidth;
  control_->SetOptions(options);
  ApplyProperties();
  control_->SetText(Caption);
  control_->SetFont(control_->Font(), kDefaultFontHeight);
  control_->SetAlignment(Alignment);
}

bool THIPanel::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::Click) return THIWin::HandleMessage(n);
  FireNone(onClick);
  return true;
}
