// Writes RGB pixels as a PNG file (8-bit truecolour, no interlace), for the
// screenshots of the real windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Packs the image data (each row led by its filter byte) into a zlib
// stream; answers nothing when it cannot.
using TZlibPacker = std::vector<uint8_t> (*)(const std::vector<uint8_t>& raw);

// A zlib stream of stored (uncompressed) deflate blocks, for the programs
// that have no zlib.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw);

// `rgb` holds w x h pixels, rows top to bottom, 3 bytes each. False when
// the file cannot be written or the data not packed.
bool WritePng(const std::string& path, const uint8_t* rgb, int w, int h, TZlibPacker pack = &StoredZlib);
