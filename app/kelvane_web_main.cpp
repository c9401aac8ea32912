// kelvane.js: the calculator in the browser, on the page's own elements
// (ui/web). main builds the window and hands the program to the browser's
// loop; the platform and the window live on after it.
#include <emscripten.h>

#include <string>
#include <vector>

#include "pages/main_form.h"
#include "ui/program.h"
#include "ui/web/web_platform.h"

// clang-format off
EM_JS(void, kv_mark_page, (int h, int page), {
  var el = KV.els[h];
  if (el) el.dataset.page = page;
});
// clang-format on

int main() {
  // Never destroyed: the browser's loop keeps running the program after
  // main has handed it over.
  auto* platform = new TWebPlatform;
  platform->SetCommandLine("kelvane", {});
  // The pages' boxes are marked, so that the page and its tests find a
  // control by its page and place as the driver does.
  return RunProgram(*platform, {}, [] {
    std::unique_ptr<TMainScheme> scheme = MakeMainScheme();
    if (scheme)
      for (int i = 0; i < scheme->PageCount(); ++i)
        if (TControl* box = scheme->PageBox(i)) kv_mark_page(box->Handle(), i);
    return scheme;
  });
}
