// The real program run on the Win32 backend, played from inside its own
// message loop: once the main window is on screen (and no box is open),
// the script runs; then the window is closed. The user's actions are the
// messages a click, a key or a list choice sends; what the windows show is
// read back with GetWindowTextW. Message boxes are recorded as the program
// asks for them and answered from a timer with the buttons in Answers
// (else their first); commands the program starts are recorded, not run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scenarios/scenario.h"

class TWin32Platform;

class TWin32Session : public TScenarioUser {
 public:
  using TScript = std::function<void(TWin32Session&)>;

  struct TResult {
    int Status = 0;
    bool ScriptRan = false;
    std::vector<TSeenBox> Boxes;
    // The captions of the boxes as Windows showed them.
    std::vector<std::string> ShownCaptions;
    // Their texts as Windows showed them (UTF-8, lines ended by CR LF).
    std::vector<std::string> ShownTexts;
    // The command lines the program asked to start (code page 1251).
    std::vector<std::string> Commands;
  };

  // Runs the program with `args`.
  static TResult Run(const std::vector<std::string>& args, const TScript& script);

  TMainScheme& Scheme() const override { return *scheme_; }
  std::string Shown(const TAddress& a) const override;
  std::vector<int> VisiblePages() const override;
  void SelectTab(int index) override;
  void Type(const TAddress& a, const std::string& text) override;
  void Replace(const TAddress& a, const std::string& text) override;
  void Pick(const TAddress& a, int line) override;
  void WaitForWorkers() override;
  void Menu(const TAddress& a, int line) override;
  void Select(const TAddress& a, int from, int count) override;
  void CopyKey() override;
  // A click in the middle of the control's window.
  void Click(TControl* c) override;
  // Runs what is pending: handed-over work, messages.
  void Settle();

 private:
  class TPlatform;
  explicit TWin32Session(TWin32Platform& platform) : platform_(platform) {}
  static void StartTick(struct HWND__* window, unsigned message, uintptr_t id, unsigned long time);
  bool OnScreen(TControl* c) const override;
  bool Enabled(TControl* c) const override;
  void Keys(const TAddress& a, const std::string& text, bool replace);

  TWin32Platform& platform_;
  TMainScheme* scheme_ = nullptr;
  TScript script_;
  TResult* result_ = nullptr;
  uintptr_t start_timer_ = 0;
};
