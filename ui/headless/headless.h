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
// when bold), lines c pixels high. A table's headings and rows are lines
// of its font (13 pixels without one), so its page is the whole lines
// below the headings. Hiding a form takes the keyboard focus from the
// control in it that has it (none has it then).
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/platform.h"

class THeadlessPlatform;

// A control in memory: the base stores every property; the headless control
// adds what tests look at (how often it was raised) and reports the
// program's own SetText calls (THeadlessPlatform::OnSetText).
class THeadlessControl : public TControl {
 public:
  THeadlessControl(THeadlessPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);

  void SetText(const std::string& text) override;
  std::string Text() const override;
  void ReplaceText(int32_t at, int32_t count, const std::string& text) override;
  void Raise() override;
  bool HasSelection() const override { return selection_count_ > 0; }
  int32_t PageRows() const override;
  // The text the user selected (empty when none).
  std::string SelectedText() const;

  int RaiseCount() const { return raises_; }

 protected:
  void ApplyVisible() override;

 private:
  friend class THeadlessPlatform;
  // A table's line: its headings' height and each row's.
  int32_t LineHeight() const;

  THeadlessPlatform& hp_;
  int raises_ = 0;
  size_t selection_at_ = 0, selection_count_ = 0;
};

class THeadlessPlatform : public TPlatform {
 public:
  THeadlessPlatform();
  ~THeadlessPlatform() override;

  // TSystemOps
  int StartCommand(const std::string& commandLine, int showMode) override;
  void RedrawMenuBar(int32_t handle) override;
  void PostToUIThread(std::function<void()> fn) override;

  // TPlatform
  TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) override;
  TSize ScreenSize() override { return {1024, 768}; }
  TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) override;
  // The clipboard is a text in memory, kept exactly as given.
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() override;
  // Recorded, and answered by OnMenu when set, else by the next queued
  // answer, else dismissed.
  int32_t PopupMenu(TControl* at, const std::vector<std::string>& items) override;
  // Runs queued work, then the simulated user (if any), then queued work
  // again; hand-overs still waiting then answer false.
  void RunMessageLoop() override;
  void QuitMessageLoop() override;

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

  struct TMenu {
    TControl* At = nullptr;
    std::vector<std::string> Items;
    int32_t Answer = kNoMenuItem;
  };
  std::function<int32_t(const TMenu&)> OnMenu;
  std::deque<int32_t> MenuAnswers;
  std::vector<TMenu> Menus() const;

  struct TCommand {
    std::string CommandLine;
    int ShowMode = 0;
  };
  std::vector<TCommand> Commands() const;
  int StartStatus = kCommandStarted;  // what StartCommand answers
  // False: no worker can be started (StartWorker answers none), as on a
  // desktop out of threads.
  bool WorkersStart = true;
  std::unique_ptr<TWorkerRun> StartWorker(TWorkerBody body) override;
  int MenuRedraws() const { return menu_redraws_; }

  // Called for every SetText, with the new text.
  std::function<void(TControl*, const std::string&)> OnSetText;
  // Bytes of control texts copied out by Text() and in by SetText and
  // ReplaceText: the work tests count to see that typing stays linear.
  size_t TextBytesCopied() const { return text_bytes_copied_.load(); }

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
  // A key the handler leaves moves a table's selection as TableRowForKey
  // says; Escape left by the control goes to its form (EscapeKey).
  bool PressKey(TControl* c, int32_t key);
  // A click with the left button on row `row` of a table: the table takes
  // the focus, the row is selected (SelectChange when it changed).
  bool PickRow(TControl* table, int32_t row);
  // Opens the list and picks line `index`; notifies when it changes.
  bool Pick(TControl* list, int32_t index);
  // The right button pressed and released over the control; labels then
  // ask for their menu (ContextMenu).
  bool RightClick(TControl* c);
  // Selects `count` bytes from `at` in a field (clipped to its text); the
  // field takes the focus. Any change of the text selects nothing again.
  bool SelectText(TControl* c, int32_t at, int32_t count);
  void MouseEnter(TControl* c);
  void MouseLeave(TControl* c);
  // Tab (Shift+Tab when backward) in the window of the focused control.
  void PressTab(bool backward);
  // `key` with Ctrl (and Shift) held in the window of the focused control;
  // answers whether the window took it. Ctrl+C the window leaves alone
  // copies a focused field's selection, as a desktop field does.
  bool PressControlKey(int32_t key, bool shift);
  // The close box of a form; true when the form let itself be closed.
  bool RequestClose(TControl* form);

 protected:
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  bool HandOver(const std::function<void()>& fn) override;

 private:
  friend class THeadlessControl;
  std::atomic<size_t> text_bytes_copied_{0};
  struct TTask {
    std::function<void()> fn;
    std::shared_ptr<bool> done;  // hand-overs only; guarded by m_
  };

  // The form of the focused control, else the application window.
  TControl* FocusedForm();
  // The user moved a table's selection to `row`: shown and told when new.
  static void MoveRow(TControl* table, int32_t row);
  static THeadlessControl* Cast(TControl* c) { return static_cast<THeadlessControl*>(c); }

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
  std::vector<TMenu> menus_;
  std::string clipboard_;
  int menu_redraws_ = 0;
  std::function<void()> user_;
  bool quit_ = false;
};
