#include "ui/combo_box.h"

#include "runtime/number_text.h"
#include "runtime/lines.h"
#include "ui/encoding.h"

namespace {

// The text without the blanks (spaces and tabs) around it.
std::string WithoutOuterBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void THIWinList::SyncCopy() {
  if (!control_) return;
  // Read at every value the list gives, and the lines seldom change: they
  // are copied only when the control's lines changed since the last copy.
  const uint32_t revision = control_->ItemsRevision();
  if (!lines_synced_ || revision != lines_revision_) {
    lines_ = control_->Items();
    lines_revision_ = revision;
    lines_synced_ = true;
  }
  selected_ = control_->Selected();
}

void THIWinList::SetStrings(const std::string& text) {
  if (!control_) {
    lines_ = SplitLines(text);
    selected_ = -1;
    return;
  }
  control_->ClearItems();
  for (const std::string& line : SplitLines(text)) control_->AddItem(line);
  SyncCopy();
}

void THIWinList::AddLine(const std::string& text) {
  if (!control_) {
    lines_.push_back(text);
    return;
  }
  control_->AddItem(text);
  SyncCopy();
}

void THIWinList::doClear(TData&) {
  if (control_) control_->ClearItems();
  lines_.clear();
  selected_ = -1;
  FireNone(onClear);
}

void THIWinList::Lines(TData& data) {
  if (OnUIThread()) SyncCopy();
  SetString(data, JoinLines(lines_));
}

void THIComboBox::Init() {
  TCreateOptions options;
  options.Sorted = Sort == 1;
  MakeControl(Editable ? TControlKind::EditList : TControlKind::PickList, options);
  ApplyProperties();
  // A pick-only list shows only its selected line, so the field text is
  // meaningful only where the user may type.
  if (control_ && Editable) control_->SetText(EditText);
  SetStrings(Strings);
  if (control_) field_ = control_->Text();
}

void THIComboBox::doSelectText(TData& data) {
  const std::string prefix = LowerCp1251(ToString(data));
  SyncCopy();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (line.size() < prefix.size() || LowerCp1251(line.substr(0, prefix.size())) != prefix) continue;
    selected_ = static_cast<int32_t>(i);
    if (control_) {
      control_->SetSelected(selected_);
      field_ = control_->Text();
    }
    return;
  }
}

void THIComboBox::Text(TData& data) {
  if (OnUIThread()) SyncCopy();
  if (selected_ >= 0 && selected_ < static_cast<int32_t>(lines_.size()))
    SetString(data, lines_[static_cast<size_t>(selected_)]);
  else
    SetNone(data);
}

void THIComboBox::Value(TData& data) {
  if (OnUIThread() && control_) field_ = control_->Text();
  if (!last_reading_.Holds(field_)) {
    double value = 0;
    const bool ok = CheckRealText(LowerCp1251(field_), value);
    last_reading_.Keep(field_, ok, value);
  }
  if (last_reading_.ok)
    SetReal(data, last_reading_.value);
  else
    SetNone(data);
}

int32_t THIComboBox::LineNamedByField() const {
  const std::string typed = LowerCp1251(WithoutOuterBlanks(field_));
  for (size_t i = 0; i < lines_.size(); ++i)
    if (LowerCp1251(lines_[i]) == typed) return static_cast<int32_t>(i);
  return -1;
}

void THIComboBox::FireSelection() {
  if (selected_ < 0) return;
  if (ChangeMode == 1)
    FireString(onChange, lines_[static_cast<size_t>(selected_)]);
  else
    FireInteger(onChange, selected_);
}

bool THIComboBox::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::TextChange && n.Kind != TNotifyKind::SelectChange) return THIWinList::HandleMessage(n);
  SyncCopy();
  if (control_) field_ = control_->Text();
  if (n.Kind == TNotifyKind::TextChange) {
    // Typing into the field leaves no line selected, unless the text names
    // a line where that is asked for.
    if (!SelectTyped) return true;
    selected_ = LineNamedByField();
    if (selected_ < 0) return true;
    control_->SetSelected(selected_);
    field_ = control_->Text();
  }
  FireSelection();
  return true;
}
