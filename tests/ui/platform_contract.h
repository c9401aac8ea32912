// The contract every backend keeps, written once against TPlatform and
// TControl (platform_contract_test.cpp) and run for each backend: a
// backend's test program instantiates PlatformContract with a factory of
// its TContractBackend. The backend object owns the platform and plays the
// user where the contract needs one.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"

class TContractBackend {
 public:
  virtual ~TContractBackend() = default;
  virtual TPlatform& Platform() = 0;
  // Runs the work other threads handed to the window thread and lets the
  // windows catch up, until `done` answers true or 10 s have passed;
  // answers `done`.
  virtual bool PumpUntil(const std::function<bool()>& done) = 0;
  // The user clicks the middle of the control.
  virtual void Click(TControl* c) = 0;
  // The user presses Tab (Shift+Tab when backward) in the focused window.
  virtual void PressTab(bool backward) = 0;
  // The user right-clicks the middle of the control.
  virtual void RightClick(TControl* c) = 0;
  // The user answers the next popup menu with line `index`, or dismisses
  // it (TPlatform::kNoMenuItem).
  virtual void AnswerNextMenu(int32_t index) = 0;
  // The user selects `count` characters from `at` in a field (ASCII text),
  // which takes the focus.
  virtual void SelectText(TControl* field, int32_t at, int32_t count) = 0;
  // The user presses Ctrl+C in the focused window.
  virtual void PressCtrlC() = 0;
  // Captions of the message boxes shown so far. The user answers every box
  // with its first button.
  virtual std::vector<std::string> ShownBoxes() = 0;
  // Where the control is drawn, in screen pixels: a form's client area on
  // the screen, any other control relative to its form's client area.
  // None on a backend without a screen.
  virtual std::optional<TRect> OnScreen(TControl*) { return std::nullopt; }
  // The pixel size of the control's text as drawn; none without a screen.
  virtual std::optional<int> TextPixels(TControl*) { return std::nullopt; }

  // The user clicks row `row` of a table (a row on screen) with the left
  // button.
  virtual void ClickRow(TControl* table, int32_t row) = 0;
  // The control takes the focus and the user presses the key (a virtual
  // key code: arrows, page keys, Home, End, Escape) there.
  virtual void PressKey(TControl* c, int32_t key) = 0;
  // The user clicks the form's close box.
  virtual void CloseBox(TControl* form) = 0;
  // A table's column `column` as drawn: its width and a row's height in
  // screen pixels; none without a screen.
  virtual std::optional<TSize> CellPixels(TControl*, int32_t) { return std::nullopt; }
  // Whether the desktop keeps `form` above `owner` as the owner's own
  // window, off the task bar; none without a desktop.
  virtual std::optional<bool> ShownAsOwned(TControl*, TControl*) { return std::nullopt; }
};

struct TContractParam {
  std::string Name;
  std::function<std::unique_ptr<TContractBackend>()> Make;
  // The platform's scale for the whole contract (desktop backends run it
  // at 1 and at 2).
  double Scale = 1.0;
};
inline void PrintTo(const TContractParam& p, std::ostream* os) { *os << p.Name; }

class PlatformContract : public ::testing::TestWithParam<TContractParam> {
 protected:
  void SetUp() override {
    backend_ = GetParam().Make();
    backend_->Platform().SetScale(GetParam().Scale);
  }
  void TearDown() override { backend_.reset(); }

  TContractBackend& Backend() { return *backend_; }
  TPlatform& P() { return backend_->Platform(); }
  // Whether there are threads besides the window thread: a platform whose
  // workers run on a thread of their own has them; one that runs a
  // worker's body on the window thread (a build without threads) has none,
  // so nothing can reach it from another thread.
  bool HasOtherThreads() { return P().WorkerMode() == TPlatform::TWorkerMode::OwnThread; }

 private:
  std::unique_ptr<TContractBackend> backend_;
};

// The contract's error paths.
class PlatformContractErrors : public PlatformContract {};
struct TDestroyer {
  void operator()(TControl* c) const { TControl::Destroy(c); }
};
using TOwned = std::unique_ptr<TControl, TDestroyer>;

// The contract on a form made for each test, with controls at known places.
class PlatformContractOnScreen : public PlatformContract {
 protected:
  void SetUp() override {
    PlatformContract::SetUp();
    form_.reset(P().CreateControl(TControlKind::Form, nullptr, {}));
    form_->SetBounds({40, 40, 400, 300});
    form_->SetText("Contract");
  }
  void TearDown() override {
    form_.reset();
    PlatformContract::TearDown();
  }
  TControl* Form() { return form_.get(); }
  // A control of that kind under `parent` (the form when none) at x, y.
  TControl* Make(TControlKind kind, int32_t x, int32_t y, TControl* parent = nullptr, TCreateOptions o = {}) {
    TControl* c = P().CreateControl(kind, parent ? parent : Form(), o);
    c->SetBounds({x, y, 80, 24});
    return c;
  }
  void Show() {
    form_->SetVisible(true);
    Backend().PumpUntil([] { return true; });
  }

 private:
  TOwned form_;
};


// Instantiates the whole contract for one backend.
#define KELVANE_PLATFORM_CONTRACT(Backend, param)                                                      \
  INSTANTIATE_TEST_SUITE_P(Backend, PlatformContractOnScreen, ::testing::Values(param), ContractName); \
  INSTANTIATE_TEST_SUITE_P(Backend, PlatformContractErrors, ::testing::Values(param), ContractName)

inline std::string ContractName(const ::testing::TestParamInfo<TContractParam>& info) { return info.param.Name; }
