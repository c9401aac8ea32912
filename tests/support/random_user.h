// A seeded random user of kelvane-drive: sessions of the real program on
// the headless backend, each a long script written as it runs, with checks
// after every action (see RunRandomUser). The same seed gives the same run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRandomUserReport {
  int64_t actions = 0;   // user actions carried out
  int64_t sessions = 0;  // program runs (each ends with quit or the end of its script)
  int64_t boxes = 0;     // message boxes shown
  int64_t calcs = 0;     // Calculate presses
  int64_t searches = 0;  // accurate searches started
  int64_t quitsDuringSearch = 0;
  std::vector<std::string> faults;  // what broke a rule, with the session's last lines
};

// Runs `actions` random actions over all pages: tab clicks, texts set and
// typed (empty, huge, junk, Cyrillic, invalid UTF-8, numbers at and past
// the pages' bounds, exponents, signs), list picks and typing into editable
// lists, the check box, Calculate, waits, Enter, and quitting (also during
// a search). After every action: exactly one page is visible, the selected
// tab's; labels change only through a Calculate on their page or the
// search; every box is one of the page's own or a formula element's box;
// every result label reads as a number; fields hold a valid or unfinished
// number; no command fails that a user could carry out. Stops at the first
// faults of a session.
TRandomUserReport RunRandomUser(uint64_t seed, int64_t actions);

// The inverse of the driver's quoting: the bytes a quoted text stands for;
// false when `quoted` is not one.
bool UnquoteDriveText(const std::string& quoted, std::string& text);
