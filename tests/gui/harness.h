// Drives the real program window through FLTK's own event handling: mouse
// presses, moves and keys are injected with Fl::handle as the X server
// would deliver them, and what the widgets show is read back. A session
// runs the program run (RunProgram) on the FLTK platform; the script runs
// inside the message loop once the window is up, then the window is closed
// with its close box. Message boxes are answered from Answers (else with
// their first button) by pressing the button, and recorded.
// Controls are addressed like kelvane-drive addresses them: the page (tab)
// and the Left,Top of the control on the page's group box.
// Failures are reported through GoogleTest and end the current step.
#pragma once

#include <FL/Fl_Window.H>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/fltk/fltk_platform.h"
#include "ui/input_memory.h"
#include "ui/main_scheme.h"
#include "scenarios/scenario.h"

// Events injected as the X server would deliver them, window coordinates.
void InjectMove(Fl_Window& w, int x, int y);
void InjectClick(Fl_Window& w, int x, int y);
void InjectRightClick(Fl_Window& w, int x, int y);
// The next popup menu is answered, once it is up, with line `line` (arrow
// keys and Enter) or dismissed (Escape) when `line` is negative.
void AnswerNextMenu(int line);
// Key down and up (FLTK key symbol, its text, shift state) in `target`.
void InjectKey(Fl_Window& target, int keysym, const std::string& text = std::string(), int state = 0);


class TGuiSession : public TScenarioUser {
 public:
  using TScript = std::function<void(TGuiSession&)>;

  // Runs the program with `args` (with "--scale N", at that scale, as the
  // program would; else at 1); answers its exit status.
  // With `inputs`, the program keeps and restores the pages' inputs there.
  static int Run(const TMainFactory& factory, const std::vector<std::string>& args, const TScript& script,
                 std::deque<int> answers = {}, std::vector<TSeenBox>* boxes = nullptr,
                 TInputStore* inputs = nullptr);

  TMainScheme& Scheme() const override { return *scheme_; }
  TFltkPlatform& Platform() const { return platform_; }
  // The main window (FLTK's client area).
  Fl_Window& Window() const;

  // --- Reading
  // What the control's widget shows (UTF-8): a label's or button's text, a
  // field's content, a list's shown line.
  std::string Shown(const TAddress& a) const override;
  // The pages whose group box is on screen.
  std::vector<int> VisiblePages() const override;

  // --- Actions
  void SelectTab(int index) override;
  // Clicks the tab strip's arrow that scrolls its captions forward (back).
  void ScrollTabs(bool forward);
  void Click(TControl* c) override;
  void Hover(TControl* c);
  void MoveAway();
  // Clicks into the field, puts the caret at the end and types each
  // character as its own key press.
  void Type(const TAddress& a, const std::string& text) override;
  // Clicks into the field, selects everything (Ctrl+A) and types `text`
  // over it (Backspace when it is empty).
  void Replace(const TAddress& a, const std::string& text) override;
  void PressKey(int keysym, const std::string& text = std::string(), int state = 0);
  // Opens the list and picks line `line` with the arrow keys and Enter.
  void Pick(const TAddress& a, int line) override;
  void CloseWindow();
  // Lets the window catch up: pending work, events and drawing.
  void Settle();
  // Waits (at most 10 s) until the main window is on screen.
  void WaitMapped();
  // Waits (at most 30 s) until no worker is busy and what they posted has
  // run, then settles.
  void WaitForWorkers() override;
  void Menu(const TAddress& a, int line) override;
  void Select(const TAddress& a, int from, int count) override;
  void CopyKey() override;

  // The main window's client area as RGB rows, drawn afresh.
  std::vector<uint8_t> Capture(int& w, int& h);
  // The same as it is on screen now, after pending drawing only: what a
  // partial repaint left there.
  std::vector<uint8_t> CaptureAsShown(int& w, int& h);

  // How the next boxes are answered: keys first (FLTK key symbols, one per
  // turn), then a click on the button of the next answer (else the first).
  std::deque<int> BoxKeys;

 private:
  explicit TGuiSession(TFltkPlatform& platform) : platform_(platform) {}
  static void Start(void* session);
  static void WatchBoxes(void* session);
  static void PressMenuKeys(void* session);
  bool OnScreen(TControl* c) const override;
  bool Enabled(TControl* c) const override;
  std::vector<uint8_t> ReadWindow(int& w, int& h);

  TFltkPlatform& platform_;
  TMainScheme* scheme_ = nullptr;
  TScript script_;
  int menu_steps_ = 0;
  const void* open_box_ = nullptr;  // the box on screen, already recorded
};
