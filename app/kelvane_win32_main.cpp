// kelvane.exe: the calculator on the Windows desktop (Win32).
#include <optional>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "app/kept_inputs.h"
#include "ui/program.h"
#include "ui/scale.h"
#include "ui/win32/win32_platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  TWin32Platform platform;
  // "--scale N" overrides the monitor's scale and keeps it on any monitor;
  // the arguments stay as given.
  const std::optional<double> asked = ScaleArgument(args);
  platform.FollowMonitorDpi(!asked);
  platform.SetScale(asked.value_or(TWin32Platform::DesktopScale()));
  platform.SetCommandLine(argv[0], args);
  // The pages come back as the user left them (see ui/input_memory.h).
  const std::string kept = DefaultInputFile();
  TFileInputStore inputs(kept, "kelvane");
  return RunProgram(platform, args, &MakeMainScheme, kept.empty() ? nullptr : &inputs);
}
