#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

TEST(MainWindow, StartsWithTheFirstPageAloneAndSwitchesByTab) {
  const TScenario scenarios[] = {
      {"start-up", "pages\n", "visible 0\n"},
      {"every tab", "tab 1\npages\ntab 2\npages\ntab 3\npages\ntab 4\npages\ntab 5\npages\n"
                    "tab 6\npages\ntab 7\npages\ntab 8\npages\ntab 9\npages\ntab 0\npages\n",
       "visible 1\nvisible 2\nvisible 3\nvisible 4\nvisible 5\nvisible 6\nvisible 7\nvisible 8\nvisible 9\n"
       "visible 0\n"},
      {"the selected tab again", "tab 3\ntab 3\npages\n", "visible 3\n"},
  };
  CheckScenarios(scenarios);
}

// Ctrl+Tab and friends take the path of a tab click, wrapping at both ends.
TEST(MainWindow, ControlKeysSwitchPages) {
  const TScenario scenarios[] = {
      {"next and previous",
       "key 0@315,15 ctrl+tab\npages\nkey 1@315,15 ctrl+pgdn\npages\nkey 2@315,15 ctrl+pgup\npages\n"
       "key 1@315,15 ctrl+shift+tab\npages\n",
       "visible 1\nvisible 2\nvisible 1\nvisible 0\n"},
      {"wrapping", "key 0@315,15 ctrl+shift+tab\npages\nkey 9@5,10 ctrl+pgdn\npages\n", "visible 9\nvisible 0\n"},
      {"a page switched by key computes as usual", "key 0@315,15 CTRL+PGDN\ncalc 1\nget 1@330,55\n",
       "1@330,55 \"0.83\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(MainWindow, FixedSizeCentredWithoutMaximiseBox) {
  const TScenario scenarios[] = {
      {"window", "window\n", "window \"Kelvane v1.3\" 290,231 445x307 maximize=no sizable=no\n"},
  };
  CheckScenarios(scenarios);
}

TEST(MainWindow, InfoSwitchShowsOnlyTheBox) {
  TPageRun run = DrivePages("pages\n", {"/ih"});
  EXPECT_EQ(run.out, "box \"Wirebench Info\" \"\xD0\xA1\xD0\xB4\xD0\xB5\xD0\xBB\xD0\xB0\xD0\xBD\xD0\xBE \xD0\xB2 Wirebench.\" 0\n");
  EXPECT_EQ(run.status, 0);
  run = DrivePages("pages\n", {"/IH"});
  EXPECT_EQ(run.out, "visible 0\n");
}

}  // namespace
