// Writes RGB pixels as a PNG file (8-bit truecolour, no interlace), for the
// screenshots of the real window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds w x h pixels, rows top to bottom, 3 bytes each. False when the
// file cannot be written.
bool WritePng(const std::string& path, const uint8_t* rgb, int w, int h);
