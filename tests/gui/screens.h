// The screenshot step on the FLTK backend.
#pragma once

#include <string>

#include "ui/main_scheme.h"

// Saves DIR/page-N.png for every page of the scheme (see SavePageScreens);
// answers the number of pages that failed, plus one when the program did
// not end well.
int SaveScreens(const TMainFactory& factory, const std::string& dir);
