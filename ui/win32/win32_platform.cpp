#include "ui/win32/win32_platform.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "ui/scale.h"
#include "ui/win32/control.h"
#include "ui/win32/text.h"

namespace {

// The private message that tells the window thread to drain the queue.
constexpr UINT kDrainMessage = WM_APP + 1;
const wchar_t kMessageClass[] = L"obj_Messages";

LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDrainMessage) {
    reinterpret_cast<TWakeQueue*>(GetWindowLongPtrW(window, GWLP_USERDATA))->Drain();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool TakesFocus(TControlKind k) {
  return k != TControlKind::Form && k != TControlKind::GroupBox && k != TControlKind::Label &&
         k != TControlKind::Panel && k != TControlKind::Image;
}

// The hint texts, shown by one tooltip window of the common controls, in
// the system's face at the platform's scale.
class TWin32Tooltips : public TTooltips {
 public:
  explicit TWin32Tooltips(double scale) {
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetScale(scale);
  }
  ~TWin32Tooltips() override {
    DestroyWindow(window_);
    if (font_) DeleteObject(font_);
  }

  void SetScale(double scale) {
    // Scaled from the tooltip's own face, which is made for the system's
    // DPI; the scale is over 96.
    if (!own_font_) own_font_ = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    HFONT old = font_;
    font_ = nullptr;
    if (scale != 1.0) {
      LOGFONTW face = {};
      GetObjectW(own_font_ ? static_cast<HGDIOBJ>(own_font_) : GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
      HDC screen = GetDC(nullptr);
      const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
      face.lfHeight = ScaleFontHeight(face.lfHeight, scale * kBaseDpi / (systemDpi > 0 ? systemDpi : kBaseDpi));
      font_ = CreateFontIndirectW(&face);
    }
    if (font_ || old) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_ : own_font_), FALSE);
    if (old) DeleteObject(old);
  }

  void Add(TControl* c, const std::string& text) override {
    Remove(c);
    TTooltips::Add(c, text);
    std::wstring wide = WidenCp1251(text, true);
    TOOLINFOW info = Info(c);
    info.uFlags |= TTF_SUBCLASS;
    info.lpszText = &wide[0];
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  void Remove(TControl* c) override {
    TTooltips::Remove(c);
    TOOLINFOW info = Info(c);
    SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }

 private:
  static TOOLINFOW Info(TControl* c) {
    TOOLINFOW info = {};
    // The size of the structure version 5 of the common controls knows;
    // version 6 takes it too.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    HWND w = static_cast<TWin32Control*>(c)->Window();
    info.hwnd = GetParent(w) ? GetParent(w) : w;
    info.uId = reinterpret_cast<UINT_PTR>(w);
    return info;
  }

  HWND window_ = nullptr;
  HFONT own_font_ = nullptr;  // the tooltip's, not ours to delete
  HFONT font_ = nullptr;
};

// The per-monitor calls, looked up by name: older systems do not have them.
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

}  // namespace

HFONT__* MakeWin32Font(const TFontRec& font, int32_t height, double scale) {
  height = ScaleFontHeight(height, scale);
  const std::wstring face = WidenCp1251(font.Name);
  return CreateFontW(height, 0, 0, 0, font.Style & FontBold ? FW_BOLD : FW_NORMAL, font.Style & FontItalic ? 1 : 0,
                     font.Style & FontUnderline ? 1 : 0, font.Style & FontStrikeOut ? 1 : 0, font.CharSet,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

TWin32Platform::TWin32Platform()
    : queue_([this] { return PostMessageW(messages_, kDrainMessage, 0, 0) != FALSE; }) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MessageProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kMessageClass;
  RegisterClassExW(&wc);
  messages_ = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(messages_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&queue_));
}

TWin32Platform::~TWin32Platform() {
  queue_.Close();
  DestroyWindow(messages_);
}

TControl* TWin32Platform::CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) {
  CheckThread();
  return new TWin32Control(*this, kind, parent, options);
}

std::unique_ptr<TTooltips> TWin32Platform::CreateTooltips() { return std::make_unique<TWin32Tooltips>(Scale()); }

void TWin32Platform::ApplyScale() {
  if (HasTooltips()) static_cast<TWin32Tooltips&>(Tooltips()).SetScale(Scale());
}

double TWin32Platform::DesktopScale() {
  UINT dpiX = 0, dpiY = 0;
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    const auto getDpi = reinterpret_cast<TGetDpiForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    const POINT origin = {0, 0};
    if (!getDpi || getDpi(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &dpiX, &dpiY) != S_OK)
      dpiX = 0;
    FreeLibrary(shcore);
  }
  if (dpiX == 0) {
    HDC screen = GetDC(nullptr);
    dpiX = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
  }
  return ScaleOfDpi(dpiX);
}

TSize TWin32Platform::ScreenSize() {
  // In the layout's pixels, which is where forms are placed.
  return {UnscaleLength(GetSystemMetrics(SM_CXSCREEN), Scale()), UnscaleLength(GetSystemMetrics(SM_CYSCREEN), Scale())};
}

TSize TWin32Platform::MeasureText(const std::string& text, const TFontRec& font, int32_t height) {
  HDC dc = GetDC(nullptr);
  // Measured as drawn, at the scale, and given back in layout pixels
  // rounded up so that the text still fits.
  HFONT f = MakeWin32Font(font, height, Scale());
  HGDIOBJ old = SelectObject(dc, f);
  const std::wstring wide = WidenCp1251(text, true);
  RECT r = {0, 0, 0, 0};
  if (wide.empty()) {
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    r.bottom = tm.tmHeight;
  } else {
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  }
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(nullptr, dc);
  return {UnscaleExtent(r.right - r.left, Scale()), UnscaleExtent(r.bottom - r.top, Scale())};
}

void TWin32Platform::PostToUIThread(std::function<void()> fn) { queue_.Post(std::move(fn)); }

bool TWin32Platform::PumpPending() {
  bool ran = queue_.Drain() > 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ran = true;
    if (msg.message == WM_QUIT) {
      quit_ = true;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return ran;
}

void TWin32Platform::RunMessageLoop() {
  quit_ = false;
  MSG msg;
  while (!quit_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  queue_.Close();
}

void TWin32Platform::QuitMessageLoop() {
  quit_ = true;
  // Wakes a loop waiting in GetMessage.
  PostMessageW(messages_, WM_NULL, 0, 0);
}

// --- Clipboard and menus ----------------------------------------------------------

void TWin32Platform::SetClipboardText(const std::string& text) {
  CheckThread();
  const std::wstring wide = WidenCp1251(text, true);
  if (!OpenClipboard(messages_)) return;
  EmptyClipboard();
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* at = GlobalLock(memory)) {
      std::memcpy(at, wide.c_str(), bytes);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it took it.
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

std::string TWin32Platform::ClipboardText() {
  CheckThread();
  if (!OpenClipboard(messages_)) return std::string();
  std::wstring wide;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* at = static_cast<const wchar_t*>(GlobalLock(data))) {
      wide = at;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return NarrowCp1251(wide);
}

int32_t TWin32Platform::PopupMenu(TControl* at, const std::vector<std::string>& items) {
  CheckThread();
  if (items.empty()) return kNoMenuItem;
  HMENU menu = CreatePopupMenu();
  if (!menu) return kNoMenuItem;
  for (size_t i = 0; i < items.size(); ++i) {
    std::wstring line;
    // Menus underline the letter after '&'; a line shows its '&' as it is.
    for (wchar_t c : WidenCp1251(items[i])) {
      line += c;
      if (c == L'&') line += L'&';
    }
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(i + 1), line.c_str());
  }
  HWND window = at ? static_cast<TWin32Control*>(at)->Window() : nullptr;
  HWND owner = OwnerWindow() ? OwnerWindow() : window;
  POINT where;
  GetCursorPos(&where);
  if (window) {
    RECT r;
    GetWindowRect(window, &r);
    if (!PtInRect(&r, where)) where = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The owner in front, so that a click elsewhere closes the menu.
  if (owner) SetForegroundWindow(owner);
  const int picked = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, where.x, where.y, 0,
                                    owner ? owner : messages_, nullptr);
  DestroyMenu(menu);
  SyncFocus();
  return picked > 0 ? static_cast<int32_t>(picked - 1) : kNoMenuItem;
}

HWND__* TWin32Platform::OwnerWindow() const {
  TControl* form = ApplicationForm();
  return form ? static_cast<TWin32Control*>(form)->Window() : nullptr;
}

int TWin32Platform::ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) {
  const std::wstring wideText = WidenCp1251(text, true), wideCaption = WidenCp1251(caption);
  return MessageBoxW(owned ? OwnerWindow() : nullptr, wideText.c_str(), wideCaption.c_str(), style | MB_SETFOREGROUND);
}

int TWin32Platform::StartCommand(const std::string& commandLine, int showMode) {
  // The command line as the program built it: no shell, no waiting.
  std::wstring line = WidenCp1251(commandLine);
  line.push_back(L'\0');
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return kCommandStarted;
}

void TWin32Platform::SyncFocus() {
  // Moving the focus in a handler sends more focus messages: the loop
  // settles them here.
  if (syncing_focus_) return;
  syncing_focus_ = true;
  for (int round = 0; round < 8; ++round) {
    TWin32Control* c = TWin32Control::Of(GetFocus());
    TControl* now = c && TakesFocus(c->Kind()) ? c : nullptr;
    if (now == RecordedFocus()) break;
    FocusMoved(now);
  }
  syncing_focus_ = false;
}
