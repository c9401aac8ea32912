// kelvane.exe: the calculator on the Windows desktop (Win32).
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "ui/program.h"
#include "ui/win32/win32_platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  TWin32Platform platform;
  platform.SetCommandLine(argv[0], args);
  return RunProgram(platform, args, &MakeMainScheme);
}
