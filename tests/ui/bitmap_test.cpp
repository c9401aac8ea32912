#include "ui/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A .bmp file whose pixel (x, y) (y from the top) is (R, G, B) = (x, y, x + y).
std::vector<unsigned char> MakeBmp(int w, int h, int bits, bool topDown) {
  const size_t bpp = static_cast<size_t>(bits / 8);
  const size_t stride = (static_cast<size_t>(w) * bpp + 3) & ~static_cast<size_t>(3);
  std::vector<unsigned char> b(54 + stride * static_cast<size_t>(h), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(w));
  Put32(b, 22, static_cast<uint32_t>(topDown ? -h : h));
  b[26] = 1;
  b[28] = static_cast<unsigned char>(bits);
  for (int y = 0; y < h; ++y) {
    const int row = topDown ? y : h - 1 - y;
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &b[54 + stride * static_cast<size_t>(row) + static_cast<size_t>(x) * bpp];
      p[0] = static_cast<unsigned char>(x + y);  // blue first
      p[1] = static_cast<unsigned char>(y);
      p[2] = static_cast<unsigned char>(x);
    }
  }
  return b;
}

TEST(DecodeBmp, ReadsEveryLayoutTopRowFirst) {
  struct Case {
    int w, h, bits;
    bool topDown;
  } cases[] = {{3, 2, 24, false}, {3, 2, 24, true}, {5, 4, 32, false}, {1, 1, 24, false}, {250, 199, 24, false}};
  for (const Case& c : cases) {
    std::vector<unsigned char> file = MakeBmp(c.w, c.h, c.bits, c.topDown);
    TRgbImage image;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), image)) << c.w << "x" << c.h << "/" << c.bits;
    EXPECT_EQ(image.Width, c.w);
    EXPECT_EQ(image.Height, c.h);
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) {
        const uint8_t* px = &image.Pixels()[(static_cast<size_t>(y) * static_cast<size_t>(c.w) + static_cast<size_t>(x)) * 3];
        ASSERT_EQ(px[0], static_cast<uint8_t>(x));
        ASSERT_EQ(px[1], static_cast<uint8_t>(y));
        ASSERT_EQ(px[2], static_cast<uint8_t>(x + y));
      }
    }
  }
}

TEST(DecodeBmpErrors, RefusesWhatItCannotRead) {
  std::vector<unsigned char> good = MakeBmp(4, 3, 24, false);
  struct Case {
    const char* what;
    size_t at;
    unsigned char value;
    size_t keep;
  } cases[] = {
      {"not a bitmap", 0, 'X', 0},
      {"8 bits per pixel", 28, 8, 0},
      {"compressed", 30, 1, 0},
      {"zero width", 18, 0, 0},
      {"cut short", 0, 'B', 60},
      {"header only", 0, 'B', 20},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> file = good;
    file[c.at] = c.value;
    if (c.what == std::string("zero width")) Put32(file, 18, 0);
    if (c.keep) file.resize(c.keep);
    TRgbImage image;
    image.Width = 7;
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), image)) << c.what;
    EXPECT_EQ(image.Width, 7) << c.what;
  }
  TRgbImage image;
  EXPECT_FALSE(DecodeBmp(nullptr, 0, image));
}

// `file` packed as copies of up to 128 bytes, each white run of 3 or more
// as a run: what the resource reader unpacks.
std::vector<unsigned char> Packed(const std::vector<unsigned char>& file) {
  std::vector<unsigned char> out;
  for (size_t i = 0; i < file.size();) {
    size_t run = 0;
    while (i + run < file.size() && file[i + run] == file[i] && run < 130) ++run;
    if (run >= 3) {
      out.push_back(static_cast<unsigned char>(run + kPackRunBase));
      out.push_back(file[i]);
      i += run;
      continue;
    }
    const size_t n = std::min<size_t>(run, file.size() - i);
    out.push_back(static_cast<unsigned char>(n - 1));
    out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(i), file.begin() + static_cast<std::ptrdiff_t>(i + n));
    i += n;
  }
  return out;
}

// A picture hands out every row once, in bands of at most the size asked,
// the same rows Pixels() holds, whether it reads its bitmap stored or
// packed, or pixels it holds.
TEST(ForEachBand, HandsOutEveryRowOfPixelsOnce) {
  struct Case {
    int w, h, bits;
    bool topDown;
    int band;
  } cases[] = {{3, 2, 24, false, 1}, {5, 7, 32, true, 3}, {250, 199, 24, false, 16}, {4, 4, 24, false, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "/" << c.bits << (c.topDown ? " top-down" : "") << " band " << c.band);
    const std::vector<unsigned char> file = MakeBmp(c.w, c.h, c.bits, c.topDown), packed = Packed(file);
    TRgbImage decoded;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), decoded));
    const TResource items[] = {{"STORED", ResBitmap, file.data(), file.size(), c.w, c.h},
                               {"PACKED", ResBitmap, packed.data(), file.size(), c.w, c.h, packed.size()}};
    const TResourceTable table{items, 2};
    const TResourceTable* previous = SetResourceTable(&table);
    const auto stored = LoadBitmapResource("STORED"), fromPacked = LoadBitmapResource("PACKED");
    SetResourceTable(previous);
    ASSERT_TRUE(stored && fromPacked);
    const size_t row = static_cast<size_t>(c.w) * 3;
    const TRgbImage* images[] = {stored.get(), fromPacked.get(), &decoded};
    for (const TRgbImage* image : images) {
      std::vector<uint8_t> all(row * static_cast<size_t>(c.h), 0xAB);
      std::vector<int> seen(static_cast<size_t>(c.h), 0);
      ASSERT_TRUE(image->ForEachBand(c.band, [&](int32_t first, int32_t count, const uint8_t* rgb) {
        ASSERT_GE(count, 1);
        ASSERT_LE(count, c.band);
        for (int32_t y = first; y < first + count; ++y) ++seen[static_cast<size_t>(y)];
        std::copy_n(rgb, row * static_cast<size_t>(count), all.begin() + static_cast<std::ptrdiff_t>(row * static_cast<size_t>(first)));
      }));
      EXPECT_EQ(seen, std::vector<int>(static_cast<size_t>(c.h), 1));
      EXPECT_EQ(all, decoded.Pixels());
    }
    EXPECT_EQ(fromPacked->Pixels(), decoded.Pixels());
  }
}

TEST(ForEachBandErrors, HandsOutNothingItDoesNotHave) {
  int calls = 0;
  const auto count = [&calls](int32_t, int32_t, const uint8_t*) { ++calls; };
  EXPECT_FALSE(TRgbImage().ForEachBand(4, count));
  EXPECT_FALSE(TRgbImage(2, 2, {1, 2, 3}).ForEachBand(4, count)) << "pixels cut short";
  EXPECT_FALSE(TRgbImage(1, 1, {1, 2, 3}).ForEachBand(0, count)) << "no band";
  EXPECT_EQ(calls, 0);
}

void Put16(std::vector<unsigned char>& b, size_t at, uint16_t v) {
  b[at] = static_cast<unsigned char>(v);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// An .ico file of square images of these sides and depths; pixel (x, y)
// (y from the top) of an image of side s is (R, G, B, A) = (x, y, s, x + y).
std::vector<unsigned char> MakeIco(const std::vector<std::pair<int, int>>& images) {
  std::vector<unsigned char> file(6 + 16 * images.size(), 0);
  Put16(file, 2, 1);
  Put16(file, 4, static_cast<uint16_t>(images.size()));
  for (size_t i = 0; i < images.size(); ++i) {
    const int side = images[i].first, bits = images[i].second;
    const size_t row = static_cast<size_t>(side) * static_cast<size_t>(bits / 8), mask = (static_cast<size_t>(side) + 31) / 32 * 4;
    std::vector<unsigned char> dib(40 + (row + mask) * static_cast<size_t>(side), 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, static_cast<uint32_t>(side));
    Put32(dib, 8, static_cast<uint32_t>(2 * side));
    Put16(dib, 12, 1);
    Put16(dib, 14, static_cast<uint16_t>(bits));
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side && bits == 32; ++x) {
        unsigned char* p = &dib[40 + row * static_cast<size_t>(side - 1 - y) + static_cast<size_t>(x) * 4];
        p[0] = static_cast<unsigned char>(side);  // blue first
        p[1] = static_cast<unsigned char>(y);
        p[2] = static_cast<unsigned char>(x);
        p[3] = static_cast<unsigned char>(x + y);
      }
    unsigned char* e = &file[6 + 16 * i];
    e[0] = e[1] = static_cast<unsigned char>(side);
    Put32(file, 6 + 16 * i + 8, static_cast<uint32_t>(dib.size()));
    Put32(file, 6 + 16 * i + 12, static_cast<uint32_t>(file.size()));
    file.insert(file.end(), dib.begin(), dib.end());
  }
  return file;
}

TEST(DecodeIcoImages, ReadsTheImagesWithAlphaTopRowFirst) {
  const std::vector<unsigned char> file = MakeIco({{16, 32}, {8, 24}, {3, 32}});
  const std::vector<TRgbaImage> images = DecodeIcoImages(file.data(), file.size());
  ASSERT_EQ(images.size(), 2u) << "the 24-bit image is left out";
  for (const TRgbaImage& image : images) {
    const int side = image.Width;
    SCOPED_TRACE(side);
    ASSERT_EQ(image.Height, side);
    ASSERT_EQ(image.Pixels.size(), static_cast<size_t>(side * side * 4));
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const uint8_t* px = &image.Pixels[static_cast<size_t>((y * side + x) * 4)];
        ASSERT_EQ(px[0], x);
        ASSERT_EQ(px[1], y);
        ASSERT_EQ(px[2], side);
        ASSERT_EQ(px[3], x + y);
      }
  }
  EXPECT_EQ(images[0].Width, 16);
  EXPECT_EQ(images[1].Width, 3);
}

TEST(DecodeIcoImagesErrors, GivesNoneOfAFileCutShortOrNotAnIcon) {
  const std::vector<unsigned char> good = MakeIco({{4, 32}});
  ASSERT_EQ(DecodeIcoImages(good.data(), good.size()).size(), 1u);
  struct Case {
    const char* what;
    size_t keep;
    size_t at;
    unsigned char value;
  } cases[] = {
      {"cut in the image", 0, 0, 0},
      {"cut in the directory", 10, 0, 0},
      {"a cursor", 0, 2, 2},
      {"image past the end", 0, 6 + 12, 0xFF},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> file = good;
    if (c.what == std::string("cut in the image")) file.resize(file.size() - 5);
    if (c.keep) file.resize(c.keep);
    if (c.at) file[c.at] = c.value;
    EXPECT_TRUE(DecodeIcoImages(file.data(), file.size()).empty()) << c.what;
  }
  EXPECT_TRUE(DecodeIcoImages(nullptr, 0).empty());
}

TEST(ProportionalRect, FitsOneAxisAndCentresTheOther) {
  struct Case {
    int bw, bh, W, H;
    TRect want;
  } cases[] = {
      {300, 200, 250, 200, {0, 16, 250, 167}},  // Round(250 / 1.5) = 167, 16 from the top
      {250, 200, 250, 200, {0, 0, 250, 200}},
      {250, 199, 250, 199, {0, 0, 250, 199}},
      {260, 180, 250, 200, {0, 13, 250, 173}},
      {200, 300, 250, 200, {58, 0, 133, 200}},  // tall: full height, centred across
      {100, 100, 250, 200, {25, 0, 200, 200}},  // square counts as tall
      {4, 1, 2, 10, {0, 5, 2, 0}},              // 0.5 rounds to even 0
      {4, 1, 6, 10, {0, 4, 6, 2}},              // 1.5 rounds to even 2
      {0, 10, 250, 200, {0, 0, 0, 0}},          // no picture
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProportionalRect(c.bw, c.bh, c.W, c.H), c.want) << c.bw << "x" << c.bh << " in " << c.W << "x" << c.H;
  }
}

// A w x h picture whose pixel (x, y) has all three channels at f(x, y).
template <class F>
TRgbImage Grey(int w, int h, F f) {
  std::vector<uint8_t> px;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.insert(px.end(), 3, static_cast<uint8_t>(f(x, y)));
  return TRgbImage(w, h, px);
}

int GreyAt(const TRgbImage& image, int x, int y) { return image.Pixels()[static_cast<size_t>(y * image.Width + x) * 3]; }

TEST(ResampledImage, EnlargesSmoothlyAndReducesByAveraging) {
  // One row, black to white: enlarged, the ends keep their colour and the
  // step becomes a ramp (no pixel repeated as the nearest one would be);
  // halved, each pixel is the mean of the two it covers.
  const TRgbImage ramp = Grey(2, 1, [](int x, int) { return x * 200; });
  const TRgbImage wide = ResampledImage(ramp, 4, 1);
  EXPECT_EQ(GreyAt(wide, 0, 0), 0);
  EXPECT_EQ(GreyAt(wide, 1, 0), 50);  // centre 0.25 of the way
  EXPECT_EQ(GreyAt(wide, 2, 0), 150);
  EXPECT_EQ(GreyAt(wide, 3, 0), 200);
  const TRgbImage stripes = Grey(4, 2, [](int x, int y) { return x % 2 ? 255 : 10 * y; });
  const TRgbImage half = ResampledImage(stripes, 2, 1);
  EXPECT_EQ(GreyAt(half, 0, 0), 130);  // (0 + 255 + 10 + 255) / 4, rounded
  EXPECT_EQ(GreyAt(half, 1, 0), 130);
  // Reduced by a third: the middle pixel takes a third of each neighbour.
  const TRgbImage three = Grey(3, 1, [](int x, int) { return x == 1 ? 90 : 0; });
  const TRgbImage two = ResampledImage(three, 2, 1);
  EXPECT_EQ(GreyAt(two, 0, 0), 30);
  EXPECT_EQ(GreyAt(two, 1, 0), 30);
}

TEST(ResampledImage, KeepsFlatAreasAndItsOwnSize) {
  const struct {
    int w, h;
  } sizes[] = {{1, 1}, {500, 400}, {312, 250}, {125, 100}, {251, 3}, {3, 251}};
  const TRgbImage flat = Grey(250, 200, [](int, int) { return 173; });
  for (const auto& size : sizes) {
    const TRgbImage out = ResampledImage(flat, size.w, size.h);
    ASSERT_EQ(out.Width, size.w);
    ASSERT_EQ(out.Height, size.h);
    ASSERT_EQ(out.Pixels().size(), static_cast<size_t>(size.w * size.h * 3));
    for (uint8_t v : out.Pixels()) ASSERT_EQ(v, 173) << size.w << "x" << size.h;
  }
  const TRgbImage pattern = Grey(5, 4, [](int x, int y) { return x * 40 + y; });
  EXPECT_EQ(ResampledImage(pattern, 5, 4).Pixels(), pattern.Pixels());
}

TEST(ResampledImageErrors, NothingToResampleGivesAnEmptyImage) {
  const TRgbImage some = Grey(2, 2, [](int, int) { return 1; });
  const TRgbImage shortOfPixels(4, 4, std::vector<uint8_t>(10, 0));
  const struct {
    const TRgbImage* from;
    int w, h;
  } cases[] = {{&some, 0, 5}, {&some, 5, 0}, {&some, -1, 2}, {&shortOfPixels, 8, 8}};
  const TRgbImage empty;
  for (const auto& c : cases) {
    const TRgbImage out = ResampledImage(*c.from, c.w, c.h);
    EXPECT_EQ(out.Width, 0);
    EXPECT_TRUE(out.Pixels().empty());
  }
  EXPECT_TRUE(ResampledImage(empty, 3, 3).Pixels().empty());
}

class ResourceTable : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp_ = MakeBmp(6, 5, 24, false);
    items_[0] = {"BITMAP9", ResBitmap, bmp_.data(), bmp_.size()};
    items_[1] = {"BROKEN", ResBitmap, bmp_.data(), 30};
    items_[2] = {"ICON7", ResIcon, bmp_.data(), 4};
    items_[3] = {"ICON7_32", ResData, bmp_.data(), 4};
    items_[4] = {"ICON8_16", ResData, bmp_.data(), 4};
    table_ = {items_, 5};
    previous_ = SetResourceTable(&table_);
  }
  void TearDown() override { SetResourceTable(previous_); }

  std::vector<unsigned char> bmp_;
  TResource items_[5];
  TResourceTable table_;
  const TResourceTable* previous_ = nullptr;
};

TEST_F(ResourceTable, LoadsBitmapsByNameAnyCase) {
  auto image = LoadBitmapResource("bitmap9");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width, 6);
  EXPECT_EQ(image->Height, 5);
  EXPECT_FALSE(LoadBitmapResource("BITMAP0"));
  EXPECT_FALSE(LoadBitmapResource("BROKEN"));
}

// A picture takes its size from the table without reading its bytes: the
// bytes are checked when its pixels are asked for, and a size the header
// contradicts gives none.
TEST_F(ResourceTable, TakesTheTablesSizeAndReadsTheBytesOnlyForPixels) {
  const unsigned char junk[] = {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'};
  const TResource items[] = {
      {"SIZED", ResBitmap, junk, sizeof junk, 250, 200},
      {"WRONGSIZE", ResBitmap, bmp_.data(), bmp_.size(), 5, 6},
      {"RIGHTSIZE", ResBitmap, bmp_.data(), bmp_.size(), 6, 5},
  };
  const TResourceTable table{items, 3};
  SetResourceTable(&table);
  auto sized = LoadBitmapResource("SIZED");
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->Width, 250);
  EXPECT_EQ(sized->Height, 200);
  EXPECT_TRUE(sized->Pixels().empty());
  int bands = 0;
  const auto count = [&bands](int32_t, int32_t, const uint8_t*) { ++bands; };
  EXPECT_FALSE(sized->ForEachBand(16, count));
  auto wrong = LoadBitmapResource("WRONGSIZE");
  ASSERT_TRUE(wrong);
  EXPECT_TRUE(wrong->Pixels().empty());
  EXPECT_FALSE(wrong->ForEachBand(16, count));
  EXPECT_EQ(bands, 0);
  auto right = LoadBitmapResource("RIGHTSIZE");
  ASSERT_TRUE(right);
  EXPECT_EQ(right->Pixels().size(), 6u * 5u * 3u);
}

TEST_F(ResourceTable, FindsTheIconFilesThatExist) {
  TIconResources seven = FindIconResources("ICON7");
  EXPECT_EQ(seven.Ico, &items_[2]);
  ASSERT_EQ(seven.Pngs.size(), 1u);
  EXPECT_EQ(seven.Pngs[0].first, 32);
  TIconResources eight = FindIconResources("ICON8");
  EXPECT_EQ(eight.Ico, nullptr);
  EXPECT_FALSE(eight.Empty());
  EXPECT_TRUE(FindIconResources("ICON0").Empty());
}

}  // namespace
