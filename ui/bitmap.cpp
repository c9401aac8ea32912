#include "ui/bitmap.h"

#include "runtime/data.h"

namespace {

uint32_t ReadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

bool DecodeBmp(const unsigned char* data, size_t size, TRgbImage& out) {
  if (!data || size < 54 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t pixelOffset = ReadU32(data + 10);
  const uint32_t headerSize = ReadU32(data + 14);
  if (headerSize < 40) return false;
  const int32_t width = static_cast<int32_t>(ReadU32(data + 18));
  const int32_t rawHeight = static_cast<int32_t>(ReadU32(data + 22));
  const uint16_t planes = ReadU16(data + 26);
  const uint16_t bits = ReadU16(data + 28);
  const uint32_t compression = ReadU32(data + 30);
  // 32-bit files may say "bit fields" with the usual masks; accept those.
  if (planes != 1 || (bits != 24 && bits != 32) || !(compression == 0 || (compression == 3 && bits == 32)))
    return false;
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (width > 16384 || height > 16384) return false;
  const size_t bytesPerPixel = bits / 8;
  const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
  if (pixelOffset > size || stride * static_cast<size_t>(height) > size - pixelOffset) return false;

  TRgbImage image;
  image.Width = width;
  image.Height = height;
  image.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (int32_t y = 0; y < height; ++y) {
    const int32_t sourceRow = topDown ? y : height - 1 - y;
    const unsigned char* src = data + pixelOffset + stride * static_cast<size_t>(sourceRow);
    uint8_t* dst = image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    for (int32_t x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  out = std::move(image);
  return true;
}

std::shared_ptr<const TRgbImage> LoadBitmapResource(const std::string& name) {
  const TResource* r = FindResource(name, ResBitmap);
  if (!r) return nullptr;
  auto image = std::make_shared<TRgbImage>();
  if (!DecodeBmp(r->data, r->size, *image)) return nullptr;
  return image;
}

TRect ProportionalRect(int32_t bitmapW, int32_t bitmapH, int32_t areaW, int32_t areaH) {
  TRect r;
  if (bitmapW <= 0 || bitmapH <= 0) return r;
  const double w = bitmapW, h = bitmapH;
  if (bitmapW > bitmapH) {
    r.Width = areaW;
    r.Height = static_cast<int32_t>(RoundHalfEven(areaW / (w / h)));
    r.Top = (areaH - r.Height) / 2;
  } else {
    r.Height = areaH;
    r.Width = static_cast<int32_t>(RoundHalfEven(areaH / (h / w)));
    r.Left = (areaW - r.Width) / 2;
  }
  return r;
}

TIconResources FindIconResources(const std::string& name) {
  TIconResources icons;
  icons.Ico = FindResource(name, ResIcon);
  for (int px : {16, 32, 48})
    if (const TResource* r = FindResource(name + "_" + IntegerToText(px), ResData)) icons.Pngs.push_back({px, r});
  return icons;
}
