// What the logic needs from the desktop, and nothing more: message boxes,
// starting a command, the main window's style word, and the hand-over to
// the window thread. Every backend (headless, desktop) implements it; no
// element or page calls a toolkit or the operating system directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Message box style values: buttons or'ed with an icon.
enum : uint32_t {
  MbOk = 0,
  MbOkCancel = 1,
  MbAbortRetryIgnore = 2,
  MbYesNoCancel = 3,
  MbYesNo = 4,
  MbRetryCancel = 5,
  MbIconError = 16,
  MbIconQuestion = 32,
  MbIconWarning = 48,
  MbIconInformation = 64,
};

// Pressed-button identifiers returned by MessageBox.
enum : int { IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7 };

// The status StartCommand returns for a command that was started.
constexpr int kCommandStarted = 33;

// The window style bit of the maximise box.
constexpr int32_t kStyleMaximizeBox = 0x00010000;

class TSystemOps {
 public:
  virtual ~TSystemOps() = default;

  // Modal box with `text` and `caption` (code page 1251; CR and CR LF break
  // lines); `owned` puts it over the main window. Returns the pressed
  // button's identifier. Called off the window thread it must not wait for
  // that thread: the box is shown later and the call answers IdOk.
  virtual int MessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) = 0;

  // Starts a command line without waiting, never through a shell; answers
  // kCommandStarted when started, anything else when not.
  virtual int StartCommand(const std::string& commandLine, int showMode) = 0;

  // Style word of the window behind a handle read from the main form;
  // unknown handles read 0 and ignore writes.
  virtual int32_t GetWindowStyle(int32_t handle) = 0;
  virtual void SetWindowStyle(int32_t handle, int32_t style) = 0;
  virtual void RedrawMenuBar(int32_t handle) = 0;

  virtual bool IsUIThread() = 0;

  // Runs `fn` on the window thread and waits until it has run. Answers
  // false, without running it, when there is no application window. The
  // caller must not hold the scheme lock.
  virtual bool RunOnUIThread(const std::function<void()>& fn) = 0;

  // Queues `fn` to run on the window thread soon; never waits.
  virtual void PostToUIThread(std::function<void()> fn) = 0;
};

// The installed operations, or none (then boxes answer IdOk, nothing is
// started and hand-overs do nothing).
TSystemOps* SystemOps();
// Installs `ops` (none to remove) and returns the previous ones.
TSystemOps* SetSystemOps(TSystemOps* ops);
