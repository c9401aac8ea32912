// The Windows backend on plain Win32 (user32, gdi32, comctl32): TPlatform
// with real windows. The thread that makes it is the window thread; work
// from other threads goes through a wake queue and a private message to a
// message-only window. Texts cross to Windows through the wide functions
// (text.h). Tab and Shift+Tab go to the form, which moves the focus itself.
// A form's outer size follows the program's frame rule (kFrameSide,
// kFrameTop) for its client area; Windows draws its own frame around it.
// The platform starts at scale 1; DesktopScale says what the monitor asks
// for, and a form moved to a monitor of another DPI takes that monitor's
// scale when FollowMonitorDpi is on (an explicit --scale turns it off).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/platform.h"
#include "ui/wake_queue.h"

struct HWND__;
class TWin32Control;

class TWin32Platform : public TPlatform {
 public:
  TWin32Platform();
  ~TWin32Platform() override;

  // TSystemOps
  int StartCommand(const std::string& commandLine, int showMode) override;
  void PostToUIThread(std::function<void()> fn) override;

  // The primary monitor's DPI over 96 (ScaleOfDpi), read through the
  // newest call the system has: per monitor, else the screen's.
  static double DesktopScale();
  // Whether a form that Windows moves to a monitor of another DPI rescales
  // the window to it (on by default).
  void FollowMonitorDpi(bool follow) { follow_dpi_ = follow; }
  bool FollowsMonitorDpi() const { return follow_dpi_; }

  // TPlatform
  TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) override;
  TSize ScreenSize() override;
  TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) override;
  // CF_UNICODETEXT, converted from and to code page 1251 here.
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() override;
  // TrackPopupMenu at the mouse when it is over `at`, else at its middle.
  int32_t PopupMenu(TControl* at, const std::vector<std::string>& items) override;
  // Runs the message loop until QuitMessageLoop; then work still queued for
  // the window thread is dropped and waiting hand-overs answer false.
  void RunMessageLoop() override;
  void QuitMessageLoop() override;

  // Runs the work other threads handed over and the messages waiting now;
  // answers whether anything ran. For loops of the program's own (tests).
  bool PumpPending();
  // Tells the controls that lost and gained the keyboard focus.
  void SyncFocus();
  // The window boxes are owned by: the application form's.
  HWND__* OwnerWindow() const;

 protected:
  std::unique_ptr<TTooltips> CreateTooltips() override;
  void ApplyScale() override;
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  bool HandOver(const std::function<void()>& fn) override { return queue_.RunAndWait(fn); }

 private:
  TWakeQueue queue_;
  HWND__* messages_ = nullptr;  // message-only window that drains queue_
  bool quit_ = false;
  bool syncing_focus_ = false;
  bool follow_dpi_ = true;
};

// A font for Win32 drawing: the record at the cell or character height,
// the height scaled by `scale`.
struct HFONT__;
HFONT__* MakeWin32Font(const TFontRec& font, int32_t height, double scale);
