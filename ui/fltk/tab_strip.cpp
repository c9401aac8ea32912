#include "ui/fltk/tab_strip.h"

#include <FL/Fl.H>
#include "ui/fltk/draw.h"

#include <algorithm>

#include "ui/scale.h"

namespace {

// In layout pixels:
constexpr int kPadding = 6;   // between a caption and its tab's sides
constexpr int kRaise = 2;     // how much larger the selected tab is drawn
constexpr int kInset = 2;     // left end of the first tab
constexpr int kGap = 7;       // the caption row's height beyond the font's
constexpr int kArrow = 2;     // half the depth of a scroll arrow's glyph
// The damage bit of a change to the caption row only.
constexpr uchar kDamageHeader = FL_DAMAGE_USER1;

Fl_Color Shadow() { return fl_rgb_color(160, 160, 160); }
Fl_Color DarkShadow() { return fl_rgb_color(105, 105, 105); }

}  // namespace

void TTabs::SetTabs(const std::vector<std::string>& captions) {
  captions_ = captions;
  selected_ = -1;
  first_ = 0;
  redraw();
}

void TTabs::SetScale(double scale) {
  padding_ = ScaleLength(kPadding, scale);
  raise_ = ScaleLength(kRaise, scale);
  inset_ = ScaleLength(kInset, scale);
  gap_ = ScaleLength(kGap, scale);
  arrow_ = ScaleLength(kArrow, scale);
  redraw();
}

void TTabs::Select(int index) {
  if (index < 0 || index >= Count()) return;
  selected_ = index;
  ScrollInto(index);
  RedrawHeader();
}

void TTabs::RedrawHeader() { damage(kDamageHeader); }

int TTabs::HeaderHeight() const {
  fl_font(labelfont(), labelsize());
  return fl_height() + gap_;
}

std::vector<int> TTabs::Widths() const {
  fl_font(labelfont(), labelsize());
  std::vector<int> widths;
  for (const std::string& c : captions_) widths.push_back(static_cast<int>(fl_width(c.c_str()) + 0.5) + 2 * padding_);
  return widths;
}

bool TTabs::Overflows(const std::vector<int>& widths) const {
  int total = 0;
  for (int width : widths) total += width;
  return total > w() - 2 * inset_ - raise_;
}

int TTabs::TabsRight(const std::vector<int>& widths) const {
  if (!Overflows(widths)) return x() + w() - inset_;
  return x() + w() - 2 * (HeaderHeight() - 3) - inset_;
}

int TTabs::LastFirst(const std::vector<int>& widths) const {
  // The smallest first tab that still shows the last one whole.
  const int room = TabsRight(widths) - (x() + inset_) - raise_;
  int used = 0;
  int first = Count();
  while (first > 0 && used + widths[static_cast<size_t>(first - 1)] <= room) used += widths[static_cast<size_t>(--first)];
  return std::min(first, std::max(0, Count() - 1));
}

void TTabs::ScrollInto(int index) {
  // The first tab shows from the first: nothing to measure (a strip gets
  // its first selection before its font).
  if (index == 0) {
    first_ = 0;
    return;
  }
  const std::vector<int> widths = Widths();
  if (!Overflows(widths)) {
    first_ = 0;
    return;
  }
  if (index < first_) first_ = index;
  int tx, ty, tw, th;
  while (first_ < index && !TabArea(index, tx, ty, tw, th)) ++first_;
  first_ = std::min(first_, LastFirst(widths));
}

bool TTabs::TabArea(int index, int& tx, int& ty, int& tw, int& th) const {
  if (index < first_ || index >= Count()) return false;
  const std::vector<int> widths = Widths();
  int left = x() + inset_;
  for (int i = first_; i < index; ++i) left += widths[static_cast<size_t>(i)];
  tx = left;
  ty = y() + raise_;
  tw = widths[static_cast<size_t>(index)];
  th = HeaderHeight() - raise_;
  return left + tw <= TabsRight(widths);
}

bool TTabs::ArrowArea(bool forward, int& ax, int& ay, int& aw, int& ah) const {
  const std::vector<int> widths = Widths();
  if (!Overflows(widths)) return false;
  const int size = HeaderHeight() - 3;
  ax = x() + w() - (forward ? size : 2 * size);
  ay = y() + 1;
  aw = ah = size;
  return true;
}

int TTabs::handle(int event) {
  switch (event) {
    case FL_PUSH: {
      if (Fl::event_button() != FL_LEFT_MOUSE) return 0;
      if (Fl::event_y() >= y() + HeaderHeight()) return 0;
      int ax, ay, aw, ah;
      const std::vector<int> widths = Widths();
      for (bool forward : {false, true}) {
        if (ArrowArea(forward, ax, ay, aw, ah) && Fl::event_inside(ax, ay, aw, ah)) {
          const int moved = std::max(0, std::min(LastFirst(widths), first_ + (forward ? 1 : -1)));
          if (moved != first_) {
            first_ = moved;
            RedrawHeader();
          }
          return 1;
        }
      }
      const int right = TabsRight(widths);
      int left = x() + inset_;
      for (int i = first_; i < Count() && left < right; ++i) {
        const int width = widths[static_cast<size_t>(i)];
        if (Fl::event_x() >= left && Fl::event_x() < std::min(left + width, right)) {
          if (i != selected_) {
            Select(i);
            do_callback();
          }
          return 1;
        }
        left += width;
      }
      return 1;
    }
    case FL_RELEASE:
      return 1;
    default:
      return Fl_Widget::handle(event);
  }
}

void TTabs::DrawArrow(int ax, int ay, int size, bool forward, bool enabled) const {
  fl_draw_box(FL_UP_BOX, ax, ay, size, size, color());
  fl_color(enabled ? FL_BLACK : Shadow());
  const int cx = ax + size / 2, cy = ay + size / 2;
  if (forward)
    fl_polygon(cx - arrow_, cy - 2 * arrow_, cx - arrow_, cy + 2 * arrow_, cx + arrow_, cy);
  else
    fl_polygon(cx + arrow_, cy - 2 * arrow_, cx + arrow_, cy + 2 * arrow_, cx - arrow_, cy);
}

void TTabs::draw() {
  // Drawn on its own (not as part of the whole window), the strip keeps to
  // its caption row: whatever lies over the body stays as it is.
  if (damage() == kDamageHeader) {
    fl_push_clip(x(), y(), w(), HeaderHeight() + 1);
    DrawHeader();
    fl_pop_clip();
    return;
  }
  DrawBody();
  DrawHeader();
}

void TTabs::DrawBody() {
  const int header = HeaderHeight();
  fl_rectf(x(), y() + header, w(), h() - header, color());
  // Highlight on the top and left, shadows on the bottom and right.
  const int top = y() + header, bottom = y() + h() - 1, left = x(), right = x() + w() - 1;
  fl_color(FL_WHITE);
  fl_xyline(left, top, right - 1);
  fl_yxline(left, top, bottom - 1);
  fl_color(DarkShadow());
  fl_xyline(left, bottom, right);
  fl_yxline(right, top, bottom);
  fl_color(Shadow());
  fl_xyline(left + 1, bottom - 1, right - 1);
  fl_yxline(right - 1, top + 1, bottom - 1);
}

void TTabs::DrawHeader() {
  const int header = HeaderHeight();
  fl_rectf(x(), y(), w(), header, color());
  // The body's top line under the captions; the selected tab covers it.
  fl_color(FL_WHITE);
  fl_xyline(x(), y() + header, x() + w() - 2);
  const std::vector<int> widths = Widths();
  const int tabsRight = TabsRight(widths);
  fl_push_clip(x(), y(), tabsRight - x(), header + 1);
  fl_font(labelfont(), labelsize());
  int tabLeft = x() + inset_;
  for (int i = first_; i < Count() && tabLeft < tabsRight; ++i) {
    const int width = widths[static_cast<size_t>(i)];
    int tx = tabLeft, ty = y() + raise_, tw = width, th = header - raise_;
    const bool chosen = i == selected_;
    if (chosen) {
      tx -= raise_;
      tw += 2 * raise_;
      ty -= raise_;
      th += raise_ + 1;  // over the body's top line
    }
    fl_rectf(tx, ty, tw, th, color());
    fl_color(FL_WHITE);
    fl_yxline(tx, ty + 2, ty + th - 1);
    fl_line(tx, ty + 2, tx + 2, ty);
    fl_xyline(tx + 2, ty, tx + tw - 3);
    fl_color(DarkShadow());
    fl_line(tx + tw - 2, ty + 1, tx + tw - 1, ty + 2);
    fl_yxline(tx + tw - 1, ty + 2, ty + th - 1);
    fl_color(Shadow());
    fl_yxline(tx + tw - 2, ty + 2, ty + th - 1);
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    const std::string& caption = captions_[static_cast<size_t>(i)];
    const int textWidth = static_cast<int>(fl_width(caption.c_str()) + 0.5);
    const int baseline = ty + (th - fl_height()) / 2 + fl_height() - fl_descent() + (chosen ? 0 : 1);
    fl_draw(caption.c_str(), tx + (tw - textWidth) / 2, baseline);
    tabLeft += width;
  }
  fl_pop_clip();

  int ax, ay, aw, ah;
  if (ArrowArea(false, ax, ay, aw, ah)) DrawArrow(ax, ay, aw, false, first_ > 0);
  if (ArrowArea(true, ax, ay, aw, ah)) DrawArrow(ax, ay, aw, true, first_ < LastFirst(widths));
}
