// Scenario runs of the real program through the driver, in process: the
// same start-up as the desktop, the application's main scheme, a script of
// user actions, and what the driver printed.
#pragma once

#include <string>
#include <vector>

struct TPageRun {
  std::string out;
  int status = -1;
};

TPageRun DrivePages(const std::string& script, const std::vector<std::string>& args = {});

// One scenario: a script of user actions and everything the driver prints
// for it (message boxes included).
struct TScenario {
  const char* what;
  const char* script;
  const char* expected;
};

// Runs each scenario on a freshly started program and checks the output
// and a clean exit.
void CheckScenarios(const TScenario* begin, const TScenario* end);

template <size_t N>
void CheckScenarios(const TScenario (&scenarios)[N]) {
  CheckScenarios(scenarios, scenarios + N);
}
