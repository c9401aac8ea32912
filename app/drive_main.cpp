// kelvane-drive: the program on the headless backend, driven by a script
// on standard input (see docs/kelvane-drive.md).
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "pages/main_form.h"
#include "ui/headless/driver.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The output is UTF-8 bytes, one LF per line, as on Linux: the C run-time
  // would otherwise write CR LF and read a 0x1A byte as the end of input.
  // The driver drops a CR that ends an input line itself.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
#ifdef SIGPIPE
  // A reader that went away is a failed write (status 2), not a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::ios::sync_with_stdio(false);
  return RunDrive(args, std::cin, std::cout, &MakeMainScheme);
}
