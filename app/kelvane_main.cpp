// kelvane: the calculator on the desktop (FLTK).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "ui/fltk/fltk_platform.h"
#include "app/kept_inputs.h"
#include "ui/program.h"
#include "ui/scale.h"

int main(int argc, char** argv) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    std::fprintf(stderr, "kelvane: no X display to open (DISPLAY is not set); start it from a desktop session\n");
    return 1;
  }
  std::vector<std::string> args(argv + 1, argv + argc);
  TFltkPlatform platform;
  // "--scale N" overrides the desktop's scale; the arguments stay as given.
  platform.SetScale(ScaleArgument(args).value_or(TFltkPlatform::DesktopScale()));
  platform.SetCommandLine(argv[0], args);
  // The pages come back as the user left them (see ui/input_memory.h).
  const std::string kept = DefaultInputFile();
  TFileInputStore inputs(kept, "kelvane");
  return RunProgram(platform, args, &MakeMainScheme, kept.empty() ? nullptr : &inputs);
}
