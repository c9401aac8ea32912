// The modal message box: caption, an icon by the style (warning, error,
// question, information or none), the text (lines broken at CR, LF and
// CR LF, long lines wrapped) and the style's buttons, the first of which
// has the focus. Enter presses the focused button; Escape and the close box
// answer Cancel when there is one, OK when OK is the only button, and are
// ignored otherwise.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <cstdint>
#include <string>
#include <vector>

class TMessageBox : public Fl_Double_Window {
 public:
  // Texts in code page 1251.
  TMessageBox(const std::string& text, const std::string& caption, uint32_t style);
  ~TMessageBox() override;

  // Shows the box centred over `owner` (on the screen without one), modal,
  // and runs the loop until a button answers; answers its identifier.
  int Run(Fl_Window* owner);

  // What the box shows, in UTF-8, and its buttons' identifiers in order.
  const std::string& Text() const { return text_; }
  const std::string& Caption() const { return caption_; }
  uint32_t Style() const { return style_; }
  std::vector<int> ButtonIds() const { return ids_; }
  // The button answering `id`, or none.
  Fl_Button* ButtonFor(int id) const;

  int handle(int event) override;

 private:
  static void Pressed(Fl_Widget* w, void* box);
  static void CloseAsked(Fl_Widget* w, void*);
  void Answer(int id);

  std::string text_;
  std::string caption_;
  uint32_t style_;
  std::vector<int> ids_;
  std::vector<Fl_Button*> buttons_;
  int answer_ = 0;
};

// Shows a box and answers the pressed button (window thread only).
int RunMessageBox(Fl_Window* owner, const std::string& text, const std::string& caption, uint32_t style);
