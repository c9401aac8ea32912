// The design the clipboard receives, driven through kelvane-drive's engine
// on the application's own pages.
#include <gtest/gtest.h>

#include <sstream>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

namespace {

std::string Drive(const std::string& script, int* status = nullptr) {
  std::istringstream in(script);
  std::ostringstream out;
  const int s = RunDrive({}, in, out, &MakeMainScheme);
  if (status) *status = s;
  return out.str();
}

struct PageCase {
  const char* setup;    // lines before the first copy (the tab, a pick)
  const char* refused;  // an input the page refuses, with the box it shows
  const char* before;   // the design before a calculation
  const char* after;    // after the default calculation
  const char* box;      // the refusal's box
  const char* stale;    // after the refused input: the input as typed, the results kept
};

TEST(DriveCopy, EveryPagesDesignBeforeAndAfterACalculationAndAfterARefusedInput) {
  const PageCase cases[] = {
      {"", "set 0@315,15 0.5\n",
       "LM317 Voltage\\nVout = 5 V\\nR1 = 240 Om\\nR2 = 0 kOm\\nRн < 0 kOm\\nIн > 0 mA",
       "LM317 Voltage\\nVout = 5 V\\nR1 = 240 Om\\nR2 = 0.712 kOm\\nRн < 1.053 kOm\\nIн > 4.748 mA",
       "box \"Warning!\" \"Output Voltage can not be less than 1.5 V.\" 48\n",
       "LM317 Voltage\\nVout = 0.5 V\\nR1 = 240 Om\\nR2 = 0.712 kOm\\nRн < 1.053 kOm\\nIн > 4.748 mA"},
      {"tab 2\npick 2@315,65 #2\n", "set 2@315,15 40\n",
       "L200\\nVout = 5 V\\nIout = 2 A\\nR1 = 1000 Om\\nR2 = 0 kOm\\nR3 = 0 Om\\nP(R3) = 0 W\\nR3 power rating = 0 W",
       "L200\\nVout = 5 V\\nIout = 2 A\\nR1 = 1000 Om\\nR2 = 0.805 kOm\\nR3 = 0.225 Om\\nP(R3) = 0.9 W\\nR3 power rating = 2 W",
       "box \"Warning!\" \"Output Voltage must be between 2.77 and  37 V.\" 48\n",
       "L200\\nVout = 40 V\\nIout = 2 A\\nR1 = 1000 Om\\nR2 = 0.805 kOm\\nR3 = 0.225 Om\\nP(R3) = 0.9 W\\nR3 power rating = 2 W"},
      {"tab 3\n", "set 3@335,40 20\n",
       "TL431\\nVin min = 7.5 V\\nVin max = 9 V\\nVout = 5 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 0 Om\\nP(R1) = 0 W\\nR2 = 0 kOm\\nR3 = 0 kOm",
       "TL431\\nVin min = 7.5 V\\nVin max = 9 V\\nVout = 5 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 23.58 Om\\nP(R1) = 0.42 W\\nR2 = 3.132 kOm\\nR3 = 3.119 kOm",
       "box \"Error!\" \"Output Voltage too high for selected minimum input voltage. \\r\\rCalculations stopped. \" 16\n",
       "TL431\\nVin min = 7.5 V\\nVin max = 9 V\\nVout = 20 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 23.58 Om\\nP(R1) = 0.42 W\\nR2 = 3.132 kOm\\nR3 = 3.119 kOm"},
      {"tab 4\n", "set 4@335,15 0.5\n",
       "TL431+LM317\\nVout = 5 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 0 Om\\nR2 = 0 kOm\\nR3 = 0 kOm\\nC1 < 0 pF\\nC1 > 0 uF",
       "TL431+LM317\\nVout = 5 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 12.38 Om\\nR2 = 3.132 kOm\\nR3 = 3.119 kOm\\nC1 < 27000 pF\\nC1 > 1.5 uF",
       "box \"Warning!\" \"Output Voltage must be between 2.5 and  36 V.\" 48\n",
       "TL431+LM317\\nVout = 0.5 V\\nIout = 100 mA\\nIdiv/Iref = 200\\nR1 = 12.38 Om\\nR2 = 3.132 kOm\\nR3 = 3.119 kOm\\nC1 < 27000 pF\\nC1 > 1.5 uF"},
      {"tab 5\n", "set 5@315,15 50\n", "M5237\\nVout = 5 V\\nR1 = 4300 Om\\nR2 = 0 kOm",
       "M5237\\nVout = 5 V\\nR1 = 4300 Om\\nR2 = 12.763 kOm",
       "box \"Warning!\" \"Output Voltage must be between 1.5 and  33 V.\" 48\n",
       "M5237\\nVout = 50 V\\nR1 = 4300 Om\\nR2 = 12.763 kOm"},
      {"tab 6\n", "set 6@315,40 1\n", "78xx Voltage\\nType = 7805\\nVout = 15 V\\nR1 = 240 Om\\nR2 = 0 Om",
       "78xx Voltage\\nType = 7805\\nVout = 15 V\\nR1 = 240 Om\\nR2 = 414.36 Om",
       "box \"Warning!\" \"Output Voltage must be between 5 and  33 V for this type of device.\" 48\n",
       "78xx Voltage\\nType = 7805\\nVout = 1 V\\nR1 = 240 Om\\nR2 = 414.36 Om"},
      {"tab 7\n", "set 7@315,40 5\n",
       "78xx Current\\nType = 7805\\nIн = 1.5 A\\nR1 = 0 Om\\nP(R1) = 0 W\\nR1 power rating = 0 W",
       "78xx Current\\nType = 7805\\nIн = 1.5 A\\nR1 = 3.34 Om\\nP(R1) = 7.48 W\\nR1 power rating = 10 W",
       "box \"Warning!\" \"Output current must be between 0.005 and 1.5 A for this type of device. \" 48\n",
       "78xx Current\\nType = 7805\\nIн = 5 A\\nR1 = 3.34 Om\\nP(R1) = 7.48 W\\nR1 power rating = 10 W"},
      {"tab 8\npick 8@315,65 #1\n", "set 8@315,15 50\n",
       "uA723\\nVout = 5 V\\nIout = 150 mA\\nR1 = 150 Om\\nR2 = 0 kOm\\nR3 = 0 Om\\nP(R3) = 0 W\\nR3 power rating = 0 W",
       "uA723\\nVout = 5 V\\nIout = 150 mA\\nR1 = 150 Om\\nR2 = 0.6 kOm\\nR3 = 4.67 Om\\nP(R3) = 0.11 W\\nR3 power rating = 0.25 W",
       "box \"Warning!\" \"Output Voltage must be between 1 and  37 V.\" 48\n",
       "uA723\\nVout = 50 V\\nIout = 150 mA\\nR1 = 150 Om\\nR2 = 0.6 kOm\\nR3 = 4.67 Om\\nP(R3) = 0.11 W\\nR3 power rating = 0.25 W"},
  };
  for (const PageCase& c : cases) {
    const std::string page = std::string(c.setup).empty() ? "0" : std::string(c.setup).substr(4, 1);
    const std::string copy = "copy " + page + "\n";
    const std::string script =
        std::string(c.setup) + copy + "calc " + page + "\n" + copy + c.refused + "calc " + page + "\n" + copy;
    const std::string expected = "copy " + page + " \"" + c.before + "\"\ncopy " + page + " \"" + c.after + "\"\n" +
                                 c.box + "copy " + page + " \"" + c.stale + "\"\n";
    EXPECT_EQ(Drive(script), expected) << "page " << page;
  }
}

TEST(DriveCopy, PagesNotOnScreenCopyWhatTheyShowAndAboutDesignsNothing) {
  EXPECT_EQ(Drive("copy 1\ncopy 9\n"),
            "copy 1 \"LM317 Current\\nIн = 1.5 A\\nR1 = 0 Om\\nP(R1) = 0 W\\nR1 power rating = 0 W\"\n"
            "copy 9 \"\"\n");
}

TEST(DriveCopy, CtrlCCopiesThePageOnScreenUnlessAFieldHasASelection) {
  EXPECT_EQ(Drive("calc 0\nkey 0@315,15 ctrl+c\nclipboard\n"
                  "select 0@315,15 0 1\nkey 0@315,15 ctrl+c\nclipboard\n"
                  "set 0@315,15 7.5\nkey 0@315,15 ctrl+c\nclipboard\n"
                  "tab 9\nkey 9@5,10 ctrl+c\nclipboard\n"),
            "clipboard \"LM317 Voltage\\nVout = 5 V\\nR1 = 240 Om\\nR2 = 0.712 kOm\\nRн < 1.053 kOm\\nIн > 4.748 mA\"\n"
            "clipboard \"5\"\n"
            "clipboard \"LM317 Voltage\\nVout = 7.5 V\\nR1 = 240 Om\\nR2 = 0.712 kOm\\nRн < 1.053 kOm\\nIн > 4.748 mA\"\n"
            "clipboard \"LM317 Voltage\\nVout = 7.5 V\\nR1 = 240 Om\\nR2 = 0.712 kOm\\nRн < 1.053 kOm\\nIн > 4.748 mA\"\n");
}

TEST(DriveCopy, TheResultMenuCopiesTheValueTheDesignOrAStandardValue) {
  struct MenuCase {
    const char* script;
    const char* output;
  } cases[] = {
      {"calc 0\nchoose #2\nrclick 0@310,75\nclipboard\n",
       "menu \"Copy value\" \"Copy design\" \"E24: 680 Om (-4.5 %)\" \"E24: 750 Om (+5.3 %)\" \"E96: 698 Om (-2.0 %)\" \"E96: 715 Om (+0.4 %)\"\nclipboard \"680 Om\"\n"},
      {"calc 0\nchoose E96: 715 Om (+0.4 %)\nrclick 0@310,75\nclipboard\n",
       "menu \"Copy value\" \"Copy design\" \"E24: 680 Om (-4.5 %)\" \"E24: 750 Om (+5.3 %)\" \"E96: 698 Om (-2.0 %)\" \"E96: 715 Om (+0.4 %)\"\nclipboard \"715 Om\"\n"},
      {"calc 0\nchoose Copy value\nrclick 0@310,125\nclipboard\n",
       "menu \"Copy value\" \"Copy design\"\nclipboard \"4.748 mA\"\n"},
      {"tab 6\ncalc 6\nchoose Copy design\nrclick 6@310,105\nclipboard\n",
       "menu \"Copy value\" \"Copy design\" \"E24: 390 Om (-5.9 %)\" \"E24: 430 Om (+3.8 %)\" \"E96: 412 Om (-0.6 %)\" \"E96: 422 Om (+1.8 %)\"\n"
       "clipboard \"78xx Voltage\\nType = 7805\\nVout = 15 V\\nR1 = 240 Om\\nR2 = 414.36 Om\"\n"},
      {"tab 2\npick 2@315,65 #2\ncalc 2\nchoose #5\nrclick 2@325,115\nclipboard\n",
       "menu \"Copy value\" \"Copy design\" \"E24: 0.22 Om (-2.2 %)\" \"E24: 0.24 Om (+6.7 %)\" \"E96: 0.221 Om (-1.8 %)\" \"E96: 0.226 Om (+0.4 %)\"\n"
       "clipboard \"0.226 Om\"\n"},
      // Before a calculation R2 reads 0: no standard value; dismissed, nothing is copied.
      {"rclick 0@310,75\nclipboard\n", "menu \"Copy value\" \"Copy design\"\nclipboard \"\"\n"},
      {"calc 0\nchoose none\nrclick 0@310,75\nclipboard\n",
       "menu \"Copy value\" \"Copy design\" \"E24: 680 Om (-4.5 %)\" \"E24: 750 Om (+5.3 %)\" \"E96: 698 Om (-2.0 %)\" \"E96: 715 Om (+0.4 %)\"\nclipboard \"\"\n"},
      // A label that is no result has no menu.
      {"rclick 0@280,75\n", ""},
  };
  for (const MenuCase& c : cases) {
    int status = -1;
    EXPECT_EQ(Drive(c.script, &status), c.output) << c.script;
    EXPECT_EQ(status, 0) << c.script;
  }
}

TEST(DriveCopy, ComputedResistorsAndOnlyTheyListStandardValues) {
  const struct {
    const char* setup;  // the tab, a pick, the calculation
    const char* label;
    bool resistor;
  } cases[] = {
      {"calc 0\n", "0@310,75", true},         {"calc 0\n", "0@310,100", false},
      {"calc 0\n", "0@310,125", false},       {"tab 1\ncalc 1\n", "1@330,55", true},
      {"tab 1\ncalc 1\n", "1@330,75", false}, {"tab 1\ncalc 1\n", "1@345,100", false},
      {"tab 2\npick 2@315,65 #2\ncalc 2\n", "2@325,95", true},
      {"tab 2\npick 2@315,65 #2\ncalc 2\n", "2@325,115", true},
      {"tab 2\npick 2@315,65 #2\ncalc 2\n", "2@325,135", false},
      {"tab 2\npick 2@315,65 #2\ncalc 2\n", "2@345,160", false},
      {"tab 3\ncalc 3\n", "3@325,120", true}, {"tab 3\ncalc 3\n", "3@325,140", false},
      {"tab 3\ncalc 3\n", "3@325,160", true}, {"tab 3\ncalc 3\n", "3@325,180", true},
      {"tab 4\ncalc 4\n", "4@325,95", true},  {"tab 4\ncalc 4\n", "4@325,115", true},
      {"tab 4\ncalc 4\n", "4@325,135", true}, {"tab 4\ncalc 4\n", "4@325,155", false},
      {"tab 4\ncalc 4\n", "4@325,175", false}, {"tab 5\ncalc 5\n", "5@325,80", true},
      {"tab 6\ncalc 6\n", "6@310,105", true}, {"tab 7\ncalc 7\n", "7@330,80", true},
      {"tab 7\ncalc 7\n", "7@330,100", false}, {"tab 7\ncalc 7\n", "7@345,125", false},
      {"tab 8\npick 8@315,65 #21\ncalc 8\n", "8@325,95", true},
      {"tab 8\npick 8@315,65 #21\ncalc 8\n", "8@325,115", true},
      {"tab 8\npick 8@315,65 #21\ncalc 8\n", "8@325,135", false},
      {"tab 8\npick 8@315,65 #21\ncalc 8\n", "8@345,160", false},
  };
  for (const auto& c : cases) {
    const std::string out = Drive(std::string(c.setup) + "rclick " + c.label + "\n");
    const size_t menu = out.find("menu \"Copy value\" \"Copy design\"");
    ASSERT_NE(menu, std::string::npos) << c.label << ": " << out;
    const bool standard = out.find(" \"E24: ", menu) != std::string::npos && out.find(" \"E96: ", menu) != std::string::npos;
    EXPECT_EQ(standard, c.resistor) << c.label << ": " << out;
  }
}

// --- Errors ---------------------------------------------------------------------

TEST(DriveCopyErrors, BadCopyMenuAndSelectLinesSayWhy) {
  struct ErrorCase {
    const char* script;
    const char* output;
  } cases[] = {
      {"copy\n", "error: copy needs a page number\n"},
      {"copy x\n", "error: copy needs a page number\n"},
      {"copy 10\n", "error: no page 10\n"},
      {"clipboard 1\n", "error: \"clipboard\" takes no arguments\n"},
      {"rclick 2@325,95\n", "error: 2@325,95 is not on screen\n"},
      {"rclick 0@1,1\n", "error: no control at 0@1,1\n"},
      {"choose #7\nrclick 0@310,75\n", "menu \"Copy value\" \"Copy design\"\nerror: the menu has no line \"#7\"\n"},
      {"select 0@315,15 1\n", "error: select needs a field, a start and a length\n"},
      {"select 0@315,15 -1 2\n", "error: select needs a field, a start and a length\n"},
      {"select 0@310,75 0 1\n", "error: 0@310,75 (label) is not a field one can select in\n"},
      {"key 0@315,15 ctrl+x\n",
       "error: unknown key \"ctrl+x\" (known: enter, ctrl+tab, ctrl+shift+tab, ctrl+pgdn, ctrl+pgup, ctrl+c)\n"},
  };
  for (const ErrorCase& c : cases) {
    int status = -1;
    EXPECT_EQ(Drive(c.script, &status), c.output) << c.script;
    EXPECT_EQ(status, 1) << c.script;
  }
}

}  // namespace
