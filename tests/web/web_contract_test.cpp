// The platform contract on the browser backend, in a real page: every
// control is dom.js's element, and the user's actions are the browser's
// events dispatched at those elements, taking dom.js's own paths into the
// program. The page (contract.html) runs the whole suite once the program
// has loaded and tells contract_test.js the result.
#include <emscripten.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "runtime/lines.h"
#include "ui/encoding.h"
#include "ui/platform_contract.h"
#include "ui/web/web_platform.h"

namespace {

// --- The user, in the page ---------------------------------------------------------
// Each action runs as the browser runs an event: outside any call into the
// program (KV.busy clear), so the program hears it as the user's.

// clang-format off
EM_JS(void, user_click, (int h), {
  KVUser.act(function () {
    var el = KV.els[h];
    var target = el.kvInput || el;
    target.dispatchEvent(new MouseEvent('mousedown', {bubbles: true, cancelable: true, button: 0}));
    target.dispatchEvent(new MouseEvent('mouseup', {bubbles: true, cancelable: true, button: 0}));
    // click() runs the element's own behaviour (a check box toggles).
    target.click();
  });
});
EM_JS(void, user_right_click, (int h), {
  KVUser.act(function () {
    var el = KV.els[h];
    el.dispatchEvent(new MouseEvent('mousedown', {bubbles: true, cancelable: true, button: 2}));
    el.dispatchEvent(new MouseEvent('mouseup', {bubbles: true, cancelable: true, button: 2}));
    el.dispatchEvent(new MouseEvent('contextmenu', {bubbles: true, cancelable: true, button: 2}));
  });
});
EM_JS(void, user_key, (const char* key, int shift, int ctrl), {
  KVUser.key(UTF8ToString(key), shift, ctrl);
});
EM_JS(void, user_focus, (int h), { KVUser.act(function () { KVUser.focus(h); }); });
EM_JS(void, user_select, (int h, int at, int count), {
  KVUser.act(function () {
    var field = KVUser.focus(h);
    field.setSelectionRange(at, at + count);
  });
});
EM_JS(void, user_copy, (), { KVUser.copy(); });
EM_JS(void, user_answer_menu, (int index), { KVUser.answerMenu(index); });
EM_JS(char*, user_answer_boxes, (), {
  var s = KVUser.answerBoxes();
  var n = lengthBytesUTF8(s) + 1;
  var p = _malloc(n);
  stringToUTF8(s, p, n);
  return p;
});
EM_JS(int, user_click_row, (int h, int row), { return KVUser.clickRow(h, row) ? 1 : 0; });
EM_JS(int, user_close_box, (int h), { return KVUser.closeBox(h) ? 1 : 0; });
EM_JS(void, user_leave, (), { KVUser.leave(); });
// Where an element is drawn, in device pixels: left, top, width, height
// (width -1: not drawn).
EM_JS(void, screen_place, (int h, int what, int column, double* out), { KVUser.place(h, what, column, HEAPF64, out >> 3); });
// clang-format on

// The name a keyboard event gives a key the contract presses.
const char* KeyName(int32_t key) {
  switch (key) {
    case VkEscape: return "Escape";
    case VkPrior: return "PageUp";
    case VkNext: return "PageDown";
    case VkEnd: return "End";
    case VkHome: return "Home";
    case VkUp: return "ArrowUp";
    case VkDown: return "ArrowDown";
  }
  return "Unidentified";
}

class TWebBackend : public TContractBackend {
 public:
  ~TWebBackend() override {
    // What the user left open goes with the test.
    AnswerBoxes();
    user_leave();
  }
  TPlatform& Platform() override { return platform_; }
  // The browser's loop cannot turn while the suite runs: its part here is
  // the work posted to the window thread, the menus and the boxes.
  bool PumpUntil(const std::function<bool()>& done) override {
    for (int round = 0; round < kRounds; ++round) {
      platform_.RunPosted();
      if (answer_menu_) {
        user_answer_menu(*answer_menu_);
        answer_menu_.reset();
      }
      AnswerBoxes();
      if (done()) return true;
    }
    return false;
  }
  void Click(TControl* c) override { user_click(c->Handle()); }
  void PressTab(bool backward) override { user_key("Tab", backward, 0); }
  void RightClick(TControl* c) override { user_right_click(c->Handle()); }
  void AnswerNextMenu(int32_t index) override { answer_menu_ = index; }
  void SelectText(TControl* field, int32_t at, int32_t count) override { user_select(field->Handle(), at, count); }
  void PressCtrlC() override { user_copy(); }
  std::vector<std::string> ShownBoxes() override {
    AnswerBoxes();
    return boxes_;
  }
  void ClickRow(TControl* table, int32_t row) override {
    EXPECT_TRUE(user_click_row(table->Handle(), row)) << "the page shows no row " << row;
  }
  void PressKey(TControl* c, int32_t key) override {
    user_focus(c->Handle());
    user_key(KeyName(key), 0, 0);
  }
  std::optional<TRect> OnScreen(TControl* c) override {
    std::optional<TRect> r = Place(c, kWhole, 0);
    if (!r || c->Kind() == TControlKind::Form) return r;
    TControl* form = c;
    while (form->Parent()) form = form->Parent();
    const std::optional<TRect> client = Place(form, kWhole, 0);
    if (!client) return std::nullopt;
    return TRect{r->Left - client->Left, r->Top - client->Top, r->Width, r->Height};
  }
  std::optional<int> TextPixels(TControl* c) override {
    const std::optional<TRect> r = Place(c, kText, 0);
    if (!r) return std::nullopt;
    return r->Height;
  }
  std::optional<TSize> CellPixels(TControl* table, int32_t column) override {
    const std::optional<TRect> r = Place(table, kCell, column);
    if (!r) return std::nullopt;
    return TSize{r->Width, r->Height};
  }
  void CloseBox(TControl* form) override { EXPECT_TRUE(user_close_box(form->Handle())) << "the window has no close box"; }

 private:
  static constexpr int kRounds = 8;
  // What of a control Place measures: the element (a form's client area),
  // its text, a cell of a table's first row.
  enum TWhat { kWhole, kText, kCell };
  static std::optional<TRect> Place(TControl* c, TWhat what, int32_t column) {
    double r[4] = {0, 0, -1, 0};
    screen_place(c->Handle(), what, column, r);
    if (r[2] < 0) return std::nullopt;
    const auto pixel = [](double v) { return static_cast<int32_t>(std::lround(v)); };
    return TRect{pixel(r[0]), pixel(r[1]), pixel(r[2]), pixel(r[3])};
  }
  // Answers every open box with its first button, keeping the captions.
  void AnswerBoxes() {
    char* captions = user_answer_boxes();
    const std::string text = captions;
    std::free(captions);
    if (text.empty()) return;
    for (const std::string& caption : SplitLines(text)) boxes_.push_back(Utf8ToCp1251(caption));
  }

  TWebPlatform platform_;
  std::vector<std::string> boxes_;
  std::optional<int32_t> answer_menu_;
};

}  // namespace

KELVANE_PLATFORM_CONTRACT(Web, (TContractParam{"Web", [] { return std::unique_ptr<TContractBackend>(new TWebBackend); }}));

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The page's listeners, as the program's loop installs them; from here
  // the program runs as it does inside one of the page's calls.
  EM_ASM({ KVUser.begin(); });
  const int status = RUN_ALL_TESTS();
  EM_ASM({ KVUser.end($0); }, status);
  return status;
}
