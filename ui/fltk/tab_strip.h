// The tab strip: the captions across the top, the selected tab raised and
// joined to the body below it. Captions that do not fit scroll: two arrow
// buttons at the right end of the header move the first tab shown, and a
// tab the user picks is scrolled fully into view. Picking another tab
// calls the widget's callback; Select (the program's choice) does not.
// Scrolling and selecting repaint only the caption row: the pages lie over
// the body, and a repaint of the strip alone would cover them.
// Coordinates are the window's, like every FLTK widget's; the margins
// follow the scale the strip is given (ui/scale.h), the captions their font.
#pragma once

#include <FL/Fl_Widget.H>

#include <string>
#include <vector>

class TTabs : public Fl_Widget {
 public:
  TTabs(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}

  // Captions in UTF-8; the selection goes back to none.
  void SetTabs(const std::vector<std::string>& captions);
  int Count() const { return static_cast<int>(captions_.size()); }
  // -1 or out of range: nothing changes.
  void Select(int index);
  int Selected() const { return selected_; }
  int FirstShown() const { return first_; }
  void SetScale(double scale);

  // Height of the caption row; the body starts below it.
  int HeaderHeight() const;
  // Where tab `index` is drawn; false when any part of it is scrolled out.
  bool TabArea(int index, int& x, int& y, int& w, int& h) const;
  // The arrow button that scrolls forward (or back); false when the
  // captions fit and there are no arrows.
  bool ArrowArea(bool forward, int& x, int& y, int& w, int& h) const;

  int handle(int event) override;

 protected:
  void draw() override;

 private:
  std::vector<int> Widths() const;
  bool Overflows(const std::vector<int>& widths) const;
  int TabsRight(const std::vector<int>& widths) const;
  int LastFirst(const std::vector<int>& widths) const;
  void ScrollInto(int index);
  void DrawArrow(int x, int y, int size, bool forward, bool enabled) const;
  // Asks for the caption row alone to be drawn again.
  void RedrawHeader();
  void DrawHeader();
  void DrawBody();

  // The margins at the strip's scale.
  int padding_ = 6, raise_ = 2, inset_ = 2, gap_ = 7, arrow_ = 2;
  std::vector<std::string> captions_;
  int selected_ = -1;
  int first_ = 0;
};
