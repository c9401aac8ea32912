// Playing the user on the Win32 backend, in the test program's own thread:
// the messages a click or a key press sends, and a timer that answers the
// message boxes the program shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct HWND__;
class TWin32Platform;

// Runs the platform's pending work and messages until `done` answers true
// or 10 s have passed; answers `done`.
bool Pump(TWin32Platform& platform, const std::function<bool()>& done);
// A left click in the middle of the window.
void ClickWindow(HWND__* window);
// A key pressed and released in the window, with Shift held when `shift`.
void PressKey(HWND__* window, int key, bool shift = false);
// A right click in the middle of the window.
void RightClickWindow(HWND__* window);
// Ctrl held with a letter key (as a capital, 'C'): the key down, the
// character the desktop makes of it, the key up.
void PressControlKey(HWND__* window, int key);
// The next popup menu of this thread is answered with line `index` (from
// 0), or dismissed when it is negative, once it is up.
void AnswerMenuWith(int32_t index);

// While it lives, answers each message box of this thread with the button
// that `choose` names (the first button when it answers 0), recording the
// box's caption in `captions`.
class TBoxAnswerer {
 public:
  explicit TBoxAnswerer(std::vector<std::string>& captions, std::function<int()> choose = nullptr);
  ~TBoxAnswerer();
  TBoxAnswerer(const TBoxAnswerer&) = delete;
  TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;

  // The box texts seen, in order.
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  static void Tick(HWND__* window, unsigned message, uintptr_t id, unsigned long time);
  void AnswerBoxes();

  std::vector<std::string>& captions_;
  std::vector<std::string> texts_;
  std::function<int()> choose_;
  uintptr_t timer_ = 0;
};
