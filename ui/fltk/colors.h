// Colours of the program's controls on FLTK: direct colours are 0x00BBGGRR,
// system colours 0xFF000000 plus an index; the desktop has no system colour
// table, so the indexes the pages use get the light theme's values.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

// The button face (system colour 15): the background of forms and pages.
constexpr uint8_t kButtonFaceRgb[3] = {240, 240, 240};

Fl_Color ToFlColor(uint32_t color);
