#include "ui/fltk/colors.h"

#include "ui/platform.h"

namespace {

struct TSystemColor {
  uint32_t index;
  uint8_t r, g, b;
};

// The indexes a desktop program asks for; anything else is the button face.
const TSystemColor kSystemColors[] = {
    {1, 0, 84, 147},     // desktop
    {4, 240, 240, 240},  // menu
    {5, 255, 255, 255},  // window background
    {6, 100, 100, 100},  // window frame
    {7, 0, 0, 0},        // menu text
    {8, 0, 0, 0},        // window text
    {15, kButtonFaceRgb[0], kButtonFaceRgb[1], kButtonFaceRgb[2]},
    {16, 160, 160, 160},  // button shadow
    {17, 109, 109, 109},  // grey text
    {18, 0, 0, 0},        // button text
    {20, 255, 255, 255},  // button highlight
    {24, 255, 255, 225},  // tooltip background
};

}  // namespace

Fl_Color ToFlColor(uint32_t color) {
  if (IsSystemColor(color)) {
    const uint32_t index = color & 0xFFu;
    for (const TSystemColor& s : kSystemColors)
      if (s.index == index) return fl_rgb_color(s.r, s.g, s.b);
    return fl_rgb_color(kButtonFaceRgb[0], kButtonFaceRgb[1], kButtonFaceRgb[2]);
  }
  return fl_rgb_color(static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
                      static_cast<uint8_t>((color >> 16) & 0xFF));
}
