#include "ui/encoding.h"

#include <cstdint>

namespace {

// Unicode of the bytes 0x80..0xFF; 0 where the code page has no character.
const uint16_t kHighHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char FromUnicode(uint32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  for (int i = 0; i < 128; ++i)
    if (kHighHalf[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

std::string Cp1251ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    const unsigned char b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else {
      const uint16_t cp = kHighHalf[b - 0x80];
      AppendUtf8(out, cp ? cp : '?');
    }
  }
  return out;
}

std::string Utf8ToCp1251(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    int extra;
    uint32_t cp;
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07;
    } else {
      out += '?';
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < n;
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms and surrogates are malformed too.
    static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)) ok = false;
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    out += FromUnicode(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

char LowerCp1251(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
  switch (b) {
    case 0x80: return static_cast<char>(0x90);
    case 0x81: return static_cast<char>(0x83);
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return static_cast<char>(b + 0x10);
    case 0xA1: return static_cast<char>(0xA2);
    case 0xA3: return static_cast<char>(0xBC);
    case 0xA5: return static_cast<char>(0xB4);
    case 0xA8: case 0xAA: case 0xAF: return static_cast<char>(b + 0x10);
    case 0xB2: return static_cast<char>(0xB3);
    case 0xBD: return static_cast<char>(0xBE);
    default: return c;
  }
}

std::string LowerCp1251(const std::string& text) {
  std::string out(text);
  for (char& c : out) c = LowerCp1251(c);
  return out;
}

size_t Utf8SequenceLength(const std::string& text, size_t i) {
  const auto byte = [&text](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
  const auto continues = [&byte](size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
    return byte(k) >= lo && byte(k) <= hi;
  };
  const unsigned lead = byte(i);
  if (i >= text.size()) return 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continues(i + 1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80, hi = lead == 0xED ? 0x9F : 0xBF;
    return continues(i + 1, lo, hi) && continues(i + 2) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned lo = lead == 0xF0 ? 0x90 : 0x80, hi = lead == 0xF4 ? 0x8F : 0xBF;
    return continues(i + 1, lo, hi) && continues(i + 2) && continues(i + 3) ? 4 : 0;
  }
  return 0;
}

bool IsControlCharacterAt(const std::string& text, size_t i) {
  const unsigned char b = static_cast<unsigned char>(text[i]);
  if (b < 0x20 || b == 0x7F) return true;
  return b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

bool IsCleanUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0 || IsControlCharacterAt(text, i)) return false;
    i += length;
  }
  return true;
}
