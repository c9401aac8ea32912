#include "ui/edit.h"

#include <algorithm>

#include "runtime/number_text.h"
#include "ui/encoding.h"

THIEdit::THIEdit(TControl* parent) : THIWin(parent) {}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A reader's syntax read one character (in small letters) at a time: the
// state after a text and the next character give the state after the
// longer text. Every syntax starts in state 0.
struct TSyntax {
  uint8_t (*Step)(uint8_t state, char c);
  bool (*Complete)(uint8_t state);
};

uint8_t RealStep(uint8_t state, char c) {
  TRealTextScan scan = TRealTextScan::FromState(state);
  scan.Feed(c);
  return scan.State();
}

bool RealComplete(uint8_t state) { return TRealTextScan::FromState(state).Complete(); }

// ReadIntegerText's syntax.
enum : uint8_t { kIntStart, kIntSign, kIntZero, kIntDecimal, kIntHexMark, kIntHex, kIntRejected };

uint8_t IntegerStep(uint8_t state, char c) {
  const bool digit = c >= '0' && c <= '9';
  switch (state) {
    case kIntStart:
      if (c == '$') return kIntHexMark;
      if (c == '+' || c == '-') return kIntSign;
      return c == '0' ? kIntZero : digit ? kIntDecimal : kIntRejected;
    case kIntSign: return digit ? kIntDecimal : kIntRejected;
    case kIntZero: return c == 'x' ? kIntHexMark : digit ? kIntDecimal : kIntRejected;
    case kIntDecimal: return digit ? kIntDecimal : kIntRejected;
    case kIntHexMark:
    case kIntHex: return HexDigit(c) >= 0 ? kIntHex : kIntRejected;
    default: return kIntRejected;
  }
}

bool IntegerComplete(uint8_t state) { return state == kIntZero || state == kIntDecimal || state == kIntHex; }

const TSyntax kRealSyntax = {&RealStep, &RealComplete};
const TSyntax kIntegerSyntax = {&IntegerStep, &IntegerComplete};

// The syntax of the program's readers; none for any other.
const TSyntax* SyntaxOf(THIEdit::TValueReader reader) {
  if (reader == &THIEdit::ReadRealText) return &kRealSyntax;
  if (reader == &THIEdit::ReadIntegerText) return &kIntegerSyntax;
  return nullptr;
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
  if (last_reader_ != ValueReader || !last_reading_.Holds(text)) {
    TData fresh;
    const bool ok = (this->*ValueReader)(LowerCp1251(text), fresh);
    last_reader_ = ValueReader;
    last_reading_.Keep(text, ok, fresh);
  }
  if (last_reading_.ok) CopySingle(value, last_reading_.value);
  return last_reading_.ok;
}

std::string THIEdit::LastGoodText() const {
  return good_prefix_ == kDetached ? last_good_text_ : text_copy_.substr(0, good_prefix_);
}

void THIEdit::DetachLastGood(size_t changedFrom) {
  if (good_prefix_ == kDetached || changedFrom >= good_prefix_) return;
  last_good_text_ = text_copy_.substr(0, good_prefix_);
  good_prefix_ = kDetached;
}

void THIEdit::Rescan(size_t from) {
  const TSyntax* syntax = SyntaxOf(ValueReader);
  if (!syntax) return;
  // States of another reader (set after Init), or none yet: start over
  // from scan_[0], the start state 0.
  if (syntax != scan_syntax_ || scan_.empty()) {
    scan_syntax_ = syntax;
    scan_.assign(1, 0);
  } else if (from >= text_copy_.size() && scan_.size() == text_copy_.size() + 1) {
    return;  // every read of an unchanged field asks this: all scanned already
  }
  // The states of the prefix the change left alone stay.
  const size_t kept = std::min({from, text_copy_.size(), scan_.size() - 1});
  scan_.resize(kept + 1);
  for (size_t i = kept; i < text_copy_.size(); ++i)
    scan_.push_back(syntax->Step(scan_.back(), LowerCp1251(text_copy_[i])));
}

bool THIEdit::CopyAccepted() {
  if (!ValueReader) return true;
  if (const TSyntax* syntax = SyntaxOf(ValueReader)) {
    Rescan(text_copy_.size());
    return syntax->Complete(scan_.back());
  }
  TData scratch;
  return Accepts(text_copy_, scratch);
}

bool THIEdit::CopyUnfinished() {
  if (const TSyntax* syntax = SyntaxOf(ValueReader)) {
    Rescan(text_copy_.size());
    return syntax->Complete(syntax->Step(scan_.back(), '0'));
  }
  TData scratch;
  return Accepts(text_copy_ + "0", scratch);
}

void THIEdit::TakeChange(const TNotification* n) {
  if (!control_) return;
  const size_t size = text_copy_.size();
  if (n && n->At >= 0 && n->Removed >= 0 && static_cast<size_t>(n->At) <= size &&
      static_cast<size_t>(n->Removed) <= size - static_cast<size_t>(n->At)) {
    const size_t at = static_cast<size_t>(n->At);
    DetachLastGood(at);
    text_copy_.replace(at, static_cast<size_t>(n->Removed), n->Inserted);
    Rescan(at);
    return;
  }
  // No notice says what changed: the copy keeps the prefix it shares with
  // the control's text, and only the rest is scanned again (reading a
  // value leaves the text as it was, so usually nothing is).
  const std::string now = control_->Text();
  const size_t common = static_cast<size_t>(
      std::mismatch(now.begin(), now.begin() + static_cast<std::ptrdiff_t>(std::min(now.size(), size)),
                    text_copy_.begin())
          .first -
      now.begin());
  if (common == size && common == now.size()) {
    Rescan(size);
    return;
  }
  DetachLastGood(common);
  text_copy_.replace(common, std::string::npos, now, common, std::string::npos);
  Rescan(common);
}

void THIEdit::Init() {
  edit_state_ = 0;
  if (StartFlag == 0) edit_state_ = 1;
  TCreateOptions options;
  options.EditOptions = static_cast<uint8_t>((Option1 ? 0x40 : 0) | (Option2 ? 0x80 : 0));
  MakeControl(TControlKind::Edit, options);
  text_copy_ = Text;
  Rescan(0);
  TData scratch;
  good_prefix_ = kDetached;
  last_good_text_.clear();
  if (Accepts(Text, scratch)) {
    good_prefix_ = Text.size();
    last_good_caret_ = static_cast<int32_t>(Text.size());
  }
  if (!control_) return;
  control_->SetText(Text);
  ApplyProperties();  // EdgeStyle 0 gives the sunken edge without a border
}

void THIEdit::RestoreLastGood() {
  // The program's own write sends no change notification here, but if a
  // platform did, edit state 2 keeps it from being read.
  edit_state_ = 2;
  if (good_prefix_ != kDetached) {
    // The last good text is what the copy starts with: cut the rest.
    control_->ReplaceText(static_cast<int32_t>(good_prefix_),
                          static_cast<int32_t>(text_copy_.size() - good_prefix_), std::string());
    text_copy_.resize(good_prefix_);
    Rescan(good_prefix_);
  } else {
    control_->SetText(last_good_text_);
    text_copy_.swap(last_good_text_);
    last_good_text_.clear();
    good_prefix_ = text_copy_.size();
    Rescan(0);
  }
  control_->SetCaret(last_good_caret_);
  edit_state_ = 1;
}

bool THIEdit::ReadText(TData& value, bool wanted) {
  if (!control_) return Accepts(text_copy_, value);
  if (CopyAccepted()) {
    good_prefix_ = text_copy_.size();
    last_good_text_.clear();
    last_good_caret_ = control_->Caret();
    if (wanted) Accepts(text_copy_, value);
    return true;
  }
  if (CopyUnfinished()) return false;  // wait for more
  // Invalid: the last good text comes back where the user was typing.
  RestoreLastGood();
  return false;
}

void THIEdit::Value(TData& data) {
  TData value;
  bool ok;
  if (OnUIThread()) {
    TakeChange(nullptr);
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
  TakeChange(nullptr);
  if (ReadText(value)) {
    clear_after_enter_ = 1;
    FireEvent(onEnter, value);
    if (clear_after_enter_ == 1 && control_) {
      edit_state_ = 2;
      DetachLastGood(0);
      control_->SetText(std::string());
      text_copy_.clear();
      Rescan(0);
      edit_state_ = 1;
    }
  }
  return true;
}

bool THIEdit::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::TextChange) return THIWin::HandleMessage(n);
  TakeChange(&n);
  if (edit_state_ == 1) {
    TData value;
    if (ReadText(value, onChange.Wired())) FireEvent(onChange, value);
  }
  edit_state_ = 1;
  return true;
}
