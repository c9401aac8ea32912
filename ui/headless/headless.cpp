#include "ui/headless/headless.h"

#include <algorithm>
#include <utility>

#include "runtime/lines.h"

// --- THeadlessControl ------------------------------------------------------

THeadlessControl::THeadlessControl(THeadlessPlatform& platform, TControlKind kind, TControl* parent,
                                   const TCreateOptions& options)
    : TControl(platform, kind, parent, options), hp_(platform) {}

void THeadlessControl::SetText(const std::string& text) {
  TControl::SetText(text);
  selection_count_ = 0;
  if (Kind() == TControlKind::PickList) return;
  hp_.text_bytes_copied_ += text.size();
  if (hp_.OnSetText) hp_.OnSetText(this, text);
}

std::string THeadlessControl::Text() const {
  std::string text = TControl::Text();
  hp_.text_bytes_copied_ += text.size();
  return text;
}

void THeadlessControl::ReplaceText(int32_t at, int32_t count, const std::string& text) {
  Check();
  if (Kind() == TControlKind::PickList) return;
  const size_t from = std::min(static_cast<size_t>(std::max<int32_t>(at, 0)), text_.size());
  text_.replace(from, std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), text_.size() - from), text);
  selection_count_ = 0;
  hp_.text_bytes_copied_ += text.size();
  caret_ = static_cast<int32_t>(from + text.size());
  if (hp_.OnSetText) hp_.OnSetText(this, text_);
}

std::string THeadlessControl::SelectedText() const {
  if (selection_count_ == 0 || selection_at_ >= text_.size()) return std::string();
  return text_.substr(selection_at_, selection_count_);
}

void THeadlessControl::Raise() {
  Check();
  ++raises_;
}

int32_t THeadlessControl::LineHeight() const {
  const int32_t line = hp_.MeasureText("", font_, font_height_ != 0 ? font_height_ : kDefaultFontHeight).Height;
  return std::max<int32_t>(1, line);
}

int32_t THeadlessControl::PageRows() const {
  Check();
  return std::max<int32_t>(1, (bounds_.Height - LineHeight()) / LineHeight());
}

void THeadlessControl::ApplyVisible() {
  if (Kind() != TControlKind::Form || visible_) return;
  TControl* form = hp_.RecordedFocus();
  while (form && form->Parent()) form = form->Parent();
  if (form == this) hp_.FocusMoved(nullptr);
}

// --- THeadlessPlatform -----------------------------------------------------

THeadlessPlatform::THeadlessPlatform() = default;

THeadlessPlatform::~THeadlessPlatform() {
  std::lock_guard<std::mutex> l(m_);
  loop_ended_ = true;
  queue_.clear();
  cv_.notify_all();
}

TControl* THeadlessPlatform::CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) {
  CheckThread();
  return new THeadlessControl(*this, kind, parent, options);
}

TSize THeadlessPlatform::MeasureText(const std::string& text, const TFontRec& font, int32_t height) {
  const int32_t cell = height > 0 ? height : -height * 4 / 3;
  const int32_t charWidth = cell / 2 + ((font.Style & FontBold) ? 1 : 0);
  std::vector<std::string> lines = SplitLines(text);
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  const int32_t rows = std::max<int32_t>(1, static_cast<int32_t>(lines.size()));
  return {static_cast<int32_t>(longest) * charWidth, rows * cell};
}

void THeadlessPlatform::RunMessageLoop() {
  CheckThread();
  quit_ = false;
  Pump();
  if (user_) user_();
  Pump();
  std::lock_guard<std::mutex> l(m_);
  loop_ended_ = true;
  // Hand-overs nobody will run any more answer false.
  for (auto it = queue_.begin(); it != queue_.end();) {
    if (it->done) {
      it = queue_.erase(it);
    } else {
      ++it;
    }
  }
  cv_.notify_all();
}

void THeadlessPlatform::QuitMessageLoop() { quit_ = true; }

// --- Work for the window thread ---------------------------------------------

bool THeadlessPlatform::HandOver(const std::function<void()>& fn) {
  auto done = std::make_shared<bool>(false);
  std::unique_lock<std::mutex> l(m_);
  if (loop_ended_) return false;
  queue_.push_back({fn, done});
  cv_.notify_all();
  // Woken when the task ran, or when the loop ended and dropped it.
  cv_.wait(l, [&] {
    if (*done) return true;
    if (!loop_ended_) return false;
    return std::none_of(queue_.begin(), queue_.end(), [&](const TTask& t) { return t.done == done; });
  });
  return *done;
}

std::unique_ptr<TWorkerRun> THeadlessPlatform::StartWorker(TWorkerBody body) {
  if (!WorkersStart) return nullptr;
  return TPlatform::StartWorker(std::move(body));
}

void THeadlessPlatform::PostToUIThread(std::function<void()> fn) {
  std::lock_guard<std::mutex> l(m_);
  const bool first = queue_.empty();
  queue_.push_back({std::move(fn), nullptr});
  // A waiter already saw the earlier work and waits for its turn.
  if (first) cv_.notify_all();
}

size_t THeadlessPlatform::Pump() {
  CheckThread();
  size_t ran = 0;
  for (;;) {
    TTask task;
    {
      std::lock_guard<std::mutex> l(m_);
      if (queue_.empty()) return ran;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task.fn();
    ++ran;
    std::lock_guard<std::mutex> l(m_);
    last_turn_ = std::chrono::steady_clock::now();
    worked_ = true;
    if (task.done) {
      *task.done = true;
      cv_.notify_all();
    }
  }
}

bool THeadlessPlatform::WaitForWork(std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  std::unique_lock<std::mutex> l(m_);
  for (;;) {
    const Clock::time_point now = Clock::now();
    const Clock::time_point due = worked_ ? last_turn_ + turn_period_ : now;
    if (!queue_.empty() && now >= due) return true;
    if (now >= deadline) return false;
    cv_.wait_until(l, queue_.empty() ? deadline : std::min(due, deadline));
  }
}

// --- Clipboard and menus ---------------------------------------------------

void THeadlessPlatform::SetClipboardText(const std::string& text) {
  CheckThread();
  clipboard_ = text;
}

std::string THeadlessPlatform::ClipboardText() {
  CheckThread();
  return clipboard_;
}

int32_t THeadlessPlatform::PopupMenu(TControl* at, const std::vector<std::string>& items) {
  CheckThread();
  TMenu menu;
  menu.At = at;
  menu.Items = items;
  if (OnMenu) {
    menu.Answer = OnMenu(menu);
  } else if (!MenuAnswers.empty()) {
    menu.Answer = MenuAnswers.front();
    MenuAnswers.pop_front();
  }
  if (menu.Answer < 0 || menu.Answer >= static_cast<int32_t>(items.size())) menu.Answer = kNoMenuItem;
  std::lock_guard<std::mutex> l(m_);
  menus_.push_back(menu);
  return menu.Answer;
}

std::vector<THeadlessPlatform::TMenu> THeadlessPlatform::Menus() const {
  std::lock_guard<std::mutex> l(m_);
  return menus_;
}

// --- Boxes and commands ----------------------------------------------------

int THeadlessPlatform::ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) {
  TBox box;
  box.Owned = owned;
  box.Text = text;
  box.Caption = caption;
  box.Style = style;
  if (OnBox) {
    box.Answer = OnBox(box);
  } else if (!Answers.empty()) {
    box.Answer = Answers.front();
    Answers.pop_front();
  } else {
    box.Answer = FirstButtonOf(style);
  }
  std::lock_guard<std::mutex> l(m_);
  boxes_.push_back(box);
  return box.Answer;
}

std::vector<THeadlessPlatform::TBox> THeadlessPlatform::Boxes() const {
  std::lock_guard<std::mutex> l(m_);
  return boxes_;
}

int THeadlessPlatform::StartCommand(const std::string& commandLine, int showMode) {
  std::lock_guard<std::mutex> l(m_);
  commands_.push_back({commandLine, showMode});
  return StartStatus;
}

std::vector<THeadlessPlatform::TCommand> THeadlessPlatform::Commands() const {
  std::lock_guard<std::mutex> l(m_);
  return commands_;
}

void THeadlessPlatform::RedrawMenuBar(int32_t handle) {
  CheckThread();
  if (FromHandle(handle)) ++menu_redraws_;
}

// --- The user --------------------------------------------------------------

namespace {

bool IsFieldKind(TControlKind k) { return k == TControlKind::Edit || k == TControlKind::EditList; }

bool TakesFocus(TControlKind k) {
  return k == TControlKind::Button || k == TControlKind::CheckBox || k == TControlKind::Edit ||
         k == TControlKind::PickList || k == TControlKind::EditList || k == TControlKind::Table;
}

// The form a control is in.
TControl* FormOf(TControl* c) {
  while (c->Parent()) c = c->Parent();
  return c;
}

TNotification Notice(TNotifyKind kind) {
  TNotification n;
  n.Kind = kind;
  return n;
}

TNotification TextChangeNotice(size_t at, size_t removed, std::string inserted) {
  TNotification n = Notice(TNotifyKind::TextChange);
  n.At = static_cast<int32_t>(at);
  n.Removed = static_cast<int32_t>(removed);
  n.Inserted = std::move(inserted);
  return n;
}

}  // namespace

bool THeadlessPlatform::Click(TControl* c) {
  CheckThread();
  if (!c) return false;
  THeadlessControl* hc = Cast(c);
  if (TakesFocus(c->Kind())) FocusMoved(c);
  TNotification down = Notice(TNotifyKind::MouseDown);
  down.Mouse.Button = 1;
  down.Mouse.Shift = MkLButton;
  down.Mouse.X = static_cast<int16_t>(hc->bounds_.Width / 2);
  down.Mouse.Y = static_cast<int16_t>(hc->bounds_.Height / 2);
  c->Deliver(down);
  if (c->Kind() == TControlKind::CheckBox) hc->checked_ = !hc->checked_;
  TNotification up = down;
  up.Kind = TNotifyKind::MouseUp;
  up.Mouse.Shift = 0;
  c->Deliver(up);
  switch (c->Kind()) {
    case TControlKind::Button:
    case TControlKind::CheckBox:
    case TControlKind::Label:
    case TControlKind::Image:
    case TControlKind::Panel:
      c->Deliver(Notice(TNotifyKind::Click));
      break;
    default:
      break;
  }
  return true;
}

bool THeadlessPlatform::SelectTab(TControl* tabs, int32_t index) {
  CheckThread();
  if (!tabs || tabs->Kind() != TControlKind::TabStrip) return false;
  THeadlessControl* hc = Cast(tabs);
  if (index < 0 || index >= static_cast<int32_t>(hc->items_.size())) return false;
  if (index == hc->selected_) return true;
  hc->selected_ = index;
  tabs->Deliver(Notice(TNotifyKind::SelectChange));
  return true;
}

bool THeadlessPlatform::TypeText(TControl* c, const std::string& text) {
  CheckThread();
  if (!c || !IsFieldKind(c->Kind())) return false;
  FocusMoved(c);
  THeadlessControl* hc = Cast(c);
  hc->caret_ = static_cast<int32_t>(hc->text_.size());
  hc->selection_count_ = 0;
  for (char ch : text) {
    const size_t at = static_cast<size_t>(std::max<int32_t>(0, std::min<int32_t>(hc->caret_, static_cast<int32_t>(hc->text_.size()))));
    hc->text_.insert(at, 1, ch);
    hc->caret_ = static_cast<int32_t>(at) + 1;
    if (c->Kind() == TControlKind::EditList) hc->selected_ = -1;
    c->Deliver(TextChangeNotice(at, 0, std::string(1, ch)));
  }
  return true;
}

bool THeadlessPlatform::PasteText(TControl* c, const std::string& text) {
  CheckThread();
  if (!c || !IsFieldKind(c->Kind())) return false;
  FocusMoved(c);
  THeadlessControl* hc = Cast(c);
  const size_t removed = hc->text_.size();
  hc->selection_count_ = 0;
  hc->text_ = text;
  hc->caret_ = static_cast<int32_t>(text.size());
  if (c->Kind() == TControlKind::EditList) hc->selected_ = -1;
  c->Deliver(TextChangeNotice(0, removed, text));
  return true;
}

bool THeadlessPlatform::PressKey(TControl* c, int32_t key) {
  CheckThread();
  if (!c) return false;
  FocusMoved(c);
  if (key == VkTab) {
    PressTab(false);
    return true;
  }
  TNotification n = Notice(TNotifyKind::KeyDown);
  n.Key = key;
  const bool consumed = c->Deliver(n);
  int32_t row = -1;
  if (!consumed && c->Kind() == TControlKind::Table &&
      TableRowForKey(key, c->Selected(), c->RowCount(), c->PageRows(), row))
    MoveRow(c, row);
  if (!consumed && key == VkEscape) {
    TControl* form = FormOf(c);
    if (form->Kind() == TControlKind::Form) form->Deliver(Notice(TNotifyKind::EscapeKey));
  }
  n.Kind = TNotifyKind::KeyUp;
  c->Deliver(n);
  return true;
}

void THeadlessPlatform::MoveRow(TControl* table, int32_t row) {
  THeadlessControl* hc = Cast(table);
  if (row < 0 || row == hc->selected_) return;
  hc->selected_ = row;
  table->Deliver(Notice(TNotifyKind::SelectChange));
}

bool THeadlessPlatform::PickRow(TControl* table, int32_t row) {
  CheckThread();
  if (!table || table->Kind() != TControlKind::Table || row < 0 || row >= table->RowCount()) return false;
  FocusMoved(table);
  THeadlessControl* hc = Cast(table);
  // Where the row is: a line per row under the headings' line.
  const int32_t line = hc->LineHeight();
  TNotification down = Notice(TNotifyKind::MouseDown);
  down.Mouse.Button = 1;
  down.Mouse.Shift = MkLButton;
  down.Mouse.X = static_cast<int16_t>(hc->bounds_.Width / 2);
  down.Mouse.Y = static_cast<int16_t>(std::min(hc->bounds_.Height - 1, line * (row + 1) + line / 2));
  table->Deliver(down);
  MoveRow(table, row);
  TNotification up = down;
  up.Kind = TNotifyKind::MouseUp;
  up.Mouse.Shift = 0;
  table->Deliver(up);
  return true;
}

bool THeadlessPlatform::Pick(TControl* list, int32_t index) {
  CheckThread();
  if (!list || (list->Kind() != TControlKind::PickList && list->Kind() != TControlKind::EditList)) return false;
  THeadlessControl* hc = Cast(list);
  if (index < 0 || index >= static_cast<int32_t>(hc->items_.size())) return false;
  FocusMoved(list);
  if (index == hc->selected_) return true;
  hc->selected_ = index;
  if (list->Kind() == TControlKind::EditList) {
    hc->selection_count_ = 0;
    hc->text_ = hc->items_[static_cast<size_t>(index)];
    hc->caret_ = static_cast<int32_t>(hc->text_.size());
  }
  list->Deliver(Notice(TNotifyKind::SelectChange));
  return true;
}

bool THeadlessPlatform::RightClick(TControl* c) {
  CheckThread();
  if (!c) return false;
  TNotification n = Notice(TNotifyKind::MouseDown);
  n.Mouse.Button = 2;
  n.Mouse.Shift = MkRButton;
  n.Mouse.X = static_cast<int16_t>(Cast(c)->bounds_.Width / 2);
  n.Mouse.Y = static_cast<int16_t>(Cast(c)->bounds_.Height / 2);
  c->Deliver(n);
  n.Kind = TNotifyKind::MouseUp;
  n.Mouse.Shift = 0;
  c->Deliver(n);
  if (AsksForMenu(c->Kind())) c->Deliver(Notice(TNotifyKind::ContextMenu));
  return true;
}

bool THeadlessPlatform::SelectText(TControl* c, int32_t at, int32_t count) {
  CheckThread();
  if (!c || !IsFieldKind(c->Kind())) return false;
  FocusMoved(c);
  THeadlessControl* hc = Cast(c);
  hc->selection_at_ = std::min(static_cast<size_t>(std::max<int32_t>(at, 0)), hc->text_.size());
  hc->selection_count_ = std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), hc->text_.size() - hc->selection_at_);
  return true;
}

void THeadlessPlatform::MouseEnter(TControl* c) {
  CheckThread();
  if (c) c->Deliver(Notice(TNotifyKind::MouseEnter));
}

void THeadlessPlatform::MouseLeave(TControl* c) {
  CheckThread();
  if (c) c->Deliver(Notice(TNotifyKind::MouseLeave));
}

TControl* THeadlessPlatform::FocusedForm() {
  TControl* form = RecordedFocus();
  while (form && form->Parent()) form = form->Parent();
  if (!form || form->Kind() != TControlKind::Form) form = ApplicationForm();
  return form;
}

void THeadlessPlatform::PressTab(bool backward) {
  CheckThread();
  TControl* form = FocusedForm();
  if (!form) return;
  TNotification n = Notice(TNotifyKind::TabKey);
  n.Backward = backward;
  form->Deliver(n);
}

bool THeadlessPlatform::PressControlKey(int32_t key, bool shift) {
  CheckThread();
  TControl* form = FocusedForm();
  if (!form) return false;
  TNotification n = Notice(TNotifyKind::ControlKey);
  n.Key = key;
  n.KeyState = MkControl | (shift ? MkShift : 0u);
  if (form->Deliver(n)) return true;
  TControl* focused = RecordedFocus();
  if (key == 'C' && !shift && focused && IsFieldKind(focused->Kind()) && focused->HasSelection())
    clipboard_ = Cast(focused)->SelectedText();
  return false;
}

bool THeadlessPlatform::RequestClose(TControl* form) {
  CheckThread();
  if (!form || form->Kind() != TControlKind::Form) return false;
  return !form->Deliver(Notice(TNotifyKind::CloseRequest));
}
