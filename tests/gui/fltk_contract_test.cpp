// The platform contract on the FLTK backend, on the virtual X display.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>

#include <chrono>

#include "gui/harness.h"
#include "ui/fltk/control.h"
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
  std::vector<std::string> ShownBoxes() override { return boxes_; }
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
};

}  // namespace

static std::unique_ptr<TContractBackend> MakeFltk() { return std::unique_ptr<TContractBackend>(new TFltkBackend); }

KELVANE_PLATFORM_CONTRACT(Fltk, (TContractParam{"Fltk", &MakeFltk}));
KELVANE_PLATFORM_CONTRACT(FltkAtScale2, (TContractParam{"FltkAtScale2", &MakeFltk, 2.0}));
