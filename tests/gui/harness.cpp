#include "gui/harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "runtime/data.h"
#include "runtime/scheme_lock.h"
#include "ui/encoding.h"
#include "ui/fltk/control.h"
#include "ui/fltk/message_box.h"
#include "ui/scale.h"
#include "ui/fltk/tab_strip.h"
#include "ui/main_form.h"
#include "ui/program.h"
#include "ui/tab_control.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/x.H>
#include "ui/fltk/draw.h"

namespace {

TFltkControl* AsFltk(TControl* c) { return static_cast<TFltkControl*>(c); }

}  // namespace

void InjectMove(Fl_Window& w, int x, int y) {
  Fl::e_x = x;
  Fl::e_y = y;
  Fl::e_x_root = w.x() + x;
  Fl::e_y_root = w.y() + y;
  Fl::e_state = 0;
  Fl::handle(FL_MOVE, &w);
}

namespace {

// A press and release of one mouse button at (x, y), as FLTK delivers them.
void InjectButton(Fl_Window& w, int x, int y, int button, int state) {
  InjectMove(w, x, y);
  Fl::e_keysym = FL_Button + button;
  Fl::e_clicks = 0;
  Fl::e_is_click = 1;
  Fl::e_state = state;
  Fl::handle(FL_PUSH, &w);
  Fl::e_state = 0;
  Fl::e_x = x;
  Fl::e_y = y;
  Fl::handle(FL_RELEASE, &w);
}

}  // namespace

void InjectClick(Fl_Window& w, int x, int y) { InjectButton(w, x, y, FL_LEFT_MOUSE, FL_BUTTON1); }

void InjectRightClick(Fl_Window& w, int x, int y) { InjectButton(w, x, y, FL_RIGHT_MOUSE, FL_BUTTON3); }

namespace {

int g_menu_line = -1;

// Once the menu is up (it grabs the pointer): down to the line and Enter,
// or Escape.
void AnswerMenu(void*) {
  Fl_Window* menu = Fl::grab();
  if (!menu || !menu->shown()) {
    Fl::repeat_timeout(0.02, &AnswerMenu);
    return;
  }
  if (g_menu_line < 0) {
    InjectKey(*menu, FL_Escape, "\x1b");
    return;
  }
  for (int i = 0; i <= g_menu_line; ++i) InjectKey(*menu, FL_Down);
  InjectKey(*menu, FL_Enter, "\r");
}

}  // namespace

void AnswerNextMenu(int line) {
  g_menu_line = line;
  Fl::remove_timeout(&AnswerMenu);
  Fl::add_timeout(0.02, &AnswerMenu);
}

void InjectKey(Fl_Window& target, int keysym, const std::string& text, int state) {
  static char buffer[16];
  std::strncpy(buffer, text.c_str(), sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  Fl::e_keysym = keysym;
  Fl::e_state = state;
  Fl::e_text = buffer;
  Fl::e_length = static_cast<int>(std::strlen(buffer));
  Fl::handle(FL_KEYBOARD, &target);
  Fl::handle(FL_KEYUP, &target);
  Fl::e_state = 0;
  Fl::e_length = 0;
  buffer[0] = '\0';
}

// --- The session ---------------------------------------------------------------

int TGuiSession::Run(const TMainFactory& factory, const std::vector<std::string>& args, const TScript& script,
                     std::deque<int> answers, std::vector<TSeenBox>* boxes, TInputStore* inputs) {
  TFltkPlatform platform;
  // "--scale N" as the program takes it; the virtual display's own is 1.
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TGuiSession session(platform);
  session.script_ = script;
  session.Answers = std::move(answers);
  const TMainFactory remembering = [&session, &factory]() {
    std::unique_ptr<TMainScheme> scheme = factory ? factory() : nullptr;
    session.scheme_ = scheme.get();
    return scheme;
  };
  // Boxes may come before the loop (the "/ih" box) and inside any step.
  Fl::add_timeout(0.0, &TGuiSession::WatchBoxes, &session);
  Fl::add_timeout(0.0, &TGuiSession::Start, &session);
  const int status = RunProgram(platform, args, remembering, inputs);
  Fl::remove_timeout(&TGuiSession::WatchBoxes, &session);
  Fl::remove_timeout(&TGuiSession::Start, &session);
  if (boxes) *boxes = session.Boxes;
  return status;
}

void TGuiSession::Start(void* data) {
  auto* s = static_cast<TGuiSession*>(data);
  if (!s->scheme_) return;
  s->WaitMapped();
  s->Settle();
  if (s->script_) s->script_(*s);
  s->Settle();
  s->CloseWindow();
}

Fl_Window& TGuiSession::Window() const { return *AsFltk(scheme_->Form()->Control())->Window(); }

void TGuiSession::WatchBoxes(void* data) {
  auto* s = static_cast<TGuiSession*>(data);
  auto* box = dynamic_cast<TMessageBox*>(Fl::modal());
  if (!box || !box->shown()) {
    s->open_box_ = nullptr;
  } else {
    if (box != s->open_box_) {
      s->open_box_ = box;
      TSeenBox seen;
      seen.Caption = box->Caption();
      seen.Text = box->Text();
      seen.Style = box->Style();
      if (s->scheme_ && s->scheme_->Form() && s->scheme_->Form()->Control()) {
        Fl_Window& main = s->Window();
        const int dx = box->x() + box->w() / 2 - (main.x() + main.w() / 2);
        const int dy = box->y() + box->h() / 2 - (main.y() + main.h() / 2);
        ::Window owner = 0;
        seen.OverMainWindow = main.shown() && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
        seen.OwnedByMainWindow = main.shown() && XGetTransientForHint(fl_display, fl_xid(box), &owner) &&
                                 owner == fl_xid(&main);
      }
      s->Boxes.push_back(seen);
    }
    if (!s->BoxKeys.empty()) {
      // One key per turn; the box answers or stays open.
      const int key = s->BoxKeys.front();
      s->BoxKeys.pop_front();
      s->PressKey(key, key == FL_Escape ? "\x1b" : key == FL_Enter ? "\r" : "");
    } else {
      int wanted = box->ButtonIds().front();
      if (!s->Answers.empty()) {
        wanted = s->Answers.front();
        s->Answers.pop_front();
      }
      Fl_Button* button = box->ButtonFor(wanted);
      if (!button) {
        ADD_FAILURE() << "the box \"" << box->Text() << "\" has no button " << wanted;
        button = box->ButtonFor(box->ButtonIds().front());
      }
      InjectClick(*box, button->x() + button->w() / 2, button->y() + button->h() / 2);
    }
    if (!box->shown()) s->open_box_ = nullptr;
  }
  Fl::repeat_timeout(0.01, &TGuiSession::WatchBoxes, data);
}

// --- Reading ---------------------------------------------------------------------

std::string TGuiSession::Shown(const TAddress& a) const {
  TControl* c = Find(a);
  if (!c) {
    ADD_FAILURE() << "no control at " << AddressText(a);
    return std::string();
  }
  Fl_Widget* w = AsFltk(c)->Widget();
  switch (c->Kind()) {
    case TControlKind::Edit:
      return static_cast<Fl_Input*>(w)->value();
    case TControlKind::EditList:
      return static_cast<Fl_Input_Choice*>(w)->value();
    case TControlKind::PickList: {
      const char* text = static_cast<Fl_Choice*>(w)->text();
      return text ? text : "";
    }
    default:
      return w->label() ? w->label() : "";
  }
}

std::vector<int> TGuiSession::VisiblePages() const {
  std::vector<int> shown;
  for (int i = 0; i < scheme_->PageCount(); ++i) {
    TControl* box = scheme_->PageBox(i);
    if (box && AsFltk(box)->Widget()->visible_r()) shown.push_back(i);
  }
  return shown;
}

bool TGuiSession::OnScreen(TControl* c) const { return AsFltk(c)->Widget()->visible_r(); }

bool TGuiSession::Enabled(TControl* c) const { return AsFltk(c)->Widget()->active_r(); }

// --- Events ----------------------------------------------------------------------

void TGuiSession::Click(TControl* c) {
  if (!Usable(c, "the control clicked")) return;
  Fl_Widget* w = AsFltk(c)->Widget();
  InjectClick(*w->window(), w->x() + w->w() / 2, w->y() + w->h() / 2);
  Settle();
}

void TGuiSession::Hover(TControl* c) {
  if (!Usable(c, "the control hovered")) return;
  Fl_Widget* w = AsFltk(c)->Widget();
  InjectMove(*w->window(), w->x() + w->w() / 2, w->y() + w->h() / 2);
  Settle();
}

void TGuiSession::MoveAway() {
  // The form's own border, outside every control.
  InjectMove(Window(), 1, 1);
  Settle();
}

void TGuiSession::SelectTab(int index) {
  TControl* strip = scheme_->Tabs() ? scheme_->Tabs()->Control() : nullptr;
  if (!Usable(strip, "the tab strip")) return;
  auto* tabs = static_cast<TTabs*>(AsFltk(strip)->Widget());
  if (index < 0 || index >= tabs->Count()) {
    ADD_FAILURE() << "no tab " << index;
    return;
  }
  // Scroll with the arrows until the tab is in view, as a user would.
  int x, y, w, h;
  for (int guard = 0; !tabs->TabArea(index, x, y, w, h) && guard < 2 * tabs->Count(); ++guard) {
    const bool forward = index >= tabs->FirstShown();
    int ax, ay, aw, ah;
    if (!tabs->ArrowArea(forward, ax, ay, aw, ah)) break;
    InjectClick(Window(), ax + aw / 2, ay + ah / 2);
  }
  if (!tabs->TabArea(index, x, y, w, h)) {
    ADD_FAILURE() << "tab " << index << " cannot be scrolled into view";
    return;
  }
  InjectClick(Window(), x + w / 2, y + h / 2);
  Settle();
}

void TGuiSession::ScrollTabs(bool forward) {
  TControl* strip = scheme_->Tabs() ? scheme_->Tabs()->Control() : nullptr;
  if (!Usable(strip, "the tab strip")) return;
  auto* tabs = static_cast<TTabs*>(AsFltk(strip)->Widget());
  int x, y, w, h;
  if (!tabs->ArrowArea(forward, x, y, w, h)) {
    ADD_FAILURE() << "the tab strip has no arrows";
    return;
  }
  InjectClick(Window(), x + w / 2, y + h / 2);
  Settle();
}

void TGuiSession::PressKey(int keysym, const std::string& text, int state) {
  InjectKey(Fl::modal() ? *Fl::modal() : Window(), keysym, text, state);
}

void TGuiSession::Menu(const TAddress& a, int line) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  Fl_Widget* w = AsFltk(c)->Widget();
  AnswerNextMenu(line);
  InjectRightClick(*w->window(), w->x() + w->w() / 2, w->y() + w->h() / 2);
  Fl::remove_timeout(&AnswerMenu);
  Settle();
}

void TGuiSession::Select(const TAddress& a, int from, int count) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  Click(c);
  PressKey(FL_Home);
  for (int i = 0; i < from; ++i) PressKey(FL_Right);
  for (int i = 0; i < count; ++i) PressKey(FL_Right, "", FL_SHIFT);
  Settle();
}

void TGuiSession::CopyKey() {
  PressKey('c', "\x03", FL_CTRL);
  Settle();
}

void TGuiSession::Type(const TAddress& a, const std::string& text) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  Click(c);
  PressKey(FL_End);
  for (size_t i = 0; i < text.size();) {
    // One UTF-8 character per key.
    size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    const unsigned char first = static_cast<unsigned char>(text[i]);
    PressKey(first < 0x80 ? first : 0, text.substr(i, n));
    i += n;
  }
  Settle();
}

void TGuiSession::Replace(const TAddress& a, const std::string& text) {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return;
  Click(c);
  PressKey('a', "\x01", FL_CTRL);
  if (text.empty()) {
    PressKey(FL_BackSpace, "\b");
  } else {
    for (size_t i = 0; i < text.size();) {
      size_t n = 1;
      while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
      const unsigned char first = static_cast<unsigned char>(text[i]);
      PressKey(first < 0x80 ? first : 0, text.substr(i, n));
      i += n;
    }
  }
  Settle();
}

void TGuiSession::PressMenuKeys(void* data) {
  auto* s = static_cast<TGuiSession*>(data);
  Fl_Window* menu = Fl::grab();
  if (!menu) {
    ADD_FAILURE() << "the list did not open";
    return;
  }
  const int steps = s->menu_steps_;
  for (int i = 0; i < (steps < 0 ? -steps : steps); ++i) s->PressKey(steps < 0 ? FL_Up : FL_Down);
  s->PressKey(FL_Enter, "\r");
}

void TGuiSession::Pick(const TAddress& a, int line) {
  TControl* c = ListWithLine(a, line);
  if (!c) return;
  Fl_Widget* opener = AsFltk(c)->Widget();
  int current = -1;
  if (c->Kind() == TControlKind::PickList) {
    current = static_cast<Fl_Choice*>(opener)->value();
  } else {
    // The list button at the right end of the field opens the lines.
    opener = static_cast<Fl_Input_Choice*>(opener)->menubutton();
  }
  // The menu starts on the shown line (none for the field's button).
  menu_steps_ = line - current;
  Fl::add_timeout(0.0, &TGuiSession::PressMenuKeys, this);
  InjectClick(*opener->window(), opener->x() + opener->w() / 2, opener->y() + opener->h() / 2);
  Fl::remove_timeout(&TGuiSession::PressMenuKeys, this);
  Settle();
}

void TGuiSession::CloseWindow() {
  if (!scheme_ || !scheme_->Form() || !scheme_->Form()->Control()) return;
  Fl_Window& w = Window();
  if (w.shown()) Fl::handle(FL_CLOSE, &w);
}

void TGuiSession::Settle() {
  for (int i = 0; i < 4; ++i) Fl::check();
  Fl::flush();
}

void TGuiSession::WaitForWorkers() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  // What the last steps posted is shown within a turn period after them.
  while ((BusyWorkers() > 0 || platform_.WorkQueued()) && std::chrono::steady_clock::now() < deadline)
    Fl::wait(0.01);
  EXPECT_EQ(BusyWorkers(), 0) << "a worker was still busy after 30 s";
  Settle();
}

void TGuiSession::WaitMapped() {
  Fl_Window& win = Window();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    XWindowAttributes attributes{};
    if (win.shown() && XGetWindowAttributes(fl_display, fl_xid(&win), &attributes) &&
        attributes.map_state == IsViewable)
      break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ADD_FAILURE() << "the main window was not mapped within 10 s";
      return;
    }
    Fl::wait(0.01);
  }
}

std::vector<uint8_t> TGuiSession::Capture(int& w, int& h) {
  WaitMapped();
  // Everything drawn afresh and on the server before it is read back.
  Window().redraw();
  return ReadWindow(w, h);
}

std::vector<uint8_t> TGuiSession::CaptureAsShown(int& w, int& h) {
  WaitMapped();
  return ReadWindow(w, h);
}

std::vector<uint8_t> TGuiSession::ReadWindow(int& w, int& h) {
  Fl_Window& win = Window();
  Settle();
  XSync(fl_display, False);
  w = win.w();
  h = win.h();
  win.make_current();
  uchar* pixels = fl_read_image(nullptr, 0, 0, w, h);
  std::vector<uint8_t> out;
  if (pixels) out.assign(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
  delete[] pixels;
  return out;
}
