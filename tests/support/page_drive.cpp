#include "support/page_drive.h"

#include <gtest/gtest.h>

#include <sstream>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

TPageRun DrivePages(const std::string& script, const std::vector<std::string>& args) {
  TPageRun run;
  std::istringstream in(script);
  std::ostringstream out;
  run.status = RunDrive(args, in, out, &MakeMainScheme);
  run.out = out.str();
  return run;
}

void CheckScenarios(const TScenario* begin, const TScenario* end) {
  for (const TScenario* s = begin; s != end; ++s) {
    TPageRun run = DrivePages(s->script);
    EXPECT_EQ(run.out, s->expected) << s->what << "\n--- script:\n" << s->script;
    EXPECT_EQ(run.status, 0) << s->what;
  }
}
