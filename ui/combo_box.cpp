#include "ui/combo_box.h"

#include "runtime/lines.h"
#include "ui/encoding.h"

void THIWinList::SyncCopy() {
  if (!control_) return;
  lines_ = control_->Items();
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
}

void THIComboBox::doSelectText(TData& data) {
  const std::string prefix = LowerCp1251(ToString(data));
  SyncCopy();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    if (line.size() < prefix.size() || LowerCp1251(line.substr(0, prefix.size())) != prefix) continue;
    selected_ = static_cast<int32_t>(i);
    if (control_) control_->SetSelected(selected_);
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

bool THIComboBox::HandleMessage(const TNotification& n) {
  if (n.Kind == TNotifyKind::TextChange) {
    // Typing into the field leaves no line selected.
    SyncCopy();
    return true;
  }
  if (n.Kind != TNotifyKind::SelectChange) return THIWinList::HandleMessage(n);
  SyncCopy();
  if (selected_ < 0) return true;
  if (ChangeMode == 1)
    FireString(onChange, lines_[static_cast<size_t>(selected_)]);
  else
    FireInteger(onChange, selected_);
  return true;
}
