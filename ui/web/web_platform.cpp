#include "ui/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "runtime/lines.h"
#include "ui/bitmap.h"
#include "ui/encoding.h"
#include "ui/scale.h"

// --- The page's side (dom.js defines KV) ---------------------------------------

// clang-format off
EM_JS(void, kv_create, (int h, int kind, int parent), { KV.create(h, kind, parent); });
EM_JS(void, kv_destroy, (int h), { KV.destroy(h); });
EM_JS(void, kv_bounds, (int h, int l, int t, int w, int ht), { KV.bounds(h, l, t, w, ht); });
EM_JS(void, kv_text, (int h, const char* text), { KV.text(h, UTF8ToString(text)); });
EM_JS(void, kv_visible, (int h, int v), { KV.visible(h, v); });
EM_JS(void, kv_enabled, (int h, int e), { KV.enabled(h, e); });
EM_JS(void, kv_color, (int h, const char* css), { KV.color(h, UTF8ToString(css)); });
EM_JS(void, kv_font, (int h, const char* css, const char* color, int style, int line), {
  KV.font(h, UTF8ToString(css), UTF8ToString(color), style, line);
});
EM_JS(void, kv_edge, (int h, int edge, int bordered), { KV.edge(h, edge, bordered); });
EM_JS(void, kv_cursor, (int h, int hand), { KV.cursor(h, hand); });
EM_JS(void, kv_alignment, (int h, int a), { KV.alignment(h, a); });
EM_JS(void, kv_items, (int h, const char* lines), { KV.items(h, UTF8ToString(lines)); });
EM_JS(void, kv_selected, (int h, int index), { KV.selected(h, index); });
EM_JS(void, kv_checked, (int h, int c), { KV.checked(h, c); });
EM_JS(void, kv_focus, (int h), { KV.focus(h); });
EM_JS(void, kv_raise, (int h), { KV.raise(h); });
EM_JS(int, kv_has_selection, (int h), { return KV.hasSelection(h); });
EM_JS(void, kv_tooltip, (int h, const char* text), { KV.tooltip(h, UTF8ToString(text)); });
EM_JS(void, kv_picture, (int h, const unsigned char* rgb, int pw, int ph, int dl, int dt, int dw, int dh,
                         const char* background), {
  KV.picture(h, HEAPU8.subarray(rgb, rgb + pw * ph * 3), pw, ph, dl, dt, dw, dh, UTF8ToString(background));
});
EM_JS(void, kv_picture_place, (int h, int dl, int dt, int dw, int dh, const char* background), {
  KV.placePicture(h, dl, dt, dw, dh, UTF8ToString(background));
});
EM_JS(double, kv_measure, (const char* text, const char* css), { return KV.measure(UTF8ToString(text), UTF8ToString(css)); });
EM_JS(int, kv_screen_width, (), { return window.innerWidth | 0; });
EM_JS(int, kv_screen_height, (), { return window.innerHeight | 0; });
EM_JS(void, kv_clipboard, (const char* text), { KV.clipboard(UTF8ToString(text)); });
EM_JS(char*, kv_clipboard_text, (), {
  var n = lengthBytesUTF8(KV.clipboardText) + 1;
  var p = _malloc(n);
  stringToUTF8(KV.clipboardText, p, n);
  return p;
});
EM_JS(void, kv_box, (const char* text, const char* caption, int style), {
  KV.box(UTF8ToString(text), UTF8ToString(caption), style);
});
EM_JS(void, kv_menu, (int h, const char* lines), { KV.menu(h, UTF8ToString(lines)); });
EM_JS(void, kv_open, (const char* url), { KV.open(UTF8ToString(url)); });
EM_JS(void, kv_columns, (int h, const char* headings, const char* widths, const char* alignments), {
  KV.columns(h, UTF8ToString(headings), UTF8ToString(widths), UTF8ToString(alignments));
});
EM_JS(void, kv_rows, (int h, int count, const char* rows), { KV.rows(h, count, UTF8ToString(rows)); });
EM_JS(void, kv_table_lines, (int h, int head, int row), { KV.tableLines(h, head, row); });
EM_JS(double, kv_form_left, (int h), { return KV.formPlace(h, 'left'); });
EM_JS(double, kv_form_top, (int h), { return KV.formPlace(h, 'top'); });
EM_JS(void, kv_ready, (), { KV.ready(); });
EM_JS(int, kv_focused, (), { return KV.handleOf(document.activeElement); });
EM_JS(void, kv_soon, (), { KV.soon(); });
EM_JS(void, kv_working, (int on), { KV.working(on); });
EM_JS(void, kv_zoom, (double zoom), { KV.zoom(zoom); });
// clang-format on

namespace {

TWebPlatform* g_platform = nullptr;

TWebControl* Cast(TControl* c) { return static_cast<TWebControl*>(c); }

// Lines joined by LF, each converted to UTF-8.
std::string JoinUtf8(const std::vector<std::string>& lines) {
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) joined += '\n';
    joined += Cp1251ToUtf8(lines[i]);
  }
  return joined;
}

// Faces the desktop draws with and their metric-compatible families.
struct TFamily {
  const char* name;  // lower case, as schemes name it
  const char* css;
  bool bitmap;       // a face of a few fixed sizes (see CssFont)
};
const TFamily kFamilies[] = {
    {"arial", "'Liberation Sans', Arial, Helvetica, sans-serif", false},
    {"times new roman", "'Liberation Serif', 'Times New Roman', Times, serif", false},
    {"courier new", "'Liberation Mono', 'Courier New', monospace", false},
    {"ms sans serif", "'Liberation Sans', Arial, Helvetica, sans-serif", true},
};
// Cell heights of the bitmap face and the character heights they hold.
struct TBitmapSize {
  int32_t cell, em;
};
const TBitmapSize kBitmapSizes[] = {{13, 11}, {16, 13}, {20, 16}, {24, 19}, {29, 24}, {37, 29}};

const TFamily& FamilyOf(const std::string& name) {
  const std::string lowered = LowerCp1251(name);
  for (const TFamily& f : kFamilies)
    if (lowered == f.name) return f;
  return kFamilies[0];
}

// The character height in pixels of a control's font height: negative is
// the character height itself; a positive cell takes the largest size
// whose line fits it (a line of these faces is 8/7 of the size), or the
// largest size of the bitmap face that fits.
int32_t CharacterHeight(const TFamily& family, int32_t height) {
  if (height < 0) return -height;
  if (height == 0) return -kDefaultFontHeight;
  if (family.bitmap) {
    int32_t em = kBitmapSizes[0].em;
    for (const TBitmapSize& s : kBitmapSizes)
      if (s.cell <= height) em = s.em;
    return em;
  }
  return std::max<int32_t>(4, height * 7 / 8);
}

// A line of these faces is 8/7 of the character height.
int32_t LineHeight(const TFontRec& font, int32_t height) {
  return (CharacterHeight(FamilyOf(font.Name), height) * 8 + 6) / 7;
}

std::string Decimal(int32_t v) { return std::to_string(v); }

// A table's texts cross as one string: cells parted by the unit separator,
// rows by the record separator (program text never holds either).
constexpr char kCellSeparator = '\x1F';
constexpr char kRowSeparator = '\x1E';

// A table's box: a 1-pixel border round the headings and rows; the lines
// are the font's line and this much more.
constexpr int32_t kTableBorder = 1;
constexpr int32_t kTableHeadExtra = 6;
constexpr int32_t kTableRowExtra = 4;

}  // namespace

std::string CssFont(const TFontRec& font, int32_t height) {
  const TFamily& family = FamilyOf(font.Name);
  std::string css;
  if (font.Style & FontItalic) css += "italic ";
  if (font.Style & FontBold) css += "bold ";
  return css + Decimal(CharacterHeight(family, height)) + "px " + family.css;
}

std::string CssColor(uint32_t color) {
  // The system colours a desktop program asks for, as the desktop shows
  // them; anything else is the button face.
  struct TSystemColor {
    uint32_t index;
    uint32_t bgr;
  };
  static const TSystemColor kSystemColors[] = {
      {1, 0x935400},   // desktop
      {4, 0xF0F0F0},   // menu
      {5, 0xFFFFFF},   // window background
      {6, 0x646464},   // window frame
      {7, 0x000000},   // menu text
      {8, 0x000000},   // window text
      {15, 0xF0F0F0},  // button face
      {16, 0xA0A0A0},  // button shadow
      {17, 0x6D6D6D},  // grey text
      {18, 0x000000},  // button text
      {20, 0xFFFFFF},  // button highlight
      {24, 0xE1FFFF},  // tooltip background
  };
  if (IsSystemColor(color)) {
    const uint32_t index = color & 0xFFu;
    color = 0xF0F0F0;
    for (const TSystemColor& s : kSystemColors)
      if (s.index == index) color = s.bgr;
  }
  static const char kHex[] = "0123456789abcdef";
  std::string css = "#";
  for (int shift : {0, 8, 16}) {
    const uint32_t byte = (color >> shift) & 0xFF;
    css += kHex[byte >> 4];
    css += kHex[byte & 0xF];
  }
  return css;
}

// --- TWebControl -----------------------------------------------------------------

TWebControl::TWebControl(TWebPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options)
    : TControl(platform, kind, parent, options) {
  kv_create(Handle(), static_cast<int>(kind), parent ? parent->Handle() : 0);
  ApplyBounds();
  ApplyColor();
  ApplyEdge();
  if (!visible_) ApplyVisible();
}

TWebControl::~TWebControl() { kv_destroy(Handle()); }

void TWebControl::SetFocus() {
  TControl::SetFocus();
  kv_focus(Handle());
}

void TWebControl::Raise() { kv_raise(Handle()); }

TRect TWebControl::Bounds() const {
  TRect r = TControl::Bounds();
  if (Kind() != TControlKind::Form) return r;
  const double left = kv_form_left(Handle()), top = kv_form_top(Handle());
  if (std::isnan(left) || std::isnan(top)) return r;  // not on the page
  r.Left = static_cast<int32_t>(std::lround(left));
  r.Top = static_cast<int32_t>(std::lround(top));
  return r;
}

int32_t TWebControl::TableHeadHeight() const { return LineHeight(font_, font_height_) + kTableHeadExtra; }
int32_t TWebControl::TableRowHeight() const { return LineHeight(font_, font_height_) + kTableRowExtra; }

int32_t TWebControl::PageRows() const {
  if (Kind() != TControlKind::Table) return 1;
  return std::max<int32_t>(1, (bounds_.Height - 2 * kTableBorder - TableHeadHeight()) / TableRowHeight());
}

bool TWebControl::HasSelection() const {
  if (Kind() != TControlKind::Edit && Kind() != TControlKind::EditList) return false;
  return kv_has_selection(Handle()) != 0;
}

void TWebControl::ApplyBounds() {
  TRect r = bounds_;
  if (Kind() == TControlKind::Form) {
    // The element is the client area; the caption bar and frame are drawn
    // around it.
    r.Width -= 2 * TPlatform::kFrameSide;
    r.Height -= TPlatform::kFrameTop + TPlatform::kFrameSide;
  }
  kv_bounds(Handle(), r.Left, r.Top, r.Width, r.Height);
  if (Kind() == TControlKind::Image) ApplyPicture();
}

void TWebControl::ApplyText() { kv_text(Handle(), Cp1251ToUtf8(text_).c_str()); }
void TWebControl::ApplyVisible() {
  bool hadFocus = false;
  for (TControl* c = g_platform ? g_platform->Focused() : nullptr; c && !hadFocus; c = c->Parent()) hadFocus = c == this;
  kv_visible(Handle(), visible_ ? 1 : 0);
  // A window closed with the focus in it: the page has given the focus
  // back (to its owner's window when to no control), and the program
  // hears where once the call that closed it ends.
  if (Kind() == TControlKind::Form && Owner() && !visible_ && hadFocus) {
    g_platform->PostToUIThread([owner = Owner()->Handle()] {
      if (!g_platform) return;
      TControl* c = g_platform->FromHandle(kv_focused());
      if (!c || !c->Showing()) c = g_platform->FromHandle(owner);
      if (c) g_platform->UserFocus(c);
    });
  }
  // A window opened over another takes the focus to its first stop, as a
  // desktop's window does when it comes up.
  if (Kind() == TControlKind::Form && Owner() && visible_)
    if (TControl* first = NextTabStop(this, nullptr, false)) first->SetFocus();
}
void TWebControl::ApplyEnabled() { kv_enabled(Handle(), enabled_ ? 1 : 0); }
void TWebControl::ApplyColor() {
  kv_color(Handle(), CssColor(color_).c_str());
  if (Kind() == TControlKind::Image) ApplyPicture();
}
void TWebControl::ApplyFont() {
  kv_font(Handle(), CssFont(font_, font_height_).c_str(), CssColor(font_.Color).c_str(), font_.Style,
          LineHeight(font_, font_height_));
  if (Kind() == TControlKind::Table) kv_table_lines(Handle(), TableHeadHeight(), TableRowHeight());
}
void TWebControl::ApplyEdge() {
  const bool bordered = Kind() == TControlKind::Panel && (options_.Border[0] || options_.Border[1] || options_.Border[3]);
  kv_edge(Handle(), edge_, bordered ? 1 : 0);
}
void TWebControl::ApplyCursor() { kv_cursor(Handle(), cursor_ == CursorHand ? 1 : 0); }
void TWebControl::ApplyAlignment() { kv_alignment(Handle(), alignment_); }
void TWebControl::ApplyItems() {
  kv_items(Handle(), JoinUtf8(items_).c_str());
  ApplySelected();
}
void TWebControl::ApplySelected() {
  kv_selected(Handle(), selected_);
  if (Kind() == TControlKind::Table) return;
  if (Kind() == TControlKind::PickList) {
    // A pick-only list shows its selected line as its text.
    text_ = selected_ >= 0 && selected_ < static_cast<int32_t>(items_.size()) ? items_[static_cast<size_t>(selected_)] : "";
  }
}
void TWebControl::ApplyChecked() { kv_checked(Handle(), checked_ ? 1 : 0); }

void TWebControl::ApplyPicture() {
  if (Kind() != TControlKind::Image) return;
  const std::string background = CssColor(color_);
  const TRgbImage* picture = picture_ && !picture_->Pixels().empty() ? picture_.get() : nullptr;
  if (picture && picture == sent_) {
    // The page keeps the pixels it was given: only the place changed.
    kv_picture_place(Handle(), picture_rect_.Left, picture_rect_.Top, picture_rect_.Width, picture_rect_.Height,
                     background.c_str());
    return;
  }
  sent_ = picture;
  if (!picture) {
    kv_picture(Handle(), nullptr, 0, 0, 0, 0, 0, 0, background.c_str());
    return;
  }
  kv_picture(Handle(), picture->Pixels().data(), picture->Width, picture->Height, picture_rect_.Left,
             picture_rect_.Top, picture_rect_.Width, picture_rect_.Height, background.c_str());
}

void TWebControl::ApplyColumns() {
  std::string headings, widths, alignments;
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (i) {
      headings += kCellSeparator;
      widths += ',';
      alignments += ',';
    }
    headings += Cp1251ToUtf8(columns_[i].Heading);
    widths += Decimal(std::max<int32_t>(0, columns_[i].Width));
    alignments += Decimal(columns_[i].Alignment);
  }
  kv_columns(Handle(), headings.c_str(), widths.c_str(), alignments.c_str());
}

void TWebControl::ApplyRows() {
  std::string joined;
  for (size_t r = 0; r < rows_.size(); ++r) {
    if (r) joined += kRowSeparator;
    for (size_t c = 0; c < rows_[r].size(); ++c) {
      if (c) joined += kCellSeparator;
      joined += Cp1251ToUtf8(rows_[r][c]);
    }
  }
  kv_rows(Handle(), static_cast<int>(rows_.size()), joined.c_str());
}

void TWebControl::UserRow(int32_t row, bool mouse) {
  if (Kind() != TControlKind::Table) return;
  TNotification n;
  if (mouse) {
    n.Kind = TNotifyKind::MouseDown;
    n.Mouse.Button = 1;
    n.Mouse.Shift = MkLButton;
    Deliver(n);
  }
  if (row >= 0 && row < static_cast<int32_t>(rows_.size()) && row != selected_) {
    selected_ = row;
    kv_selected(Handle(), selected_);
    TNotification change;
    change.Kind = TNotifyKind::SelectChange;
    Deliver(change);
  }
  if (mouse) {
    n.Kind = TNotifyKind::MouseUp;
    n.Mouse.Shift = 0;
    Deliver(n);
  }
}

void TWebControl::UserText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  caret_ = static_cast<int32_t>(text_.size());
  if (Kind() == TControlKind::EditList) selected_ = -1;
  TNotification n;
  n.Kind = TNotifyKind::TextChange;
  Deliver(n);
}

void TWebControl::UserPick(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(items_.size()) || index == selected_) return;
  selected_ = index;
  if (Kind() == TControlKind::EditList) {
    text_ = items_[static_cast<size_t>(index)];
    caret_ = static_cast<int32_t>(text_.size());
    ApplyText();
  } else if (Kind() == TControlKind::PickList) {
    text_ = items_[static_cast<size_t>(index)];
  }
  kv_selected(Handle(), selected_);
  TNotification n;
  n.Kind = TNotifyKind::SelectChange;
  Deliver(n);
}

void TWebControl::UserChecked(bool checked) { checked_ = checked; }

// --- TWebPlatform ----------------------------------------------------------------

TWebPlatform::TWebPlatform() {
  g_platform = this;
  SetWorkerMode(TWorkerMode::InSlices);
}

TWebPlatform::~TWebPlatform() {
  if (g_platform == this) g_platform = nullptr;
}

namespace {

class TWebTooltips : public TTooltips {
 public:
  void Add(TControl* c, const std::string& text) override {
    TTooltips::Add(c, text);
    kv_tooltip(c->Handle(), Cp1251ToUtf8(text).c_str());
  }
  void Remove(TControl* c) override {
    TTooltips::Remove(c);
    kv_tooltip(c->Handle(), "");
  }
};

}  // namespace

std::unique_ptr<TTooltips> TWebPlatform::CreateTooltips() { return std::make_unique<TWebTooltips>(); }

void TWebPlatform::ApplyScale() { kv_zoom(Scale()); }

TControl* TWebPlatform::CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) {
  return new TWebControl(*this, kind, parent, options);
}

TSize TWebPlatform::ScreenSize() { return {kv_screen_width(), kv_screen_height()}; }

TSize TWebPlatform::MeasureText(const std::string& text, const TFontRec& font, int32_t height) {
  const std::string css = CssFont(font, height);
  const std::vector<std::string> lines = SplitLines(text);
  int32_t widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, static_cast<int32_t>(std::ceil(kv_measure(Cp1251ToUtf8(line).c_str(), css.c_str()))));
  const int32_t rows = std::max<int32_t>(1, static_cast<int32_t>(lines.size()));
  return {widest, rows * LineHeight(font, height)};
}

void TWebPlatform::SetClipboardText(const std::string& text) {
  // The desktop's way: UTF-8, lines broken by LF.
  std::string utf8 = Cp1251ToUtf8(text), lf;
  for (size_t i = 0; i < utf8.size(); ++i)
    if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) lf += utf8[i];
  kv_clipboard(lf.c_str());
}

std::string TWebPlatform::ClipboardText() {
  char* utf8 = kv_clipboard_text();
  const std::string text = Utf8ToCp1251(utf8);
  std::free(utf8);
  // Program text breaks lines with CR LF.
  std::string crlf;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  return crlf;
}

int32_t TWebPlatform::PopupMenu(TControl* at, const std::vector<std::string>& items) {
  CheckThread();
  if (replaying_ && menu_.At == at && menu_.Items == items) {
    const int32_t picked = menu_.Picked;
    menu_ = TMenuAsked();
    return picked;
  }
  menu_ = TMenuAsked{at, items, kNoMenuItem};
  if (at) kv_menu(at->Handle(), JoinUtf8(items).c_str());
  return kNoMenuItem;
}

void TWebPlatform::MoveControlKeyToAlt(int32_t key, int32_t alt) { moved_keys_.push_back({key, alt}); }

bool TWebPlatform::BrowserKeeps(int32_t key) const {
  for (const TMovedKey& m : moved_keys_)
    if (m.Key == key) return true;
  return false;
}

int32_t TWebPlatform::ControlKeyForAlt(int32_t alt) const {
  for (const TMovedKey& m : moved_keys_)
    if (m.Alt == alt) return m.Key;
  return 0;
}

void TWebPlatform::UserMenuPick(int32_t index) {
  TControl* at = menu_.At;
  if (!at || index < 0 || index >= static_cast<int32_t>(menu_.Items.size())) {
    menu_ = TMenuAsked();
    return;
  }
  menu_.Picked = index;
  replaying_ = true;
  TNotification n;
  n.Kind = TNotifyKind::ContextMenu;
  at->Deliver(n);
  replaying_ = false;
  menu_ = TMenuAsked();
}

int TWebPlatform::ShowBox(bool, const std::string& text, const std::string& caption, uint32_t style) {
  kv_box(Cp1251ToUtf8(text).c_str(), Cp1251ToUtf8(caption).c_str(), static_cast<int>(style));
  // Every box the program shows has one button, whose answer is known
  // before the click; a box of several buttons answers its first.
  return FirstButtonOf(style);
}

int TWebPlatform::StartCommand(const std::string& commandLine, int) {
  // A browser starts no programs, but opens what an opener would be handed:
  // the web address in the command line ("explorer http://..."), up to the
  // next space or quote.
  const std::string lowered = LowerCp1251(commandLine);
  size_t at = std::string::npos;
  for (const char* scheme : {"http://", "https://", "mailto:"}) at = std::min(at, lowered.find(scheme));
  if (at == std::string::npos) return 0;
  const size_t end = commandLine.find_first_of(" \"", at);
  kv_open(Cp1251ToUtf8(commandLine.substr(at, end == std::string::npos ? std::string::npos : end - at)).c_str());
  return kCommandStarted;
}

void TWebPlatform::PostToUIThread(std::function<void()> fn) {
  posted_.push_back(std::move(fn));
  if (posted_.size() == 1) {
    emscripten_async_call([](void*) {
      if (g_platform) g_platform->RunPosted();
    }, nullptr, 0);
  }
}

void TWebPlatform::PostSlice(std::function<void()> slice) {
  slices_.push_back(std::move(slice));
  kv_working(1);
  kv_soon();
}

void TWebPlatform::RunSlice() {
  if (slices_.empty()) return;
  std::function<void()> slice = std::move(slices_.front());
  slices_.pop_front();
  slice();
  if (slices_.empty()) kv_working(0);
}

void TWebPlatform::RunPosted() {
  while (!posted_.empty()) {
    std::function<void()> fn = std::move(posted_.front());
    posted_.pop_front();
    fn();
  }
}

void TWebPlatform::RunMessageLoop() {
  RunPosted();
  kv_ready();
  emscripten_exit_with_live_runtime();
}

// --- The page's entry points -------------------------------------------------------

namespace {

TWebControl* Control(int handle) { return g_platform ? Cast(g_platform->FromHandle(handle)) : nullptr; }

TNotification Notice(TNotifyKind kind) {
  TNotification n;
  n.Kind = kind;
  return n;
}

// The form a control is in (a form is its own).
TControl* FormOf(TControl* c) {
  while (c->Parent()) c = c->Parent();
  return c;
}

// Ctrl+`key` in `form`: answers whether the form consumed it.
bool ControlKey(TControl* form, int32_t key, bool shift) {
  TNotification n = Notice(TNotifyKind::ControlKey);
  n.Key = key;
  n.KeyState = MkControl | (shift ? MkShift : 0u);
  return form->Deliver(n);
}

}  // namespace

extern "C" {

// A click on a button, check box (`checked` its new state), label, picture
// or panel.
EMSCRIPTEN_KEEPALIVE void kelvane_click(int handle, int checked) {
  TWebControl* c = Control(handle);
  if (!c || !c->EnabledTree()) return;
  TNotification down = Notice(TNotifyKind::MouseDown);
  down.Mouse.Button = 1;
  down.Mouse.Shift = MkLButton;
  c->Deliver(down);
  if (c->Kind() == TControlKind::CheckBox) c->UserChecked(checked != 0);
  TNotification up = down;
  up.Kind = TNotifyKind::MouseUp;
  up.Mouse.Shift = 0;
  c->Deliver(up);
  c->Deliver(Notice(TNotifyKind::Click));
}

EMSCRIPTEN_KEEPALIVE void kelvane_input(int handle, const char* utf8) {
  if (TWebControl* c = Control(handle)) c->UserText(Utf8ToCp1251(utf8));
}

EMSCRIPTEN_KEEPALIVE void kelvane_pick(int handle, int index) {
  if (TWebControl* c = Control(handle)) c->UserPick(index);
}

EMSCRIPTEN_KEEPALIVE void kelvane_focus(int handle) {
  if (g_platform) g_platform->UserFocus(Control(handle));
}

// A key pressed in a control: answers whether the program consumed it.
// With Ctrl (`ctrl`), the control's form sees it first, unless the browser
// keeps that key. Tab the form leaves moves among its stops; a key a table
// leaves moves its row; Escape the control leaves is the form's.
EMSCRIPTEN_KEEPALIVE int kelvane_key(int handle, int key, int ctrl, int shift) {
  TWebControl* c = Control(handle);
  if (!c) return 0;
  TControl* form = FormOf(c);
  if (key == VkTab && !ctrl) {
    TNotification n = Notice(TNotifyKind::TabKey);
    n.Backward = shift != 0;
    if (!form->Deliver(n))
      if (TControl* next = NextTabStop(form, g_platform->Focused(), shift != 0)) next->SetFocus();
    return 1;
  }
  if (ctrl) {
    if (g_platform->BrowserKeeps(key)) return 0;
    if (ControlKey(form, key, shift != 0)) return 1;
  }
  TNotification n = Notice(TNotifyKind::KeyDown);
  n.Key = key;
  bool consumed = c->Deliver(n);
  int32_t row = -1;
  if (!consumed && !ctrl && c->Kind() == TControlKind::Table &&
      TableRowForKey(key, c->Selected(), c->RowCount(), c->PageRows(), row)) {
    c->UserRow(row, false);
    consumed = true;
  }
  if (!consumed && key == VkEscape && form->Kind() == TControlKind::Form)
    consumed = form->Deliver(Notice(TNotifyKind::EscapeKey));
  n.Kind = TNotifyKind::KeyUp;
  c->Deliver(n);
  return consumed ? 1 : 0;
}

// Alt with a letter (`key`, its capital) in a control: the Ctrl key it
// stands for (see TWebPlatform::MoveControlKeyToAlt), if any, to the form.
EMSCRIPTEN_KEEPALIVE int kelvane_alt_key(int handle, int key, int shift) {
  TWebControl* c = Control(handle);
  const int32_t moved = g_platform ? g_platform->ControlKeyForAlt(key) : 0;
  if (!c || !moved) return 0;
  return ControlKey(FormOf(c), moved, shift != 0) ? 1 : 0;
}

// A table's row picked with the mouse.
EMSCRIPTEN_KEEPALIVE void kelvane_row(int handle, int row) {
  TWebControl* c = Control(handle);
  if (c && c->EnabledTree()) c->UserRow(row, true);
}

// The close box of a window.
EMSCRIPTEN_KEEPALIVE void kelvane_close(int handle) {
  TWebControl* c = Control(handle);
  if (c && c->Kind() == TControlKind::Form) c->Deliver(Notice(TNotifyKind::CloseRequest));
}

// The page is hidden or left.
EMSCRIPTEN_KEEPALIVE void kelvane_page_hidden() {
  if (g_platform && g_platform->OnPageHidden) g_platform->OnPageHidden();
}

// A right click on a control: labels, frames and pictures ask for their
// menu.
EMSCRIPTEN_KEEPALIVE void kelvane_context(int handle) {
  TWebControl* c = Control(handle);
  if (!c) return;
  TNotification n = Notice(TNotifyKind::MouseDown);
  n.Mouse.Button = 2;
  n.Mouse.Shift = MkRButton;
  c->Deliver(n);
  n.Kind = TNotifyKind::MouseUp;
  n.Mouse.Shift = 0;
  c->Deliver(n);
  if (AsksForMenu(c->Kind())) c->Deliver(Notice(TNotifyKind::ContextMenu));
}

EMSCRIPTEN_KEEPALIVE void kelvane_menu_picked(int index) {
  if (g_platform) g_platform->UserMenuPick(index);
}

// The scale rules' rounding of the device pixel ratio (pictures' canvases).
EMSCRIPTEN_KEEPALIVE void kelvane_slice() {
  if (g_platform) g_platform->RunSlice();
}

EMSCRIPTEN_KEEPALIVE double kelvane_round_scale(double ratio) { return RoundScale(ratio); }

EMSCRIPTEN_KEEPALIVE void kelvane_hover(int handle, int entered) {
  if (TWebControl* c = Control(handle)) c->Deliver(Notice(entered ? TNotifyKind::MouseEnter : TNotifyKind::MouseLeave));
}

}  // extern "C"
