// Images for FLTK: a decoded schematic scaled to the size it is drawn at,
// and the window icons from the PNG resources.
#pragma once

#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <string>
#include <vector>

#include "ui/bitmap.h"

// `picture` at w x h; none when empty. At its own size the image borrows
// the picture's pixels (so `picture` must outlive it); resampled
// (ResampledImage), it owns its pixels.
std::unique_ptr<Fl_RGB_Image> ScaledPicture(const TRgbImage& picture, int w, int h);

// The PNG images of the icon resources of `name`, smallest first; those
// that do not decode are left out.
std::vector<std::unique_ptr<Fl_RGB_Image>> LoadIconImages(const std::string& name);
