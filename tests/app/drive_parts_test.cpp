// kelvane-drive's Parts commands: their line forms, which scripts rely on,
// and the refusals.
#include <gtest/gtest.h>

#include <sstream>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

namespace {

std::string Drive(const std::string& script, int* status) {
  std::istringstream in(script);
  std::ostringstream out;
  *status = RunDrive({}, in, out, &MakeMainScheme);
  return out.str();
}

TEST(DriveParts, TheLM317DefaultsBestE24SetsWorstCaseAndHeat) {
  // Sets checked by hand with Vout = 1.253 (1 + R2/R1) + 47.5 uA * R2:
  // 510 / 1500 Om give 5.009544 V (+0.191 %) and 1.253 / 510 = 2.45686 mA.
  // Heat with the page's own R2 (712 Om, 5.00405 V) at 12 V and 1 A:
  // (12 - 5.00405) * (1 + 0.0052208) = 7.03 W, 25 + 50 * P = 377 C,
  // (125 - 25) / P - 5 - 0.5 = 8.72 C/W.
  int status = -1;
  EXPECT_EQ(Drive("parts 0 E24\ncalc 0\nheat 0 12 1 25\nheat 0 7 0.1 25\n", &status),
            "set R1=510 R2=1500 Vout=5.00954 err=+0.191% Idiv=0.00245686\n"
            "set R1=620 R2=1800 Vout=4.97624 err=-0.475% Idiv=0.00202097\n"
            "set R1=2000 R2=5600 Vout=5.0274 err=+0.548% Idiv=0.0006265\n"
            "set R1=130 R2=390 Vout=5.03052 err=+0.61% Idiv=0.00963846\n"
            "set R1=750 R2=2200 Vout=5.03297 err=+0.659% Idiv=0.00167067\n"
            "worst Vout min=4.46096 typ=5.00954 max=5.68351 low=-11% high=+13.5% rounding=+0.191% "
            "tolerance=-7.08%/+7.81% device=-4.17%/+5.27%\n"
            "heat P=7.03 Tj=377 heatsink=8.72\n"
            "dropout ok\n"
            "resistor R1=240 P=0.00654 rating=0.125 ok\n"
            "resistor R2=712 P=0.0198 rating=0.125 ok\n"
            "heat P=0.21 Tj=35.5 heatsink=none\n"
            "dropout short by 1\n"
            "resistor R1=240 P=0.00654 rating=0.125 ok\n"
            "resistor R2=712 P=0.0198 rating=0.125 ok\n"
            "note The input voltage is 1 V short of what the regulator needs.\n");
  EXPECT_EQ(status, 0);
}

TEST(DriveParts, ACurrentSourcesSetsAndTheLoadThatKeepsRegulation) {
  // LM317 Current at 0.5 A: 1.25 V / 2.5 Om exactly (E24 has 2.4 and 2.7).
  // Heat from 15 V: 15 * 0.5 - 1.25^2 / 2.5 = 6.88 W; the load may drop
  // 15 - 3 - 1.25 V at 0.5 A: 21.5 Om.
  int status = -1;
  const std::string out = Drive("tab 1\nset 1@315,15 0.5\ncalc 1\nparts 1 E24 1\nheat 1 15 - 25\n", &status);
  EXPECT_EQ(out.substr(0, out.find('\n') + 1), "set R1=2.4 Iout=0.520833 err=+4.17%\n");
  EXPECT_NE(out.find("\nworst Iout min="), std::string::npos) << out;
  EXPECT_NE(out.find("\nheat P=6.88 Tj="), std::string::npos) << out;
  EXPECT_NE(out.find("\ndropout ok Rload<=21.5\n"), std::string::npos) << out;
  EXPECT_EQ(status, 0);
}

TEST(DriveParts, RefusalsSayWhyAndSetTheExitStatus) {
  const struct {
    const char* script;
    const char* output;
  } cases[] = {
      {"parts 9 E24\n", "error: this page has no parts to choose\n"},
      {"parts 0 E25\n", "error: no series \"E25\" (E6, E12, E24, E48, E96 or E192)\n"},
      {"parts 0 E24 60\n", "error: a tolerance is a percentage from 0 to 50\n"},
      {"parts 0 E24 1,5\n", "error: a tolerance is a percentage from 0 to 50\n"},
      {"parts 0\n", "error: parts needs a page, a series and perhaps a tolerance\n"},
      {"parts x E24\n", "error: parts needs a page number\n"},
      {"parts 12 E24\n", "error: no page 12\n"},
      {"heat 0 12 1\n", "error: heat needs a page, the input voltage, the load current and the ambient temperature\n"},
      {"heat 0 12 1 25\n", "error: the page has no results yet: press Calculate first\n"},
      {"calc 0\nheat 0 twelve 1 25\n", "error: the input voltage is not a number\n"},
      {"calc 0\nheat 0 12 1 hot\n", "error: the ambient temperature is not a number\n"},
      {"calc 0\nheat 0 12 1 130\n",
       "note The ambient temperature is not below the device's maximum junction temperature (125 C).\n"},
  };
  for (const auto& c : cases) {
    int status = -1;
    EXPECT_EQ(Drive(c.script, &status), c.output) << c.script;
    EXPECT_EQ(status, std::string(c.output).rfind("error:", 0) == 0 ? 1 : 0) << c.script;
  }
}

}  // namespace
