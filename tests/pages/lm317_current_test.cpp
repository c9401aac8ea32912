#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

// The results: R (ohms), P (watts) and the rating label.
#define READ_RESULTS "get 1@330,55\nget 1@330,75\nget 1@345,100\n"
#define RESULTS(r, p, rating) "1@330,55 \"" r "\"\n1@330,75 \"" p "\"\n1@345,100 \"" rating "\"\n"
#define CURRENT(i) "tab 1\nset 1@315,15 " i "\ncalc 1\n"
// Three lines joined by lone CRs, the first two ending in a blank.
#define RANGE_WARNING \
  "box \"Warning!\" \"R3 - Out of range \\r0.8<R3<125 for LM317 \\r0.4<R3<125 for LM150,LM350\" 48\n"
// The formula element's own report of a calculation error at position N.
#define CALC_ERROR(n)                                                                                         \
  "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 \xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81" \
  "\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 \xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82" \
  "\xD0\xB5 MathParser\\r\\n\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 " \
  "\xD0\xB2 \xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 " n "\" 0\n"

// Worked by hand: R = 1.25/I, P = R*I*I, x = P/0.7 with the literal 0.7
// read digit by digit as 0.7000000000000001; R and P at 2 decimals, half to
// even; the rating is the first of x > 2 "3", > 1 "2", > 0.5 "1",
// > 0.25 "0.5", > 0.125 "0.25", else "0.125".
TEST(LM317CurrentPage, StartsEmpty) {
  const TScenario scenarios[] = {
      {"initial texts", "tab 1\nget 1@315,15\n" READ_RESULTS, "1@315,15 \"1.5\"\n" RESULTS("0", "0", "0")},
      {"captions say R1, hints say R3",
       "tab 1\nget 1@280,20\nget 1@280,55\nget 1@280,75\nget 1@280,100\nget 1@380,100\ninfo 1@280,55\n",
       "1@280,20 \"I\xD0\xBD:\"\n1@280,55 \"R1=\"\n1@280,75 \"P(R1)=\"\n1@280,100 \"(R1power=\"\n1@380,100 \"W)\"\n"
       "info 1@280,55 kind=label rect=280,55,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,204 "
       "hint=\"calculated value of the resistor R3\"\n"},
      // Arial 8 bold measures 14 pixels high and 8 wide per character; the
      // rating caption and unit keep their size.
      {"the rating row", "tab 1\ninfo 1@280,100\ninfo 1@345,100\ninfo 1@380,100\ncalc 1\ninfo 1@345,100\n",
       "info 1@280,100 kind=label rect=280,100,60,15 visible=1 enabled=1 tab=0 font=\"Arial\",8,1,0x00800000,204 "
       "hint=\"power of the resistor R3 calculated with the requirements of reliability, driven in nearest "
       "standard value\"\n"
       "info 1@345,100 kind=label rect=345,100,8,14 visible=1 enabled=1 tab=0 font=\"Arial\",8,5,0x00000000,204 "
       "hint=\"power of the resistor R3 calculated with the requirements of reliability, driven in nearest "
       "standard value\"\n"
       "info 1@380,100 kind=label rect=380,100,20,15 visible=1 enabled=1 tab=0 font=\"Arial\",8,1,0x00800000,204 "
       "hint=\"power of the resistor R3 calculated with the requirements of reliability, driven in nearest "
       "standard value\"\n"
       "info 1@345,100 kind=label rect=345,100,8,14 visible=1 enabled=1 tab=0 font=\"Arial\",8,5,0x00000000,204 "
       "hint=\"power of the resistor R3 calculated with the requirements of reliability, driven in nearest "
       "standard value\"\n"},
      {"the field and the results", "tab 1\ninfo 1@315,15\ninfo 1@330,75\ncalc 1\ninfo 1@330,75\n",
       "info 1@315,15 kind=edit rect=315,15,60,21 visible=1 enabled=1 tab=3 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Load current\"\n"
       "info 1@330,75 kind=label rect=330,75,9,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,204 "
       "hint=\"resistor R3 power dissipation\"\n"
       "info 1@330,75 kind=label rect=330,75,36,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,204 "
       "hint=\"resistor R3 power dissipation\"\n"},
      {"hidden at start", "info 1@315,15\n",
       "info 1@315,15 kind=edit rect=315,15,60,21 visible=0 enabled=1 tab=3 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Load current\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(LM317CurrentPage, Calculates) {
  const TScenario scenarios[] = {
      // R = 0.8333, P = 1.875 (187.5 -> 188), x = 2.679.
      {"worked example", "tab 1\ncalc 1\n" READ_RESULTS, RESULTS("0.83", "1.88", "3")},
      // R = 0.4 exactly, P = 3.90625, x = 5.58.
      {"R exactly 0.4", CURRENT("3.125") READ_RESULTS, RESULTS("0.4", "3.91", "3")},
      // R = 125 exactly, P = 0.0125 (1.25 -> 1), x = 0.0179.
      {"R exactly 125", CURRENT("0.01") READ_RESULTS, RESULTS("125", "0.01", "0.125")},
      // R = 0.40064, P = 3.9.
      {"R just above 0.4", CURRENT("3.12") READ_RESULTS, RESULTS("0.4", "3.9", "3")},
      // R = 0.625 (62.5 -> 62), P = 2.5, x = 3.57.
      {"halves go to even", CURRENT("2") READ_RESULTS, RESULTS("0.62", "2.5", "3")},
      // R = 2.5, P = 0.625 (62.5 -> 62), x = 0.893.
      {"half a watt", CURRENT("0.5") READ_RESULTS, RESULTS("2.5", "0.62", "1")},
      // I = 0.07: P = 0.08750000000000001 and x = P/0.7000000000000001 =
      // 0.125 exactly, which is not above 0.125; 0.0701 gives x = 0.12518.
      {"x exactly 0.125", CURRENT("0.07") READ_RESULTS, RESULTS("17.86", "0.09", "0.125")},
      {"x just above 0.125", CURRENT("0.0701") READ_RESULTS, RESULTS("17.83", "0.09", "0.25")},
      // Likewise x is exactly 0.25, 0.5, 1 and 2 at these currents.
      {"x exactly 0.25", CURRENT("0.14") READ_RESULTS, RESULTS("8.93", "0.18", "0.25")},
      {"x exactly 0.5", CURRENT("0.28") READ_RESULTS, RESULTS("4.46", "0.35", "0.5")},
      {"x exactly 1", CURRENT("0.56") READ_RESULTS, RESULTS("2.23", "0.7", "1")},
      {"x exactly 2", CURRENT("1.12") READ_RESULTS, RESULTS("1.12", "1.4", "2")},
      // R = 1.10619, P = 1.4125 (141.25 -> 141), x = 2.018.
      {"x just above 2", CURRENT("1.13") READ_RESULTS, RESULTS("1.11", "1.41", "3")},
      {"a stray letter brings back the last good text", "tab 1\ntype 1@315,15 x\nget 1@315,15\ncalc 1\n" READ_RESULTS,
       "1@315,15 \"1.5\"\n" RESULTS("0.83", "1.88", "3")},
      {"each calculation replaces the last", CURRENT("0.01") "set 1@315,15 1.5\ncalc 1\n" READ_RESULTS,
       RESULTS("0.83", "1.88", "3")},
  };
  CheckScenarios(scenarios);
}

// The range warning comes after both results are shown and stops nothing:
// the rating follows it.
TEST(LM317CurrentPage, WarnsOutsideTheResistorRange) {
  const TScenario scenarios[] = {
      // R = 0.390625, P = 4, x = 5.71.
      {"3.2 A", CURRENT("3.2") READ_RESULTS, RANGE_WARNING RESULTS("0.39", "4", "3")},
      // R = 0.39936 (shown as 0.4), P = 3.9125.
      {"R just below 0.4", CURRENT("3.13") READ_RESULTS, RANGE_WARNING RESULTS("0.4", "3.91", "3")},
      // R = 126.263, P = 0.012375.
      {"R just above 125", CURRENT("0.0099") READ_RESULTS, RANGE_WARNING RESULTS("126.26", "0.01", "0.125")},
      // R = -1.25 < 0.4, P = -1.25: shown as computed.
      {"a negative current", CURRENT("-1") READ_RESULTS, RANGE_WARNING RESULTS("-1.25", "-1.25", "0.125")},
      {"one box per calculation, results replaced",
       "tab 1\ncalc 1\nset 1@315,15 3.2\ncalc 1\ncalc 1\n" READ_RESULTS,
       RANGE_WARNING RANGE_WARNING RESULTS("0.39", "4", "3")},
  };
  CheckScenarios(scenarios);
}

// No current (0, or a field that reads as no value): 1.25/0 fails in the
// resistor formula at position 7 ("1.25/%1" read to its end); the power
// formula then reads that failure as its %1 (position 3: "%1*" read) and
// the rating's margin formula reads the failed power ("%1/" read). So three
// boxes; the comparisons see no value, no range warning, and the rating
// falls through to its last step. R and P keep what they showed.
#define NO_CURRENT_BOXES CALC_ERROR("7") CALC_ERROR("3") CALC_ERROR("3")

TEST(LM317CurrentPage, NoCurrentFailsInTheFormulas) {
  const TScenario scenarios[] = {
      {"I = 0", CURRENT("0") READ_RESULTS, NO_CURRENT_BOXES RESULTS("0", "0", "0.125")},
      {"I = 0 after a good calculation", "tab 1\ncalc 1\nset 1@315,15 0\ncalc 1\n" READ_RESULTS,
       NO_CURRENT_BOXES RESULTS("0.83", "1.88", "0.125")},
      {"empty current", CURRENT("") READ_RESULTS, NO_CURRENT_BOXES RESULTS("0", "0", "0.125")},
      {"an unfinished number", CURRENT("-") READ_RESULTS, NO_CURRENT_BOXES RESULTS("0", "0", "0.125")},
      {"the next good current calculates again", CURRENT("0") "set 1@315,15 3.2\ncalc 1\n" READ_RESULTS,
       NO_CURRENT_BOXES RANGE_WARNING RESULTS("0.39", "4", "3")},
  };
  CheckScenarios(scenarios);
}

}  // namespace
