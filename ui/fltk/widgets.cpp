#include "ui/fltk/widgets.h"

#include <FL/Fl.H>
#include "ui/fltk/draw.h"

#include <algorithm>
#include <string>

#include "ui/platform.h"
#include "ui/scale.h"

#include "ui/fltk/colors.h"
#include "ui/fltk/pictures.h"

double DrawScale() { return Platform() ? Platform()->Scale() : 1.0; }

int Scaled(int v) { return ScaleLength(v, DrawScale()); }

void DrawTextLines(const char* text, int x, int y, int w, int alignment, const TTextLook& look) {
  const int lineHeight = fl_height();
  const int descent = fl_descent();
  const char* line = text;
  for (;;) {
    const char* end = line;
    while (*end && *end != '\n') ++end;
    const int n = static_cast<int>(end - line);
    const int width = static_cast<int>(fl_width(line, n) + 0.5);
    int left = x;
    if (alignment == 1) left = x + (w - width) / 2;
    else if (alignment == 2) left = x + w - width;
    const int baseline = y + lineHeight - descent;
    fl_draw(line, n, left, baseline);
    if (look.Underline && width > 0) fl_xyline(left, baseline + 1, left + width - 1);
    if (look.StrikeOut && width > 0) {
      const int middle = baseline - (lineHeight - descent) / 3;
      fl_xyline(left, middle, left + width - 1);
    }
    if (!*end) break;
    line = end + 1;
    y += lineHeight;
  }
}

void TLabelWidget::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_rectf(x(), y(), w(), h(), color());
  if (label() && *label()) {
    fl_font(labelfont(), labelsize());
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    DrawTextLines(label(), x(), y(), w(), Alignment, Look);
  }
  fl_pop_clip();
}

TPictureWidget::~TPictureWidget() { DropRendered(); }

void TPictureWidget::DropRendered() {
  if (rendered_) fl_delete_offscreen(rendered_);
  rendered_ = 0;
  tried_ = false;
}

void TPictureWidget::SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest) {
  DropRendered();
  source_ = std::move(picture);
  dest_ = dest;
  redraw();
}

void TPictureWidget::draw() {
  fl_push_clip(x(), y(), w(), h());
  fl_rectf(x(), y(), w(), h(), color());
  // Rendered once per picture and size: the widget keeps the result.
  if (source_ && !tried_) {
    rendered_ = RenderPicture(*source_, dest_.Width, dest_.Height);
    tried_ = true;
  }
  if (rendered_) fl_copy_offscreen(x() + dest_.Left, y() + dest_.Top, dest_.Width, dest_.Height, rendered_, 0, 0);
  fl_pop_clip();
}

void TPickChoice::draw() {
  draw_box(box(), color());
  const int bx = x() + w() - Fl::box_dx(box()) - ButtonWidth, by = y() + Fl::box_dy(box());
  const int bh = h() - Fl::box_dh(box());
  fl_draw_box(FL_UP_BOX, bx, by, ButtonWidth, bh, FL_BACKGROUND_COLOR);
  fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
  const int cx = bx + ButtonWidth / 2, cy = by + bh / 2, ax = Scaled(4), ay = Scaled(2);
  fl_polygon(cx - ax, cy - ay, cx + ax, cy - ay, cx, cy + ay);
  if (const Fl_Menu_Item* item = mvalue()) {
    const int tx = x() + Fl::box_dx(box()) + Scaled(3), tw = bx - tx - 1;
    fl_push_clip(tx, y(), tw, h());
    fl_font(textfont(), textsize());
    fl_color(active_r() ? textcolor() : fl_inactive(textcolor()));
    TTextLook plain;
    DrawTextLines(item->label(), tx, y() + (h() - fl_height()) / 2, tw, 0, plain);
    fl_pop_clip();
  }
  if (Fl::focus() == this) draw_focus(box(), x(), y(), w() - ButtonWidth, h());
}

namespace {

const Fl_Color kHighlight = FL_WHITE;

Fl_Color Shadow() { return fl_rgb_color(160, 160, 160); }

// One bevel of width `width` (0 raised, 1 lowered); answers how far inside
// it the next edge starts.
int DrawBevel(int x, int y, int w, int h, int style, int width) {
  if (style != 0 && style != 1) return 0;
  const Fl_Color topLeft = style == 0 ? kHighlight : Shadow();
  const Fl_Color bottomRight = style == 0 ? Shadow() : kHighlight;
  for (int i = 0; i < width && w - 2 * i > 1 && h - 2 * i > 1; ++i) {
    const int l = x + i, t = y + i, r = x + w - 1 - i, b = y + h - 1 - i;
    fl_color(topLeft);
    fl_xyline(l, t, r - 1);
    fl_yxline(l, t, b - 1);
    fl_color(bottomRight);
    fl_xyline(l, b, r);
    fl_yxline(r, t, b);
  }
  return width;
}

}  // namespace

void TFrameGroup::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    fl_rectf(x(), y(), w(), h(), color());
    fl_font(labelfont(), labelsize());
    const bool hasCaption = label() && *label();
    const int top = y() + (hasCaption ? fl_height() / 2 : fl_height() / 2 - 1);
    // Etched: a shadow line with a highlight just inside and below it.
    fl_color(Shadow());
    fl_rect(x(), top, w() - 1, y() + h() - top - 1);
    fl_color(kHighlight);
    fl_xyline(x() + 1, top + 1, x() + w() - 3);
    fl_yxline(x() + 1, top + 1, y() + h() - 3);
    fl_xyline(x(), y() + h() - 1, x() + w() - 1);
    fl_yxline(x() + w() - 1, top, y() + h() - 1);
    if (hasCaption) {
      const int width = static_cast<int>(fl_width(label()) + 0.5);
      fl_rectf(x() + Scaled(7), y(), width + Scaled(4), fl_height(), color());
      fl_color(labelcolor());
      DrawTextLines(label(), x() + Scaled(9), y(), width, 0, TTextLook());
    }
  }
  draw_children();
}

void TPanelGroup::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    fl_rectf(x(), y(), w(), h(), color());
    int inset = DrawBevel(x(), y(), w(), h(), Outer, EdgeWidth);
    inset += BorderWidth;
    DrawBevel(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset, Inner, EdgeWidth);
    if (label() && *label()) {
      fl_font(labelfont(), labelsize());
      fl_color(labelcolor());
      fl_push_clip(x(), y(), w(), h());
      DrawTextLines(label(), x() + Inset, y() + (h() - fl_height()) / 2, w() - 2 * Inset, Alignment, TTextLook());
      fl_pop_clip();
    }
  }
  draw_children();
}

void TFormWindow::resize(int x, int y, int w, int h) {
  const bool moved = x != this->x() || y != this->y();
  const bool resized = w != this->w() || h != this->h();
  TContainer<Fl_Double_Window>::resize(x, y, w, h);
  auto* control = static_cast<TFltkControl*>(user_data());
  if (control && (moved || resized)) NotifyGeometry(*control, moved, resized);
}

// --- The table ------------------------------------------------------------------

namespace {

// Grid lines between cells, a shade darker than the desktop's button face.
constexpr uint8_t kGridGrey = 218;
// The selected row of a table without the focus: a pale selection blue.
constexpr uint8_t kPaleSelection[3] = {205, 222, 243};

}  // namespace

TTableWidget::TTableWidget(int x, int y, int w, int h) : TWidget<Fl_Table>(x, y, w, h) {
  // The table leaves its scroll area open for children; this one has none.
  end();
  Fl_Group::current(nullptr);
  col_header(1);
  row_header(0);
  col_resize(0);
  row_resize(0);
  col_header_color(fl_rgb_color(kButtonFaceRgb[0], kButtonFaceRgb[1], kButtonFaceRgb[2]));
  box(FL_DOWN_FRAME);
  FontChanged();
}

void TTableWidget::SetColumns(std::vector<TColumn> columns) {
  columns_ = std::move(columns);
  cols(static_cast<int>(columns_.size()));
  for (size_t i = 0; i < columns_.size(); ++i) col_width(static_cast<int>(i), std::max(0, columns_[i].Width));
  redraw();
}

void TTableWidget::SetRows(std::vector<std::vector<std::string>> texts) {
  rows_ = std::move(texts);
  selected_ = -1;
  rows(static_cast<int>(rows_.size()));
  row_height_all(row_height_);
  row_position(0);
  redraw();
}

void TTableWidget::Select(int row) {
  selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
  if (selected_ >= 0) {
    if (selected_ < toprow)
      row_position(selected_);
    else if (selected_ >= toprow + PageRows())
      row_position(selected_ - PageRows() + 1);
  }
  redraw();
}

void TTableWidget::FontChanged() {
  fl_font(labelfont(), labelsize());
  row_height_ = fl_height() + Scaled(4);
  col_header_height(fl_height() + Scaled(6));
  row_height_all(row_height_);
  redraw();
}

int TTableWidget::RowAtEvent() {
  int row = -1, column = -1;
  ResizeFlag flag;
  if (cursor2rowcol(row, column, flag) != CONTEXT_CELL) return -1;
  return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

bool TTableWidget::EventOnScrollbar() const {
  return (vscrollbar->visible() && Fl::event_inside(vscrollbar)) ||
         (hscrollbar->visible() && Fl::event_inside(hscrollbar));
}

bool TTableWidget::CellPlace(int row, int column, int& x, int& y, int& w, int& h) {
  return find_cell(CONTEXT_CELL, row, column, x, y, w, h) == 0;
}

int TTableWidget::PageRows() const { return std::max(1, tih / std::max(1, row_height_)); }

void TTableWidget::draw() {
  Fl_Table::draw();
  // The heading strip runs on past the last column, as an empty heading.
  const int right = wix + wiw, used = tix - static_cast<int>(hscrollbar->value()) + table_w;
  if (cols() > 0 && used < right) {
    fl_push_clip(wix, wiy, wiw, col_header_height());
    fl_draw_box(FL_THIN_UP_BOX, used, wiy, right - used + Scaled(2), col_header_height(), col_header_color());
    fl_pop_clip();
  }
}

void TTableWidget::DrawText(const std::string& text, int alignment, int x, int y, int w, int h) {
  const int pad = Scaled(4);
  fl_push_clip(x + pad, y, std::max(0, w - 2 * pad), h);
  DrawTextLines(text.c_str(), x + pad, y + (h - fl_height()) / 2, w - 2 * pad, alignment, TTextLook());
  fl_pop_clip();
}

void TTableWidget::draw_cell(TableContext context, int row, int column, int x, int y, int w, int h) {
  switch (context) {
    case CONTEXT_STARTPAGE:
      fl_font(labelfont(), labelsize());
      return;
    case CONTEXT_COL_HEADER: {
      if (column < 0 || column >= static_cast<int>(columns_.size())) return;
      fl_push_clip(x, y, w, h);
      fl_draw_box(FL_THIN_UP_BOX, x, y, w, h, col_header_color());
      fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
      DrawText(columns_[static_cast<size_t>(column)].Heading, columns_[static_cast<size_t>(column)].Alignment, x, y, w, h);
      fl_pop_clip();
      return;
    }
    case CONTEXT_CELL: {
      if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= static_cast<int>(columns_.size()))
        return;
      fl_push_clip(x, y, w, h);
      const bool selected = row == selected_;
      const bool focused = Fl::focus() == this;
      Fl_Color background = color(), text = active_r() ? labelcolor() : fl_inactive(labelcolor());
      if (selected && focused) {
        background = FL_SELECTION_COLOR;
        text = fl_contrast(text, background);
      } else if (selected) {
        background = fl_rgb_color(kPaleSelection[0], kPaleSelection[1], kPaleSelection[2]);
      }
      fl_rectf(x, y, w, h, background);
      fl_color(fl_rgb_color(kGridGrey, kGridGrey, kGridGrey));
      fl_xyline(x, y + h - 1, x + w - 1);
      fl_yxline(x + w - 1, y, y + h - 1);
      fl_color(text);
      const std::vector<std::string>& cells = rows_[static_cast<size_t>(row)];
      if (column < static_cast<int>(cells.size()))
        DrawText(cells[static_cast<size_t>(column)], columns_[static_cast<size_t>(column)].Alignment, x, y, w, h);
      fl_pop_clip();
      return;
    }
    default:
      return;
  }
}
