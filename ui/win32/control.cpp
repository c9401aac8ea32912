#include "ui/win32/control.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/bitmap.h"
#include "ui/scale.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_platform.h"

namespace {

// The program's own window classes; everything they do is in the control's
// procedure.
const wchar_t kFormClass[] = L"obj_Form";
const wchar_t kPanelClass[] = L"obj_Panel";
const wchar_t kImageClass[] = L"obj_Image";

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// How much taller than its field a drop-down list's window is: the room its
// list opens into.
constexpr int kDropDownRoom = 200;

void RegisterOwnClasses() {
  static const bool registered = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    for (const wchar_t* name : {kFormClass, kPanelClass, kImageClass}) {
      wc.lpszClassName = name;
      RegisterClassExW(&wc);
    }
    return true;
  }();
  (void)registered;
}

struct TWindowKind {
  const wchar_t* ClassName;
  DWORD Style;
  DWORD ExStyle;
};

TWindowKind WindowKindOf(TControlKind kind) {
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (kind) {
    case TControlKind::Form:
      return {kFormClass, WS_CLIPCHILDREN, 0};
    case TControlKind::Button:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case TControlKind::CheckBox:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case TControlKind::GroupBox:
      return {L"BUTTON", child | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case TControlKind::Edit:
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TControlKind::Label:
      return {L"STATIC", child | SS_NOTIFY, 0};
    case TControlKind::PickList:
      return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case TControlKind::EditList:
      return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case TControlKind::TabStrip:
      return {WC_TABCONTROLW, child | WS_TABSTOP, 0};
    case TControlKind::Panel:
      return {kPanelClass, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case TControlKind::Image:
      return {kImageClass, child, 0};
    case TControlKind::Table:
      return {WC_LISTVIEWW, child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
              WS_EX_CLIENTEDGE};
  }
  return {kPanelClass, child, 0};
}

COLORREF ColorRefOf(uint32_t color) {
  return IsSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* c = reinterpret_cast<TWin32Control*>(data);
  intptr_t result = 0;
  if (c && c->Route(window, message, wParam, lParam, result)) return result;
  return DefSubclassProc(window, message, wParam, lParam);
}

// The control a window belongs to, kept as a window property too, so that
// a parent can find the control behind a notification's sender.
const wchar_t kControlProperty[] = L"obj_Control";

void Attach(HWND window, TWin32Control* c) {
  SetPropW(window, kControlProperty, c);
  SetWindowSubclass(window, &ControlProc, 0, reinterpret_cast<DWORD_PTR>(c));
}

void Detach(HWND window) {
  RemoveWindowSubclass(window, &ControlProc, 0);
  RemovePropW(window, kControlProperty);
}

TWin32Control* AttachedTo(HWND window) {
  return window ? static_cast<TWin32Control*>(GetPropW(window, kControlProperty)) : nullptr;
}

// Draws one bevel of a panel's edge (0 raised, 1 lowered) `width` pixels
// wide; answers how far it reaches in.
int DrawBevel(HDC dc, RECT r, int style, int width) {
  if (style != 0 && style != 1) return 0;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = style == 0 ? light : dark, bottomRight = style == 0 ? dark : light;
  for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
    const RECT top = {r.left, r.top, r.right - 1, r.top + 1}, left = {r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT bottom = {r.left, r.bottom - 1, r.right, r.bottom}, right = {r.right - 1, r.top, r.right, r.bottom};
    SetBkColor(dc, topLeft);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &top, nullptr, 0, nullptr);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &left, nullptr, 0, nullptr);
    SetBkColor(dc, bottomRight);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &bottom, nullptr, 0, nullptr);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &right, nullptr, 0, nullptr);
    InflateRect(&r, -1, -1);
  }
  return width;
}

// A picture as a bottom-up BGR DIB, rows padded to four bytes.
std::vector<uint8_t> DibOf(const TRgbImage& picture) {
  const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> dib(stride * static_cast<size_t>(picture.Height));
  const std::vector<uint8_t>& rgb = picture.Pixels();
  for (int32_t y = 0; y < picture.Height; ++y) {
    const uint8_t* from = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.Width) * 3;
    uint8_t* to = dib.data() + static_cast<size_t>(picture.Height - 1 - y) * stride;
    for (int32_t x = 0; x < picture.Width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return dib;
}

}  // namespace

void TGdiDeleter::operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }

TWin32Control::TWin32Control(TWin32Platform& platform, TControlKind kind, TControl* parent,
                             const TCreateOptions& options)
    : TControl(platform, kind, parent, options), wp_(platform) {
  RegisterOwnClasses();
  const TWindowKind wk = WindowKindOf(kind);
  // A child's parent window; an owned form's owner.
  TControl* above = Parent() ? Parent() : Owner();
  HWND parentWindow = above ? static_cast<TWin32Control*>(above)->Window() : nullptr;
  DWORD style = wk.Style;
  if (kind == TControlKind::Form) style |= static_cast<DWORD>(style_);
  window_ = CreateWindowExW(wk.ExStyle, wk.ClassName, L"", style, 0, 0, 0, 0, parentWindow, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  Attach(window_, this);
  if (kind == TControlKind::EditList) {
    field_ = GetWindow(window_, GW_CHILD);
    if (field_) Attach(field_, this);
  }
  if (kind == TControlKind::Table) {
    const DWORD look = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, look, look);
  }
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  // Scaled, the stock face would stay small: the forms' default instead.
  if (Scale() != 1.0) ApplyFont();
  ApplyColor();
}

double TWin32Control::Scale() const { return Platform().Scale(); }

void TWin32Control::Rescale() {
  ApplyBounds();
  if (Scale() != 1.0 || font_object_) ApplyFont();
  // A table's columns keep their widths in layout pixels.
  if (Kind() == TControlKind::Table)
    for (size_t i = 0; i < columns_.size(); ++i)
      SendMessageW(window_, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(ScaleLength(std::max<int32_t>(0, columns_[i].Width), Scale()), 0));
  InvalidateRect(window_, nullptr, TRUE);
}

void TWin32Control::DpiChanged(unsigned dpi, const void* suggested) {
  if (!wp_.FollowsMonitorDpi()) return;
  const double scale = ScaleOfDpi(dpi);
  if (scale == Scale()) return;
  // Where Windows suggests, in the new scale's layout pixels; then every
  // control is placed again, this form too.
  const RECT* r = static_cast<const RECT*>(suggested);
  if (r) {
    bounds_.Left = UnscaleLength(r->left, scale);
    bounds_.Top = UnscaleLength(r->top, scale);
  }
  wp_.SetScale(scale);
}

TWin32Control::~TWin32Control() {
  if (!window_) return;
  // Nothing the window says while it goes reaches the control any more.
  Detach(window_);
  if (field_) Detach(field_);
  DestroyWindow(window_);
  wp_.SyncFocus();
}

TWin32Control* TWin32Control::Of(HWND__* window) {
  for (HWND w = window; w; w = GetParent(w))
    if (TWin32Control* c = AttachedTo(w)) return c;
  return nullptr;
}

HWND__* TWin32Control::FocusWindow() const { return field_ ? field_ : window_; }

TWin32Control* TWin32Control::FormOf() {
  TControl* c = this;
  while (c->Parent()) c = c->Parent();
  return static_cast<TWin32Control*>(c);
}

bool TWin32Control::Tell(TNotifyKind kind) {
  TNotification n;
  n.Kind = kind;
  return Deliver(n);
}

// --- Text ---------------------------------------------------------------------------

std::string TWin32Control::WindowText() const {
  const int n = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window_, &text[0], n + 1)));
  return NarrowCp1251(text);
}

void TWin32Control::WriteWindowText(const std::string& text) {
  ++writing_;
  SetWindowTextW(window_, WidenCp1251(text, Kind() == TControlKind::Label).c_str());
  --writing_;
}

void TWin32Control::ApplyText() {
  switch (Kind()) {
    case TControlKind::PickList:
    case TControlKind::TabStrip:
    case TControlKind::Image:
      return;
    case TControlKind::Panel:
      InvalidateRect(window_, nullptr, TRUE);
      return;
    case TControlKind::Edit:
    case TControlKind::EditList:
      WriteWindowText(text_);
      SetCaret(caret_);
      return;
    default:
      WriteWindowText(text_);
  }
}

int32_t TWin32Control::Caret() const {
  Check();
  if (Kind() != TControlKind::Edit && Kind() != TControlKind::EditList) return caret_;
  DWORD start = 0, end = 0;
  SendMessageW(FocusWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int32_t>(end);
}

bool TWin32Control::HasSelection() const {
  Check();
  if (Kind() != TControlKind::Edit && Kind() != TControlKind::EditList) return false;
  DWORD start = 0, end = 0;
  SendMessageW(FocusWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

void TWin32Control::SetCaret(int32_t pos) {
  TControl::SetCaret(pos);
  if (Kind() == TControlKind::Edit || Kind() == TControlKind::EditList)
    SendMessageW(FocusWindow(), EM_SETSEL, static_cast<WPARAM>(caret_), static_cast<LPARAM>(caret_));
}

// --- Place and state -------------------------------------------------------------

void TWin32Control::PlaceForm() {
  // The program's frame rule gives the client area; Windows adds its own
  // frame around it (at the window's DPI where the system can say it).
  const TRect client = ScaleRect({0, 0, bounds_.Width - 2 * TPlatform::kFrameSide,
                                  bounds_.Height - TPlatform::kFrameTop - TPlatform::kFrameSide}, Scale());
  RECT r = {0, 0, client.Width, client.Height};
  const DWORD style = static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE));
  const DWORD ex = static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE));
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  static const auto getDpi = reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
  static const auto adjust = reinterpret_cast<TAdjustForDpi>(reinterpret_cast<void*>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
  const UINT dpi = getDpi ? getDpi(window_) : 0;
  if (!(adjust && dpi && adjust(&r, style, FALSE, ex, dpi))) AdjustWindowRectEx(&r, style, FALSE, ex);
  SetWindowPos(window_, nullptr, ScaleLength(bounds_.Left, Scale()), ScaleLength(bounds_.Top, Scale()), r.right - r.left,
               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Control::ApplyBounds() {
  ++writing_;
  if (Kind() == TControlKind::Form) {
    PlaceForm();
  } else {
    const bool list = Kind() == TControlKind::PickList || Kind() == TControlKind::EditList;
    const TRect r = ScaleRect(bounds_, Scale());
    MoveWindow(window_, r.Left, r.Top, r.Width, r.Height + (list ? ScaleLength(kDropDownRoom, Scale()) : 0), TRUE);
    if (list) {
      // The field keeps the height the page gives the list.
      SendMessageW(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, r.Height - ScaleLength(6, Scale())));
    }
    if (Kind() == TControlKind::Edit || Kind() == TControlKind::EditList) {
      // A field keeps the scroll it had at its old width: with the caret
      // put at the end while it was still narrow, only the last character
      // would show. Back to the start, then the selection as it was.
      HWND field = FocusWindow();
      DWORD start = 0, end = 0;
      SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      SendMessageW(field, EM_SETSEL, 0, 0);
      SendMessageW(field, EM_SCROLLCARET, 0, 0);
      SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(end));
    }
  }
  --writing_;
}

void TWin32Control::ApplyVisible() {
  if (Kind() != TControlKind::Form) {
    ShowWindow(window_, visible_ ? SW_SHOWNA : SW_HIDE);
    return;
  }
  if (!visible_) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  ApplyAlpha();
  ShowWindow(window_, window_state_ == 2 ? SW_SHOWMAXIMIZED : window_state_ == 1 ? SW_SHOWMINIMIZED : SW_SHOW);
  UpdateWindow(window_);
}

void TWin32Control::ApplyWindowState() {
  if (Kind() == TControlKind::Form && visible_) ApplyVisible();
}

void TWin32Control::ApplyEnabled() { EnableWindow(window_, enabled_ ? TRUE : FALSE); }

void TWin32Control::ApplyStyle() {
  if (Kind() == TControlKind::Form) {
    const LONG keep = WS_CLIPCHILDREN | (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE);
    SetWindowLongW(window_, GWL_STYLE, static_cast<LONG>(style_) | keep);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PlaceForm();
  } else if (Kind() == TControlKind::Button) {
    const LONG s = GetWindowLongW(window_, GWL_STYLE) & ~BS_FLAT;
    SetWindowLongW(window_, GWL_STYLE, s | (style_ & kStyleFlat ? BS_FLAT : 0));
    InvalidateRect(window_, nullptr, TRUE);
  }
}

void TWin32Control::ApplyAlpha() {
  if (Kind() != TControlKind::Form) return;
  // Looked up by name: the layered look is not on every system.
  using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  static const auto setLayered = reinterpret_cast<TSetLayered>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
  const LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
  if (alpha_ == 255 || !setLayered) {
    if (ex & WS_EX_LAYERED) SetWindowLongW(window_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    return;
  }
  SetWindowLongW(window_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  setLayered(window_, 0, alpha_, LWA_ALPHA);
}

void TWin32Control::ApplyIcon() {
  if (Kind() != TControlKind::Form || icon_.empty()) return;
  // The icon is a resource of the program's own module (its resource script).
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), WidenCp1251(icon_).c_str());
  if (!icon) return;
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TWin32Control::SetFocus() {
  Check();
  ::SetFocus(FocusWindow());
  // A window that cannot take the focus now (its form is hidden) still
  // becomes the program's focused control, as elsewhere.
  if (GetFocus() != FocusWindow()) TControl::SetFocus();
}

void TWin32Control::Raise() {
  Check();
  if (Kind() == TControlKind::Form && IsWindowVisible(window_)) {
    // A window on screen comes to the front, active.
    SetForegroundWindow(window_);
    return;
  }
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Look ------------------------------------------------------------------------------

void TWin32Control::ApplyColor() {
  brush_.reset(CreateSolidBrush(ColorRefOf(color_)));
  ApplyTableColors();
  InvalidateRect(window_, nullptr, TRUE);
}

void TWin32Control::ApplyTableColors() {
  if (Kind() != TControlKind::Table) return;
  SendMessageW(window_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorRefOf(color_)));
  SendMessageW(window_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorRefOf(color_)));
  SendMessageW(window_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorRefOf(font_.Color)));
}

void TWin32Control::ApplyFont() {
  // A control not given a font yet shows the forms' default one.
  const bool given = !font_.Name.empty() || font_height_ != 0;
  TFontRec plain;
  plain.Name = "MS Sans Serif";
  HFONT f = MakeWin32Font(given ? font_ : plain, given ? font_height_ : kDefaultFontHeight, Scale());
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  font_object_.reset(f);  // after the window let go of the old one
  ApplyTableColors();
}

void TWin32Control::ApplyEdge() {
  if (Kind() != TControlKind::Edit && Kind() != TControlKind::Table) return;
  // 0: the sunken field edge; 1: a plain single line.
  LONG ex = GetWindowLongW(window_, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
  LONG s = GetWindowLongW(window_, GWL_STYLE) & ~WS_BORDER;
  if (edge_ == 0) ex |= WS_EX_CLIENTEDGE;
  else s |= WS_BORDER;
  SetWindowLongW(window_, GWL_EXSTYLE, ex);
  SetWindowLongW(window_, GWL_STYLE, s);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWin32Control::ApplyAlignment() {
  if (Kind() == TControlKind::Label) {
    const LONG s = GetWindowLongW(window_, GWL_STYLE) & ~(SS_CENTER | SS_RIGHT);
    SetWindowLongW(window_, GWL_STYLE, s | (alignment_ == 1 ? SS_CENTER : alignment_ == 2 ? SS_RIGHT : SS_LEFT));
  }
  InvalidateRect(window_, nullptr, TRUE);
}

intptr_t TWin32Control::ControlColor(void* dcHandle) {
  HDC dc = static_cast<HDC>(dcHandle);
  SetTextColor(dc, ColorRefOf(font_.Color));
  SetBkColor(dc, ColorRefOf(color_));
  return reinterpret_cast<intptr_t>(brush_.get());
}

// --- Lines ----------------------------------------------------------------------------

void TWin32Control::FillList() {
  ++writing_;
  if (Kind() == TControlKind::TabStrip) {
    SendMessageW(window_, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < items_.size(); ++i) {
      std::wstring caption = WidenCp1251(items_[i]);
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = &caption[0];
      SendMessageW(window_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  } else if (Kind() == TControlKind::PickList || Kind() == TControlKind::EditList) {
    SendMessageW(window_, CB_RESETCONTENT, 0, 0);
    for (const std::string& line : items_)
      SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenCp1251(line).c_str()));
    // Emptying a list empties its field; an editable list keeps its text.
    if (Kind() == TControlKind::EditList) WriteWindowText(text_);
  }
  --writing_;
}

void TWin32Control::ApplyItems() {
  FillList();
  ApplySelected();
}

void TWin32Control::ApplySelected() {
  ++writing_;
  if (Kind() == TControlKind::Table) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (selected_ >= 0) {
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected_), reinterpret_cast<LPARAM>(&state));
      SendMessageW(window_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected_), FALSE);
    }
  } else if (Kind() == TControlKind::TabStrip) {
    SendMessageW(window_, TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
  } else if (Kind() == TControlKind::PickList || Kind() == TControlKind::EditList) {
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
    if (Kind() == TControlKind::EditList && selected_ < 0) WriteWindowText(text_);
  }
  --writing_;
}

// --- Tables ----------------------------------------------------------------------------

void TWin32Control::ApplyColumns() {
  if (Kind() != TControlKind::Table) return;
  ++writing_;
  while (SendMessageW(window_, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (size_t i = 0; i < columns_.size(); ++i) {
    const TTableColumn& c = columns_[i];
    std::wstring heading = WidenCp1251(c.Heading);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = c.Alignment == 1 ? LVCFMT_CENTER : c.Alignment == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = ScaleLength(std::max<int32_t>(0, c.Width), Scale());
    column.pszText = &heading[0];
    column.iSubItem = static_cast<int>(i);
    SendMessageW(window_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  --writing_;
  // The rows' texts go under the new columns.
  const int32_t keep = selected_;
  ApplyRows();
  selected_ = keep;
  ApplySelected();
}

void TWin32Control::ApplyRows() {
  if (Kind() != TControlKind::Table) return;
  ++writing_;
  SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(window_, LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(window_, LVM_SETITEMCOUNT, rows_.size(), 0);
  for (size_t r = 0; r < rows_.size(); ++r) {
    for (size_t c = 0; c < columns_.size(); ++c) {
      std::wstring text = WidenCp1251(c < rows_[r].size() ? rows_[r][c] : std::string());
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = &text[0];
      SendMessageW(window_, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_, nullptr, TRUE);
  --writing_;
}

int32_t TWin32Control::PageRows() const {
  Check();
  if (Kind() != TControlKind::Table) return 1;
  return std::max<int32_t>(1, static_cast<int32_t>(SendMessageW(window_, LVM_GETCOUNTPERPAGE, 0, 0)));
}

void TWin32Control::MoveRow(int32_t row) {
  if (row < 0 || row == selected_) return;
  selected_ = row;
  ApplySelected();
  Tell(TNotifyKind::SelectChange);
}

void TWin32Control::TableMouse(unsigned message, intptr_t lParam) {
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK && message != WM_RBUTTONDOWN) return;
  if (GetFocus() != window_) ::SetFocus(window_);
  if (message == WM_RBUTTONDOWN) return;
  LVHITTESTINFO hit = {};
  hit.pt = {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
  SendMessageW(window_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEM)) MoveRow(hit.iItem);
}

void TWin32Control::ApplyChecked() {
  if (Kind() == TControlKind::CheckBox)
    SendMessageW(window_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TWin32Control::ApplyPicture() {
  if (Kind() == TControlKind::Image) InvalidateRect(window_, nullptr, TRUE);
}

// --- Painting the program's own windows --------------------------------------------------

void TWin32Control::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(brush_.get()));
  if (Kind() == TControlKind::Panel) {
    const int edge = ScaleLength(std::max(0, options_.Border[2]), Scale());
    int inset = DrawBevel(dc, client, options_.Border[0], edge);
    inset += ScaleLength(std::max(0, options_.Border[4]), Scale());
    RECT inner = client;
    InflateRect(&inner, -inset, -inset);
    DrawBevel(dc, inner, options_.Border[1], edge);
    if (!text_.empty()) {
      HGDIOBJ old = SelectObject(dc, font_object_ ? font_object_.get() : GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorRefOf(font_.Color));
      RECT r = client;
      InflateRect(&r, -ScaleLength(4, Scale()), 0);
      const UINT align = alignment_ == 1 ? DT_CENTER : alignment_ == 2 ? DT_RIGHT : DT_LEFT;
      const std::wstring text = WidenCp1251(text_, true);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
    }
  } else if (Kind() == TControlKind::Image && picture_ && picture_->Width > 0 && picture_->Height > 0) {
    // Resampled once per picture and place, then copied pixel for pixel.
    const TRect place = ScaleRect(picture_rect_, Scale());
    if (picture_dib_of_ != picture_.get() || picture_dib_rect_ != place) {
      picture_dib_ = DibOf(ResampledImage(*picture_, place.Width, place.Height));
      picture_dib_rect_ = place;
      picture_dib_of_ = picture_.get();
    }
    if (!picture_dib_.empty()) {
      BITMAPINFO info = {};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = place.Width;
      info.bmiHeader.biHeight = place.Height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 24;
      info.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc, place.Left, place.Top, static_cast<DWORD>(place.Width), static_cast<DWORD>(place.Height), 0, 0,
                        0, static_cast<UINT>(place.Height), picture_dib_.data(), &info, DIB_RGB_COLORS);
    }
  }
  EndPaint(window_, &ps);
}

// --- What Windows says ---------------------------------------------------------------------

bool TWin32Control::Command(unsigned code) {
  if (writing_) return false;
  switch (Kind()) {
    case TControlKind::Button:
      if (code == BN_CLICKED) Tell(TNotifyKind::Click);
      return code == BN_CLICKED;
    case TControlKind::CheckBox:
      if (code != BN_CLICKED) return false;
      checked_ = SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
      Tell(TNotifyKind::Click);
      return true;
    case TControlKind::Label:
      if (code == STN_CLICKED) Tell(TNotifyKind::Click);
      if (code == STN_DBLCLK) Tell(TNotifyKind::DblClick);
      return code == STN_CLICKED || code == STN_DBLCLK;
    case TControlKind::Edit:
      if (code != EN_CHANGE) return false;
      text_ = WindowText();
      Tell(TNotifyKind::TextChange);
      return true;
    case TControlKind::PickList:
    case TControlKind::EditList: {
      if (code == CBN_EDITCHANGE && Kind() == TControlKind::EditList) {
        // Typing into the field leaves no line selected.
        text_ = WindowText();
        selected_ = -1;
        Tell(TNotifyKind::TextChange);
        return true;
      }
      if (code != CBN_SELCHANGE) return false;
      const auto picked = static_cast<int32_t>(SendMessageW(window_, CB_GETCURSEL, 0, 0));
      if (picked < 0 || picked == selected_) return true;
      selected_ = picked;
      text_ = items_[static_cast<size_t>(picked)];
      caret_ = static_cast<int32_t>(text_.size());
      Tell(TNotifyKind::SelectChange);
      return true;
    }
    default:
      return false;
  }
}

bool TWin32Control::Notify(unsigned code) {
  if (Kind() != TControlKind::TabStrip || code != static_cast<unsigned>(TCN_SELCHANGE) || writing_) return false;
  selected_ = static_cast<int32_t>(SendMessageW(window_, TCM_GETCURSEL, 0, 0));
  Tell(TNotifyKind::SelectChange);
  return true;
}

bool TWin32Control::Key(unsigned message, uintptr_t key, intptr_t& result) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  result = 0;
  if (message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
    // Keys with Ctrl go to the form before the control sees them.
    TNotification n;
    n.Kind = TNotifyKind::ControlKey;
    n.Key = static_cast<int32_t>(key);
    n.KeyState = MkControl | (shift ? MkShift : 0u);
    if (FormOf()->Deliver(n)) {
      // The character the desktop makes of the key (Ctrl+C: 3) is the
      // form's too: a field would copy on it.
      control_char_taken_ = true;
      return true;
    }
    if (key == VK_TAB) return false;
  }
  if (key == VK_TAB) {
    // Tab moves the focus the program's way: the form decides.
    if (message == WM_KEYDOWN) {
      TNotification n;
      n.Kind = TNotifyKind::TabKey;
      n.Backward = shift;
      FormOf()->Deliver(n);
    }
    result = 0;
    return true;
  }
  TNotification n;
  n.Kind = message == WM_KEYDOWN ? TNotifyKind::KeyDown : TNotifyKind::KeyUp;
  n.Key = static_cast<int32_t>(key);
  result = 0;
  const bool consumed = Deliver(n);
  if (consumed || message != WM_KEYDOWN) return consumed || Kind() == TControlKind::Table;
  if (key == VK_ESCAPE) {
    // Escape the control left is the window's, unless it closes a list.
    const bool list = Kind() == TControlKind::PickList || Kind() == TControlKind::EditList;
    if (!(list && SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0))) {
      TNotification escape;
      escape.Kind = TNotifyKind::EscapeKey;
      if (FormOf()->Deliver(escape)) return true;
    }
  }
  if (Kind() == TControlKind::Table) {
    // The list never moves its selection itself: the keys are the table's.
    int32_t row = -1;
    if (TableRowForKey(static_cast<int32_t>(key), selected_, static_cast<int32_t>(rows_.size()), PageRows(), row))
      MoveRow(row);
    return true;
  }
  return false;
}

bool TWin32Control::Mouse(unsigned message, uintptr_t wParam, intptr_t lParam) {
  TNotification n;
  // In the layout's pixels, as the control's place is.
  n.Mouse.X = static_cast<int16_t>(UnscaleLength(static_cast<int16_t>(LOWORD(lParam)), Scale()));
  n.Mouse.Y = static_cast<int16_t>(UnscaleLength(static_cast<int16_t>(HIWORD(lParam)), Scale()));
  n.Mouse.Shift = static_cast<uint32_t>(wParam) & (MkLButton | MkRButton | MkShift | MkControl | MkMButton);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t = {sizeof t, TME_LEAVE, window_, 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
      }
      if (!hovered_) {
        hovered_ = true;
        Tell(TNotifyKind::MouseEnter);
      }
      n.Kind = TNotifyKind::MouseMove;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      n.Kind = TNotifyKind::MouseDown;
      n.Mouse.Button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 3;
      pressed_ = message == WM_LBUTTONDOWN;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      n.Kind = TNotifyKind::MouseUp;
      n.Mouse.Button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 3;
      break;
    case WM_LBUTTONDBLCLK:
      n.Kind = TNotifyKind::DblClick;
      n.Mouse.Button = 1;
      break;
    default:
      return false;
  }
  Deliver(n);
  if (AsksForMenu(Kind()) && message == WM_RBUTTONUP) Tell(TNotifyKind::ContextMenu);
  // The program's own windows click on release over themselves.
  const bool own = Kind() == TControlKind::Panel || Kind() == TControlKind::Image;
  if (own && message == WM_LBUTTONUP && pressed_) {
    pressed_ = false;
    RECT r;
    GetClientRect(window_, &r);
    const POINT at = {n.Mouse.X, n.Mouse.Y};
    const POINT screenAt = {ScaleLength(at.x, Scale()), ScaleLength(at.y, Scale())};
    if (PtInRect(&r, screenAt)) Tell(TNotifyKind::Click);
  }
  return false;
}

bool TWin32Control::Route(HWND__* window, unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        if (TWin32Control* from = AttachedTo(reinterpret_cast<HWND>(lParam)); from && from != this)
          return from->Command(HIWORD(wParam)) && (result = 0, true);
      }
      return false;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (TWin32Control* from = AttachedTo(header->hwndFrom); from && from != this)
        return from->Notify(header->code) && (result = 0, true);
      if (Kind() == TControlKind::Table && GetParent(header->hwndFrom) == window_) {
        // A table's headings stay as wide as the program made them.
        const UINT code = header->code;
        if (code == HDN_BEGINTRACKW || code == HDN_BEGINTRACKA || code == HDN_DIVIDERDBLCLICKW ||
            code == HDN_DIVIDERDBLCLICKA)
          return (result = TRUE, true);
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      TWin32Control* from = AttachedTo(reinterpret_cast<HWND>(lParam));
      if (!from || from == this) return false;
      result = from->ControlColor(reinterpret_cast<void*>(wParam));
      return true;
    }
    case WM_NCHITTEST:
      // A group box lets the mouse through to what lies under it; here it
      // takes it, so that a right-click on the frame reaches its menu.
      if (Kind() != TControlKind::GroupBox) return false;
      result = HTCLIENT;
      return true;
    case WM_ERASEBKGND:
    case WM_PAINT:
      if (Kind() == TControlKind::GroupBox && message == WM_ERASEBKGND) {
        // A group box draws only its frame and caption; the form does not
        // paint under it (it clips its children), so the box fills itself.
        RECT r;
        GetClientRect(window_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, static_cast<HBRUSH>(brush_.get()));
        result = 1;
        return true;
      }
      // The program's own classes paint themselves, background included.
      if (Kind() != TControlKind::Form && Kind() != TControlKind::Panel && Kind() != TControlKind::Image) return false;
      if (message == WM_PAINT) Paint();
      result = message == WM_ERASEBKGND ? 1 : 0;
      return true;
    case WM_SETCURSOR: {
      if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != window) return false;
      LPCWSTR shape = cursor_ == CursorHand ? MAKEINTRESOURCEW(32649) : cursor_ == CursorText ? MAKEINTRESOURCEW(32513) : nullptr;
      if (!shape) return false;
      ::SetCursor(LoadCursorW(nullptr, shape));
      result = TRUE;
      return true;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (hovered_) {
        hovered_ = false;
        Tell(TNotifyKind::MouseLeave);
      }
      return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
      if (Kind() == TControlKind::Table) {
        // Told, then the press is the table's, never the list's.
        Mouse(message, wParam, lParam);
        TableMouse(message, lParam);
        return (result = 0, true);
      }
      return Mouse(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      return Key(message, wParam, result);
    case WM_CHAR:
      if (control_char_taken_ && wParam < 32) {
        control_char_taken_ = false;
        return (result = 0, true);
      }
      control_char_taken_ = false;
      // A list would look for the typed letters among its rows.
      if (Kind() == TControlKind::Table) return (result = 0, true);
      // A one-line field beeps at Tab, Enter and Escape: the program has
      // dealt with them as keys.
      if (wParam == '\t' || wParam == '\r' || wParam == 27) return (result = 0, true);
      return false;
    case WM_GETDLGCODE:
      // Every key comes to the control; the form deals with Tab itself.
      result = DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTTAB;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      result = DefSubclassProc(window, message, wParam, lParam);
      wp_.SyncFocus();
      return true;
    case WM_SHOWWINDOW:
      if (Kind() == TControlKind::Form && wParam) {
        result = DefSubclassProc(window, message, wParam, lParam);
        Tell(TNotifyKind::Shown);
        return true;
      }
      return false;
    case WM_ACTIVATE:
      if (Kind() != TControlKind::Form) return false;
      Tell(LOWORD(wParam) == WA_INACTIVE ? TNotifyKind::Deactivate : TNotifyKind::Activate);
      return false;
    case WM_MOVE:
    case WM_SIZE:
      if (Kind() != TControlKind::Form || writing_ || window != window_) return false;
      {
        RECT r;
        GetWindowRect(window_, &r);
        RECT client;
        GetClientRect(window_, &client);
        const double s = Scale();
        const TRect now = {UnscaleLength(r.left, s), UnscaleLength(r.top, s),
                           UnscaleLength(client.right, s) + 2 * TPlatform::kFrameSide,
                           UnscaleLength(client.bottom, s) + TPlatform::kFrameTop + TPlatform::kFrameSide};
        const bool moved = now.Left != bounds_.Left || now.Top != bounds_.Top;
        const bool resized = now.Width != bounds_.Width || now.Height != bounds_.Height;
        if (IsIconic(window_)) return false;
        bounds_ = now;
        if (moved) Tell(TNotifyKind::Moved);
        if (resized) Tell(TNotifyKind::Resize);
      }
      return false;
    case WM_DPICHANGED:
      if (Kind() != TControlKind::Form || window != window_) return false;
      DpiChanged(LOWORD(wParam), reinterpret_cast<const void*>(lParam));
      result = 0;
      return true;
    case WM_CLOSE:
      if (Kind() != TControlKind::Form) return false;
      if (!Handler()) {
        ShowWindow(window_, SW_HIDE);
        visible_ = false;
      } else {
        Tell(TNotifyKind::CloseRequest);
      }
      result = 0;
      return true;
    default:
      return false;
  }
}
