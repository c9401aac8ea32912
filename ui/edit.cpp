#include "ui/edit.h"

#include "runtime/number_text.h"
#include "ui/encoding.h"

THIEdit::THIEdit(TControl* parent) : THIWin(parent) {}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool THIEdit::ReadRealText(const std::string& lowered, TData& value) {
  double v = 0;
  if (!CheckRealText(lowered, v)) return false;
  SetReal(value, v);
  return true;
}

bool THIEdit::ReadIntegerText(const std::string& lowered, TData& value) {
  size_t digits = 0;
  if (!lowered.empty() && lowered[0] == '$') digits = 1;
  else if (lowered.size() >= 2 && lowered[0] == '0' && lowered[1] == 'x') digits = 2;
  if (digits) {
    if (lowered.size() == digits) return false;
    uint32_t v = 0;
    for (size_t i = digits; i < lowered.size(); ++i) {
      const int d = HexDigit(lowered[i]);
      if (d < 0) return false;
      v = (v << 4) | static_cast<uint32_t>(d);
    }
    SetInteger(value, static_cast<int32_t>(v));
    return true;
  }
  size_t i = (!lowered.empty() && (lowered[0] == '+' || lowered[0] == '-')) ? 1 : 0;
  if (i == lowered.size()) return false;
  for (size_t k = i; k < lowered.size(); ++k)
    if (lowered[k] < '0' || lowered[k] > '9') return false;
  // The integer text rule takes the sign and wraps like the field's value.
  SetInteger(value, TextToInteger(lowered));
  return true;
}

bool THIEdit::Accepts(const std::string& text, TData& value) {
  if (!ValueReader) {
    SetString(value, text);
    return true;
  }
  return (this->*ValueReader)(LowerCp1251(text), value);
}

void THIEdit::Init() {
  edit_state_ = 0;
  if (StartFlag == 0) edit_state_ = 1;
  TCreateOptions options;
  options.EditOptions = static_cast<uint8_t>((Option1 ? 0x40 : 0) | (Option2 ? 0x80 : 0));
  MakeControl(TControlKind::Edit, options);
  text_copy_ = Text;
  TData scratch;
  if (Accepts(Text, scratch)) {
    last_good_text_ = Text;
    last_good_caret_ = static_cast<int32_t>(Text.size());
  }
  if (!control_) return;
  control_->SetText(Text);
  ApplyProperties();  // EdgeStyle 0 gives the sunken edge without a border
}

bool THIEdit::ReadText(TData& value) {
  if (!control_) return Accepts(text_copy_, value);
  const std::string text = control_->Text();
  const int32_t caret = control_->Caret();
  text_copy_ = text;
  if (Accepts(text, value)) {
    last_good_text_ = text;
    last_good_caret_ = caret;
    return true;
  }
  TData scratch;
  if (Accepts(text + "0", scratch)) return false;  // unfinished: wait for more
  // Invalid: the last good text comes back where the user was typing. The
  // program's own write sends no change notification here, but if a
  // platform did, edit state 2 keeps it from being read.
  edit_state_ = 2;
  control_->SetText(last_good_text_);
  control_->SetCaret(last_good_caret_);
  text_copy_ = last_good_text_;
  edit_state_ = 1;
  return false;
}

void THIEdit::Value(TData& data) {
  TData value;
  bool ok;
  if (OnUIThread()) {
    ok = ReadText(value);
  } else {
    ok = Accepts(text_copy_, value);
  }
  if (ok)
    CopySingle(data, value);
  else
    SetNone(data);
}

bool THIEdit::HandleKeyDown(int32_t key) {
  if (key != VkReturn || !onEnter.Wired()) return THIWin::HandleKeyDown(key);
  TData value;
  if (ReadText(value)) {
    clear_after_enter_ = 1;
    FireEvent(onEnter, value);
    if (clear_after_enter_ == 1 && control_) {
      edit_state_ = 2;
      control_->SetText(std::string());
      text_copy_.clear();
      edit_state_ = 1;
    }
  }
  return true;
}

bool THIEdit::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::TextChange) return THIWin::HandleMessage(n);
  if (edit_state_ == 1) {
    TData value;
    if (ReadText(value)) FireEvent(onChange, value);
  } else if (control_) {
    text_copy_ = control_->Text();
  }
  edit_state_ = 1;
  return true;
}
