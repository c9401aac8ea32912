#include "scenarios/window_screens.h"

#include <filesystem>
#include <system_error>

#include "pages/main_form.h"
#include "runtime/event.h"
#include "scenarios/parts_screen.h"
#include "scenarios/screenshots.h"
#include "scenarios/table_sample.h"
#include "ui/main_form.h"
#include "ui/scale.h"

namespace {

// The folder `path` goes in, and the platform at the asked scale.
void Prepare(TPlatform& platform, const std::string& path, const std::vector<std::string>& args) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ignored;  // a folder that cannot be made fails the save
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  platform.SetScale(ScaleArgument(args).value_or(1.0));
}

int Save(const std::string& path, TControl* form, TControl* focus, const TFormCapture& capture, TZlibPacker pack) {
  int w = 0, h = 0;
  const std::vector<uint8_t> rgb = capture(form, focus, w, h);
  return SaveScreen(path, rgb, w, h, pack);
}

}  // namespace

int SaveTableSampleScreen(TPlatform& platform, const std::string& path, const std::vector<std::string>& args,
                          const TFormCapture& capture, TZlibPacker pack) {
  Prepare(platform, path, args);
  TTableSample sample = MakeTableSample();
  RunInits();
  StartDispatch();
  sample.Form->ShowApplication();
  const int status = Save(path, sample.Form->Control(), sample.Table->Control(), capture, pack);
  StopDispatch();
  return status;
}

int SavePartsWindowScreen(TPlatform& platform, const std::string& path, const std::vector<std::string>& args,
                          const TFormCapture& capture, TZlibPacker pack) {
  Prepare(platform, path, args);
  TClassMainForm_2943964 scheme;
  TPartsWindow* parts = OpenFirstPagesParts(scheme);
  const int status = parts ? Save(path, parts->Form->Control(), parts->Sets->Control(), capture, pack) : 1;
  StopDispatch();
  return status;
}
