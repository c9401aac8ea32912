// kelvane-drive: the program on the headless backend, driven by a script
// on standard input (see the README).
#include <iostream>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::ios::sync_with_stdio(false);
  return RunDrive(args, std::cin, std::cout, &MakeMainScheme);
}
