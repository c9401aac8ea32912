// The FLTK widgets behind the controls. Every widget is a TWidget<Base>: a
// stock FLTK class whose events go first to the control that owns it (set
// as the widget's user_data; none after the control let go), which turns
// them into notifications and calls the stock handling where it belongs.
// The custom widgets here draw what FLTK has no widget for: labels with
// underlined text, the schematic area, group frames, bevelled panels and
// the table's cells.
// Window thread only.
#pragma once

#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Table.H>
#include <FL/Fl_Widget.H>
#include "ui/fltk/draw.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/bitmap.h"

class TFltkControl;

using TBaseHandle = int (*)(Fl_Widget&, int);
// Implemented by the control: answers what handle() answers.
int RouteEvent(TFltkControl& control, Fl_Widget& widget, int event, TBaseHandle base);

template <class Base>
class TWidget : public Base {
 public:
  template <class... Args>
  explicit TWidget(Args... args) : Base(args...) {}

  int handle(int event) override {
    auto* control = static_cast<TFltkControl*>(this->user_data());
    return control ? RouteEvent(*control, *this, event, &CallBase) : Base::handle(event);
  }

 private:
  static int CallBase(Fl_Widget& w, int event) { return static_cast<TWidget&>(w).Base::handle(event); }
};

// Text look shared by the widgets that draw text themselves.
struct TTextLook {
  bool Underline = false;
  bool StrikeOut = false;
};

// Draws `text` (UTF-8, '\n' between lines) in the current font and colour,
// each line aligned left, centred or right (0, 1, 2) in x..x+w from the top
// y, underlined or struck out as `look` says. No '@' symbols, no '&'.
void DrawTextLines(const char* text, int x, int y, int w, int alignment, const TTextLook& look);

// A static text: background of color(), text in labelfont/labelsize/
// labelcolor, clipped to the widget.
class TLabelWidget : public TWidget<Fl_Widget> {
 public:
  TLabelWidget(int x, int y, int w, int h) : TWidget<Fl_Widget>(x, y, w, h) {}
  TTextLook Look;
  int Alignment = 0;

 protected:
  void draw() override;
};

// The image area: its colour as background, then the picture at its place
// (relative to the widget), clipped to the widget. The picture is rendered
// at its place's size when it is first drawn (RenderPicture) and kept
// there, so a hidden page's schematic costs nothing until it is shown.
class TPictureWidget : public TWidget<Fl_Widget> {
 public:
  TPictureWidget(int x, int y, int w, int h) : TWidget<Fl_Widget>(x, y, w, h) {}
  ~TPictureWidget() override;
  void SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest);

 protected:
  void draw() override;

 private:
  void DropRendered();

  std::shared_ptr<const TRgbImage> source_;
  TRect dest_;
  Fl_Offscreen rendered_ = 0;
  bool tried_ = false;  // rendered_ was asked for (none when it cannot be had)
};

// The scale of the installed platform (1 without one), for what the
// widgets draw by themselves: margins, arrows, edges.
double DrawScale();
// `v` layout pixels at the drawing scale.
int Scaled(int v);

// A pick-only drop-down list drawn like the editable one: the shown line
// in the field, and a button with a down arrow at its right end.
class TPickChoice : public Fl_Choice {
 public:
  TPickChoice(int x, int y, int w, int h) : Fl_Choice(x, y, w, h) {}
  // The button's width in layout pixels, and on screen.
  static constexpr int kButtonWidth = 20;
  int ButtonWidth = kButtonWidth;

 protected:
  void draw() override;
};

// A container: children move with it and keep their size; arrows and Tab
// do not move the focus between its children (the form decides that).
template <class Base>
class TContainer : public TWidget<Base> {
 public:
  template <class... Args>
  explicit TContainer(Args... args) : TWidget<Base>(args...) {
    this->end();
    this->resizable(nullptr);
  }
};

// A group box: an etched frame whose top edge runs through the middle of
// the caption's line.
class TFrameGroup : public TContainer<Fl_Group> {
 public:
  TFrameGroup(int x, int y, int w, int h) : TContainer<Fl_Group>(x, y, w, h) {}

 protected:
  void draw() override;
};

// A panel: outer and inner bevels (0 raised, 1 lowered, anything else
// none) of the edge width, the border width between them, and an optional
// caption in the middle.
class TPanelGroup : public TContainer<Fl_Group> {
 public:
  TPanelGroup(int x, int y, int w, int h) : TContainer<Fl_Group>(x, y, w, h) {}
  int Outer = 0, Inner = 0, EdgeWidth = 1, BorderWidth = 0;
  int Inset = 4;  // between the caption and the sides
  int Alignment = 1;

 protected:
  void draw() override;
};

// A read-only table: headings on raised button-face cells, rows of texts
// on color() in labelfont/labelsize/labelcolor with light grid lines, the
// selected row in the selection colour while the table has the focus and
// in a pale one otherwise. The widget draws and scrolls; what the mouse
// and the keys select is the control's business. Texts are UTF-8, widths
// in screen pixels.
class TTableWidget : public TWidget<Fl_Table> {
 public:
  struct TColumn {
    std::string Heading;
    int Width = 0;
    int Alignment = 0;  // 0 left, 1 centre, 2 right
  };
  TTableWidget(int x, int y, int w, int h);

  void SetColumns(std::vector<TColumn> columns);
  void SetRows(std::vector<std::vector<std::string>> rows);
  // Selects `row` (-1: none) and scrolls it into view.
  void Select(int row);
  int Selected() const { return selected_; }
  // Row and heading heights follow labelfont and labelsize.
  void FontChanged();
  // The row under the mouse of the current event, -1 over none; whether
  // the event is on a scrollbar.
  int RowAtEvent();
  bool EventOnScrollbar() const;
  // Whole rows shown at once, at least 1.
  int PageRows() const;
  int RowHeight() const { return row_height_; }
  // Where the cell is in the window; false outside the table.
  bool CellPlace(int row, int column, int& x, int& y, int& w, int& h);

 protected:
  void draw() override;
  void draw_cell(TableContext context, int row, int column, int x, int y, int w, int h) override;

 private:
  void DrawText(const std::string& text, int alignment, int x, int y, int w, int h);

  std::vector<TColumn> columns_;
  std::vector<std::vector<std::string>> rows_;
  int selected_ = -1;
  int row_height_ = 17;
};

// Implemented by the control: the window of a form was moved or resized.
void NotifyGeometry(TFltkControl& control, bool moved, bool resized);

// The top-level window of a form.
class TFormWindow : public TContainer<Fl_Double_Window> {
 public:
  TFormWindow(int w, int h) : TContainer<Fl_Double_Window>(w, h) {}
  void resize(int x, int y, int w, int h) override;
};
