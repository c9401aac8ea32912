#include "support/random_user.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/data.h"

namespace {

// Under ThreadSanitizer every step of the accurate search costs tens of
// times more, and a few long searches would make the run minutes long;
// fewer actions still run a few searches, and quits during them.
#if defined(__SANITIZE_THREAD__)
constexpr int64_t kDefaultActions = 600;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr int64_t kDefaultActions = 600;
#else
constexpr int64_t kDefaultActions = 3000;
#endif
#else
constexpr int64_t kDefaultActions = 3000;
#endif

int64_t Setting(const char* name, int64_t fallback) {
  const char* value = std::getenv(name);
  return value && *value ? TextToInteger(value) : fallback;
}

// A few thousand random actions through the driver, checked after each
// one. script/random-user makes a long run of another size and seed
// through KELVANE_RANDOM_USER_ACTIONS and KELVANE_RANDOM_USER_SEED.
TEST(RandomUser, ActionsOverAllPagesBreakNoRule) {
  const int64_t actions = Setting("KELVANE_RANDOM_USER_ACTIONS", kDefaultActions);
  const uint64_t seed = static_cast<uint64_t>(Setting("KELVANE_RANDOM_USER_SEED", 20261208));
  const TRandomUserReport report = RunRandomUser(seed, actions);
  std::string faults;
  for (const std::string& f : report.faults) faults += f + "\n";
  EXPECT_TRUE(report.faults.empty()) << "seed " << seed << "\n" << faults;
  EXPECT_EQ(report.actions, actions);
  // The run reached the pages' checks, not only the tab strip.
  EXPECT_GT(report.calcs, actions / 20);
  EXPECT_GT(report.boxes, 0);
  std::printf(
      "random user: seed %llu, %lld actions in %lld sessions, %lld Calculate presses, %lld boxes, "
      "%lld searches (%lld quit during the search)\n",
      static_cast<unsigned long long>(seed), static_cast<long long>(report.actions),
      static_cast<long long>(report.sessions), static_cast<long long>(report.calcs),
      static_cast<long long>(report.boxes), static_cast<long long>(report.searches),
      static_cast<long long>(report.quitsDuringSearch));
}

}  // namespace
