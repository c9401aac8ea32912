// Scenario runs of the real program through the driver, in process: the
// same start-up as the desktop, the application's main scheme, a script of
// user actions, and what the driver printed.
#pragma once

#include <functional>
#include <string>
#include <vector>

class THeadlessPlatform;

// Sets up the driver's platform before its first command (how it runs
// workers, say).
using TPlatformSetUp = std::function<void(THeadlessPlatform&)>;

struct TPageRun {
  std::string out;
  int status = -1;
};

TPageRun DrivePages(const std::string& script, const std::vector<std::string>& args = {},
                    const TPlatformSetUp& setUp = {});

// One scenario: a script of user actions and everything the driver prints
// for it (message boxes included).
struct TScenario {
  const char* what;
  const char* script;
  const char* expected;
};

// Runs each scenario on a freshly started program and checks the output
// and a clean exit.
void CheckScenarios(const TScenario* begin, const TScenario* end, const TPlatformSetUp& setUp = {});

template <size_t N>
void CheckScenarios(const TScenario (&scenarios)[N], const TPlatformSetUp& setUp = {}) {
  CheckScenarios(scenarios, scenarios + N, setUp);
}
