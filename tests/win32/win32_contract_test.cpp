// The platform contract on the Win32 backend: real windows, under Wine on
// a virtual X display in the tests. The user is played with the messages
// a mouse click or a key press sends; boxes are answered from a timer.
#include <windows.h>

#include <chrono>

#include "ui/platform_contract.h"
#include "ui/win32/control.h"
#include "ui/win32/win32_platform.h"
#include "win32/user.h"

namespace {

class TWin32Backend : public TContractBackend {
 public:
  TWin32Backend() : answering_(boxes_) {}

  TPlatform& Platform() override { return platform_; }
  bool PumpUntil(const std::function<bool()>& done) override { return Pump(platform_, done); }
  void Click(TControl* c) override { ClickWindow(static_cast<TWin32Control*>(c)->Window()); }
  void PressTab(bool backward) override { PressKey(GetFocus(), VK_TAB, backward); }
  void RightClick(TControl* c) override { RightClickWindow(static_cast<TWin32Control*>(c)->Window()); }
  void AnswerNextMenu(int32_t index) override { AnswerMenuWith(index); }
  void SelectText(TControl* field, int32_t at, int32_t count) override {
    field->SetFocus();
    HWND window = static_cast<TWin32Control*>(field)->FocusWindow();
    SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at + count));
  }
  void PressCtrlC() override { PressControlKey(GetFocus(), 'C'); }
  std::vector<std::string> ShownBoxes() override { return boxes_; }

 private:
  TWin32Platform platform_;
  std::vector<std::string> boxes_;
  TBoxAnswerer answering_;
};

}  // namespace

KELVANE_PLATFORM_CONTRACT(Win32, (TContractParam{"Win32", [] {
                                    return std::unique_ptr<TContractBackend>(new TWin32Backend);
                                  }}));
