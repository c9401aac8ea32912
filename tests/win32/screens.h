// The screenshot step on the Win32 backend.
#pragma once

#include <string>
#include <vector>

// Saves DIR/page-N.png for every page of the program's window, N from 0,
// the program run with `args`; answers the number of pages that could not
// be saved or look blank (reported on standard error).
int SaveWin32Screens(const std::string& dir, const std::vector<std::string>& args = {});
