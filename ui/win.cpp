#include "ui/win.h"

TFontRec MakeFontRec(const std::string& name, uint8_t size, uint8_t style, uint8_t charSet, uint32_t color) {
  TFontRec f;
  f.Name = name;
  f.Size = size;
  f.Style = style;
  f.CharSet = charSet;
  f.Color = color;
  return f;
}

THIWin::THIWin(TControl* parent) : parent_(parent) {
  if (parent_) Color = parent_->Color();
}

THIWin::~THIWin() {
  if (control_) {
    control_->SetHandler(nullptr);
    TControl::Destroy(control_);
    control_ = nullptr;
  }
}

bool THIWin::OnUIThread() {
  TSystemOps* ops = SystemOps();
  return !ops || ops->IsUIThread();
}

void THIWin::MakeControl(TControlKind kind, const TCreateOptions& options) {
  if (control_ || !Platform()) return;
  control_ = Platform()->CreateControl(kind, parent_, options);
}

void THIWin::Init() { ApplyProperties(); }

void THIWin::ApplyProperties() {
  if (!control_) return;
  control_->SetHandler(this);
  control_->SetBounds({Left, Top, Width, Height});
  control_->SetColor(Color);
  control_->SetEdge(EdgeStyle);
  control_->SetEnabled(Enabled != 0);
  control_->SetVisible(Visible != 0);
  control_->SetCursor(Cursor);
  if (Flat == 1) control_->SetStyle(control_->Style() | kStyleFlat);
  ApplyFont();
  control_->SetTabOrder(TabOrder);
  control_->Raise();
  if (!Hint.empty()) control_->Platform().Tooltips().Add(control_, Hint);
}

void THIWin::ApplyFont() {
  if (!control_) return;
  if (ParentFont == 1 && parent_)
    control_->SetFont(parent_->Font(), parent_->FontHeight());
  else
    control_->SetFont(Font, Font.Size + 6);
}

bool THIWin::HandleNotification(const TNotification& n) {
  if (n.Kind == TNotifyKind::Destroyed) {
    control_ = nullptr;
    return true;
  }
  if (HandleMessage(n)) return true;
  switch (n.Kind) {
    case TNotifyKind::KeyDown: return HandleKeyDown(n.Key);
    case TNotifyKind::KeyUp: HandleKeyUp(n.Key); return false;
    case TNotifyKind::MouseDown: HandleMouseDown(n.Mouse); return false;
    case TNotifyKind::MouseMove: HandleMouseMove(n.Mouse); return false;
    case TNotifyKind::MouseUp: HandleMouseUp(n.Mouse); return false;
    case TNotifyKind::DblClick: FireNone(onDblClick); return false;
    case TNotifyKind::Resize: FireNone(onResize); return false;
    default: return false;
  }
}

bool THIWin::HandleKeyDown(int32_t key) {
  FireInteger(onKeyDown, key);
  return false;
}

void THIWin::HandleKeyUp(int32_t key) { FireInteger(onKeyUp, key); }

void THIWin::HandleMouseDown(const TMouseEvent& m) {
  LastMouse = m;
  FireInteger(onMouseDown, m.Button - 1);
  if (MouseCapture == 1 && control_) {
    control_->Platform().ReleaseCapture();
    control_->Platform().SetCapture(control_);
  }
}

void THIWin::HandleMouseMove(const TMouseEvent& m) {
  LastMouse = m;
  // Exactly one button held names it; anything else (none, a key too) is -1.
  int32_t held = -1;
  if (m.Shift == MkLButton) held = 0;
  else if (m.Shift == MkRButton) held = 1;
  else if (m.Shift == MkMButton) held = 2;
  FireInteger(onMouseMove, held);
}

void THIWin::HandleMouseUp(const TMouseEvent& m) {
  LastMouse = m;
  FireInteger(onMouseUp, m.Button - 1);
  if (MouseCapture == 1 && control_) control_->Platform().ReleaseCapture();
}

bool THIWin::HandleMessage(const TNotification& n) {
  if (n.Kind == TNotifyKind::FocusIn) FireNone(onSetFocus);
  else if (n.Kind == TNotifyKind::FocusOut) FireNone(onKillFocus);
  return false;
}
