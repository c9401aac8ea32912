#include "win32/user.h"

#include <windows.h>

#include <chrono>

#include "ui/win32/text.h"
#include "ui/win32/win32_platform.h"

namespace {

// The one answerer of the thread; its timer finds it here.
TBoxAnswerer* g_answerer = nullptr;

std::string TextOf(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], n + 1)));
  return NarrowCp1251(text);
}

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t buffer[32] = {};
  GetClassNameW(window, buffer, 32);
  return lstrcmpiW(buffer, name) == 0;
}

}  // namespace

bool Pump(TWin32Platform& platform, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    platform.PumpPending();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

namespace {

// A press and release at the window's centre, sent straight to it.
void SendButton(HWND__* window, UINT down, UINT up, WPARAM held) {
  RECT r;
  GetClientRect(window, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  SendMessageW(window, down, held, at);
  SendMessageW(window, up, 0, at);
}

}  // namespace

void ClickWindow(HWND__* window) { SendButton(window, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON); }

void PressKey(HWND__* window, int key, bool shift) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE before = keys[VK_SHIFT];
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  SendMessageW(window, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
  keys[VK_SHIFT] = before;
  SetKeyboardState(keys);
}

void RightClickWindow(HWND__* window) { SendButton(window, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON); }

void PressControlKey(HWND__* window, int key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE before = keys[VK_CONTROL];
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  SendMessageW(window, WM_CHAR, static_cast<WPARAM>(key - 'A' + 1), 1);
  SendMessageW(window, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
  keys[VK_CONTROL] = before;
  SetKeyboardState(keys);
}

namespace {

int32_t g_menu_answer = -1;
UINT_PTR g_menu_timer = 0;

// Once a menu window of this thread is up: down to the line, Enter; or
// Escape. The menu's own loop reads the keys from the thread's queue.
void CALLBACK AnswerMenuTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, g_menu_timer);
  g_menu_timer = 0;
  if (g_menu_answer < 0) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    return;
  }
  for (int32_t i = 0; i <= g_menu_answer; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
}

}  // namespace

void AnswerMenuWith(int32_t index) {
  g_menu_answer = index;
  if (g_menu_timer) KillTimer(nullptr, g_menu_timer);
  g_menu_timer = SetTimer(nullptr, 0, 20, &AnswerMenuTick);
}

TBoxAnswerer::TBoxAnswerer(std::vector<std::string>& captions, std::function<int()> choose)
    : captions_(captions), choose_(std::move(choose)) {
  g_answerer = this;
  timer_ = SetTimer(nullptr, 0, 20, reinterpret_cast<TIMERPROC>(&TBoxAnswerer::Tick));
}

TBoxAnswerer::~TBoxAnswerer() {
  KillTimer(nullptr, timer_);
  g_answerer = nullptr;
}

void TBoxAnswerer::Tick(HWND__*, unsigned, uintptr_t, unsigned long) {
  if (g_answerer) g_answerer->AnswerBoxes();
}

void TBoxAnswerer::AnswerBoxes() {
  struct TFound {
    HWND Box = nullptr;
  } found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM data) -> BOOL {
        if (!IsWindowVisible(w) || !IsClass(w, L"#32770")) return TRUE;
        reinterpret_cast<TFound*>(data)->Box = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  if (!found.Box || GetPropW(found.Box, L"kelvane.answered")) return;
  SetPropW(found.Box, L"kelvane.answered", reinterpret_cast<HANDLE>(1));
  captions_.push_back(TextOf(found.Box));
  HWND text = GetDlgItem(found.Box, 0xFFFF);
  texts_.push_back(text ? TextOf(text) : std::string());
  const int wanted = choose_ ? choose_() : 0;
  HWND button = wanted ? GetDlgItem(found.Box, wanted) : nullptr;
  for (HWND w = GetWindow(found.Box, GW_CHILD); !button && w; w = GetWindow(w, GW_HWNDNEXT))
    if (IsClass(w, L"Button") && IsWindowVisible(w)) button = w;
  if (button) PostMessageW(found.Box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
