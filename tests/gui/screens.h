// The screenshot step on the FLTK backend.
#pragma once

#include <string>
#include <vector>

#include "ui/main_scheme.h"

// Saves DIR/page-N.png for every page of the scheme (see SavePageScreens),
// the program run with `args`; answers the number of pages that failed,
// plus one when the program did not end well.
int SaveScreens(const TMainFactory& factory, const std::string& dir, const std::vector<std::string>& args = {});
