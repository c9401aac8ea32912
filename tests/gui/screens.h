// The screenshot step: one PNG per page of the real window, each checked
// not to be blank.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/main_scheme.h"

// Distinct colours in RGB pixels (counting stops at `enough`).
int DistinctColours(const std::vector<uint8_t>& rgb, int enough);
// A capture with fewer than 8 colours shows nothing but flat areas: no
// text, no picture, no frame.
bool LooksBlank(const std::vector<uint8_t>& rgb);

// Saves DIR/page-N.png for every page of the scheme, N from 0, the program
// run with `args`; answers the number of pages that could not be saved or
// look blank (reported on standard error).
int SaveScreens(const TMainFactory& factory, const std::string& dir, const std::vector<std::string>& args = {});
