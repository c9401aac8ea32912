#include "win32/session.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "pages/main_form.h"
#include "runtime/data.h"
#include "runtime/scheme_lock.h"
#include "ui/encoding.h"
#include "ui/main_form.h"
#include "ui/program.h"
#include "ui/scale.h"
#include "ui/tab_control.h"
#include "ui/win32/control.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_platform.h"
#include "win32/user.h"

namespace {

// The session of the thread; the start timer finds it here.
TWin32Session* g_session = nullptr;

HWND WindowOf(TControl* c) { return static_cast<TWin32Control*>(c)->Window(); }

std::string TextOf(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], n + 1)));
  return Cp1251ToUtf8(NarrowCp1251(text));
}

bool BoxOpen() {
  bool open = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM data) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        if (IsWindowVisible(w) && lstrcmpW(name, L"#32770") == 0) *reinterpret_cast<bool*>(data) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&open));
  return open;
}

}  // namespace

// The backend with the boxes recorded and the commands kept from running.
class TWin32Session::TPlatform : public TWin32Platform {
 public:
  explicit TPlatform(TResult& result) : result_(result) {}
  int StartCommand(const std::string& commandLine, int) override {
    result_.Commands.push_back(commandLine);
    return kCommandStarted;
  }

 protected:
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override {
    TSeenBox seen;
    seen.Caption = Cp1251ToUtf8(caption);
    // A lone CR breaks the line in the box, as a line feed does.
    seen.Text = Cp1251ToUtf8(text);
    for (char& ch : seen.Text)
      if (ch == '\r') ch = '\n';
    seen.Style = style;
    result_.Boxes.push_back(seen);
    if (session_) session_->Boxes.push_back(seen);
    return TWin32Platform::ShowBox(owned, text, caption, style);
  }

 public:
  TWin32Session* session_ = nullptr;

 private:
  TResult& result_;
};

TWin32Session::TResult TWin32Session::Run(const std::vector<std::string>& args, const TScript& script) {
  TResult result;
  TPlatform platform(result);
  // "--scale N" as the program takes it; else 1, whatever Wine's DPI.
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TWin32Session session(platform);
  platform.session_ = &session;
  session.script_ = script;
  session.result_ = &result;
  TBoxAnswerer answering(result.ShownCaptions, [&session]() {
    if (session.Answers.empty()) return 0;
    const int wanted = session.Answers.front();
    session.Answers.pop_front();
    return wanted;
  });
  const TMainFactory remembering = [&session]() {
    std::unique_ptr<TMainScheme> scheme = MakeMainScheme();
    session.scheme_ = scheme.get();
    return scheme;
  };
  g_session = &session;
  session.start_timer_ = SetTimer(nullptr, 0, 20, reinterpret_cast<TIMERPROC>(&TWin32Session::StartTick));
  result.Status = RunProgram(platform, args, remembering);
  for (const std::string& text : answering.Texts()) result.ShownTexts.push_back(Cp1251ToUtf8(text));
  if (session.start_timer_) KillTimer(nullptr, session.start_timer_);
  g_session = nullptr;
  return result;
}

void TWin32Session::StartTick(HWND__*, unsigned, uintptr_t, unsigned long) {
  TWin32Session* s = g_session;
  if (!s || !s->start_timer_ || !s->scheme_ || !s->scheme_->Form() || !s->scheme_->Form()->Control()) return;
  HWND form = WindowOf(s->scheme_->Form()->Control());
  if (!IsWindowVisible(form) || BoxOpen()) return;
  KillTimer(nullptr, s->start_timer_);
  s->start_timer_ = 0;
  s->Settle();
  s->result_->ScriptRan = true;
  if (s->script_) s->script_(*s);
  s->Settle();
  PostMessageW(form, WM_CLOSE, 0, 0);
}

// --- Reading ---------------------------------------------------------------------

std::string TWin32Session::Shown(const TAddress& a) const {
  TControl* c = Find(a);
  if (!c) {
    ADD_FAILURE() << "no control at " << AddressText(a);
    return std::string();
  }
  return TextOf(WindowOf(c));
}

std::vector<int> TWin32Session::VisiblePages() const {
  std::vector<int> shown;
  for (int i = 0; i < scheme_->PageCount(); ++i) {
    TControl* box = scheme_->PageBox(i);
    if (box && IsWindowVisible(WindowOf(box))) shown.push_back(i);
  }
  return shown;
}

bool TWin32Session::OnScreen(TControl* c) const { return IsWindowVisible(WindowOf(c)) != FALSE; }

bool TWin32Session::Enabled(TControl* c) const { return IsWindowEnabled(WindowOf(c)) != FALSE; }

// --- Actions ---------------------------------------------------------------------

void TWin32Session::Settle() {
  for (int i = 0; i < 50 && platform_.PumpPending(); ++i) {
  }
}

void TWin32Session::Click(TControl* c) {
  if (!Usable(c, "the control clicked")) return;
  ClickWindow(WindowOf(c));
  Settle();
}

void TWin32Session::SelectTab(int index) {
  TControl* strip = scheme_->Tabs() ? scheme_->Tabs()->Control() : nullptr;
  if (!Usable(strip, "the tab strip")) return;
  HWND tabs = WindowOf(strip);
  if (index < 0 || index >= static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0))) {
    ADD_FAILURE() << "no tab " << index;
    return;
  }
  // What the strip tells its parent when the user clicks a tab.
  NMHDR changing = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGING)};
  if (SendMessageW(GetParent(tabs), WM_NOTIFY, changing.idFrom, reinterpret_cast<LPARAM>(&changing))) return;
  SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  NMHDR changed = {tabs, changing.idFrom, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, changed.idFrom, reinterpret_cast<LPARAM>(&changed));
  Settle();
}

void TWin32Session::Keys(const TAddress& a, const std::string& text, bool replace) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  HWND field = static_cast<TWin32Control*>(c)->FocusWindow();
  SetFocus(field);
  platform_.SyncFocus();
  Settle();
  if (replace)
    SendMessageW(field, EM_SETSEL, 0, -1);
  else
    SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(GetWindowTextLengthW(field)), GetWindowTextLengthW(field));
  const std::wstring keys = WidenCp1251(Utf8ToCp1251(text));
  if (keys.empty() && replace) SendMessageW(field, WM_CHAR, VK_BACK, 1);
  for (wchar_t key : keys) {
    SendMessageW(field, WM_CHAR, static_cast<WPARAM>(key), 1);
    Settle();
  }
  Settle();
}

void TWin32Session::Type(const TAddress& a, const std::string& text) { Keys(a, text, false); }

void TWin32Session::Replace(const TAddress& a, const std::string& text) { Keys(a, text, true); }

void TWin32Session::Pick(const TAddress& a, int line) {
  TControl* c = ListWithLine(a, line);
  if (!c) return;
  // What the list tells its parent when the user chooses a line.
  HWND list = WindowOf(c);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  Settle();
}

void TWin32Session::Menu(const TAddress& a, int line) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  AnswerMenuWith(line);
  RightClickWindow(WindowOf(c));
  Settle();
}

void TWin32Session::Select(const TAddress& a, int from, int count) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  Click(c);
  HWND field = static_cast<TWin32Control*>(c)->FocusWindow();
  PressKey(field, VK_HOME);
  for (int i = 0; i < from; ++i) PressKey(field, VK_RIGHT);
  for (int i = 0; i < count; ++i) PressKey(field, VK_RIGHT, true);
  Settle();
}

void TWin32Session::CopyKey() {
  PressControlKey(GetFocus(), 'C');
  Settle();
}

void TWin32Session::WaitForWorkers() {
  const auto deadline = GetTickCount64() + 30000;
  while (BusyWorkers() > 0 && GetTickCount64() < deadline) {
    platform_.PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_EQ(BusyWorkers(), 0) << "a worker was still busy after 30 s";
  Settle();
}
