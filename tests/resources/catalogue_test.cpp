// The embedded resources against the catalogue the pages are built on: every
// text list item by item, the point names of the rounding sub-scheme copies,
// the schematic bitmaps and the icon.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "runtime/lines.h"
#include "runtime/resources.h"

namespace {

using Items = std::vector<std::string>;

// Standard resistor values shared by the L200 and M5237 pages.
const Items kListA = {"820",  "910",  "1000", "1300", "1500", "1600", "1800", "2000", "2200",
                      "2400", "2700", "3000", "3300", "3600", "3900", "4300", "4700", "5100"};

// The 78xx device table: type names and, row for row, their voltages.
const Items kDevices = {
    "7805",   "7852",   "7806",   "7808",   "7885",   "7809",   "7812",   "7815",   "7818",
    "7820",   "7824",   "78L05",  "78L62",  "78L82",  "78L09",  "78L12",  "78L15",  "78L18",
    "78L24",  "78M05",  "78M06",  "78M08",  "78M09",  "78M10",  "78M12",  "78M15",  "78M18",
    "78M20",  "78M24",  "78S05",  "78S75",  "78S09",  "78S10",  "78S12",  "78S15",  "78S18",
    "78S24",  "780S05", "780S06", "780S07", "780S08", "780S09", "780S10", "780S12", "780S15",
    "780S18", "780S20", "780S24", "78MR05", "78MR06", "78MR08", "78MR09", "78MR12"};
const Items kDeviceVolts = {"5",  "5.2", "6",  "8",  "8.5", "9",  "12", "15", "18", "20", "24",
                            "5",  "6.2", "8.2", "9", "12",  "15", "18", "24", "5",  "6",  "8",
                            "9",  "10",  "12", "15", "18",  "20", "24", "5",  "75", "9",  "10",
                            "12", "15",  "18", "24", "5",   "6",  "7",  "8",  "9",  "10", "12",
                            "15", "18",  "20", "24", "5",   "6",  "8",  "9",  "12"};

struct ListCase {
  const char* name;  // spelt as the schemes ask for it
  Items items;
};

const std::vector<ListCase>& Lists() {
  static const std::vector<ListCase> lists = {
      {"Str99",
       {"LM317 Voltage", "LM317 Current", "L200", "TL431", "TL431+LM317", "M5237",
        "78xx Voltage", "78xx Current", "uA723", "About"}},
      {"Str56", {"130", "150", "160", "180", "200", "220", "240", "270", "300", "330", "360", "390",
                 "430", "470", "510", "560", "620", "680", "750", "820", "910", "1000", "2000",
                 "3000"}},
      {"Str86", kListA},
      {"Str73", kListA},
      {"Str13", {"130",  "150",  "160",  "180",  "200",  "220",  "240",  "270",  "300",  "330",
                 "360",  "390",  "430",  "470",  "510",  "560",  "620",  "680",  "750",  "820",
                 "910",  "1000", "1300", "1500", "1600", "1800", "2000", "2200", "2400", "2700",
                 "3000", "3300", "3600", "3900", "4300", "4700", "5100"}},
      {"Str31", {"130", "150", "160", "180", "200", "220", "240", "270", "300", "330", "360",
                 "390", "430", "470", "510", "560"}},
      {"Str30", kDevices},
      {"Str16", kDevices},
      {"Str25", kDeviceVolts},
      {"Str15", kDeviceVolts},
      {"Str14", {"1.5", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5", "1.5",
                 "0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1", "0.1",
                 "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5",
                 "2",   "2",   "2",   "2",   "2",   "2",   "2",   "2",
                 "1",   "1",   "1",   "1",   "1",   "1",   "1",   "1",   "1",   "1",   "1",
                 "0.5", "0.5", "0.5", "0.5", "0.5"}},
  };
  return lists;
}

// First of the four consecutive resources of each rounding sub-scheme copy,
// in the order the copies are listed page by page.
const int kRoundingCopies[] = {95, 91, 87, 82, 78, 74, 69, 65, 61, 57, 52,
                               48, 44, 40, 36, 32, 26, 21, 17, 9,  5,  1};
const char* const kRoundingPointNames[] = {"doConvReal", "onResult", "Result", "Data"};

std::string StrName(int n) { return "STR" + std::to_string(n); }

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
int32_t I32(const unsigned char* p) { return static_cast<int32_t>(U32(p)); }
uint32_t U32BigEndian(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}
bool IsPng(const unsigned char* p, size_t size) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 24 && std::equal(signature, signature + 8, p) && std::equal(p + 12, p + 16, "IHDR");
}

// The maximum output current of a 78xx family, as the device families are
// rated: the table must agree with the family of every row.
std::string MaxCurrentOfFamily(const std::string& type) {
  if (type.rfind("780S", 0) == 0) return "1";
  if (type.rfind("78MR", 0) == 0 || type.rfind("78M", 0) == 0) return "0.5";
  if (type.rfind("78S", 0) == 0) return "2";
  if (type.rfind("78L", 0) == 0) return "0.1";
  return "1.5";
}

TEST(TextResources, ListsHoldTheirItemsInOrder) {
  for (const ListCase& list : Lists()) {
    SCOPED_TRACE(list.name);
    EXPECT_EQ(SplitLines(LoadTextResource(list.name)), list.items);
  }
}

TEST(TextResources, EachRoundingCopyNamesItsFourPoints) {
  ASSERT_EQ(std::size(kRoundingCopies), 22u);
  for (int first : kRoundingCopies) {
    for (int k = 0; k < 4; ++k) {
      const std::string name = "Str" + std::to_string(first + k);
      SCOPED_TRACE(name);
      EXPECT_EQ(SplitLines(LoadTextResource(name)), Items{kRoundingPointNames[k]});
    }
  }
}

TEST(TextResources, CatalogueClaimsStr1ToStr99ExactlyOnce) {
  std::map<int, int> claims;
  for (const ListCase& list : Lists()) ++claims[std::stoi(std::string(list.name).substr(3))];
  for (int first : kRoundingCopies)
    for (int k = 0; k < 4; ++k) ++claims[first + k];
  for (int n = 1; n <= 99; ++n) {
    SCOPED_TRACE(StrName(n));
    EXPECT_EQ(claims[n], 1);
    EXPECT_NE(FindResourceData(StrName(n), ResText), nullptr);
  }
  EXPECT_EQ(claims.size(), 99u);
}

TEST(TextResources, DeviceTablesPairRowByRow) {
  const Items types = SplitLines(LoadTextResource("Str30"));
  const Items volts = SplitLines(LoadTextResource("Str25"));
  const Items currents = SplitLines(LoadTextResource("Str14"));
  ASSERT_EQ(types.size(), 53u);
  ASSERT_EQ(volts.size(), 53u);
  ASSERT_EQ(currents.size(), 53u);
  // Both 78xx pages read their own copies; the copies must not drift apart.
  EXPECT_EQ(LoadTextResource("Str16"), LoadTextResource("Str30"));
  EXPECT_EQ(LoadTextResource("Str15"), LoadTextResource("Str25"));
  EXPECT_EQ(LoadTextResource("Str73"), LoadTextResource("Str86"));
  // Row 30 holds "75" as stored, not 7.5.
  EXPECT_EQ(types[30], "78S75");
  EXPECT_EQ(volts[30], "75");
  for (size_t i = 0; i < types.size(); ++i) {
    SCOPED_TRACE(types[i]);
    EXPECT_EQ(currents[i], MaxCurrentOfFamily(types[i]));
  }
}

TEST(TextResources, ItemsAreAsciiSeparatedByCrLfOnly) {
  for (int n = 1; n <= 99; ++n) {
    SCOPED_TRACE(StrName(n));
    const TResource* r = FindResourceData(StrName(n), ResText);
    ASSERT_NE(r, nullptr);
    // The readers stop at the first zero byte: exactly one, at the end.
    ASSERT_GE(r->size, 2u);
    EXPECT_EQ(r->data[r->size - 1], 0);
    const std::string text = LoadTextResource(StrName(n));
    EXPECT_EQ(text.size(), r->size - 1);
    for (size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c == '\r') {
        EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
      } else if (c == '\n') {
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
      } else {
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << int(c) << " at " << i;
      }
    }
    // No separator after the last item, so a reader that counts separators
    // sees the same number of items as one that splits lines.
    EXPECT_NE(text.back(), '\n');
    for (const std::string& item : SplitLines(text)) {
      EXPECT_FALSE(item.empty());
      EXPECT_NE(item.front(), ' ');
      EXPECT_NE(item.back(), ' ');
    }
  }
}

struct BitmapCase {
  const char* name;
  int32_t width, height;
};

const BitmapCase kBitmaps[] = {
    {"BITMAP0", 250, 200}, {"BITMAP1", 250, 200}, {"BITMAP2", 250, 200},
    {"BITMAP3", 250, 200}, {"BITMAP4", 250, 200}, {"BITMAP5", 250, 200},
    {"BITMAP6", 250, 200}, {"BITMAP7", 250, 199}, {"BITMAP8", 260, 180},
};

TEST(Schematics, AreUncompressed24BitBottomUpBitmapsOfTheirSize) {
  for (const BitmapCase& b : kBitmaps) {
    SCOPED_TRACE(b.name);
    const TResource* r = FindResourceData(b.name, ResBitmap);
    ASSERT_NE(r, nullptr);
    const std::vector<unsigned char> file = ResourceBytes(*r);
    ASSERT_EQ(file.size(), r->size);
    ASSERT_GE(r->size, 54u);
    const unsigned char* p = file.data();
    EXPECT_EQ(p[0], 'B');
    EXPECT_EQ(p[1], 'M');
    EXPECT_EQ(U32(p + 2), r->size);
    EXPECT_EQ(U32(p + 10), 54u);   // pixels right after the headers: no palette
    EXPECT_EQ(U32(p + 14), 40u);   // the plain info header
    EXPECT_EQ(I32(p + 18), b.width);
    EXPECT_EQ(I32(p + 22), b.height);  // positive: rows stored bottom-up
    EXPECT_EQ(U16(p + 26), 1);
    EXPECT_EQ(U16(p + 28), 24);
    EXPECT_EQ(U32(p + 30), 0u);    // uncompressed
    const size_t stride = (static_cast<size_t>(b.width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(r->size, 54 + stride * b.height);
  }
}

// The program takes a schematic's size from the table, never reading the
// bitmap until it is drawn: the table must say what the header says. The
// schematics are stored packed, in a small part of their size.
TEST(Schematics, AreStoredPackedAndTheTableSizesAreTheHeaders) {
  for (const BitmapCase& b : kBitmaps) {
    SCOPED_TRACE(b.name);
    const TResource* r = FindResourceData(b.name, ResBitmap);
    ASSERT_NE(r, nullptr);
    EXPECT_GT(r->packed, 0u);
    EXPECT_LT(r->packed, r->size / 8);
    const std::vector<unsigned char> file = ResourceBytes(*r);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(r->width, I32(file.data() + 18));
    EXPECT_EQ(r->height, std::abs(I32(file.data() + 22)));
    EXPECT_EQ(r->width, b.width);
    EXPECT_EQ(r->height, b.height);
  }
}

TEST(Schematics, AreBlackInkOnWhiteClearOfTheEdges) {
  const int kMargin = 2;
  for (const BitmapCase& b : kBitmaps) {
    SCOPED_TRACE(b.name);
    const TResource* r = FindResourceData(b.name, ResBitmap);
    ASSERT_NE(r, nullptr);
    const size_t stride = (static_cast<size_t>(b.width) * 3 + 3) / 4 * 4;
    const std::vector<unsigned char> file = ResourceBytes(*r);
    ASSERT_EQ(file.size(), 54 + stride * b.height);
    long white = 0, ink = 0, coloured = 0, at_edge = 0;
    for (int y = 0; y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const unsigned char* px = file.data() + 54 + y * stride + x * 3;
        if (px[0] != px[1] || px[1] != px[2]) ++coloured;
        if (px[0] == 255) ++white;
        if (px[0] < 96) ++ink;
        const bool edge = x < kMargin || y < kMargin || x >= b.width - kMargin || y >= b.height - kMargin;
        if (edge && px[0] != 255) ++at_edge;
      }
    }
    const long area = static_cast<long>(b.width) * b.height;
    EXPECT_EQ(coloured, 0) << "grey levels only";
    EXPECT_EQ(at_edge, 0) << "something touches the edge and may be clipped";
    EXPECT_GT(white, area * 7 / 10) << "mostly white background";
    EXPECT_GT(ink, area / 50) << "a drawing, not a blank";
  }
}

TEST(ProgramIcon, IcoHoldsThe16And32And48PixelImages) {
  const TResource* r = FindResourceData("ICON0", ResIcon);
  ASSERT_NE(r, nullptr);
  const unsigned char* p = r->data;
  ASSERT_GE(r->size, 6u);
  EXPECT_EQ(U16(p), 0);
  EXPECT_EQ(U16(p + 2), 1);  // icon, not cursor
  const unsigned count = U16(p + 4);
  ASSERT_EQ(count, 3u);
  ASSERT_GE(r->size, 6 + 16 * count);
  std::vector<int> sizes;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* e = p + 6 + 16 * i;
    const int side = e[0] ? e[0] : 256;
    SCOPED_TRACE(side);
    sizes.push_back(side);
    EXPECT_EQ(e[1] ? e[1] : 256, side);
    const uint32_t bytes = U32(e + 8), offset = U32(e + 12);
    ASSERT_LE(static_cast<uint64_t>(offset) + bytes, r->size);
    const unsigned char* image = p + offset;
    if (IsPng(image, bytes)) {
      EXPECT_EQ(U32BigEndian(image + 16), static_cast<uint32_t>(side));
      EXPECT_EQ(U32BigEndian(image + 20), static_cast<uint32_t>(side));
    } else {
      ASSERT_GE(bytes, 40u);
      EXPECT_EQ(U32(image), 40u);
      EXPECT_EQ(I32(image + 4), side);
      EXPECT_EQ(I32(image + 8), 2 * side);  // colour rows, then the mask rows
      EXPECT_EQ(U16(image + 14), 32);
      const uint32_t mask_stride = (side + 31) / 32 * 4;
      EXPECT_EQ(bytes, 40u + side * side * 4u + mask_stride * side);
    }
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST(ProgramIcon, PngCopiesHaveTheirSizes) {
  const std::pair<const char*, uint32_t> pngs[] = {{"ICON0_16", 16}, {"ICON0_32", 32}, {"ICON0_48", 48}};
  for (const auto& [name, side] : pngs) {
    SCOPED_TRACE(name);
    const TResource* r = FindResourceData(name, ResData);
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(IsPng(r->data, r->size));
    EXPECT_EQ(U32BigEndian(r->data + 16), side);
    EXPECT_EQ(U32BigEndian(r->data + 20), side);
  }
}

TEST(ResourceLookupErrors, WrongNameOrTypeFindsNothing) {
  const std::pair<const char*, int> absent[] = {
      {"STR0", ResText},    {"STR100", ResText},   {"BITMAP9", ResBitmap},
      {"BITMAP4", ResText}, {"ICON0", ResBitmap},  {"STR56", ResData},
      {"ICON0_64", ResData}, {"STR5 6", ResText},
  };
  for (const auto& [name, type] : absent) {
    SCOPED_TRACE(name);
    EXPECT_EQ(FindResourceData(name, type), nullptr);
  }
  EXPECT_EQ(LoadTextResource("BITMAP4"), "");
  EXPECT_EQ(LoadTextResource("Str100"), "");
}

}  // namespace
