#include "ui/bitmap.h"

#include "runtime/data.h"

namespace {

uint32_t ReadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// What the header of an uncompressed .bmp says, once checked against the
// file's size.
struct TBmpLayout {
  int32_t width = 0, height = 0;
  bool topDown = false;
  size_t bytesPerPixel = 0, stride = 0;
  uint32_t pixelOffset = 0;
};

bool ReadBmpLayout(const unsigned char* data, size_t size, TBmpLayout& out) {
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
  out = {width, height, topDown, bytesPerPixel, stride, pixelOffset};
  return true;
}

std::vector<uint8_t> DecodeRows(const unsigned char* data, const TBmpLayout& l) {
  std::vector<uint8_t> pixels(static_cast<size_t>(l.width) * static_cast<size_t>(l.height) * 3);
  for (int32_t y = 0; y < l.height; ++y) {
    const int32_t sourceRow = l.topDown ? y : l.height - 1 - y;
    const unsigned char* src = data + l.pixelOffset + l.stride * static_cast<size_t>(sourceRow);
    uint8_t* dst = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(l.width) * 3;
    for (int32_t x = 0; x < l.width; ++x, src += l.bytesPerPixel, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return pixels;
}

}  // namespace

const std::vector<uint8_t>& TRgbImage::Pixels() const {
  TBmpLayout layout;
  if (bmp_ && pixels_.empty() && ReadBmpLayout(bmp_->data, bmp_->size, layout))
    pixels_ = DecodeRows(bmp_->data, layout);
  return pixels_;
}

bool DecodeBmp(const unsigned char* data, size_t size, TRgbImage& out) {
  TBmpLayout layout;
  if (!ReadBmpLayout(data, size, layout)) return false;
  out = TRgbImage(layout.width, layout.height, DecodeRows(data, layout));
  return true;
}

std::shared_ptr<const TRgbImage> LoadBitmapResource(const std::string& name) {
  const TResource* r = FindResourceData(name, ResBitmap);
  TBmpLayout layout;
  if (!r || !ReadBmpLayout(r->data, r->size, layout)) return nullptr;
  auto image = std::make_shared<TRgbImage>();
  image->Width = layout.width;
  image->Height = layout.height;
  image->bmp_ = r;
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
  icons.Ico = FindResourceData(name, ResIcon);
  for (int px : {16, 32, 48})
    if (const TResource* r = FindResourceData(name + "_" + IntegerToText(px), ResData)) icons.Pngs.push_back({px, r});
  return icons;
}
