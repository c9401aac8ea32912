#include "ui/fltk/fonts.h"

#include <FL/Fl.H>
#include "ui/fltk/draw.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include "ui/encoding.h"
#include "ui/scale.h"

namespace {

// FLTK keeps the name pointers: these literals live as long as the program.
// The first character is FLTK's style prefix: ' ' regular, 'B' bold,
// 'I' italic, 'P' bold italic.
struct TFamily {
  const char* windowsName;
  const char* styles[4];
  bool bitmap;
};

const TFamily kFamilies[] = {
    {"arial", {" Liberation Sans", "BLiberation Sans", "ILiberation Sans", "PLiberation Sans"}, false},
    {"times new roman", {" Liberation Serif", "BLiberation Serif", "ILiberation Serif", "PLiberation Serif"}, false},
    {"courier new", {" Liberation Mono", "BLiberation Mono", "ILiberation Mono", "PLiberation Mono"}, false},
    {"ms sans serif", {" Liberation Sans", "BLiberation Sans", "ILiberation Sans", "PLiberation Sans"}, true},
};
constexpr size_t kFamilyCount = sizeof kFamilies / sizeof kFamilies[0];

// Cell heights of the bitmap face and the character heights they hold.
struct TBitmapSize {
  int cell, em;
};
const TBitmapSize kBitmapSizes[] = {{13, 11}, {16, 13}, {20, 16}, {24, 19}, {29, 24}, {37, 29}};

size_t FamilyOf(const std::string& name) {
  const std::string lowered = LowerCp1251(name);
  for (size_t i = 0; i < kFamilyCount; ++i)
    if (lowered == kFamilies[i].windowsName) return i;
  return 0;
}

// The first family drawn with the same faces: FLTK opens and keeps a face
// per font number and size, so families sharing faces share numbers.
size_t FaceOwner(size_t family) {
  for (size_t i = 0; i < family; ++i)
    if (std::strcmp(kFamilies[i].styles[0], kFamilies[family].styles[0]) == 0) return i;
  return family;
}

Fl_Font FaceOf(size_t family, int style) {
  family = FaceOwner(family);
  const Fl_Font face = static_cast<Fl_Font>(FL_FREE_FONT + family * 4 + static_cast<size_t>(style));
  static bool registered[kFamilyCount][4] = {};
  if (!registered[family][style]) {
    Fl::set_font(face, kFamilies[family].styles[style]);
    registered[family][style] = true;
  }
  return face;
}

int SizeForCell(Fl_Font face, bool bitmap, int cell) {
  if (bitmap) {
    int em = kBitmapSizes[0].em;
    for (const TBitmapSize& s : kBitmapSizes)
      if (s.cell <= cell) em = s.em;
    return em;
  }
  static std::map<std::pair<Fl_Font, int>, int> cache;
  auto it = cache.find({face, cell});
  if (it != cache.end()) return it->second;
  // Opening a face at a size is slow: start from the usual proportion (a
  // line is about 8/7 of the size) and step from there.
  auto fits = [face, cell](int size) {
    fl_font(face, size);
    return fl_height() <= cell;
  };
  int size = std::max(4, cell * 7 / 8);
  if (fits(size)) {
    while (size < cell && fits(size + 1)) ++size;
  } else {
    while (size > 4 && !fits(--size)) {
    }
  }
  cache[{face, cell}] = size;
  return size;
}

}  // namespace

TFltkFont ResolveFont(const TFontRec& font, int32_t height, double scale) {
  const size_t family = FamilyOf(font.Name);
  const int style = ((font.Style & FontBold) ? 1 : 0) | ((font.Style & FontItalic) ? 2 : 0);
  TFltkFont out;
  out.Face = FaceOf(family, style);
  if (height < 0)
    out.Size = -ScaleFontHeight(height, scale);
  else if (height > 0 && kFamilies[family].bitmap)
    out.Size = ScaleLength(SizeForCell(out.Face, true, height), scale);
  else if (height > 0)
    out.Size = SizeForCell(out.Face, false, ScaleFontHeight(height, scale));
  else
    out.Size = ScaleLength(11, scale);
  out.Underline = (font.Style & FontUnderline) != 0;
  out.StrikeOut = (font.Style & FontStrikeOut) != 0;
  return out;
}

Fl_Font SansFace(bool bold) { return FaceOf(0, bold ? 1 : 0); }
