#include "ui/table.h"

#include "runtime/lines.h"

namespace {

// Texts joined by tabs; a short row gives as many texts as it has.
std::string Joined(const std::vector<std::string>& texts) {
  std::string line;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line += '\t';
    line += texts[i];
  }
  return line;
}

}  // namespace

void THITable::Init() {
  MakeControl(TControlKind::Table);
  ApplyProperties();
  if (!control_) return;
  control_->SetColumns(Columns);
  control_->SetRows(rows_);
  control_->SetSelected(selected_);
}

void THITable::SetColumns(std::vector<TTableColumn> columns) {
  Columns = std::move(columns);
  if (control_) control_->SetColumns(Columns);
}

void THITable::SetRows(std::vector<std::vector<std::string>> rows) {
  rows_ = std::move(rows);
  selected_ = -1;
  if (control_) control_->SetRows(rows_);
}

void THITable::doClear(TData&) { SetRows({}); }

void THITable::doSelect(TData& data) {
  const int32_t row = ToInteger(data);
  selected_ = row >= 0 && row < static_cast<int32_t>(rows_.size()) ? row : -1;
  if (control_) control_->SetSelected(selected_);
}

int32_t THITable::Selected() {
  if (control_ && OnUIThread()) selected_ = control_->Selected();
  return selected_;
}

void THITable::Index(TData& data) { SetInteger(data, Selected()); }

void THITable::Text(TData& data) {
  const int32_t row = Selected();
  if (row < 0)
    SetNone(data);
  else
    SetString(data, Joined(rows_[static_cast<size_t>(row)]));
}

void THITable::Lines(TData& data) {
  std::vector<std::string> headings;
  for (const TTableColumn& c : Columns) headings.push_back(c.Heading);
  std::vector<std::string> lines = {Joined(headings)};
  for (const std::vector<std::string>& row : rows_) lines.push_back(Joined(row));
  SetString(data, JoinLines(lines));
}

bool THITable::HandleMessage(const TNotification& n) {
  if (n.Kind != TNotifyKind::SelectChange) return THIWin::HandleMessage(n);
  FireInteger(onChange, Selected());
  return true;
}
