// The platform contract on the FLTK backend, on the virtual X display.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>

#include <X11/Xatom.h>

#include <chrono>

#include "gui/harness.h"
#include "ui/fltk/control.h"
#include "ui/fltk/draw.h"
#include "ui/fltk/message_box.h"
#include "ui/platform_contract.h"

namespace {

class TFltkBackend : public TContractBackend {
 public:
  TFltkBackend() { Fl::add_timeout(0.0, &TFltkBackend::AnswerBoxes, this); }
  ~TFltkBackend() override { Fl::remove_timeout(&TFltkBackend::AnswerBoxes, this); }

  TPlatform& Platform() override { return platform_; }
  bool PumpUntil(const std::function<bool()>& done) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    Fl::flush();
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      Fl::wait(0.01);
    }
    return true;
  }
  void Click(TControl* c) override {
    Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
    InjectClick(*w->window(), w->x() + w->w() / 2, w->y() + w->h() / 2);
  }
  void PressTab(bool backward) override {
    Fl_Window* window = Fl::focus() ? Fl::focus()->window() : Fl::first_window();
    if (window) InjectKey(*window, FL_Tab, "\t", backward ? FL_SHIFT : 0);
  }
  void RightClick(TControl* c) override {
    Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
    Fl_Window& window = *w->window();
    const int x = w->x() + w->w() / 2, y = w->y() + w->h() / 2;
    InjectRightClick(window, x, y);
  }
  void AnswerNextMenu(int32_t index) override {
    menu_answer_ = index;
    Fl::add_timeout(0.02, &TFltkBackend::AnswerMenu, this);
  }
  void SelectText(TControl* field, int32_t at, int32_t count) override {
    field->SetFocus();
    Fl_Input* input = static_cast<Fl_Input*>(static_cast<TFltkControl*>(field)->FocusWidget());
    input->position(at + count, at);
  }
  void PressCtrlC() override {
    Fl_Window* window = Fl::focus() ? Fl::focus()->window() : Fl::first_window();
    if (window) InjectKey(*window, 'c', "\x03", FL_CTRL);
  }
  std::vector<std::string> ShownBoxes() override { return boxes_; }
  void ClickRow(TControl* table, int32_t row) override {
    auto* w = static_cast<TTableWidget*>(static_cast<TFltkControl*>(table)->Widget());
    int x, y, cw, ch;
    ASSERT_TRUE(w->CellPlace(row, 0, x, y, cw, ch)) << "row " << row;
    InjectClick(*w->window(), x + cw / 2, y + ch / 2);
  }
  void PressKey(TControl* c, int32_t key) override {
    c->SetFocus();
    const struct {
      int32_t vk;
      int keysym;
    } keys[] = {{VkUp, FL_Up},     {VkDown, FL_Down}, {VkPrior, FL_Page_Up},
                {VkNext, FL_Page_Down}, {VkHome, FL_Home}, {VkEnd, FL_End}, {VkEscape, FL_Escape}};
    for (const auto& k : keys)
      if (k.vk == key) InjectKey(*static_cast<TFltkControl*>(c)->Window(), k.keysym, key == VkEscape ? "\x1b" : "");
  }
  void CloseBox(TControl* form) override { Fl::handle(FL_CLOSE, static_cast<TFltkControl*>(form)->Window()); }
  std::optional<TSize> CellPixels(TControl* table, int32_t column) override {
    auto* w = static_cast<TTableWidget*>(static_cast<TFltkControl*>(table)->Widget());
    return TSize{w->col_width(column), w->RowHeight()};
  }
  std::optional<bool> ShownAsOwned(TControl* form, TControl* owner) override {
    Fl_Window* window = static_cast<TFltkControl*>(form)->Window();
    Fl_Window* ownerWindow = static_cast<TFltkControl*>(owner)->Window();
    if (!window->shown() || !ownerWindow->shown()) return false;
    ::Window transientFor = 0;
    if (!XGetTransientForHint(fl_display, fl_xid(window), &transientFor) || transientFor != fl_xid(ownerWindow))
      return false;
    // The task bar is asked to leave it out.
    const Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
    const Atom skip = XInternAtom(fl_display, "_NET_WM_STATE_SKIP_TASKBAR", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool skipped = false;
    if (XGetWindowProperty(fl_display, fl_xid(window), state, 0, 32, False, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success && data) {
      const auto* atoms = reinterpret_cast<const Atom*>(data);
      for (unsigned long i = 0; i < count; ++i) skipped = skipped || atoms[i] == skip;
      XFree(data);
    }
    return skipped;
  }
  std::optional<TRect> OnScreen(TControl* c) override {
    // FLTK places every widget in its window's coordinates already.
    const Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
    return TRect{w->x(), w->y(), w->w(), w->h()};
  }
  std::optional<int> TextPixels(TControl* c) override {
    const Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
    if (c->Kind() == TControlKind::Edit) return static_cast<const Fl_Input*>(w)->textsize();
    return w->labelsize();
  }

 private:
  // The user: once the menu is up (it grabs the pointer), walks down to the
  // line and takes it, or dismisses the menu.
  static void AnswerMenu(void* data) {
    auto* self = static_cast<TFltkBackend*>(data);
    Fl_Window* menu = Fl::grab();
    if (!menu || !menu->shown()) {
      Fl::repeat_timeout(0.02, &TFltkBackend::AnswerMenu, data);
      return;
    }
    if (self->menu_answer_ < 0) {
      InjectKey(*menu, FL_Escape, "\x1b", 0);
      return;
    }
    for (int32_t i = 0; i <= self->menu_answer_; ++i) InjectKey(*menu, FL_Down, "", 0);
    InjectKey(*menu, FL_Enter, "\r", 0);
  }

  // The user: answers each box with its first button once it is up.
  static void AnswerBoxes(void* data) {
    auto* self = static_cast<TFltkBackend*>(data);
    auto* box = dynamic_cast<TMessageBox*>(Fl::modal());
    if (box && box->shown()) {
      self->boxes_.push_back(box->Caption());
      box->ButtonFor(box->ButtonIds().front())->do_callback();
    }
    Fl::repeat_timeout(0.01, &TFltkBackend::AnswerBoxes, data);
  }

  TFltkPlatform platform_;
  std::vector<std::string> boxes_;
  int32_t menu_answer_ = -1;
};

}  // namespace

static std::unique_ptr<TContractBackend> MakeFltk() { return std::unique_ptr<TContractBackend>(new TFltkBackend); }

KELVANE_PLATFORM_CONTRACT(Fltk, (TContractParam{"Fltk", &MakeFltk}));
KELVANE_PLATFORM_CONTRACT(FltkAtScale2, (TContractParam{"FltkAtScale2", &MakeFltk, 2.0}));
