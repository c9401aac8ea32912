// The screenshots' PNG writer: its uncompressed zlib stream must unpack to
// the bytes it was given across deflate's 65535-byte block limit, and the
// file must carry the image's size and data in chunks whose checksums hold.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scenarios/png_file.h"

namespace {

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return bytes;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16 |
         static_cast<uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(StoredZlib, UnpacksToTheSameBytesAcrossBlockLimits) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{65534}, size_t{65535}, size_t{65536}, size_t{3 * 65535 + 17}}) {
    const std::vector<uint8_t> raw = Pattern(n);
    const std::vector<uint8_t> packed = StoredZlib(raw);
    std::vector<uint8_t> back(n + 1);
    uLongf size = static_cast<uLongf>(back.size());
    ASSERT_EQ(uncompress(back.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK) << n << " bytes";
    back.resize(size);
    EXPECT_EQ(back, raw) << n << " bytes";
  }
}

TEST(WritePng, ChunksCarryTheImageWithValidChecksums) {
  const int w = 300, h = 120;  // more image data than one stored block holds
  const std::vector<uint8_t> rgb = Pattern(static_cast<size_t>(w * h * 3));
  const std::string path = TempPath("kelvane-png-test.png");
  ASSERT_TRUE(WritePng(path, rgb.data(), w, h));
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  ASSERT_GT(file.size(), 8u);
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  std::vector<std::string> types;
  std::vector<uint8_t> idat;
  for (size_t at = 8; at + 12 <= file.size();) {
    const uint32_t length = U32At(file, at);
    ASSERT_LE(at + 12 + length, file.size());
    const std::string type(file.begin() + static_cast<long>(at + 4), file.begin() + static_cast<long>(at + 8));
    types.push_back(type);
    const uLong crc = crc32(0L, file.data() + at + 4, length + 4);
    EXPECT_EQ(U32At(file, at + 8 + length), static_cast<uint32_t>(crc)) << type;
    if (type == "IHDR") {
      EXPECT_EQ(U32At(file, at + 8), static_cast<uint32_t>(w));
      EXPECT_EQ(U32At(file, at + 12), static_cast<uint32_t>(h));
    }
    if (type == "IDAT") idat.insert(idat.end(), file.begin() + static_cast<long>(at + 8), file.begin() + static_cast<long>(at + 8 + length));
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  // Each row comes back led by filter type 0.
  std::vector<uint8_t> rows(static_cast<size_t>(h) * (w * 3 + 1));
  uLongf size = static_cast<uLongf>(rows.size());
  ASSERT_EQ(uncompress(rows.data(), &size, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
  for (int y = 0; y < h; ++y) {
    const size_t row = static_cast<size_t>(y) * (w * 3 + 1);
    ASSERT_EQ(rows[row], 0) << "row " << y;
    ASSERT_TRUE(std::equal(rgb.begin() + static_cast<long>(y * w * 3), rgb.begin() + static_cast<long>((y + 1) * w * 3),
                           rows.begin() + static_cast<long>(row + 1)))
        << "row " << y;
  }
}

// --- What cannot be written ---------------------------------------------------

std::vector<uint8_t> NoPacking(const std::vector<uint8_t>&) { return {}; }

TEST(WritePngErrors, RefusesWhatItCannotWrite) {
  const uint8_t pixel[3] = {1, 2, 3};
  struct TCase {
    const char* Name;
    std::string Path;
    int W, H;
    TZlibPacker Pack;
  } cases[] = {
      {"no width", TempPath("kelvane-png-none.png"), 0, 1, &StoredZlib},
      {"no height", TempPath("kelvane-png-none.png"), 1, -1, &StoredZlib},
      {"no such folder", TempPath("kelvane-no-such-folder/page.png"), 1, 1, &StoredZlib},
      {"data not packed", TempPath("kelvane-png-none.png"), 1, 1, &NoPacking},
  };
  for (const TCase& c : cases) {
    EXPECT_FALSE(WritePng(c.Path, pixel, c.W, c.H, c.Pack)) << c.Name;
    std::FILE* f = std::fopen(c.Path.c_str(), "rb");
    EXPECT_EQ(f, nullptr) << c.Name << ": a file was left";
    if (f) std::fclose(f);
  }
}

}  // namespace
