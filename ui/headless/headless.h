// The headless backend: every control lives in memory with all its
// properties, and the user is simulated by delivering the notifications a
// real toolkit would (a click, a typed character, a picked line ...).
// Message boxes are recorded and answered without waiting; commands are
// recorded, never started. The screen is 1024 x 768. The thread that makes
// the platform is the window thread; work handed to it from other threads
// runs when that thread pumps (Pump, WaitForWork), as a message loop would.
//
// Text measurement is a fixed approximation, so that label sizes are
// predictable: a cell height c (the font height, or 4/3 of a negative
// character height, rounded down), characters c/2 pixels wide (one more
// when bold), lines c pixels high.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/bitmap.h"
#include "ui/platform.h"

class THeadlessPlatform;

class THeadlessControl : public TControl {
 public:
  THeadlessControl(THeadlessPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);

  void SetBounds(const TRect& r) override;
  TRect Bounds() const override;
  void SetClientSize(int32_t w, int32_t h) override;
  void SetText(const std::string& text) override;
  std::string Text() const override;
  void SetVisible(bool v) override;
  bool Visible() const override;
  void SetEnabled(bool e) override;
  bool Enabled() const override;
  void SetColor(uint32_t color) override;
  uint32_t Color() const override;
  void SetFont(const TFontRec& font, int32_t height) override;
  TFontRec Font() const override;
  int32_t FontHeight() const override;
  void SetEdge(uint8_t edge) override;
  uint8_t Edge() const override;
  void SetStyle(int32_t style) override;
  int32_t Style() const override;
  void SetCursor(int32_t cursor) override;
  int32_t Cursor() const override;
  void SetAlignment(uint8_t a) override;
  void SetFocus() override;
  void Raise() override;
  void SetCaret(int32_t pos) override;
  int32_t Caret() const override;
  void ReplaceText(int32_t at, int32_t count, const std::string& text) override;
  void ClearItems() override;
  void AddItem(const std::string& item) override;
  std::vector<std::string> Items() const override;
  void SetSelected(int32_t index) override;
  int32_t Selected() const override;
  void SetChecked(bool checked) override;
  bool Checked() const override;
  void SetOptions(const TCreateOptions& options) override;
  void SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest) override;
  void SetIcon(const std::string& resourceName) override;
  void SetAlpha(uint8_t alpha) override;
  void SetWindowState(uint8_t state) override;

  // What tests and the driver look at.
  const TCreateOptions& Options() const { return options_; }
  uint8_t Alignment() const { return alignment_; }
  uint8_t Alpha() const { return alpha_; }
  uint8_t WindowState() const { return window_state_; }
  const std::string& Icon() const { return icon_; }
  std::shared_ptr<const TRgbImage> Picture() const { return picture_; }
  TRect PictureRect() const { return picture_rect_; }
  int RaiseCount() const { return raises_; }

 private:
  friend class THeadlessPlatform;
  void Check() const;

  THeadlessPlatform& hp_;
  TCreateOptions options_;
  TRect bounds_;
  std::string text_;
  bool visible_;
  bool enabled_ = true;
  uint32_t color_ = 0;
  TFontRec font_;
  int32_t font_height_ = 0;
  uint8_t edge_ = 0;
  int32_t style_;
  int32_t cursor_ = 0;
  uint8_t alignment_ = 0;
  int32_t caret_ = 0;
  std::vector<std::string> items_;
  int32_t selected_ = -1;
  bool checked_ = false;
  std::shared_ptr<const TRgbImage> picture_;
  TRect picture_rect_;
  std::string icon_;
  uint8_t alpha_ = 255;
  uint8_t window_state_ = 0;
  int raises_ = 0;
};

class THeadlessPlatform : public TPlatform {
 public:
  THeadlessPlatform();
  ~THeadlessPlatform() override;

  // Frame of a form: a 24-pixel caption bar and 3-pixel borders.
  static constexpr int32_t kFrameSide = 3;
  static constexpr int32_t kFrameTop = 24;

  // TSystemOps
  int MessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  int StartCommand(const std::string& commandLine, int showMode) override;
  void RedrawMenuBar(int32_t handle) override;
  bool IsUIThread() override;
  bool RunOnUIThread(const std::function<void()>& fn) override;
  void PostToUIThread(std::function<void()> fn) override;

  // TPlatform
  TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) override;
  TSize ScreenSize() override { return {1024, 768}; }
  TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) override;
  // Runs queued work, then the simulated user (if any), then queued work
  // again; hand-overs still waiting then answer false.
  void RunMessageLoop() override;
  void QuitMessageLoop() override;
  void SetCapture(TControl* c) override;
  void ReleaseCapture() override;
  TControl* Captured() override { return capture_; }
  TControl* Focused() override { return focus_; }

  // The simulated user, run by RunMessageLoop on the window thread; it
  // should stop once QuitRequested answers true.
  void SetUser(std::function<void()> user) { user_ = std::move(user); }
  bool QuitRequested() const { return quit_; }

  // Runs the work queued for the window thread; answers how much ran.
  // Window thread only.
  size_t Pump();
  // Waits until queued work is due or the time is up; true when it is due.
  // Work is due at once after an idle turn, else one turn period
  // (SetTurnPeriod) after the last Pump that ran something, as a message
  // loop paced by the screen takes it.
  bool WaitForWork(std::chrono::milliseconds timeout);
  void SetTurnPeriod(std::chrono::milliseconds period) { turn_period_ = period; }

  // Message boxes, in the order shown. A box is answered by OnBox when set,
  // else by the next queued answer, else by its first button.
  struct TBox {
    bool Owned = false;
    std::string Text, Caption;
    uint32_t Style = 0;
    int Answer = 0;
  };
  std::function<int(const TBox&)> OnBox;
  std::deque<int> Answers;
  std::vector<TBox> Boxes() const;

  struct TCommand {
    std::string CommandLine;
    int ShowMode = 0;
  };
  std::vector<TCommand> Commands() const;
  int StartStatus = kCommandStarted;  // what StartCommand answers
  int MenuRedraws() const { return menu_redraws_; }

  // Called for every SetText, with the new text.
  std::function<void(TControl*, const std::string&)> OnSetText;
  // Bytes of control texts copied out by Text() and in by SetText and
  // ReplaceText: the work tests count to see that typing stays linear.
  size_t TextBytesCopied() const { return text_bytes_copied_.load(); }

  // Control operations made off the window thread (a fault of the caller).
  int ThreadViolations() const { return thread_violations_.load(); }

  // --- The user's actions (window thread). Each answers false, doing
  // nothing, when the control cannot take it (wrong kind, out of range).
  // A click: mouse down, up, then the click (check boxes toggle first);
  // buttons, check boxes, edits and lists take the focus.
  bool Click(TControl* c);
  // Selects tab `index`; the selected one again changes nothing.
  bool SelectTab(TControl* tabs, int32_t index);
  // Caret to the end, then one character at a time, one change each.
  bool TypeText(TControl* c, const std::string& text);
  // Replaces the whole text at once: one change, caret after the text.
  bool PasteText(TControl* c, const std::string& text);
  // Key down and up in the control (which takes the focus); Tab moves on.
  bool PressKey(TControl* c, int32_t key);
  // Opens the list and picks line `index`; notifies when it changes.
  bool Pick(TControl* list, int32_t index);
  void MouseEnter(TControl* c);
  void MouseLeave(TControl* c);
  // Tab (Shift+Tab when backward) in the window of the focused control.
  void PressTab(bool backward);
  // `key` with Ctrl (and Shift) held in the window of the focused control;
  // answers whether the window took it.
  bool PressControlKey(int32_t key, bool shift);
  // The close box of a form; true when the form let itself be closed.
  bool RequestClose(TControl* form);

 protected:
  void ControlDestroyed(TControl* c) override;

 private:
  friend class THeadlessControl;
  std::atomic<size_t> text_bytes_copied_{0};
  struct TTask {
    std::function<void()> fn;
    std::shared_ptr<bool> done;  // hand-overs only; guarded by m_
  };

  void CheckThread();
  void MoveFocus(TControl* c);
  // The form of the focused control, else the application window.
  TControl* FocusedForm();
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style);
  static THeadlessControl* Cast(TControl* c) { return static_cast<THeadlessControl*>(c); }

  const std::thread::id ui_thread_;
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::deque<TTask> queue_;
  bool loop_ended_ = false;
  // When the last Pump that ran work ran it, if any did; guarded by m_.
  std::chrono::steady_clock::time_point last_turn_;
  bool worked_ = false;
  std::chrono::milliseconds turn_period_ = kUIThreadTurnPeriod;
  std::vector<TBox> boxes_;
  std::vector<TCommand> commands_;
  std::atomic<int> thread_violations_{0};
  int menu_redraws_ = 0;
  TControl* focus_ = nullptr;
  TControl* capture_ = nullptr;
  std::function<void()> user_;
  bool quit_ = false;
};
