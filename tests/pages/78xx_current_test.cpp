#include <gtest/gtest.h>

#include "support/page_drive.h"

// Expected values are worked by hand: R1 = Vreg / (Iload - 0.0033),
// P(R1) = Vreg^2 / R1 (unrounded R1), both rounded half to even to 2 places;
// the rating is the smallest of 0.125 ... 50 not below P(R1) / 0.75.
namespace {

#define READ_RESULTS "get 7@330,80\nget 7@330,100\nget 7@345,125\n"
#define RESULTS(r1, p, rating) "7@330,80 \"" r1 "\"\n7@330,100 \"" p "\"\n7@345,125 \"" rating "\"\n"
#define CURRENT_WARNING(imax) \
  "box \"Warning!\" \"Output current must be between 0.005 and " imax " A for this type of device. \" 48\n"
#define TYPE_WARNING "box \"Warning!\" \"Choose the regulator type from the list.\" 48\n"
#define HINT_R1 "calculated value of the resistor R3"
#define HINT_RATING \
  "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value"

TEST(I78xxCurrentPage, StartsAsBuilt) {
  const TScenario scenarios[] = {
      {"initial texts", "tab 7\npages\nget 7@315,15\nget 7@315,40\nget 7@280,45\n" READ_RESULTS,
       "visible 7\n7@315,15 \"7805\"\n7@315,40 \"1.5\"\n7@280,45 \"I\xD0\xBD:\"\n" RESULTS("0", "0", "0")},
      {"controls as placed",
       "tab 7\ninfo 7@10,19\ninfo 7@315,15\ninfo 7@315,40\ninfo 7@280,80\ninfo 7@330,80\ninfo 7@280,125\n"
       "info 7@345,125\ninfo 7@380,125\n",
       "info 7@10,19 kind=image rect=10,19,250,200 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 7@315,15 kind=combo rect=315,15,85,21 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"\"\n"
       "info 7@315,40 kind=edit rect=315,40,55,21 visible=1 enabled=1 tab=3 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"Load current\"\n"
       // Arial 10 bold: 16 pixels high, 9 per character; Arial 8 bold: 14 and 8.
       "info 7@280,80 kind=label rect=280,80,27,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,1,0x00800000,204 hint=\"" HINT_R1 "\"\n"
       "info 7@330,80 kind=label rect=330,80,9,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,204 hint=\"" HINT_R1 "\"\n"
       // The rating caption and unit keep their width; the rating value sizes itself.
       "info 7@280,125 kind=label rect=280,125,60,15 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,1,0x00800000,204 hint=\"" HINT_RATING "\"\n"
       "info 7@345,125 kind=label rect=345,125,8,14 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,5,0x00000000,204 hint=\"" HINT_RATING "\"\n"
       "info 7@380,125 kind=label rect=380,125,20,15 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,1,0x00800000,204 hint=\"" HINT_RATING "\"\n"},
      {"the power label and its hint", "tab 7\nget 7@280,100\ninfo 7@330,100\n",
       "7@280,100 \"P(R1)=\"\ninfo 7@330,100 kind=label rect=330,100,9,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,204 hint=\"resistor R3 power dissipation\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(I78xxCurrentPage, Calculates) {
  const TScenario scenarios[] = {
      {"defaults: the 7805 shown at start-up, 5 V, at most 1.5 A", "tab 7\ncalc 7\n" READ_RESULTS,
       RESULTS("3.34", "7.48", "10")},
      {"7805 picked gives the same", "tab 7\npick 7@315,15 7805\ncalc 7\n" READ_RESULTS,
       RESULTS("3.34", "7.48", "10")},
      {"7812 at 0.5 A", "tab 7\npick 7@315,15 7812\nset 7@315,40 0.5\ncalc 7\n" READ_RESULTS,
       RESULTS("24.16", "5.96", "10")},
      {"78L05 exactly at its maximum", "tab 7\npick 7@315,15 78L05\nset 7@315,40 0.1\ncalc 7\n" READ_RESULTS,
       RESULTS("51.71", "0.48", "1")},
      {"78L62: fractional voltage", "tab 7\npick 7@315,15 78L62\nset 7@315,40 0.1\ncalc 7\n" READ_RESULTS,
       RESULTS("64.12", "0.6", "1")},
      {"exactly the lower bound", "tab 7\nset 7@315,40 0.005\ncalc 7\n" READ_RESULTS,
       RESULTS("2941.18", "0.01", "0.125")},
      {"just above the lower bound", "tab 7\nset 7@315,40 0.0051\ncalc 7\n" READ_RESULTS,
       RESULTS("2777.78", "0.01", "0.125")},
      {"78M05 at 0.5 A", "tab 7\npick 7@315,15 78M05\nset 7@315,40 0.5\ncalc 7\n" READ_RESULTS,
       RESULTS("10.07", "2.48", "5")},
      {"7815 at 1 A", "tab 7\npick 7@315,15 7815\nset 7@315,40 1\ncalc 7\n" READ_RESULTS,
       RESULTS("15.05", "14.95", "20")},
      {"7824 at 1.2 A", "tab 7\npick 7@315,15 7824\nset 7@315,40 1.2\ncalc 7\n" READ_RESULTS,
       RESULTS("20.06", "28.72", "40")},
      {"78S24 at 2 A: the top rating", "tab 7\npick 7@315,15 78S24\nset 7@315,40 2\ncalc 7\n" READ_RESULTS,
       RESULTS("12.02", "47.92", "50")},
      {"78S75 holds 75 V", "tab 7\npick 7@315,15 78S75\nset 7@315,40 2\ncalc 7\n" READ_RESULTS,
       RESULTS("37.56", "149.75", "50")},
      {"780S07 at its 1 A", "tab 7\npick 7@315,15 780S07\nset 7@315,40 1\ncalc 7\n" READ_RESULTS,
       RESULTS("7.02", "6.98", "10")},
      {"the last line of the table", "tab 7\npick 7@315,15 78MR12\nset 7@315,40 0.2\ncalc 7\n" READ_RESULTS,
       RESULTS("61.01", "2.36", "5")},
      {"picking again restores 1.5 A", "tab 7\npick 7@315,15 78L05\npick 7@315,15 7805\ncalc 7\n" READ_RESULTS,
       RESULTS("3.34", "7.48", "10")},
      {"a stray letter is refused", "tab 7\ntype 7@315,40 x\nget 7@315,40\ncalc 7\n" READ_RESULTS,
       "7@315,40 \"1.5\"\n" RESULTS("3.34", "7.48", "10")},
  };
  CheckScenarios(scenarios);
}

// A typed type that names a line selects it as a pick does.
TEST(I78xxCurrentPage, TypedTypeSelectsItsLine) {
  const TScenario scenarios[] = {
      {"7812 typed, 0.5 A", "tab 7\nset 7@315,15 7812\nset 7@315,40 0.5\ncalc 7\nget 7@315,15\n" READ_RESULTS,
       "7@315,15 \"7812\"\n" RESULTS("24.16", "5.96", "10")},
      {"small letters: 78l05 and its 0.1 A maximum",
       "tab 7\nset 7@315,15 78l05\nget 7@315,15\nset 7@315,40 0.1\ncalc 7\n" READ_RESULTS "set 7@315,40 0.11\ncalc 7\n",
       "7@315,15 \"78L05\"\n" RESULTS("51.71", "0.48", "1") CURRENT_WARNING("0.1")},
      {"blanks around the name", "tab 7\nset 7@315,15  7812 \nset 7@315,40 0.5\ncalc 7\nget 7@330,80\n",
       "7@330,80 \"24.16\"\n"},
      {"typed key by key after a pick", "tab 7\npick 7@315,15 78M05\nset 7@315,15 \ntype 7@315,15 7812\n"
                                        "set 7@315,40 0.5\ncalc 7\nget 7@330,80\n",
       "7@330,80 \"24.16\"\n"},
  };
  CheckScenarios(scenarios);
}

// A Type field that does not show a line of the list ends the calculation
// before any check or result.
TEST(I78xxCurrentPageErrors, RefusesATypeNotInTheList) {
  const TScenario scenarios[] = {
      {"an unknown type", "tab 7\nset 7@315,15 7899\ncalc 7\n" READ_RESULTS, TYPE_WARNING RESULTS("0", "0", "0")},
      {"before the current check", "tab 7\nset 7@315,15 7899\nset 7@315,40 5\ncalc 7\n", TYPE_WARNING},
      {"a prefix of a line", "tab 7\nset 7@315,15 781\ncalc 7\n", TYPE_WARNING},
      {"an empty field", "tab 7\nset 7@315,15 \ncalc 7\n", TYPE_WARNING},
      {"the start-up text typed back", "tab 7\nset 7@315,15 ComboBox\ncalc 7\n", TYPE_WARNING},
      {"earlier results stay", "tab 7\ncalc 7\nset 7@315,15 78x05\ncalc 7\n" READ_RESULTS,
       TYPE_WARNING RESULTS("3.34", "7.48", "10")},
  };
  CheckScenarios(scenarios);
}

TEST(I78xxCurrentPage, WarnsAndKeepsEarlierResults) {
  const TScenario scenarios[] = {
      {"just above the default maximum", "tab 7\nset 7@315,40 1.51\ncalc 7\n" READ_RESULTS,
       CURRENT_WARNING("1.5") RESULTS("0", "0", "0")},
      {"78L05 above 0.1 A names 0.1", "tab 7\npick 7@315,15 78L05\nset 7@315,40 0.11\ncalc 7\n",
       CURRENT_WARNING("0.1")},
      {"780S07 above 1 A", "tab 7\npick 7@315,15 780S07\nset 7@315,40 1.01\ncalc 7\n", CURRENT_WARNING("1")},
      {"78S05 above 2 A", "tab 7\npick 7@315,15 78S05\nset 7@315,40 2.01\ncalc 7\n", CURRENT_WARNING("2")},
      {"below 0.005", "tab 7\nset 7@315,40 0.004\ncalc 7\nset 7@315,40 0.0049\ncalc 7\n",
       CURRENT_WARNING("1.5") CURRENT_WARNING("1.5")},
      {"below 0.005 names the type's maximum", "tab 7\npick 7@315,15 78L05\nset 7@315,40 0.004\ncalc 7\n",
       CURRENT_WARNING("0.1")},
      {"zero and negative currents", "tab 7\nset 7@315,40 0\ncalc 7\nset 7@315,40 -0.5\ncalc 7\n" READ_RESULTS,
       CURRENT_WARNING("1.5") CURRENT_WARNING("1.5") RESULTS("0", "0", "0")},
      {"empty current", "tab 7\nset 7@315,40 \ncalc 7\n", CURRENT_WARNING("1.5")},
      {"unfinished currents", "tab 7\nset 7@315,40 -\ncalc 7\nset 7@315,40 1e\ncalc 7\n",
       CURRENT_WARNING("1.5") CURRENT_WARNING("1.5")},
      {"a stop keeps every earlier result, one box each",
       "tab 7\ncalc 7\nset 7@315,40 2\ncalc 7\n" READ_RESULTS "set 7@315,40 0.001\ncalc 7\n" READ_RESULTS,
       CURRENT_WARNING("1.5") RESULTS("3.34", "7.48", "10") CURRENT_WARNING("1.5") RESULTS("3.34", "7.48", "10")},
  };
  CheckScenarios(scenarios);
}

}  // namespace
