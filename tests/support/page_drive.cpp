#include "support/page_drive.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "pages/main_form.h"
#include "ui/headless/driver.h"
#include "ui/headless/headless.h"

namespace {

// The script, handed to the driver once the set-up has seen the platform
// the driver runs on (installed by then).
class TSetUpFirst : public std::streambuf {
 public:
  TSetUpFirst(const std::string& script, const TPlatformSetUp& setUp) : script_(script), setUp_(setUp) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (handed_ || script_.empty()) return traits_type::eof();
    handed_ = true;
    if (setUp_) {
      auto* platform = dynamic_cast<THeadlessPlatform*>(SystemOps());
      EXPECT_NE(platform, nullptr) << "no headless platform to set up";
      if (platform) setUp_(*platform);
    }
    setg(&script_[0], &script_[0], &script_[0] + script_.size());
    return traits_type::to_int_type(script_[0]);
  }

 private:
  std::string script_;
  const TPlatformSetUp& setUp_;
  bool handed_ = false;
};

}  // namespace

TPageRun DrivePages(const std::string& script, const std::vector<std::string>& args, const TPlatformSetUp& setUp) {
  TPageRun run;
  TSetUpFirst buffer(script, setUp);
  std::istream in(&buffer);
  std::ostringstream out;
  run.status = RunDrive(args, in, out, &MakeMainScheme);
  run.out = out.str();
  return run;
}

void CheckScenarios(const TScenario* begin, const TScenario* end, const TPlatformSetUp& setUp) {
  for (const TScenario* s = begin; s != end; ++s) {
    TPageRun run = DrivePages(s->script, {}, setUp);
    EXPECT_EQ(run.out, s->expected) << s->what << "\n--- script:\n" << s->script;
    EXPECT_EQ(run.status, 0) << s->what;
  }
}
