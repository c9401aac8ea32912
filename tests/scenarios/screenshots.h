// The screenshot step every backend runs: one PNG per page of the real
// window, each checked not to be blank.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scenarios/png_file.h"
#include "scenarios/scenario.h"

// Distinct colours in RGB pixels (counting stops at `enough`).
int DistinctColours(const std::vector<uint8_t>& rgb, int enough);
// A capture with fewer than 8 colours shows nothing but flat areas: no
// text, no picture, no frame.
bool LooksBlank(const std::vector<uint8_t>& rgb);

// Saves `rgb` (`w` by `h`) as the PNG `path`; 0 when saved and not blank,
// else 1 with the reason on standard error, and the saved path and size on
// standard output.
int SaveScreen(const std::string& path, const std::vector<uint8_t>& rgb, int w, int h, TZlibPacker pack = &StoredZlib);

// The main window's client area as RGB rows, as the screen shows it once
// the selected page is drawn; empty when it cannot be read.
using TCapture = std::function<std::vector<uint8_t>(int& w, int& h)>;

// Selects every page in turn and saves what `capture` reads as DIR/page-N.png
// (N from 0, DIR already there); answers the number of pages that could
// not be saved or look blank, reported on standard error.
int SavePageScreens(TScenarioUser& user, const std::string& dir, const TCapture& capture,
                    TZlibPacker pack = &StoredZlib);
