// The screenshot step on the Win32 backend.
#pragma once

#include <string>
#include <vector>

// Saves DIR/page-N.png for every page of the program's window, N from 0,
// the program run with `args`; answers the number of pages that could not
// be saved or look blank (reported on standard error).
int SaveWin32Screens(const std::string& dir, const std::vector<std::string>& args = {});

// Saves the sample window with a filled table (scenarios/table_sample.h)
// as the PNG `path`, at the scale "--scale N" in `args` asks for; answers
// 0 when it was saved and does not look blank.
int SaveWin32TableScreen(const std::string& path, const std::vector<std::string>& args = {});

// Saves the Parts window of the first page, calculated with its defaults,
// as the PNG `path` (scale as above); 0 when saved and not blank.
int SaveWin32PartsScreen(const std::string& path, const std::vector<std::string>& args = {});
