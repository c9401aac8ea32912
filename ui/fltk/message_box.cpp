#include "ui/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include "ui/fltk/draw.h"

#include <algorithm>

#include "ui/encoding.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/widgets.h"
#include "ui/platform.h"

namespace {

// In layout pixels; the box is drawn at the platform's scale.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;
constexpr int kTextSize = 12;
constexpr int kMinWidth = 160;

enum class TIcon { None, Error, Question, Warning, Information };

TIcon IconOf(uint32_t style) {
  switch (style & 0xF0) {
    case MbIconError: return TIcon::Error;
    case MbIconQuestion: return TIcon::Question;
    case MbIconWarning: return TIcon::Warning;
    case MbIconInformation: return TIcon::Information;
    default: return TIcon::None;
  }
}

const char* ButtonLabel(int id) {
  switch (id) {
    case IdOk: return "OK";
    case IdCancel: return "Cancel";
    case IdAbort: return "Abort";
    case IdRetry: return "Retry";
    case IdIgnore: return "Ignore";
    case IdYes: return "Yes";
    case IdNo: return "No";
    default: return "?";
  }
}

// Program text to what the box draws: UTF-8 with '\n' between lines.
std::string BoxText(const std::string& cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

class TBoxIcon : public Fl_Widget {
 public:
  TBoxIcon(int x, int y, TIcon icon) : Fl_Widget(x, y, Scaled(kIconSize), Scaled(kIconSize)), icon_(icon) {}

 protected:
  void draw() override {
    const int size = w(), cx = x() + size / 2, cy = y() + size / 2;
    const char* glyph = nullptr;
    switch (icon_) {
      case TIcon::Warning:
        fl_color(fl_rgb_color(250, 200, 30));
        fl_polygon(cx, y() + 1, x() + size - 1, y() + size - Scaled(3), x() + 1, y() + size - Scaled(3));
        fl_color(fl_rgb_color(150, 110, 0));
        fl_loop(cx, y() + 1, x() + size - 1, y() + size - Scaled(3), x() + 1, y() + size - Scaled(3));
        glyph = "!";
        break;
      case TIcon::Error:
        fl_color(fl_rgb_color(210, 40, 40));
        fl_pie(x() + 1, y() + 1, size - 2, size - 2, 0, 360);
        fl_color(FL_WHITE);
        fl_line_style(FL_SOLID | FL_CAP_ROUND, Scaled(4));
        fl_line(cx - Scaled(6), cy - Scaled(6), cx + Scaled(6), cy + Scaled(6));
        fl_line(cx - Scaled(6), cy + Scaled(6), cx + Scaled(6), cy - Scaled(6));
        fl_line_style(0);
        return;
      case TIcon::Question:
      case TIcon::Information:
        fl_color(fl_rgb_color(30, 100, 200));
        fl_pie(x() + 1, y() + 1, size - 2, size - 2, 0, 360);
        glyph = icon_ == TIcon::Question ? "?" : "i";
        break;
      case TIcon::None:
        return;
    }
    fl_font(SansFace(true), Scaled(20));
    fl_color(icon_ == TIcon::Warning ? FL_BLACK : FL_WHITE);
    const int width = static_cast<int>(fl_width(glyph) + 0.5);
    const int baseline = icon_ == TIcon::Warning ? y() + size - Scaled(6) : cy + (fl_height() / 2 - fl_descent());
    fl_draw(glyph, cx - width / 2, baseline);
  }

 private:
  TIcon icon_;
};

}  // namespace

TMessageBox::TMessageBox(const std::string& text, const std::string& caption, uint32_t style)
    : Fl_Double_Window(100, 100), text_(BoxText(text)), caption_(Cp1251ToUtf8(caption)), style_(style),
      ids_(BoxButtons(style)) {
  copy_label(caption_.c_str());
  color(FL_WHITE);

  const int margin = Scaled(kMargin), iconSize = Scaled(kIconSize), buttonWidth = Scaled(kButtonWidth);
  const int buttonHeight = Scaled(kButtonHeight), buttonGap = Scaled(kButtonGap), textSize = Scaled(kTextSize);
  // Measure the text at the box's font, wrapped where a line is too long.
  fl_font(SansFace(), textSize);
  int textW = 0, textH = 0;
  fl_measure(text_.c_str(), textW, textH, 0);
  if (textW > Scaled(kMaxTextWidth)) {
    textW = Scaled(kMaxTextWidth);
    fl_measure(text_.c_str(), textW, textH, 0);
  }
  textH = std::max(textH, fl_height());

  const TIcon icon = IconOf(style);
  const int textX = margin + (icon == TIcon::None ? 0 : iconSize + margin);
  const int contentH = std::max(textH, icon == TIcon::None ? 0 : iconSize);
  const int textY = margin + (contentH - textH) / 2;
  const int buttonsW = static_cast<int>(ids_.size()) * (buttonWidth + buttonGap) - buttonGap;
  const int width = std::max({textX + textW + margin, buttonsW + 2 * margin, Scaled(kMinWidth)});
  const int buttonsY = margin + contentH + margin + Scaled(4);
  const int height = buttonsY + buttonHeight + Scaled(10);
  size(width, height);

  begin();
  if (icon != TIcon::None) new TBoxIcon(margin, margin + (contentH - iconSize) / 2, icon);
  auto* textBox = new TLabelWidget(textX, textY, textW + Scaled(2), textH);
  textBox->copy_label(text_.c_str());
  textBox->labelfont(SansFace());
  textBox->labelsize(textSize);
  textBox->labelcolor(FL_BLACK);
  textBox->color(FL_WHITE);
  // Buttons sit on the usual grey band along the bottom.
  auto* band = new Fl_Box(0, buttonsY - Scaled(10), width, height - buttonsY + Scaled(10));
  band->box(FL_FLAT_BOX);
  band->color(FL_BACKGROUND_COLOR);
  int left = (width - buttonsW) / 2;
  for (int id : ids_) {
    auto* b = new Fl_Button(left, buttonsY, buttonWidth, buttonHeight, ButtonLabel(id));
    b->labelfont(SansFace());
    b->labelsize(textSize);
    b->callback(&TMessageBox::Pressed);
    buttons_.push_back(b);
    left += buttonWidth + buttonGap;
  }
  end();
  callback(&TMessageBox::CloseAsked, this);
  set_modal();
}

TMessageBox::~TMessageBox() = default;

Fl_Button* TMessageBox::ButtonFor(int id) const {
  for (size_t i = 0; i < ids_.size(); ++i)
    if (ids_[i] == id) return buttons_[i];
  return nullptr;
}

void TMessageBox::Pressed(Fl_Widget* w, void*) {
  auto* box = static_cast<TMessageBox*>(w->window());
  for (size_t i = 0; i < box->buttons_.size(); ++i)
    if (box->buttons_[i] == w) box->Answer(box->ids_[i]);
}

void TMessageBox::CloseAsked(Fl_Widget*, void* data) {
  auto* box = static_cast<TMessageBox*>(data);
  if (box->ButtonFor(IdCancel))
    box->Answer(IdCancel);
  else if (box->ids_.size() == 1 && box->ids_[0] == IdOk)
    box->Answer(IdOk);
}

void TMessageBox::Answer(int id) {
  answer_ = id;
  hide();
}

int TMessageBox::handle(int event) {
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    Fl_Widget* focused = Fl::focus();
    for (Fl_Button* b : buttons_) {
      if (b == focused) {
        b->do_callback();
        return 1;
      }
    }
    if (!buttons_.empty()) buttons_.front()->do_callback();
    return 1;
  }
  return Fl_Double_Window::handle(event);
}

int TMessageBox::Run(Fl_Window* owner) {
  if (owner && owner->shown()) {
    position(owner->x() + (owner->w() - w()) / 2, owner->y() + (owner->h() - h()) / 2);
  } else {
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    position(sx + (sw - w()) / 2, sy + (sh - h()) / 2);
  }
  answer_ = 0;
  show();
  if (!buttons_.empty()) buttons_.front()->take_focus();
  while (shown()) Fl::wait();
  return answer_ ? answer_ : (ids_.empty() ? IdOk : ids_.front());
}

int RunMessageBox(Fl_Window* owner, const std::string& text, const std::string& caption, uint32_t style) {
  Fl_Group::current(nullptr);
  TMessageBox box(text, caption, style);
  return box.Run(owner);
}
