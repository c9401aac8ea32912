#include "ui/fltk/fltk_platform.h"

#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <fontconfig/fontconfig.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include "ui/fltk/draw.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "ui/encoding.h"
#include "ui/fltk/colors.h"
#include "ui/fltk/control.h"
#include "ui/fltk/events.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/message_box.h"
#include "ui/posix/posix_command.h"
#include "ui/scale.h"

namespace {

// The hint texts' size in layout pixels.
constexpr int kTooltipTextSize = 12;

bool TakesFocus(TControlKind k) {
  return k == TControlKind::Button || k == TControlKind::CheckBox || k == TControlKind::Edit ||
         k == TControlKind::PickList || k == TControlKind::EditList || k == TControlKind::Table;
}

// Tooltips are FLTK's own: each registered control's widget carries its text.
class TFltkTooltips : public TTooltips {
 public:
  void Add(TControl* c, const std::string& text) override {
    TTooltips::Add(c, text);
    static_cast<TFltkControl*>(c)->Widget()->copy_tooltip(Cp1251ToUtf8(text).c_str());
  }
  void Remove(TControl* c) override {
    TTooltips::Remove(c);
    static_cast<TFltkControl*>(c)->Widget()->copy_tooltip(nullptr);
  }
};

}  // namespace

TFltkPlatform::TFltkPlatform()
    : queue_([] { return Fl::awake(&TFltkPlatform::OnWake, nullptr) == 0; }) {
#ifdef __GLIBC__
  // One heap for every thread: the few a run makes allocate little, and
  // each would otherwise leave an arena of its own mostly empty.
  mallopt(M_ARENA_MAX, 1);
#endif
  // Fontconfig reads its whole configuration before the first text is
  // measured, some 4 ms of parsing; opening the display reads the input
  // method's compose table, longer still, so the two run side by side.
  // With a second thread the compose table's reads take the stream lock,
  // which costs less than the parsing it hides.
  std::thread fontconfig([] { FcInit(); });
  // Workers wake the loop with Fl::awake, which needs FLTK's lock set up
  // before any window is shown.
  Fl::lock();
  Fl::w();  // opens the display, which fonts and windows need
  fontconfig.join();
  // FLTK's own default faces are Liberation too, so no second family is
  // loaded for the texts FLTK draws by itself.
  Fl::set_font(FL_HELVETICA, Fl::get_font(SansFace()));
  Fl::set_font(FL_HELVETICA_BOLD, Fl::get_font(SansFace(true)));
  Fl::scheme("gtk+");
  Fl::background(kButtonFaceRgb[0], kButtonFaceRgb[1], kButtonFaceRgb[2]);
  Fl::background2(255, 255, 255);
  Fl::foreground(0, 0, 0);
  Fl::visible_focus(1);
  Fl_Tooltip::font(SansFace());
  ApplyScale();
  Fl_Tooltip::delay(0.5f);
  previous_dispatch_ = Fl::event_dispatch();
  Fl::event_dispatch(&TFltkPlatform::Dispatch);
  Fl::add_check(&TFltkPlatform::OnCheck, this);
}

TFltkPlatform::~TFltkPlatform() {
  queue_.Close();
  Fl::remove_check(&TFltkPlatform::OnCheck, this);
  Fl::remove_timeout(&TFltkPlatform::OnWake, nullptr);
  Fl::event_dispatch(previous_dispatch_);
  Fl::unlock();
}

TFltkPlatform* TFltkPlatform::Current() { return dynamic_cast<TFltkPlatform*>(Platform()); }

TControl* TFltkPlatform::CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) {
  return new TFltkControl(*this, kind, parent, options);
}

double TFltkPlatform::DesktopScale() {
  Fl::w();  // opens the display
  const char* dpi = XGetDefault(fl_display, "Xft", "dpi");
  return dpi ? ScaleOfDpiText(dpi) : 1.0;
}

void TFltkPlatform::ApplyScale() { Fl_Tooltip::size(ScaleLength(kTooltipTextSize, Scale())); }

TSize TFltkPlatform::ScreenSize() {
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  // In the layout's pixels, which is where forms are placed.
  return {UnscaleLength(w, Scale()), UnscaleLength(h, Scale())};
}

TSize TFltkPlatform::MeasureText(const std::string& text, const TFontRec& font, int32_t height) {
  // Measured as drawn, at the scale, and given back in layout pixels
  // rounded up so that the text still fits.
  const TFltkFont f = ResolveFont(font, height, Scale());
  fl_font(f.Face, f.Size);
  const std::string utf8 = Cp1251ToUtf8(text);
  int32_t widest = 0, lines = 1;
  size_t start = 0;
  for (size_t i = 0; i <= utf8.size(); ++i) {
    if (i < utf8.size() && utf8[i] != '\r' && utf8[i] != '\n') continue;
    const double width = fl_width(utf8.c_str() + start, static_cast<int>(i - start));
    widest = std::max(widest, static_cast<int32_t>(width + 0.999));
    if (i == utf8.size()) break;
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    ++lines;
    start = i + 1;
  }
  return {UnscaleExtent(widest, Scale()), UnscaleExtent(lines * fl_height(), Scale())};
}

void TFltkPlatform::MapBeforeFrame(TFltkControl* form) {
  if (std::find(to_map_.begin(), to_map_.end(), form) == to_map_.end()) to_map_.push_back(form);
}

void TFltkPlatform::ForgetMap(TFltkControl* form) {
  to_map_.erase(std::remove(to_map_.begin(), to_map_.end(), form), to_map_.end());
}

void TFltkPlatform::OnCheck(void* self) { static_cast<TFltkPlatform*>(self)->BeforeFrame(); }

void TFltkPlatform::BeforeFrame() {
  RunDeferred();
  // Showing a window sends FL_SHOW, whose handler may make another visible.
  while (!to_map_.empty()) {
    TFltkControl* form = to_map_.front();
    to_map_.erase(to_map_.begin());
    form->Map();
  }
}

void TFltkPlatform::RunMessageLoop() {
  quit_ = false;
  BeforeFrame();  // the loop runs while a window is mapped
  while (!quit_ && Fl::first_window()) Fl::wait();
  queue_.Close();
}

TFltkControl* TFltkPlatform::ControlOf(const Fl_Widget* w) const {
  for (; w; w = w->parent()) {
    auto it = widgets_.find(w);
    if (it != widgets_.end()) return it->second;
  }
  return nullptr;
}

TControl* TFltkPlatform::Focused() {
  TFltkControl* c = ControlOf(Fl::focus());
  return c && TakesFocus(c->Kind()) ? c : nullptr;
}

void TFltkPlatform::SyncFocus() {
  if (syncing_focus_) return;
  syncing_focus_ = true;
  // A handler may move the focus again; follow it a few times at most.
  for (int round = 0; round < 4; ++round) {
    TControl* now = Focused();
    if (now == RecordedFocus()) break;
    FocusMoved(now);
  }
  syncing_focus_ = false;
}

std::unique_ptr<TTooltips> TFltkPlatform::CreateTooltips() { return std::make_unique<TFltkTooltips>(); }

int TFltkPlatform::Dispatch(int event, Fl_Window* window) {
  TFltkPlatform* p = Current();
  if (p) {
    const int handled = p->Intercept(event, window);
    if (handled >= 0) {
      p->SyncFocus();
      return handled;
    }
  }
  const int result = Fl::handle_(event, window);
  if (p && Current() == p) p->SyncFocus();
  return result;
}

int TFltkPlatform::Intercept(int event, Fl_Window* window) {
  if (event == FL_FOCUS || event == FL_UNFOCUS) {
    // The window system gave a window the keyboard focus or took it away:
    // for a form, that is its activation.
    TFltkControl* form = window ? ControlOf(window) : nullptr;
    if (form && form->Kind() == TControlKind::Form && form->SetActive(event == FL_FOCUS)) {
      TNotification n;
      n.Kind = event == FL_FOCUS ? TNotifyKind::Activate : TNotifyKind::Deactivate;
      form->Deliver(n);
    }
    return -1;
  }
  if (event != FL_KEYBOARD && event != FL_KEYUP) return -1;
  if (!window || (Fl::modal() && Fl::modal() != window)) return -1;
  TFltkControl* form = ControlOf(window);
  if (!form || form->Kind() != TControlKind::Form) return -1;
  const int key = Fl::event_key();
  if (event == FL_KEYBOARD && (Fl::event_state() & FL_CTRL)) {
    TNotification n;
    n.Kind = TNotifyKind::ControlKey;
    n.Key = VirtualKey(key);
    n.KeyState = KeyState(Fl::event_state());
    if (n.Key != 0 && form->Deliver(n)) return 1;
  }
  if (key == FL_Tab) {
    if (event != FL_KEYBOARD || (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META))) return -1;
    TNotification n;
    n.Kind = TNotifyKind::TabKey;
    n.Backward = Fl::event_shift() != 0;
    return form->Deliver(n) ? 1 : -1;
  }
  const int32_t vk = VirtualKey(key);
  if (vk == 0) return -1;
  TFltkControl* target = ControlOf(Fl::focus());
  if (!target || target->Window() != window) target = form;
  TNotification n;
  n.Kind = event == FL_KEYBOARD ? TNotifyKind::KeyDown : TNotifyKind::KeyUp;
  n.Key = vk;
  const bool consumed = target->Deliver(n);
  if (event == FL_KEYBOARD && !consumed && vk == VkEscape) {
    // Escape the control left is the window's.
    TNotification escape;
    escape.Kind = TNotifyKind::EscapeKey;
    if (form->Deliver(escape)) return 1;
  }
  return event == FL_KEYBOARD && consumed ? 1 : -1;
}

// --- Clipboard and menus ----------------------------------------------------------

namespace {

// Takes what a paste delivers.
class TPasteTaker : public Fl_Widget {
 public:
  TPasteTaker() : Fl_Widget(0, 0, 0, 0) {}
  void draw() override {}
  int handle(int event) override {
    if (event != FL_PASTE) return Fl_Widget::handle(event);
    text.assign(Fl::event_text(), static_cast<size_t>(Fl::event_length()));
    received = true;
    return 1;
  }
  std::string text;
  bool received = false;
};

}  // namespace

void TFltkPlatform::SetClipboardText(const std::string& text) {
  CheckThread();
  std::string utf8 = Cp1251ToUtf8(text);
  for (size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at)) utf8.erase(at, 1);
  Fl::copy(utf8.c_str(), static_cast<int>(utf8.size()), 1);
  Fl::copy(utf8.c_str(), static_cast<int>(utf8.size()), 0);
}

std::string TFltkPlatform::ClipboardText() {
  CheckThread();
  TPasteTaker taker;
  Fl::paste(taker, 1);
  // The program's own text arrives at once; another program's is asked for.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!taker.received && std::chrono::steady_clock::now() < deadline) Fl::wait(0.01);
  std::string text = Utf8ToCp1251(taker.text), out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

int32_t TFltkPlatform::PopupMenu(TControl* at, const std::vector<std::string>& items) {
  CheckThread();
  if (items.empty()) return kNoMenuItem;
  BeforeFrame();  // a window made visible is on screen under its menu
  std::vector<std::string> texts;
  for (const std::string& item : items) {
    std::string escaped;
    // Menus underline the letter after '&'; a line shows its '&' as it is.
    for (char c : Cp1251ToUtf8(item)) {
      escaped += c;
      if (c == '&') escaped += '&';
    }
    texts.push_back(escaped);
  }
  std::vector<Fl_Menu_Item> menu(texts.size() + 1, Fl_Menu_Item());
  for (size_t i = 0; i < texts.size(); ++i) {
    menu[i].text = texts[i].c_str();
    menu[i].labelsize_ = ScaleLength(FL_NORMAL_SIZE, Scale());  // FLTK's own size, at the scale
  }
  Fl_Widget* w = at ? static_cast<TFltkControl*>(at)->Widget() : nullptr;
  int x = Fl::event_x(), y = Fl::event_y();
  if (w && !Fl::event_inside(w)) {
    x = w->x() + w->w() / 2;
    y = w->y() + w->h() / 2;
  }
  const Fl_Menu_Item* picked = menu[0].popup(x, y);
  SyncFocus();
  return picked ? static_cast<int32_t>(picked - menu.data()) : kNoMenuItem;
}

// --- Boxes, commands, threads ---------------------------------------------------

int TFltkPlatform::ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) {
  BeforeFrame();  // a window made visible is mapped before its box, not over it
  Fl_Window* owner = nullptr;
  if (owned && ApplicationForm()) owner = static_cast<TFltkControl*>(ApplicationForm())->Window();
  return RunMessageBox(owner, text, caption, style);
}

int TFltkPlatform::StartCommand(const std::string& commandLine, int) { return StartPosixCommand(commandLine); }

void TFltkPlatform::PostToUIThread(std::function<void()> fn) { queue_.Post(std::move(fn)); }

void TFltkPlatform::OnWake(void*) {
  TFltkPlatform* p = Current();
  if (!p) return;
  // Work that ran holds the next wake-up for a turn period: a search's
  // label is then drawn once per frame, not once per step the loop can
  // keep up with.
  if (p->queue_.DrainAndHold() > 0) {
    Fl::add_timeout(std::chrono::duration<double>(kUIThreadTurnPeriod).count(), &TFltkPlatform::OnWake, nullptr);
  }
}
