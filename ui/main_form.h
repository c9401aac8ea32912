// THIMainForm: the program's top-level window. The first form made owns
// the application window: closing it runs the close procedure (onClose,
// then the dispatcher off) and ends the message loop. A later form made
// over a control (its parent) is owned by that control's form: it stays
// above it, opens and closes (doShow, the close box, doClose, Escape when
// EscapeCloses) while the program runs on, and a close only hides it and
// fires its onHide. Its start-up step (onCreate, then the show step with
// onShow) is queued with AddInit by the constructor; a form destroyed
// before the queue runs is skipped by it. The scheme owns the element; the
// control is destroyed with it (a closed window is only hidden until then).
#pragma once

#include <functional>

#include "ui/win.h"

class THIMainForm : public THIWin {
 public:
  explicit THIMainForm(TControl* parent = nullptr);
  ~THIMainForm() override;

  uint8_t CloseMode = 0;      // 1: starts hidden and closes for real
  uint8_t DragByClient = 0;   // stored only: this platform has no window drag
  uint8_t AlphaBlend = 255;   // opacity
  uint8_t WindowState = 0;    // at first show: 0 normal, 1 minimised, 2 maximised
  std::function<void(int)> FirstShowHook;  // 0 at first show, 1 at close
  // Runs when the application window is about to close for good, its
  // controls still as the user left them.
  std::function<void()> BeforeClose;
  std::string ProjectName;    // stored only
  uint32_t TransparentColor = 0;  // stored only
  uint8_t ClientSize = 0;     // 1: Width and Height are the client area's
  void (THIMainForm::*Placement)() = nullptr;  // end of Init; schemes use CenterOnScreen
  THI_Event CanClose;         // read at a close request: not 0 refuses
  THI_Event onActivate, onDeactivate, onShow, onCreate, onMove, onClose;
  // A form that does not own the application window was closed (by its
  // close box, doClose or Escape) and is hidden now; the program runs on.
  THI_Event onHide;
  THI_Event onPaint;  // never fired: the platform reports no painting
  // Ctrl+C in the window when no field has text selected (a field with a
  // selection copies it itself); unwired, the key goes on to the control.
  THI_Event onCopy;
  // Ctrl with one of these capital letters (not C) in the window fires
  // onShortcut with the letter's key code; other letters go on.
  std::string Shortcuts;
  THI_Event onShortcut;
  // 1: Escape in the window, when its focused control leaves the key,
  // closes the form as its close box does.
  uint8_t EscapeCloses = 0;

  void SetCaption(const std::string& text);
  // 0 no frame, 1 single, 2 sizable, 3 dialog, 4 tool window, 5 sizable tool window.
  void SetBorderStyle(uint8_t style);
  // The icon resources of that name; HasIcon tells whether any was found.
  void SetIcon(const std::string& resourceName);
  void SetTaskbarHidden(uint8_t) {}  // no task-bar button control on these platforms
  bool HasIcon() const { return has_icon_; }
  bool OwnsApplicationWindow() const { return owns_app_window_; }

  void Init() override;
  // Placement: the middle of the screen (integer halves).
  void CenterOnScreen();
  // Placement of an owned form: its top level with the owner's, right of
  // the owner where it fits on the screen, else left of it, else at the
  // screen's right edge; kept on the screen. A form without an owner
  // stays where Left and Top say.
  void BesideOwner();

  // Shows the form, a closed one again, above the other windows and
  // active. doClose runs the close procedure as the close box does.
  void doShow(TData& data);
  void doClose(TData& data);

  // Data output: the window's handle as an integer (0 without a window).
  void Handle(TData& data);

  // The program run's steps: show the window as Visible says; turn Tab and
  // Shift+Tab focus moves on.
  void ShowApplication();
  void SetTabNavigation(bool on) { tab_navigation_ = on; }
  bool TabNavigation() const { return tab_navigation_; }

  // The close procedure; answers whether the close was allowed.
  bool CloseProcedure();
  bool Closed() const { return closed_; }

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  void StartupStep();
  void ShowStep();
  // Ctrl+Tab and friends: the window's tab strip steps to another page.
  bool StepPage(const TNotification& n);
  // Ctrl+C: onCopy, unless the focused field has text selected.
  bool Copy(const TNotification& n);
  // Ctrl+one of Shortcuts: onShortcut.
  bool Shortcut(const TNotification& n);

  // What the start-up queue holds, so that it can outlive the form.
  struct TStartupToken {
    THIMainForm* form;
  };
  static void RunStartup(void* token);

  TStartupToken* startup_token_ = nullptr;
  bool owns_app_window_ = false;
  bool shown_ = false;
  bool has_icon_ = false;
  bool tab_navigation_ = false;
  bool closed_ = false;
};
