// The window's scale on high-density screens: how many screen pixels one
// of the program's pixels takes. The logic lays everything out in its own
// pixels; a desktop backend multiplies once, where it hands geometry and
// fonts to the toolkit, and divides what comes back (positions the user
// changed, mouse points, measured texts). The headless backend and the
// driver stay at 1. These rules are shared by every backend.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

// Scales run from 1 (no shrinking below the layout's own pixels) to 4, in
// quarters, so that most lengths land on whole pixels.
constexpr double kMinScale = 1.0;
constexpr double kMaxScale = 4.0;
// The resolution the layout was drawn for.
constexpr double kBaseDpi = 96.0;

// The nearest quarter (halves round up), kept within kMinScale..kMaxScale.
double RoundScale(double scale);
// A desktop resolution in dots per inch as a scale: dpi / 96, rounded.
// Anything but a positive finite number gives 1.
double ScaleOfDpi(double dpi);
// The text of the X resource Xft.dpi ("144", " 192.0 ") as a scale; a text
// that is not a plain positive number (empty, "abc", "96x", "-120") gives 1.
double ScaleOfDpiText(const std::string& text);
// The scale "--scale N" asks for among the command-line arguments: N is a
// number from 1 to 4, rounded to a quarter. A "--scale" whose N is missing
// or is anything else is ignored like any other unknown argument; when
// several are valid the last one counts. None when no valid one is given.
std::optional<double> ScaleArgument(const std::vector<std::string>& args);

// A length or coordinate to screen pixels and back, rounded to the nearest
// pixel (halves away from zero).
int32_t ScaleLength(int32_t v, double scale);
int32_t UnscaleLength(int32_t v, double scale);
// A rectangle with both edges rounded, so that neighbours that touch in
// the layout still touch on screen; and back.
TRect ScaleRect(const TRect& r, double scale);
TRect UnscaleRect(const TRect& r, double scale);
// A font height as controls take it (positive cell height, negative
// character height): the sign kept, never rounded to 0.
int32_t ScaleFontHeight(int32_t height, double scale);
// A measured length back to the layout's pixels, rounded up so that what
// was measured still fits.
int32_t UnscaleExtent(int32_t v, double scale);
