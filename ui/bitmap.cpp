#include "ui/bitmap.h"

#include <algorithm>
#include <cstddef>

#include "runtime/bmp_layout.h"
#include "runtime/data.h"

namespace {

// One row of the file's pixels as R, G, B.
void ConvertRow(const unsigned char* src, const TBmpLayout& l, uint8_t* dst) {
  for (int32_t x = 0; x < l.width; ++x, src += l.bytesPerPixel, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
}

std::vector<uint8_t> DecodeRows(const unsigned char* data, const TBmpLayout& l) {
  std::vector<uint8_t> pixels(static_cast<size_t>(l.width) * static_cast<size_t>(l.height) * 3);
  for (int32_t y = 0; y < l.height; ++y) {
    const int32_t sourceRow = l.topDown ? y : l.height - 1 - y;
    ConvertRow(data + l.pixelOffset + l.stride * static_cast<size_t>(sourceRow), l,
               pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(l.width) * 3);
  }
  return pixels;
}

// The layout of a bitmap resource, from its first bytes.
bool ReadResourceLayout(const TResource& r, TBmpLayout& out) {
  unsigned char header[54];
  TResourceReader reader(r);
  return reader.Read(header, sizeof header) == sizeof header && ReadBmpLayout(header, r.size, out);
}

// Rows of pixels the picture of a bitmap hands out at a time.
constexpr int32_t kDecodeBand = 16;

}  // namespace

const std::vector<uint8_t>& TRgbImage::Pixels() const {
  if (bmp_ && pixels_.empty()) {
    const size_t row = static_cast<size_t>(Width) * 3;
    std::vector<uint8_t> all(row * static_cast<size_t>(Height));
    if (ForEachBand(kDecodeBand, [&](int32_t first, int32_t count, const uint8_t* rgb) {
          std::copy_n(rgb, row * static_cast<size_t>(count), all.data() + row * static_cast<size_t>(first));
        }))
      pixels_ = std::move(all);
  }
  return pixels_;
}

bool TRgbImage::ForEachBand(int32_t band, const TBandSink& sink) const {
  if (Width <= 0 || Height <= 0 || band <= 0) return false;
  const size_t row = static_cast<size_t>(Width) * 3;
  if (pixels_.size() >= row * static_cast<size_t>(Height)) {
    for (int32_t y = 0; y < Height; y += band) sink(y, std::min(band, Height - y), pixels_.data() + row * static_cast<size_t>(y));
    return true;
  }
  TBmpLayout l;
  if (!bmp_ || !ReadResourceLayout(*bmp_, l) || l.width != Width || l.height != Height) return false;
  // The bitmap is read once, front to back, a row at a time.
  TResourceReader reader(*bmp_);
  std::vector<unsigned char> line(std::max<size_t>(l.stride, 1));
  while (reader.Offset() < l.pixelOffset)
    if (reader.Read(line.data(), std::min(line.size(), l.pixelOffset - reader.Offset())) == 0) return false;
  std::vector<uint8_t> rgb(row * static_cast<size_t>(std::min(band, Height)));
  // A bottom-up file gives its bands from the bottom.
  for (int32_t done = 0; done < Height;) {
    const int32_t n = std::min(band, Height - done);
    for (int32_t k = 0; k < n; ++k) {
      if (reader.Read(line.data(), l.stride) != l.stride) return false;
      ConvertRow(line.data(), l, rgb.data() + row * static_cast<size_t>(l.topDown ? k : n - 1 - k));
    }
    sink(l.topDown ? done : Height - done - n, n, rgb.data());
    done += n;
  }
  return true;
}

bool DecodeBmp(const unsigned char* data, size_t size, TRgbImage& out) {
  TBmpLayout layout;
  if (!ReadBmpLayout(data, size, layout)) return false;
  out = TRgbImage(layout.width, layout.height, DecodeRows(data, layout));
  return true;
}

std::shared_ptr<const TRgbImage> LoadBitmapResource(const std::string& name) {
  const TResource* r = FindResourceData(name, ResBitmap);
  if (!r) return nullptr;
  auto image = std::make_shared<TRgbImage>();
  if (r->width > 0 && r->height > 0) {
    // A page builds its picture long before it is shown, if ever: the
    // table's size keeps the bitmap's bytes untouched until then.
    image->Width = r->width;
    image->Height = r->height;
  } else {
    TBmpLayout layout;
    if (!ReadResourceLayout(*r, layout)) return nullptr;
    image->Width = layout.width;
    image->Height = layout.height;
  }
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

namespace {

// The source pixels one destination pixel along an axis takes, and how much.
struct TTap {
  int32_t From;
  float Weight;
};

std::vector<std::vector<TTap>> AxisTaps(int32_t from, int32_t to) {
  std::vector<std::vector<TTap>> taps(static_cast<size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int32_t i = 0; i < to; ++i) {
    std::vector<TTap>& t = taps[static_cast<size_t>(i)];
    if (to >= from) {
      // Pixel centres line up: the first and last pixels keep their colour.
      const double centre = std::max(0.0, std::min(from - 1.0, (i + 0.5) * step - 0.5));
      const int32_t left = static_cast<int32_t>(centre);
      const double f = centre - left;
      t.push_back({left, static_cast<float>(1 - f)});
      if (f > 0 && left + 1 < from) t.push_back({left + 1, static_cast<float>(f)});
    } else {
      const double start = i * step, end = (i + 1) * step;
      for (int32_t j = static_cast<int32_t>(start); j < from && j < end; ++j) {
        const double covered = std::min<double>(end, j + 1) - std::max<double>(start, j);
        if (covered > 0) t.push_back({j, static_cast<float>(covered / step)});
      }
    }
  }
  return taps;
}

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::max(0.0f, std::min(255.0f, v + 0.5f))); }

}  // namespace

TRgbImage ResampledImage(const TRgbImage& picture, int32_t w, int32_t h) {
  const std::vector<uint8_t>& source = picture.Pixels();
  const size_t sw = static_cast<size_t>(std::max(0, picture.Width)), sh = static_cast<size_t>(std::max(0, picture.Height));
  if (sw == 0 || sh == 0 || w <= 0 || h <= 0 || source.size() < sw * sh * 3) return TRgbImage();
  if (w == picture.Width && h == picture.Height) return TRgbImage(w, h, std::vector<uint8_t>(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(sw * sh * 3)));
  const auto across = AxisTaps(picture.Width, w), down = AxisTaps(picture.Height, h);
  const size_t dw = static_cast<size_t>(w), dh = static_cast<size_t>(h);
  // Rows first, into reals, then columns.
  std::vector<float> rows(sh * dw * 3);
  for (size_t y = 0; y < sh; ++y)
    for (size_t x = 0; x < dw; ++x)
      for (const TTap& t : across[x])
        for (size_t c = 0; c < 3; ++c)
          rows[(y * dw + x) * 3 + c] += t.Weight * source[(y * sw + static_cast<size_t>(t.From)) * 3 + c];
  std::vector<uint8_t> out(dw * dh * 3);
  for (size_t y = 0; y < dh; ++y)
    for (size_t x = 0; x < dw; ++x)
      for (size_t c = 0; c < 3; ++c) {
        float v = 0;
        for (const TTap& t : down[y]) v += t.Weight * rows[(static_cast<size_t>(t.From) * dw + x) * 3 + c];
        out[(y * dw + x) * 3 + c] = ToByte(v);
      }
  return TRgbImage(w, h, std::move(out));
}

std::vector<TRgbaImage> DecodeIcoImages(const unsigned char* data, size_t size) {
  constexpr size_t kDirectory = 6, kEntry = 16, kInfoHeader = 40;
  if (!data || size < kDirectory || ReadLe16(data) != 0 || ReadLe16(data + 2) != 1) return {};
  const size_t count = ReadLe16(data + 4);
  if (size < kDirectory + kEntry * count) return {};
  std::vector<TRgbaImage> images;
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* e = data + kDirectory + kEntry * i;
    const uint32_t bytes = ReadLe32(e + 8), offset = ReadLe32(e + 12);
    if (offset > size || bytes > size - offset) return {};
    const unsigned char* dib = data + offset;
    // A DIB's header: colour rows bottom-up, then the 1-bit mask (which
    // the alpha channel makes redundant at 32 bits).
    if (bytes < kInfoHeader || ReadLe32(dib) < kInfoHeader || ReadLe16(dib + 14) != 32 || ReadLe32(dib + 16) != 0)
      continue;
    const int32_t width = static_cast<int32_t>(ReadLe32(dib + 4)), height = static_cast<int32_t>(ReadLe32(dib + 8)) / 2;
    if (width <= 0 || height <= 0 || width > 256 || height > 256) continue;
    const size_t header = ReadLe32(dib), row = static_cast<size_t>(width) * 4;
    if (bytes - kInfoHeader < row * static_cast<size_t>(height) || header > bytes - row * static_cast<size_t>(height))
      continue;
    TRgbaImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.resize(row * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
      const unsigned char* src = dib + header + row * static_cast<size_t>(height - 1 - y);
      uint8_t* dst = image.Pixels.data() + row * static_cast<size_t>(y);
      for (int32_t x = 0; x < width; ++x, src += 4, dst += 4) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
        dst[3] = src[3];
      }
    }
    images.push_back(std::move(image));
  }
  return images;
}

TIconResources FindIconResources(const std::string& name) {
  TIconResources icons;
  icons.Ico = FindResourceData(name, ResIcon);
  for (int px : {16, 32, 48})
    if (const TResource* r = FindResourceData(name + "_" + IntegerToText(px), ResData)) icons.Pngs.push_back({px, r});
  return icons;
}
