#include "runtime/lines.h"

#include <gtest/gtest.h>

namespace {

TEST(Lines, SplitAndJoin) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.first), c.second) << c.first;
  EXPECT_EQ(JoinLines({"1", "2"}), "1\r\n2");
  EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
