#include <gtest/gtest.h>

#include "support/page_drive.h"

// Expected R2 values are worked by hand from R2 = (Vout - Vreg) / (Vreg/R1 + 0.0033),
// the literals read by the number-text rule, rounded half to even to 2 places.
namespace {

#define R2 "get 6@310,105\n"
#define R2_IS(v) "6@310,105 \"" v "\"\n"
#define RANGE_WARNING(v) \
  "box \"Warning!\" \"Output Voltage must be between " v " and  33 V for this type of device.\" 48\n"
#define TYPE_WARNING "box \"Warning!\" \"Choose the regulator type from the list.\" 48\n"
#define DEVICE_WARNING(v) "box \"Warning!\" \"Output voltage must be greater then " v "V for this type of device.\" 48\n"

TEST(V78xxVoltagePage, StartsAsBuilt) {
  const TScenario scenarios[] = {
      {"initial texts and the R1 preset",
       "tab 6\npages\nget 6@315,15\nget 6@315,40\nget 6@315,65\n" R2,
       "visible 6\n6@315,15 \"7805\"\n6@315,40 \"15\"\n6@315,65 \"240\"\n" R2_IS("0")},
      {"hidden until its tab is picked", "pages\ninfo 6@315,40\n",
       "visible 0\ninfo 6@315,40 kind=edit rect=315,40,55,21 visible=0 enabled=1 tab=1 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"Output voltage\"\n"},
      {"controls as placed",
       "tab 6\ninfo 6@10,19\ninfo 6@315,15\ninfo 6@315,65\ninfo 6@280,105\ninfo 6@310,105\ninfo 6@375,105\n"
       "info 6@273,195\n",
       "info 6@10,19 kind=image rect=10,19,250,200 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 6@315,15 kind=combo rect=315,15,85,21 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"\"\n"
       "info 6@315,65 kind=combo rect=315,65,55,21 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"Choose value of the resistor R1.\"\n"
       // Labels size themselves: Arial 10 bold is 16 pixels high, 9 per character.
       "info 6@280,105 kind=label rect=280,105,27,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,1,0x00800000,204 hint=\"calculated value of the resistor R2\"\n"
       "info 6@310,105 kind=label rect=310,105,9,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,204 hint=\"calculated value of the resistor R2\"\n"
       "info 6@375,105 kind=label rect=375,105,18,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,1,0x00800000,204 hint=\"\"\n"
       "info 6@273,195 kind=panel rect=273,195,130,32 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,0,0x00000000,1 hint=\"\"\n"},
      {"a result label grows with its text", "tab 6\ncalc 6\ninfo 6@310,105\n",
       "info 6@310,105 kind=label rect=310,105,54,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,204 hint=\"calculated value of the resistor R2\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(V78xxVoltagePage, Calculates) {
  const TScenario scenarios[] = {
      {"the 7805 shown at start-up: 5 V", "tab 6\ncalc 6\n" R2, R2_IS("414.36")},
      {"7805, Vout 15, R1 240", "tab 6\npick 6@315,15 7805\ncalc 6\n" R2, R2_IS("414.36")},
      {"7812", "tab 6\npick 6@315,15 7812\ncalc 6\n" R2, R2_IS("56.29")},
      {"7852: a fractional device voltage", "tab 6\npick 6@315,15 7852\nset 6@315,40 6\ncalc 6\n" R2,
       R2_IS("32.04")},
      {"7885 with R1 330", "tab 6\npick 6@315,15 7885\nset 6@315,40 9\npick 6@315,65 330\ncalc 6\n" R2,
       R2_IS("17.21")},
      {"78L62 with R1 150", "tab 6\npick 6@315,15 78L62\nset 6@315,40 20\npick 6@315,65 150\ncalc 6\n" R2,
       R2_IS("309.19")},
      {"the last line of the table", "tab 6\npick 6@315,15 78MR12\nset 6@315,40 13\ncalc 6\n" R2, R2_IS("18.76")},
      {"just above the device voltage", "tab 6\npick 6@315,15 7812\nset 6@315,40 12.01\ncalc 6\n" R2,
       R2_IS("0.19")},
      {"bounds of Vout pass", "tab 6\npick 6@315,65 130\nset 6@315,40 33\ncalc 6\n" R2 "set 6@315,40 5.01\ncalc 6\n" R2,
       R2_IS("670.47") R2_IS("0.24")},
      {"picking again replaces the device", "tab 6\npick 6@315,15 7812\npick 6@315,15 7805\ncalc 6\n" R2,
       R2_IS("414.36")},
      {"a typed type is used as picked", "tab 6\nset 6@315,15 7812\ncalc 6\n" R2 "get 6@315,15\n",
       R2_IS("56.29") "6@315,15 \"7812\"\n"},
      {"small letters select the line", "tab 6\nset 6@315,15 78l62\nget 6@315,15\nset 6@315,40 20\n"
                                        "pick 6@315,65 150\ncalc 6\n" R2,
       "6@315,15 \"78L62\"\n" R2_IS("309.19")},
      {"a typed type replaces a picked one", "tab 6\npick 6@315,15 7812\nset 6@315,15 7805\ncalc 6\n" R2,
       R2_IS("414.36")},
      {"a stray letter is refused", "tab 6\ntype 6@315,40 a\nget 6@315,40\ncalc 6\n" R2,
       "6@315,40 \"15\"\n" R2_IS("414.36")},
      {"typed digits extend the value", "tab 6\ntype 6@315,40 .5\ncalc 6\n" R2, R2_IS("435.08")},
  };
  CheckScenarios(scenarios);
}

// A Type field that does not show a line of the list ends the calculation
// before any check or result.
TEST(V78xxVoltagePageErrors, RefusesATypeNotInTheList) {
  const TScenario scenarios[] = {
      {"an unknown type", "tab 6\nset 6@315,15 7899\ncalc 6\n" R2, TYPE_WARNING R2_IS("0")},
      {"before the range check", "tab 6\nset 6@315,15 7899\nset 6@315,40 40\ncalc 6\n", TYPE_WARNING},
      {"a picked type edited", "tab 6\npick 6@315,15 7812\ntype 6@315,15 3\ncalc 6\n", TYPE_WARNING},
      {"an empty field", "tab 6\nset 6@315,15 \ncalc 6\n", TYPE_WARNING},
      {"earlier results stay", "tab 6\ncalc 6\nset 6@315,15 junk\nset 6@315,40 20\ncalc 6\n" R2,
       TYPE_WARNING R2_IS("414.36")},
  };
  CheckScenarios(scenarios);
}

TEST(V78xxVoltagePage, WarnsAndKeepsEarlierResults) {
  const TScenario scenarios[] = {
      {"7812 with Vout 12: not above the device", "tab 6\npick 6@315,15 7812\nset 6@315,40 12\ncalc 6\n" R2,
       DEVICE_WARNING("12") R2_IS("0")},
      {"7812 with Vout 4: the range, naming the device", "tab 6\npick 6@315,15 7812\nset 6@315,40 4\ncalc 6\n",
       RANGE_WARNING("12")},
      {"7812 with Vout 6 passes the range (low bound 5) but not the device",
       "tab 6\npick 6@315,15 7812\nset 6@315,40 6\ncalc 6\n", DEVICE_WARNING("12")},
      {"below 5 before any pick", "tab 6\nset 6@315,40 4.99\ncalc 6\n", RANGE_WARNING("5")},
      {"above 33", "tab 6\nset 6@315,40 33.01\ncalc 6\n", RANGE_WARNING("5")},
      {"Vout 5 equals the default device", "tab 6\nset 6@315,40 5\ncalc 6\n", DEVICE_WARNING("5")},
      {"78S75: every Vout fails the device check",
       "tab 6\npick 6@315,15 78S75\nset 6@315,40 33\ncalc 6\nset 6@315,40 5\ncalc 6\n",
       DEVICE_WARNING("75") DEVICE_WARNING("75")},
      {"78S75 and Vout 34: the range first", "tab 6\npick 6@315,15 78S75\nset 6@315,40 34\ncalc 6\n",
       RANGE_WARNING("75")},
      {"empty Vout", "tab 6\nset 6@315,40 \ncalc 6\n", RANGE_WARNING("5")},
      {"unfinished Vout", "tab 6\nset 6@315,40 1e\ncalc 6\n", RANGE_WARNING("5")},
      {"a range stop keeps the result", "tab 6\ncalc 6\nset 6@315,40 40\ncalc 6\n" R2,
       RANGE_WARNING("5") R2_IS("414.36")},
      {"a device stop keeps the result",
       "tab 6\npick 6@315,15 7812\ncalc 6\nset 6@315,40 11\ncalc 6\n" R2 "set 6@315,40 14\ncalc 6\n" R2,
       DEVICE_WARNING("12") R2_IS("56.29") R2_IS("37.52")},
  };
  CheckScenarios(scenarios);
}

}  // namespace
