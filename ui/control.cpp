#include "ui/control.h"

#include <algorithm>
#include <map>

#include "runtime/event.h"
#include "runtime/scheme_lock.h"
#include "ui/encoding.h"
#include "ui/platform.h"

namespace {

// A new window's background is the button face, as on any desktop; fields
// and tables are the window colour until told otherwise.
uint32_t FirstColorOf(TControlKind kind) {
  const bool field = kind == TControlKind::Edit || kind == TControlKind::EditList || kind == TControlKind::PickList ||
                     kind == TControlKind::Table;
  return field ? kColorWindow : kColorButtonFace;
}

}  // namespace

TControl::TControl(TPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options)
    : options_(options),
      visible_(kind != TControlKind::Form),
      color_(FirstColorOf(kind)),
      style_(kind == TControlKind::Form ? kStyleFormDefault : 0),
      platform_(platform),
      kind_(kind),
      parent_(kind == TControlKind::Form ? nullptr : parent),
      owner_(nullptr),
      handle_(platform.next_handle_++) {
  platform_.controls_[handle_] = this;
  if (parent_) parent_->children_.push_back(this);
  // A form is owned by the form of the control it was made over.
  if (kind == TControlKind::Form && parent) {
    owner_ = parent;
    while (owner_->parent_) owner_ = owner_->parent_;
  }
}

TControl::~TControl() {
  platform_.controls_.erase(handle_);
  if (deferred_) platform_.ForgetDeferred(this);
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

namespace {

// The newest form owned by `owner`, or none.
TControl* NewestOwnedForm(const std::map<int32_t, TControl*>& controls, const TControl* owner) {
  for (auto it = controls.rbegin(); it != controls.rend(); ++it)
    if (it->second->Owner() == owner) return it->second;
  return nullptr;
}

}  // namespace

void TControl::Destroy(TControl* c) {
  if (!c) return;
  TPlatform& p = c->platform_;
  // Children go first, newest first, each telling its element; the forms
  // it owns go before them, as the desktop takes them down with it.
  for (;;) {
    TControl* gone = c->kind_ == TControlKind::Form ? NewestOwnedForm(p.controls_, c) : nullptr;
    if (!gone) {
      if (c->children_.empty()) break;
      gone = c->children_.back();
    }
    TNotification n;
    n.Kind = TNotifyKind::Destroyed;
    gone->Deliver(n);
    gone->handler_ = nullptr;
    Destroy(gone);
  }
  if (p.tooltips_) p.tooltips_->Remove(c);
  if (p.app_form_ == c) p.ReleaseApplicationWindow(c);
  p.ControlDestroyed(c);
  delete c;
}

void TControl::SetTabOrder(int32_t order) {
  tab_order_ = order;
  if (order > 0 && tab_serial_ == 0) tab_serial_ = platform_.next_tab_serial_++;
}

bool TControl::Deliver(const TNotification& n) {
  TControlHandler* h = handler_;
  if (!h) return false;
  TSchemeGuard guard;
  const bool handled = h->HandleNotification(n);
  // A calculation halted on the way (runtime/event.h) ends with its chain.
  EndHalt();
  return handled;
}

void TControl::ReplaceText(int32_t at, int32_t count, const std::string& text) {
  std::string whole = Text();
  const size_t from = std::min(static_cast<size_t>(std::max<int32_t>(at, 0)), whole.size());
  whole.replace(from, std::min(static_cast<size_t>(std::max<int32_t>(count, 0)), whole.size() - from), text);
  SetText(whole);
  SetCaret(static_cast<int32_t>(from + text.size()));
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->Visible()) return false;
  return true;
}

bool TControl::EnabledTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->Enabled()) return false;
  return true;
}

bool TControl::DeferWhileHidden() {
  Check();
  if (!platform_.DefersHiddenWork() || Showing()) return false;
  if (!deferred_) {
    deferred_ = true;
    platform_.Defer(this);
  }
  return true;
}

void TControl::Reveal() {
  TNotification n;
  n.Kind = TNotifyKind::Revealed;
  Deliver(n);
}

void TControl::Check() const { platform_.CheckThread(); }

// --- Where and what ------------------------------------------------------------

void TControl::SetBounds(const TRect& r) {
  Check();
  bounds_ = r;
  ApplyBounds();
}

TRect TControl::Bounds() const {
  Check();
  return bounds_;
}

void TControl::SetClientSize(int32_t w, int32_t h) {
  TRect r = Bounds();
  if (kind_ == TControlKind::Form) {
    w += 2 * TPlatform::kFrameSide;
    h += TPlatform::kFrameTop + TPlatform::kFrameSide;
  }
  r.Width = w;
  r.Height = h;
  bounds_ = r;
  ApplyBounds();
}

void TControl::SetText(const std::string& text) {
  Check();
  if (kind_ == TControlKind::PickList) return;
  StoreText(text);
}

void TControl::StoreText(const std::string& text) {
  text_ = text;
  caret_ = static_cast<int32_t>(text_.size());
  ApplyText();
}

std::string TControl::Text() const {
  Check();
  if (kind_ == TControlKind::PickList)
    return selected_ >= 0 ? items_[static_cast<size_t>(selected_)] : std::string();
  return text_;
}

void TControl::SetCaret(int32_t pos) {
  Check();
  caret_ = std::max<int32_t>(0, std::min<int32_t>(pos, static_cast<int32_t>(text_.size())));
}

int32_t TControl::Caret() const {
  Check();
  return caret_;
}

// --- Look ------------------------------------------------------------------------

void TControl::SetVisible(bool v) {
  Check();
  if (v == Visible()) return;
  visible_ = v;
  if (v) platform_.deferred_stale_ = true;
  ApplyVisible();
}

bool TControl::Visible() const {
  Check();
  return visible_;
}

void TControl::SetEnabled(bool e) {
  Check();
  enabled_ = e;
  ApplyEnabled();
}

bool TControl::Enabled() const {
  Check();
  return enabled_;
}

void TControl::SetColor(uint32_t color) {
  Check();
  color_ = color;
  ApplyColor();
}

uint32_t TControl::Color() const {
  Check();
  return color_;
}

void TControl::SetFont(const TFontRec& font, int32_t height) {
  Check();
  font_ = font;
  font_height_ = height;
  ApplyFont();
}

TFontRec TControl::Font() const {
  Check();
  return font_;
}

int32_t TControl::FontHeight() const {
  Check();
  return font_height_;
}

void TControl::SetEdge(uint8_t edge) {
  Check();
  edge_ = edge;
  ApplyEdge();
}

uint8_t TControl::Edge() const {
  Check();
  return edge_;
}

void TControl::SetStyle(int32_t style) {
  Check();
  style_ = style;
  ApplyStyle();
}

int32_t TControl::Style() const {
  Check();
  return style_;
}

void TControl::SetCursor(int32_t cursor) {
  Check();
  cursor_ = cursor;
  ApplyCursor();
}

int32_t TControl::Cursor() const {
  Check();
  return cursor_;
}

void TControl::SetAlignment(uint8_t a) {
  Check();
  alignment_ = a;
  ApplyAlignment();
}

uint8_t TControl::Alignment() const {
  Check();
  return alignment_;
}

void TControl::SetFocus() {
  Check();
  platform_.FocusMoved(this);
}

// --- Lines and state -------------------------------------------------------------

void TControl::ClearItems() {
  Check();
  items_.clear();
  ++items_revision_;
  selected_ = -1;
  ApplyItems();
}

void TControl::AddItem(const std::string& item) {
  Check();
  auto at = items_.end();
  if (options_.Sorted) {
    const std::string key = LowerCp1251(item);
    at = std::find_if(items_.begin(), items_.end(), [&](const std::string& s) { return LowerCp1251(s) > key; });
    if (selected_ >= static_cast<int32_t>(at - items_.begin())) ++selected_;
  }
  items_.insert(at, item);
  ++items_revision_;
  ApplyItems();
}

std::vector<std::string> TControl::Items() const {
  Check();
  return items_;
}

uint32_t TControl::ItemsRevision() const {
  Check();
  return items_revision_;
}

void TControl::SetSelected(int32_t index) {
  Check();
  const size_t count = kind_ == TControlKind::Table ? rows_.size() : items_.size();
  const bool inRange = index >= 0 && index < static_cast<int32_t>(count);
  if (kind_ == TControlKind::TabStrip) {
    // A tab strip always shows one of its tabs.
    if (!inRange) return;
    selected_ = index;
    ApplySelected();
    return;
  }
  selected_ = inRange ? index : -1;
  ApplySelected();
  if (kind_ == TControlKind::EditList && inRange) StoreText(items_[static_cast<size_t>(index)]);
}

int32_t TControl::Selected() const {
  Check();
  return selected_;
}

void TControl::SetChecked(bool checked) {
  Check();
  checked_ = checked;
  ApplyChecked();
}

bool TControl::Checked() const {
  Check();
  return checked_;
}

// --- Tables ----------------------------------------------------------------------

void TControl::SetColumns(std::vector<TTableColumn> columns) {
  Check();
  if (kind_ != TControlKind::Table) return;
  columns_ = std::move(columns);
  ApplyColumns();
}

std::vector<TTableColumn> TControl::Columns() const {
  Check();
  return columns_;
}

void TControl::SetRows(std::vector<std::vector<std::string>> rows) {
  Check();
  if (kind_ != TControlKind::Table) return;
  rows_ = std::move(rows);
  selected_ = -1;
  ApplyRows();
}

std::vector<std::vector<std::string>> TControl::Rows() const {
  Check();
  return rows_;
}

int32_t TControl::RowCount() const {
  Check();
  return static_cast<int32_t>(rows_.size());
}

std::string TControl::Cell(int32_t row, int32_t column) const {
  Check();
  if (row < 0 || row >= static_cast<int32_t>(rows_.size()) || column < 0) return std::string();
  const std::vector<std::string>& cells = rows_[static_cast<size_t>(row)];
  return column < static_cast<int32_t>(cells.size()) ? cells[static_cast<size_t>(column)] : std::string();
}

void TControl::SetOptions(const TCreateOptions& options) {
  Check();
  options_ = options;
  ApplyOptions();
}

// --- Pictures and the window -------------------------------------------------------

void TControl::SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest) {
  Check();
  picture_ = std::move(picture);
  picture_rect_ = dest;
  ApplyPicture();
}

void TControl::SetIcon(const std::string& resourceName) {
  Check();
  icon_ = resourceName;
  ApplyIcon();
}

void TControl::SetAlpha(uint8_t alpha) {
  Check();
  alpha_ = alpha;
}

void TControl::SetWindowState(uint8_t state) {
  Check();
  window_state_ = state;
  ApplyWindowState();
}

// --- Values and tab stops ------------------------------------------------------------

bool operator==(const TFontRec& a, const TFontRec& b) {
  return a.Name == b.Name && a.Size == b.Size && a.Style == b.Style && a.Color == b.Color && a.CharSet == b.CharSet;
}

bool operator==(const TTableColumn& a, const TTableColumn& b) {
  return a.Heading == b.Heading && a.Width == b.Width && a.Alignment == b.Alignment;
}

bool operator==(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

namespace {

void CollectTabStops(TControl* c, std::vector<TControl*>& out) {
  for (TControl* child : c->Children()) {
    if (child->TabOrder() > 0 && child->Showing() && child->EnabledTree()) out.push_back(child);
    CollectTabStops(child, out);
  }
}

}  // namespace

TControl* NextTabStop(TControl* root, TControl* from, bool backward) {
  if (!root) return nullptr;
  std::vector<TControl*> stops;
  CollectTabStops(root, stops);
  if (stops.empty()) return nullptr;
  std::sort(stops.begin(), stops.end(), [](const TControl* a, const TControl* b) {
    if (a->TabOrder() != b->TabOrder()) return a->TabOrder() < b->TabOrder();
    return a->TabSerial() < b->TabSerial();
  });
  auto it = std::find(stops.begin(), stops.end(), from);
  if (it == stops.end()) return backward ? stops.back() : stops.front();
  size_t i = static_cast<size_t>(it - stops.begin());
  const size_t n = stops.size();
  return stops[backward ? (i + n - 1) % n : (i + 1) % n];
}

bool TableRowForKey(int32_t key, int32_t selected, int32_t rows, int32_t page, int32_t& row) {
  if (key != VkUp && key != VkDown && key != VkPrior && key != VkNext && key != VkHome && key != VkEnd) return false;
  const int32_t last = rows - 1;
  if (rows <= 0) {
    row = -1;
  } else if (key == VkEnd) {
    row = last;
  } else if (selected < 0 || selected > last || key == VkHome) {
    row = 0;
  } else {
    const int32_t step = key == VkUp || key == VkDown ? 1 : std::max<int32_t>(1, page);
    const bool down = key == VkDown || key == VkNext;
    row = down ? std::min(last, selected + std::min(step, last - selected)) : std::max(0, selected - step);
  }
  return true;
}

bool AsksForMenu(TControlKind kind) {
  return kind == TControlKind::Label || kind == TControlKind::GroupBox || kind == TControlKind::Image;
}

TControl* FindFirstOfKind(TControl* root, TControlKind kind) {
  if (!root) return nullptr;
  for (TControl* c : root->Children()) {
    if (c->Kind() == kind) return c;
    if (TControl* found = FindFirstOfKind(c, kind)) return found;
  }
  return nullptr;
}

TControl* ChildAt(const TControl* parent, int32_t left, int32_t top) {
  if (!parent) return nullptr;
  for (TControl* c : parent->Children()) {
    const TRect r = c->Bounds();
    if (r.Left == left && r.Top == top) return c;
  }
  return nullptr;
}
