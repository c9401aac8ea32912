// kelvane-drive: the program on the headless backend, driven by a script
// on standard input (see the README).
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // A reader that went away is a failed write (status 2), not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  return RunDrive(args, std::cin, std::cout, &MakeMainScheme);
}
