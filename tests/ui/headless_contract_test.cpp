// The platform contract on the headless backend.
#include <chrono>

#include "ui/headless/headless.h"
#include "ui/platform_contract.h"

namespace {

class THeadlessBackend : public TContractBackend {
 public:
  TPlatform& Platform() override { return platform_; }
  bool PumpUntil(const std::function<bool()>& done) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      platform_.Pump();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      platform_.WaitForWork(std::chrono::milliseconds(10));
    }
  }
  void Click(TControl* c) override { platform_.Click(c); }
  void PressTab(bool backward) override { platform_.PressTab(backward); }
  void RightClick(TControl* c) override { platform_.RightClick(c); }
  void AnswerNextMenu(int32_t index) override { platform_.MenuAnswers.push_back(index); }
  void SelectText(TControl* field, int32_t at, int32_t count) override { platform_.SelectText(field, at, count); }
  void PressCtrlC() override { platform_.PressControlKey('C', false); }
  void ClickRow(TControl* table, int32_t row) override { platform_.PickRow(table, row); }
  void PressKey(TControl* c, int32_t key) override { platform_.PressKey(c, key); }
  void CloseBox(TControl* form) override { platform_.RequestClose(form); }
  std::vector<std::string> ShownBoxes() override {
    std::vector<std::string> captions;
    for (const THeadlessPlatform::TBox& box : platform_.Boxes()) captions.push_back(box.Caption);
    return captions;
  }

 private:
  THeadlessPlatform platform_;
};

}  // namespace

KELVANE_PLATFORM_CONTRACT(Headless, (TContractParam{"Headless", [] {
                                       return std::unique_ptr<TContractBackend>(new THeadlessBackend);
                                     }}));
