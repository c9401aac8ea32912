// Huge inputs on every page: 1e30, 1e300 and 1e308 typed into each field
// after a first calculation with the page's defaults. Whatever passes the
// page's checks must show the value of its formula in every result label,
// or stop with "The result is too large." before any label changes; never
// a wrapped integer, a silent 0 or the first calculation's text without a
// box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/page_drive.h"

namespace {

struct TPage {
  int Index;
  const char* Setup;  // what the defaults need to pass the checks
  std::vector<std::string> Results;
};

const TPage kPages[] = {
    {0, "", {"0@310,75", "0@310,100", "0@310,125"}},
    {1, "", {"1@330,55", "1@330,75", "1@345,100"}},
    {2, "pick 2@315,65 1000\n", {"2@325,95", "2@325,115", "2@325,135", "2@345,160"}},
    {3, "", {"3@325,120", "3@325,140", "3@325,160", "3@325,180"}},
    {4, "", {"4@325,95", "4@325,115", "4@325,135", "4@325,155", "4@325,175"}},
    {5, "", {"5@325,80"}},
    {6, "", {"6@310,105"}},
    {7, "", {"7@330,80", "7@330,100", "7@345,125"}},
    {8, "pick 8@315,65 1000\n", {"8@325,95", "8@325,115", "8@325,135", "8@345,160"}},
};

// The results of each page's default calculation (the page tests work
// them out), left standing by a calculation that stops.
const std::vector<std::string> kDefaults[] = {
    {"0.712", "1.053", "4.748"},
    {"0.83", "1.88", "3"},
    {"0.805", "0.225", "0.9", "2"},
    {"23.58", "0.42", "3.132", "3.119"},
    {"12.38", "3.132", "3.119", "27000", "1.5"},
    {"12.763"},
    {"414.36"},
    {"3.34", "7.48", "10"},
    {"4", "4.67", "0.11", "0.25"},
};

const char kTooLarge[] = "box \"Warning!\" \"The result is too large.\" 48\n";

// `lead` followed by zeros to `digits` digits: a whole number as the
// labels write it (15 significant digits, no exponent).
std::string Whole(const std::string& lead, size_t digits) { return lead + std::string(digits - lead.size(), '0'); }

struct TCase {
  int Page;
  const char* Field;
  const char* Value;
  std::string Box;                   // the box shown, if any
  std::vector<std::string> Shown;    // empty: the defaults stay
};

std::vector<TCase> Cases() {
  const std::string vout = "box \"Warning!\" ";
  std::vector<TCase> cases;
  const char* const huge[] = {"1e30", "1e300", "1e308"};
  const auto all = [&](int page, const char* field, const std::string& box) {
    for (const char* v : huge) cases.push_back({page, field, v, box, {}});
  };
  // LM317 Voltage: Vout has no upper bound; the integer R2 estimate,
  // 0.8 * Vout * R1 ohms, is beyond 32 bits.
  all(0, "0@315,15", kTooLarge);
  // LM317 Current: R = 1.25/I is out of range (the page warns and goes
  // on), P = R*I*I = 1.25*I W, rating "3" (the short list's largest).
  {
    const std::string range =
        "box \"Warning!\" \"R3 - Out of range \\r0.8<R3<125 for LM317 \\r0.4<R3<125 for LM150,LM350\" 48\n";
    cases.push_back({1, "1@315,15", "1e30", range, {"0", Whole("125", 31), "3"}});
    cases.push_back({1, "1@315,15", "1e300", range, {"0", Whole("125", 301), "3"}});
    cases.push_back({1, "1@315,15", "1e308", range, {"0", Whole("125", 309), "3"}});
  }
  // L200: Vout and Iout are bounded; a typed R1 makes the integer R2,
  // 0.8 * R1, too large.
  all(2, "2@315,15", vout + "\"Output Voltage must be between 2.77 and  37 V.\" 48\n");
  all(2, "2@315,40", vout + "\"Output current must be < 2A. \" 48\n");
  all(2, "2@315,65", kTooLarge);
  // TL431: Vin min above Vin max stops; Vin max only feeds
  // P = (Vin max - 4.9) * 0.1018 W (shown whole); Vout and Iout are bounded.
  all(3, "3@285,15",
      "box \"Error!\" \"Maximum input voltage is lower than minimum input voltage. \\r\\rCalculations stopped. \" "
      "16\n");
  cases.push_back({3, "3@342,15", "1e30", "", {"23.58", Whole("1018", 30), "3.132", "3.119"}});
  cases.push_back({3, "3@342,15", "1e300", "", {"23.58", Whole("1018", 300), "3.132", "3.119"}});
  cases.push_back({3, "3@342,15", "1e308", "", {"23.58", Whole("1018", 308), "3.132", "3.119"}});
  all(3, "3@335,40", vout + "\"Output Voltage must be between 2.5 and  36 V.\" 48\n");
  all(3, "3@335,65", vout + "\"Output current must be < 100mA. \" 48\n");
  // The ratio k: R3 = 2.495e6/(4k), R2 and R1 round to 0, P = 4.1 * 4k/1e6
  // W; at 1e308, 4k is beyond the largest double.
  cases.push_back({3, "3@335,90", "1e30", "", {"0", Whole("164", 26), "0", "0"}});
  cases.push_back({3, "3@335,90", "1e300", "", {"0", Whole("164", 296), "0", "0"}});
  cases.push_back({3, "3@335,90", "1e308", kTooLarge, {}});
  // TL431 + LM317: Vout and Iout are bounded; the ratio field takes whole
  // numbers only and keeps its "200".
  all(4, "4@335,15", vout + "\"Output Voltage must be between 2.5 and  36 V.\" 48\n");
  all(4, "4@335,40", vout + "\"Output current must be < 100mA. \" 48\n");
  all(4, "4@335,65", "");
  // M5237: Vout is bounded; a typed R1 makes the integer R2 too large.
  all(5, "5@315,15", vout + "\"Output Voltage must be between 1.5 and  33 V.\" 48\n");
  all(5, "5@315,40", kTooLarge);
  // 78xx Voltage and Current: a typed type is not in the table; Vout and
  // the load current are bounded.
  all(6, "6@315,15", vout + "\"Choose the regulator type from the list.\" 48\n");
  all(6, "6@315,40", vout + "\"Output Voltage must be between 5 and  33 V for this type of device.\" 48\n");
  all(7, "7@315,15", vout + "\"Choose the regulator type from the list.\" 48\n");
  all(7, "7@315,40", vout + "\"Output current must be between 0.005 and 1.5 A for this type of device. \" 48\n");
  // uA723: Vout and Iout are bounded.
  all(8, "8@315,15", vout + "\"Output Voltage must be between 1 and  37 V.\" 48\n");
  all(8, "8@315,40", vout + "\"Output current must be < 150mA. \" 48\n");
  return cases;
}

TEST(HugeValues, EveryFieldOfEveryPage) {
  const std::vector<TCase> cases = Cases();
  EXPECT_EQ(cases.size(), 63u);  // 21 fields, three values each
  for (const TCase& c : cases) {
    const TPage& page = kPages[c.Page];
    const std::string p = std::to_string(c.Page);
    std::string script = "tab " + p + "\n" + page.Setup + "calc " + p + "\nset " + c.Field + " " + c.Value +
                         "\ncalc " + p + "\n";
    std::string expected = c.Box;
    const std::vector<std::string>& shown = c.Shown.empty() ? kDefaults[c.Page] : c.Shown;
    ASSERT_EQ(shown.size(), page.Results.size());
    for (size_t i = 0; i < page.Results.size(); ++i) {
      script += "get " + page.Results[i] + "\n";
      expected += page.Results[i] + " \"" + shown[i] + "\"\n";
    }
    const TPageRun run = DrivePages(script);
    EXPECT_EQ(run.out, expected) << c.Field << " = " << c.Value;
    EXPECT_EQ(run.status, 0) << c.Field << " = " << c.Value;
  }
}

// Integer results either side of the 32-bit limit (2147483647): below it
// the value shows, above it the calculation stops there.
TEST(HugeValues, IntegerResultsAtThe32BitLimit) {
  const TScenario scenarios[] = {
      // R2 = ((V - 0.000059*(V/1.25 - 1)*240)/1.25 - 1)*240 = 2088075026.7
      // fits; Imin = 10 - V/(240 + R2)*1000 = 4.732 mA, and the integer
      // Rload = V/Imin*1000 = 2.32e9 does not: R2 shows, the rest stays.
      {"LM317 Voltage, Vout 11000000", "calc 0\nset 0@315,15 11000000\ncalc 0\nget 0@310,75\nget 0@310,100\nget 0@310,125\n",
       "box \"Warning!\" \"The result is too large.\" 48\n0@310,75 \"2088075.027\"\n0@310,100 \"1.053\"\n"
       "0@310,125 \"4.748\"\n"},
      // R2 = 2277900050.7: beyond 32 bits at once.
      {"LM317 Voltage, Vout 12000000", "calc 0\nset 0@315,15 12000000\ncalc 0\nget 0@310,75\n",
       "box \"Warning!\" \"The result is too large.\" 48\n0@310,75 \"0.712\"\n"},
      // R2 = R1*(5/1.26 - 1): 2137142857.1 for 720000000, 2166825396.8 for
      // 730000000.
      {"M5237, R1 720000000", "tab 5\nset 5@315,40 720000000\ncalc 5\nget 5@325,80\n", "5@325,80 \"2137142.857\"\n"},
      {"M5237, R1 730000000", "tab 5\ncalc 5\nset 5@315,40 730000000\ncalc 5\nget 5@325,80\n",
       "box \"Warning!\" \"The result is too large.\" 48\n5@325,80 \"12.763\"\n"},
  };
  CheckScenarios(scenarios);
}

// A stopped calculation ends with its chain: the next one runs in full.
TEST(HugeValues, TheNextCalculationRunsAfterAStop) {
  const TScenario scenarios[] = {
      {"L200", "tab 2\npick 2@315,65 1000\nset 2@315,65 1e30\ncalc 2\nset 2@315,65 1000\ncalc 2\n"
               "get 2@325,95\nget 2@345,160\n",
       "box \"Warning!\" \"The result is too large.\" 48\n2@325,95 \"0.805\"\n2@345,160 \"2\"\n"},
      {"LM317 Voltage, accurate", "accurate on\nset 0@315,15 1e30\ncalc 0\nset 0@315,15 5\ncalc 0\nwait\nget 0@310,75\n",
       "box \"Warning!\" \"The result is too large.\" 48\n0@310,75 \"0.713\"\n"},
  };
  CheckScenarios(scenarios);
}

}  // namespace
