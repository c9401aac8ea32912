// Reading resources, packed by runs or stored as they are.
#include "runtime/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ReadAll(const TResource& r, size_t step) {
  TResourceReader reader(r);
  std::string out;
  std::vector<unsigned char> buffer(step);
  for (size_t n; (n = reader.Read(buffer.data(), step)) > 0;) out.append(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
  EXPECT_EQ(reader.Offset(), out.size());
  return out;
}

TEST(TResourceReader, UnpacksCopiesAndRunsInPiecesOfAnySize) {
  // "ab", then 'x' 3 times, 'y' 130 times, then "z".
  const unsigned char packed[] = {1, 'a', 'b', 128, 'x', 255, 'y', 0, 'z'};
  const std::string want = "ab" + std::string(3, 'x') + std::string(130, 'y') + "z";
  const TResource r{"P", ResBitmap, packed, want.size(), 0, 0, sizeof packed};
  for (size_t step : {1, 2, 7, 128, 1000}) {
    EXPECT_EQ(ReadAll(r, step), want) << "step " << step;
  }
  const std::vector<unsigned char> all = ResourceBytes(r);
  EXPECT_EQ(std::string(all.begin(), all.end()), want);
}

TEST(TResourceReader, GivesAStoredResourceAsItIsAndStopsAtItsSize) {
  const unsigned char bytes[] = {'h', 'e', 'l', 'l', 'o'};
  const TResource stored{"S", ResData, bytes, sizeof bytes};
  EXPECT_EQ(ReadAll(stored, 2), "hello");
  // A packing that gives more than the size stops at the size.
  const unsigned char packed[] = {200, 'q'};
  const TResource longer{"L", ResBitmap, packed, 4, 0, 0, sizeof packed};
  EXPECT_EQ(ReadAll(longer, 3), "qqqq");
}

TEST(TResourceReaderErrors, StopsWhereThePackingBreaks) {
  struct Case {
    const char* what;
    std::vector<unsigned char> packed;
    size_t size;
    std::string before;  // what comes out before the break
  } cases[] = {
      {"copy past the end", {4, 'a', 'b'}, 5, "ab"},
      {"run without its byte", {1, 'a', 'b', 130}, 8, "ab"},
      {"fewer bytes than the size", {129, 'c'}, 9, "cccc"},
      {"a control byte alone", {0}, 3, ""},
  };
  for (const Case& c : cases) {
    const TResource r{"B", ResBitmap, c.packed.data(), c.size, 0, 0, c.packed.size()};
    EXPECT_EQ(ReadAll(r, 3), c.before) << c.what;
    EXPECT_TRUE(ResourceBytes(r).empty()) << c.what;
  }
}

}  // namespace
