#include "ui/main_form.h"

#include <algorithm>

#include "ui/bitmap.h"
#include "ui/tab_control.h"

namespace {

// The first tab strip in the tree under `c` that the user can reach.
TControl* ReachableTabStrip(TControl* c) {
  if (c->Kind() == TControlKind::TabStrip) return c->Showing() && c->EnabledTree() ? c : nullptr;
  for (TControl* child : c->Children())
    if (TControl* strip = ReachableTabStrip(child)) return strip;
  return nullptr;
}

}  // namespace

THIMainForm::THIMainForm(TControl* parent) : THIWin(parent) {
  if (TPlatform* p = Platform()) {
    control_ = p->CreateControl(TControlKind::Form, parent, TCreateOptions());
    owns_app_window_ = p->ClaimApplicationWindow(control_);
    control_->SetText("Form");
    control_->SetFont(MakeFontRec("MS Sans Serif", 8, 0, 1, 0), kDefaultFontHeight);
    control_->SetHandler(this);
  }
  startup_token_ = new TStartupToken{this};
  AddInit(&THIMainForm::RunStartup, startup_token_);
}

THIMainForm::~THIMainForm() {
  if (startup_token_) startup_token_->form = nullptr;
}

void THIMainForm::RunStartup(void* token) {
  TStartupToken* t = static_cast<TStartupToken*>(token);
  THIMainForm* form = t->form;
  delete t;
  if (!form) return;
  form->startup_token_ = nullptr;
  form->StartupStep();
}

void THIMainForm::SetCaption(const std::string& text) {
  if (control_) control_->SetText(text);
}

void THIMainForm::SetBorderStyle(uint8_t style) {
  if (!control_) return;
  int32_t s = control_->Style();
  switch (style) {
    case 0: s &= ~(kStyleCaption | kStyleSysMenu | kStyleSizable | kStyleMinimizeBox | kStyleMaximizeBox); break;
    case 1:
    case 4: s &= ~kStyleSizable; break;
    case 3: s &= ~(kStyleSizable | kStyleMinimizeBox | kStyleMaximizeBox); break;
    default: s |= kStyleSizable; break;
  }
  control_->SetStyle(s);
}

void THIMainForm::SetIcon(const std::string& resourceName) {
  has_icon_ = !FindIconResources(resourceName).Empty();
  if (control_ && has_icon_) control_->SetIcon(resourceName);
}

void THIMainForm::Init() {
  if (!control_) return;
  control_->SetHandler(this);
  control_->SetBounds({Left, Top, Width, Height});
  control_->SetColor(Color);
  control_->SetFont(Font, Font.Size + 6);
  if (Visible == 0 || CloseMode == 1)
    control_->SetVisible(false);
  else if (!owns_app_window_)
    control_->SetVisible(true);
  control_->SetEnabled(Enabled != 0);
  // A later form without an icon of its own takes the application's.
  if (!owns_app_window_ && !has_icon_)
    if (TControl* app = control_->Platform().ApplicationForm(); app && !app->Icon().empty())
      control_->SetIcon(app->Icon());
  control_->SetAlpha(AlphaBlend);
  if (ClientSize == 1)
    control_->SetClientSize(Width, Height);
  else
    control_->SetBounds({Left, Top, Width, Height});
  if (Placement) (this->*Placement)();
}

void THIMainForm::CenterOnScreen() {
  if (!control_) return;
  const TSize screen = control_->Platform().ScreenSize();
  const TRect r = control_->Bounds();
  Left = screen.Width / 2 - r.Width / 2;
  Top = screen.Height / 2 - r.Height / 2;
  control_->SetBounds({Left, Top, r.Width, r.Height});
}

void THIMainForm::BesideOwner() {
  if (!control_ || !control_->Owner()) return;
  const TSize screen = control_->Platform().ScreenSize();
  const TRect owner = control_->Owner()->Bounds();
  const TRect r = control_->Bounds();
  Left = owner.Left + owner.Width;
  if (Left + r.Width > screen.Width) Left = owner.Left - r.Width;
  if (Left < 0) Left = std::max(0, screen.Width - r.Width);
  Top = std::max(0, std::min(owner.Top, screen.Height - r.Height));
  control_->SetBounds({Left, Top, r.Width, r.Height});
}

void THIMainForm::doShow(TData&) {
  if (!control_) return;
  control_->SetVisible(true);
  control_->Raise();
}

void THIMainForm::doClose(TData&) { CloseProcedure(); }

void THIMainForm::Handle(TData& data) { SetInteger(data, control_ ? control_->Handle() : 0); }

void THIMainForm::ShowApplication() {
  if (control_ && Visible != 0 && CloseMode != 1) control_->SetVisible(true);
}

void THIMainForm::StartupStep() {
  // The private start-up message (0x400, 0x21) has no work to do on these
  // platforms.
  FireNone(onCreate);
  ShowStep();
  // Children's visibility flags are their windows' own here, so they need
  // no bringing in line.
  if (Visible == 0 && control_) control_->SetVisible(false);
}

void THIMainForm::ShowStep() {
  if (!shown_) {
    if (control_) control_->SetWindowState(WindowState);
    if (FirstShowHook) FirstShowHook(0);
    shown_ = true;
  }
  FireNone(onShow);
}

bool THIMainForm::CloseProcedure() {
  TData data;
  if (ReadInteger(data, CanClose, 0) != 0) return false;
  const bool allowed = owns_app_window_ || CloseMode == 1;
  if (!allowed && control_) control_->SetVisible(false);
  if (FirstShowHook) FirstShowHook(1);
  if (!allowed) {
    FireNone(onHide);
    return false;
  }
  if (owns_app_window_) {
    if (BeforeClose) BeforeClose();
    FireNone(onClose);
    StopDispatch();
    closed_ = true;
    if (control_) {
      control_->SetVisible(false);
      TPlatform& p = control_->Platform();
      p.ReleaseApplicationWindow(control_);
      p.QuitMessageLoop();
    }
  } else {
    if (control_) control_->SetVisible(false);
    FireNone(onHide);
  }
  return true;
}

bool THIMainForm::StepPage(const TNotification& n) {
  const int32_t step = TabStepForKey(n.Key, n.KeyState);
  TControl* strip = step && control_ ? ReachableTabStrip(control_) : nullptr;
  auto* tabs = strip ? dynamic_cast<THITabControl*>(strip->Handler()) : nullptr;
  if (!tabs) return false;
  tabs->Step(step);
  return true;
}

bool THIMainForm::Shortcut(const TNotification& n) {
  constexpr int32_t kFirstLetter = 'A', kLastLetter = 'Z';
  if (n.Key < kFirstLetter || n.Key > kLastLetter || (n.KeyState & (MkControl | MkShift)) != MkControl) return false;
  if (Shortcuts.find(static_cast<char>(n.Key)) == std::string::npos || !onShortcut.Wired()) return false;
  FireInteger(onShortcut, n.Key);
  return true;
}

bool THIMainForm::Copy(const TNotification& n) {
  constexpr int32_t kKeyC = 'C';
  if (n.Key != kKeyC || (n.KeyState & (MkControl | MkShift)) != MkControl || !onCopy.Wired() || !control_) return false;
  TControl* focused = control_->Platform().Focused();
  if (focused && focused->HasSelection()) return false;
  FireNone(onCopy);
  return true;
}

bool THIMainForm::HandleMessage(const TNotification& n) {
  switch (n.Kind) {
    case TNotifyKind::Moved: FireNone(onMove); return false;
    case TNotifyKind::Activate: FireNone(onActivate); return false;
    case TNotifyKind::Deactivate: FireNone(onDeactivate); return false;
    case TNotifyKind::Shown: ShowStep(); return false;
    case TNotifyKind::CloseRequest: return !CloseProcedure();
    case TNotifyKind::EscapeKey:
      if (EscapeCloses != 1) return false;
      CloseProcedure();
      return true;
    case TNotifyKind::ControlKey: return StepPage(n) || Copy(n) || Shortcut(n);
    case TNotifyKind::TabKey: {
      if (!tab_navigation_ || !control_) return false;
      TControl* next = NextTabStop(control_, control_->Platform().Focused(), n.Backward);
      if (next) next->SetFocus();
      return true;
    }
    default: return THIWin::HandleMessage(n);
  }
}
