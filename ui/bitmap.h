// Pictures from the embedded resources: the schematics (.bmp files) are
// decoded here into plain RGB images that every backend can draw, and the
// proportional placement of a picture in an image area is computed here,
// so backends only scale and blit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/resources.h"
#include "ui/platform.h"

// Width x Height pixels, rows top to bottom, 3 bytes (R, G, B) per pixel.
// A picture of a bitmap resource knows its size at once (from the resource
// table) but reads its bytes only when asked for pixels: Pixels() decodes
// them all once and keeps them, ForEachBand() hands them out a band of rows
// at a time and keeps nothing, so the schematics of pages that are never
// shown are never touched, and one drawn at its own size is never held
// whole. Window thread only.
struct TRgbImage {
  TRgbImage() = default;
  TRgbImage(int32_t width, int32_t height, std::vector<uint8_t> pixels)
      : Width(width), Height(height), pixels_(std::move(pixels)) {}

  int32_t Width = 0;
  int32_t Height = 0;
  // Empty when the bitmap cannot be decoded.
  const std::vector<uint8_t>& Pixels() const;
  // Calls `sink` for every band of up to `band` rows (`first` the band's
  // top row, `rgb` its count * Width * 3 bytes), in the order the rows are
  // stored; false when the pixels cannot be had (a bitmap found broken
  // partway has handed out the bands before).
  using TBandSink = std::function<void(int32_t first, int32_t count, const uint8_t* rgb)>;
  bool ForEachBand(int32_t band, const TBandSink& sink) const;

 private:
  friend std::shared_ptr<const TRgbImage> LoadBitmapResource(const std::string& name);
  const TResource* bmp_ = nullptr;  // the bytes its pixels come from
  mutable std::vector<uint8_t> pixels_;
};

// Decodes an uncompressed .bmp file of 24 or 32 bits per pixel, bottom-up
// or top-down. False (and `out` untouched) for anything else or a file that
// is cut short.
bool DecodeBmp(const unsigned char* data, size_t size, TRgbImage& out);

// The picture of the bitmap resource of that name, or none when it is
// missing. Its size is the table's when the table gives one (its pixels are
// then checked when first read); otherwise the header is read now and a
// bitmap that cannot be decoded gives none.
std::shared_ptr<const TRgbImage> LoadBitmapResource(const std::string& name);

// Where a bitmapW x bitmapH picture goes in a W x H area, keeping its
// aspect ratio: a wide picture takes the full width and is centred
// vertically, any other the full height, centred horizontally (rounded
// half to even, offsets truncated). An empty picture gives an empty rect.
TRect ProportionalRect(int32_t bitmapW, int32_t bitmapH, int32_t areaW, int32_t areaH);

// `picture` resampled to w x h for drawing: enlarged with bilinear
// interpolation, reduced by averaging the area each pixel covers (each axis
// on its own), so a schematic stays smooth at any scale. At its own size it
// is a copy; an empty picture or size gives an empty image. Costly: draw
// from a kept result, not at every paint.
TRgbImage ResampledImage(const TRgbImage& picture, int32_t w, int32_t h);

// An image with an alpha channel: Width x Height pixels, rows top to
// bottom, 4 bytes (R, G, B, A) per pixel.
struct TRgbaImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels;
};

// The images of 32 bits per pixel (colour and alpha) in an .ico file, in
// the file's order; images of other depths or stored as PNG are left out,
// and a file that is not an icon or is cut short gives none.
std::vector<TRgbaImage> DecodeIcoImages(const unsigned char* data, size_t size);

// The icon resources of a name: the .ico file NAME and the PNG images
// NAME_16, NAME_32, NAME_48 (whichever exist).
struct TIconResources {
  const TResource* Ico = nullptr;
  std::vector<std::pair<int, const TResource*>> Pngs;  // (size in px, resource)
  bool Empty() const { return !Ico && Pngs.empty(); }
};
TIconResources FindIconResources(const std::string& name);
