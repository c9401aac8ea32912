// The screenshot step on the FLTK backend.
#pragma once

#include <string>
#include <vector>

#include "ui/main_scheme.h"

// Saves DIR/page-N.png for every page of the scheme (see SavePageScreens),
// the program run with `args`; answers the number of pages that failed,
// plus one when the program did not end well.
int SaveScreens(const TMainFactory& factory, const std::string& dir, const std::vector<std::string>& args = {});

// Saves the sample window with a filled table (scenarios/table_sample.h)
// as the PNG `path`, at the scale "--scale N" in `args` asks for; answers
// 0 when it was saved and does not look blank.
int SaveTableScreen(const std::string& path, const std::vector<std::string>& args = {});

// Saves the Parts window of the first page, calculated with its defaults,
// as the PNG `path` (scale as above); 0 when saved and not blank.
int SavePartsScreen(const std::string& path, const std::vector<std::string>& args = {});
