// Images for FLTK: a schematic at the size it is drawn at,
// and the window icons from the icon resources.
#pragma once

#include <FL/Fl_RGB_Image.H>
#include "ui/fltk/draw.h"

#include <memory>
#include <string>
#include <vector>

#include "ui/bitmap.h"

// `picture` at w x h (resampled by ResampledImage when that is not its own
// size) drawn into a new offscreen of the window being drawn, which the
// caller deletes (fl_delete_offscreen); 0 when the picture or the size is
// empty or its pixels cannot be had. The rows go over a band at a time:
// FLTK keeps a conversion buffer as large as the largest image it was
// given, and a picture at its own size is read from its bitmap as it goes.
Fl_Offscreen RenderPicture(const TRgbImage& picture, int w, int h);

// The images of the icon resources of `name`, smallest first: those of
// the .ico file, or where it has none, the PNG images that decode.
std::vector<std::unique_ptr<Fl_RGB_Image>> LoadIconImages(const std::string& name);
