// The program's font records on FLTK. Faces map to metric-compatible
// families found on any Debian desktop with fonts-liberation:
//   "Arial" -> Liberation Sans, "Times New Roman" -> Liberation Serif,
//   "Courier New" -> Liberation Mono, "MS Sans Serif" (and any face not
//   known) -> Liberation Sans.
// Bold and italic pick the family's styles; underline and strike-out are
// drawn by the widgets that show text.
//
// Sizes: a negative height is the character (em) height in pixels, which
// is FLTK's font size. A positive height is the cell the text must fit,
// ascent plus descent: the size is the largest whose line height
// (fl_height) is at most the cell, so "Arial" 10 (cell 16) is 14 px,
// 9 (cell 15) 13 px and 8 (cell 14) 12 px. "MS Sans Serif" is a bitmap
// face with a few sizes only (cells 13, 16, 20, 24, 29, 37 holding
// characters of 11, 13, 16, 19, 24, 29 px): a cell takes the largest of
// them that fits, so 8 (cell 14) draws like the forms' default, 11 px.
// At a scale above 1 (ui/scale.h) the height is scaled before that rule
// applies; the bitmap face, whose few sizes do not scale, takes the
// character height it has at 1 times the scale.
// Needs an open display; window thread only.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

#include "ui/platform.h"

struct TFltkFont {
  Fl_Font Face = FL_HELVETICA;
  Fl_Fontsize Size = 11;
  bool Underline = false;
  bool StrikeOut = false;
};

TFltkFont ResolveFont(const TFontRec& font, int32_t height, double scale = 1.0);

// The face used for the desktop's own texts (boxes, tooltips): Liberation
// Sans, regular or bold.
Fl_Font SansFace(bool bold = false);
