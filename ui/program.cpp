#include "ui/program.h"

#include <chrono>

#include "runtime/event.h"
#include "runtime/scheme_lock.h"
#include "ui/main_form.h"

const char kInfoBoxText[] = "\xD1\xE4\xE5\xEB\xE0\xED\xEE \xE2 Wirebench.";
const char kInfoBoxCaption[] = "Wirebench Info";

namespace {

// The argument that starts the pages as always, whatever was kept.
const char kFreshArgument[] = "--fresh";

void RestoreKept(TMainScheme& scheme, TInputStore& inputs, const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == kFreshArgument) return;
  std::string text;
  if (!inputs.Load(text)) return;
  const std::string refused = RestoreInputs(scheme, text);
  if (!refused.empty()) inputs.Note("the kept inputs were not used (" + refused + "); the pages start as always");
}

}  // namespace

int RunProgram(TPlatform& platform, const std::vector<std::string>& args, const TMainFactory& makeMainScheme,
               TInputStore* inputs) {
  platform.SetCommandLine(platform.ParamStr(0), args);
  if (!args.empty() && args[0] == "/ih") {
    platform.ShowMessageBox(false, kInfoBoxText, kInfoBoxCaption, MbOk);
    return 0;
  }

  std::unique_ptr<TMainScheme> scheme;
  {
    TSchemeGuard guard;
    StopDispatch();
    scheme = makeMainScheme ? makeMainScheme() : nullptr;
    if (!scheme || !scheme->Form()) return 1;
    THIMainForm* form = scheme->Form();
    form->SetTabNavigation(true);
    form->ShowApplication();
    StartDispatch();
    RunInits();
    if (inputs) {
      TMainScheme* kept = scheme.get();
      form->BeforeClose = [kept, inputs] { inputs->Save(SaveInputs(*kept)); };
    }
  }
  if (inputs) RestoreKept(*scheme, *inputs, args);

  platform.RunMessageLoop();

  // Workers still busy find every firing dead now and finish their step.
  StopDispatch();
  WaitWorkersIdle(std::chrono::seconds(10));
  {
    TSchemeGuard guard;
    scheme.reset();
  }
  return 0;
}
