// The Windows GUI test program: GoogleTest cases on the real window, or
// with --screens DIR the screenshot step (one PNG per page into DIR), or
// with --table-screen FILE the sample window with a filled table as one
// PNG, or with --parts-screen FILE the first page's Parts window as one
// PNG; the arguments after DIR or FILE go to the program ("--scale 2").
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32/screens.h"

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--parts-screen") == 0)
      return SaveWin32PartsScreen(argv[i + 1], std::vector<std::string>(argv + i + 2, argv + argc));
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--table-screen") == 0)
      return SaveWin32TableScreen(argv[i + 1], std::vector<std::string>(argv + i + 2, argv + argc));
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--screens") == 0)
      return SaveWin32Screens(argv[i + 1], std::vector<std::string>(argv + i + 2, argv + argc)) == 0 ? 0 : 1;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
