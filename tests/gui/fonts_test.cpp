// Font records on the desktop: the face each name maps to and the pixel
// size the cell-height rule gives.
#include "ui/fltk/fonts.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/fltk/fltk_platform.h"
#include "ui/win.h"

#include <FL/Fl.H>
#include "ui/fltk/draw.h"

namespace {

struct TFaceCase {
  const char* name;
  uint8_t style;
  const char* flName;  // FLTK's name: style prefix and family
};

TEST(Fonts, FacesMapToMetricCompatibleFamilies) {
  TFltkPlatform platform;
  const TFaceCase cases[] = {
      {"Arial", 0, " Liberation Sans"},           {"Arial", FontBold, "BLiberation Sans"},
      {"Arial", FontItalic, "ILiberation Sans"},  {"Arial", FontBold | FontItalic, "PLiberation Sans"},
      {"arial", FontBold | FontUnderline, "BLiberation Sans"},
      {"Times New Roman", FontBold, "BLiberation Serif"}, {"Courier New", 0, " Liberation Mono"},
      {"MS Sans Serif", 0, " Liberation Sans"},   {"Wingdings", 0, " Liberation Sans"},
  };
  for (const TFaceCase& c : cases) {
    const TFltkFont f = ResolveFont(MakeFontRec(c.name, 10, c.style, 1, 0), 16);
    EXPECT_STREQ(Fl::get_font(f.Face), c.flName) << c.name << " style " << int(c.style);
  }
}

TEST(Fonts, PositiveHeightIsTheCellTheLineMustFit) {
  TFltkPlatform platform;
  for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
    for (int size : {8, 9, 10, 12, 14}) {
      const int cell = size + 6;
      const TFltkFont f = ResolveFont(MakeFontRec(face, static_cast<uint8_t>(size), FontBold, 1, 0), cell);
      fl_font(f.Face, f.Size);
      EXPECT_LE(fl_height(), cell) << face << " " << size;
      // The largest that fits: one pixel more no longer does.
      fl_font(f.Face, f.Size + 1);
      EXPECT_GT(fl_height(), cell) << face << " " << size;
    }
  }
  // The sizes the pages use most, on the Liberation fonts.
  EXPECT_EQ(ResolveFont(MakeFontRec("Arial", 10, FontBold, 1, 0), 16).Size, 14);
  EXPECT_EQ(ResolveFont(MakeFontRec("Arial", 9, FontBold, 1, 0), 15).Size, 13);
  EXPECT_EQ(ResolveFont(MakeFontRec("Arial", 8, 0, 1, 0), 14).Size, 12);
}

TEST(Fonts, BitmapFaceTakesItsNearestSizeThatFits) {
  TFltkPlatform platform;
  struct TCase {
    int height, size;
  };
  const TCase cases[] = {{-11, 11}, {-13, 13}, {13, 11}, {14, 11}, {15, 11}, {16, 13}, {19, 13}, {20, 16}, {8, 11}};
  for (const TCase& c : cases)
    EXPECT_EQ(ResolveFont(MakeFontRec("MS Sans Serif", 8, 0, 1, 0), c.height).Size, c.size) << c.height;
}

// Faces drawn with the same family are opened once: the bitmap face and
// "Arial" share their font numbers (and with them FLTK's open sizes).
TEST(Fonts, FamiliesWithTheSameFacesShareThem) {
  TFltkPlatform platform;
  for (uint8_t style : {uint8_t(0), uint8_t(FontBold), uint8_t(FontItalic), uint8_t(FontBold | FontItalic)}) {
    EXPECT_EQ(ResolveFont(MakeFontRec("MS Sans Serif", 8, style, 1, 0), -13).Face,
              ResolveFont(MakeFontRec("Arial", 8, style, 1, 0), -13).Face)
        << int(style);
  }
  EXPECT_NE(ResolveFont(MakeFontRec("Times New Roman", 8, 0, 1, 0), -13).Face,
            ResolveFont(MakeFontRec("Arial", 8, 0, 1, 0), -13).Face);
  EXPECT_EQ(SansFace(), ResolveFont(MakeFontRec("Arial", 8, 0, 1, 0), -13).Face);
}

TEST(Fonts, UnderlineAndStrikeOutAreDrawnNotChosen) {
  TFltkPlatform platform;
  const TFltkFont plain = ResolveFont(MakeFontRec("Arial", 10, FontBold, 1, 0), 16);
  const TFltkFont underlined = ResolveFont(MakeFontRec("Arial", 10, FontBold | FontUnderline, 1, 0), 16);
  const TFltkFont struck = ResolveFont(MakeFontRec("Arial", 10, FontStrikeOut, 1, 0), 16);
  EXPECT_EQ(underlined.Face, plain.Face);
  EXPECT_EQ(underlined.Size, plain.Size);
  EXPECT_TRUE(underlined.Underline);
  EXPECT_FALSE(plain.Underline);
  EXPECT_TRUE(struck.StrikeOut);
  EXPECT_FALSE(struck.Underline);
}

}  // namespace
