// kelvane.js: the calculator in the browser, on the page's own elements
// (ui/web). main builds the window and hands the program to the browser's
// loop; the platform and the window live on after it.
//
// The page's address is the command line: "?fresh" starts the pages as
// always (the page hands it over as "--fresh"). The inputs are kept in the
// browser's storage (app/web_kept_inputs.h) whenever the page is hidden or
// left, since a page's window never closes, and come back at the next
// visit through the same path as the desktop's.
#include <emscripten.h>

#include <string>
#include <vector>

#include "app/web_kept_inputs.h"
#include "pages/main_form.h"
#include "runtime/scheme_lock.h"
#include "ui/program.h"
#include "ui/web/web_platform.h"

// clang-format off
EM_JS(void, kv_mark_page, (int h, int page), {
  var el = KV.els[h];
  if (el) el.dataset.page = page;
});
// clang-format on

namespace {

// The browser keeps Ctrl+D (a bookmark): Alt+P opens the Parts window.
constexpr int32_t kBrowserPartsKey = 'P';

// The main window, once built.
THIMainForm* g_form = nullptr;

}  // namespace

int main(int argc, char** argv) {
  // Never destroyed: the browser's loop keeps running the program after
  // main has handed it over.
  auto* platform = new TWebPlatform;
  const std::vector<std::string> args(argv + 1, argv + argc);
  platform->SetCommandLine("kelvane", args);
  platform->MoveControlKeyToAlt(kPartsKey, kBrowserPartsKey);
  auto* inputs = new TWebInputStore(kWebInputItem, "kelvane");
  platform->OnPageHidden = [] {
    if (!g_form || !g_form->BeforeClose) return;
    TSchemeGuard guard;
    g_form->BeforeClose();
  };
  // The pages' boxes are marked, so that the page and its tests find a
  // control by its page and place as the driver does.
  return RunProgram(*platform, args, [] {
    std::unique_ptr<TMainScheme> scheme = MakeMainScheme();
    if (scheme) {
      g_form = scheme->Form();
      for (int i = 0; i < scheme->PageCount(); ++i)
        if (TControl* box = scheme->PageBox(i)) kv_mark_page(box->Handle(), i);
    }
    return scheme;
  }, inputs);
}
