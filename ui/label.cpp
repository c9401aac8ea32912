#include "ui/label.h"


THILabel::THILabel(TControl* parent) : THIWin(parent) {}

THILabel::~THILabel() {
  std::lock_guard<std::mutex> l(pending_->m);
  pending_->alive = false;
}

void THILabel::SetAlignment(uint8_t alignment) {
  alignment_ = alignment;
  if (control_) control_->SetAlignment(alignment);
}

void THILabel::Init() {
  MakeControl(TControlKind::Label);
  ApplyProperties();
  if (control_) {
    control_->SetAlignment(alignment_);
    own_font_ = control_->Font();
  }
  ShowText(Caption);
}

void THILabel::ShowText(const std::string& text, bool newerThanPending) {
  {
    std::lock_guard<std::mutex> l(pending_->m);
    // A text the window thread writes makes a pending worker text stale;
    // a worker's own text must not drop one it sent after it.
    if (newerThanPending) pending_->hasText = false;
    shown_ = text;
  }
  if (!control_) return;
  // Every "Calculate" writes every result label again, mostly with the
  // text it already shows: the control is written, and the text measured,
  // only when something changed.
  if (!applied_.valid || applied_.text != text) {
    control_->SetText(text);
    applied_.text = text;
    applied_.valid = true;
    applied_.measured = false;
  }
  if (FixedSize != 1) Fit();
}

void THILabel::Fit() {
  // A label that is not on screen is measured when it first shows, where
  // measuring costs the desktop a face opened (the size is not seen before).
  if (control_->DeferWhileHidden()) return;
  const TFontRec font = control_->Font();
  const int32_t height = control_->FontHeight();
  // A measured text comes back in the layout's pixels, rounded at the
  // screen's scale: a new scale measures again.
  const double scale = control_->Platform().Scale();
  if (!applied_.measured || applied_.font != font || applied_.height != height || applied_.scale != scale) {
    applied_.size = control_->Platform().MeasureText(applied_.text, font, height);
    applied_.font = font;
    applied_.height = height;
    applied_.scale = scale;
    applied_.measured = true;
  }
  const TRect r = control_->Bounds();
  if (r.Width != applied_.size.Width || r.Height != applied_.size.Height)
    control_->SetBounds({r.Left, r.Top, applied_.size.Width, applied_.size.Height});
}

std::string THILabel::Shown() const {
  std::lock_guard<std::mutex> l(pending_->m);
  return pending_->hasText ? ToString(pending_->value) : shown_;
}

void THILabel::doText(TData& data) {
  if (OnUIThread()) {
    // Read as ReadString reads; a result label is mostly given the real it
    // showed before, whose text it keeps.
    const TData value = ReadData(data, Text, nullptr);
    if (KindOf(value) == KindReal)
      ShowText(last_real_.Of(value.RealValue), true);
    else
      ShowText(ToString(value), true);
    return;
  }
  // A worker hands over the value, not its text: only the last value of a
  // frame is shown, so only that one is written out, on the window thread
  // (a search sends one value per step). The reading rule is ReadString's.
  const TData value = ReadData(data, Text, nullptr);
  bool post = false;
  {
    std::lock_guard<std::mutex> l(pending_->m);
    CopySingle(pending_->value, value);
    pending_->hasText = true;
    if (!pending_->posted) post = pending_->posted = true;
  }
  if (post) {
    std::shared_ptr<TPending> pending = pending_;
    THILabel* self = this;
    SystemOps()->PostToUIThread([pending, self] { ApplyPending(pending, self); });
  }
}

void THILabel::ApplyPending(const std::shared_ptr<TPending>& pending, THILabel* label) {
  // Runs on the window thread, where labels are also destroyed, so `alive`
  // cannot change under it. It needs no scheme lock: the worker hands its
  // value over through `pending` alone and never touches the control, so a
  // search runs on while the window thread shows its progress.
  std::string text;
  {
    std::lock_guard<std::mutex> l(pending->m);
    pending->posted = false;
    if (!pending->alive || !pending->hasText) return;
    text = ToString(pending->value);
    pending->hasText = false;
  }
  label->ShowText(text);
}

bool THILabel::HandleMessage(const TNotification& n) {
  switch (n.Kind) {
    case TNotifyKind::Click: FireNone(onClick); return true;
    case TNotifyKind::Revealed:
      if (control_ && FixedSize != 1) Fit();
      return true;
    case TNotifyKind::ContextMenu:
      if (!onContextMenu.Wired()) return false;
      FireNone(onContextMenu);
      return true;
    case TNotifyKind::MouseEnter: {
      if (!control_ || (HoverColor == 0 && HoverCursor == 0 && HoverUnderline == 0)) return false;
      TFontRec f = own_font_;
      if (HoverColor != 0) f.Color = HoverColor;
      if (HoverUnderline) f.Style |= FontUnderline;
      control_->SetFont(f, control_->FontHeight());
      if (HoverCursor != 0) control_->SetCursor(HoverCursor);
      hovering_ = true;
      return true;
    }
    case TNotifyKind::MouseLeave: {
      if (!control_ || !hovering_) return false;
      // Back to the label's own look: an underline of its own font stays.
      control_->SetFont(own_font_, control_->FontHeight());
      control_->SetCursor(Cursor);
      hovering_ = false;
      return true;
    }
    default: return THIWin::HandleMessage(n);
  }
}
