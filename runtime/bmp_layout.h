// The header of an uncompressed .bmp of 24 or 32 bits per pixel, checked
// against the file's size: one rule for the program, which decodes the
// schematics, and for the build tool, which refuses a bitmap the program
// could not decode and writes each one's size into the resource table.
// Header-only and without dependencies, so the tool builds on its own.
#pragma once

#include <cstddef>
#include <cstdint>

struct TBmpLayout {
  int32_t width = 0, height = 0;
  bool topDown = false;
  size_t bytesPerPixel = 0, stride = 0;
  uint32_t pixelOffset = 0;
};

// Little-endian numbers, as .bmp and .ico files store them.
inline uint32_t ReadLe32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

inline uint16_t ReadLe16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// False, with `out` untouched, for anything else or a file cut short.
inline bool ReadBmpLayout(const unsigned char* data, size_t size, TBmpLayout& out) {
  if (!data || size < 54 || data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t pixelOffset = ReadLe32(data + 10);
  const uint32_t headerSize = ReadLe32(data + 14);
  if (headerSize < 40) return false;
  const int32_t width = static_cast<int32_t>(ReadLe32(data + 18));
  const int32_t rawHeight = static_cast<int32_t>(ReadLe32(data + 22));
  const uint16_t planes = ReadLe16(data + 26);
  const uint16_t bits = ReadLe16(data + 28);
  const uint32_t compression = ReadLe32(data + 30);
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
