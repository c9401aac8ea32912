// The screenshot steps of the windows beside the pages, the same on every
// desktop: the table sample (scenarios/table_sample.h) and the Parts window
// of the first page (scenarios/parts_screen.h), each made on the backend's
// platform at the scale "--scale N" in the arguments asks for, read back
// by the backend and saved as a PNG (its folder made first).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scenarios/png_file.h"
#include "ui/platform.h"

// Reads `form`'s client area as RGB rows once the screen shows it, with
// `focus` given the focus first; empty when it cannot be read.
using TFormCapture = std::function<std::vector<uint8_t>(TControl* form, TControl* focus, int& w, int& h)>;

// Each answers 0 when the window was saved as `path` and does not look
// blank, else 1 with the reason on standard error.
int SaveTableSampleScreen(TPlatform& platform, const std::string& path, const std::vector<std::string>& args,
                          const TFormCapture& capture, TZlibPacker pack = &StoredZlib);
int SavePartsWindowScreen(TPlatform& platform, const std::string& path, const std::vector<std::string>& args,
                          const TFormCapture& capture, TZlibPacker pack = &StoredZlib);
