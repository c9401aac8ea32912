#include <gtest/gtest.h>

#include "support/page_drive.h"

// Expected values are worked by hand with the number-text rule: the literal
// 0.7 reads as 0.7000000000000001, so P(R3) at 150 mA is 0.10500000000000001
// and rounds to 0.11. R2 = Vout*R1 - R1 is rounded to whole ohms (half to
// even) before it is divided by 1000 and rounded to 3 places.
namespace {

#define READ_RESULTS "get 8@325,95\nget 8@325,115\nget 8@325,135\nget 8@345,160\n"
#define RESULTS(r2, r3, p, rating) \
  "8@325,95 \"" r2 "\"\n8@325,115 \"" r3 "\"\n8@325,135 \"" p "\"\n8@345,160 \"" rating "\"\n"
#define R2 "get 8@325,95\n"
#define R2_IS(v) "8@325,95 \"" v "\"\n"
#define VOUT_WARNING "box \"Warning!\" \"Output Voltage must be between 1 and  37 V.\" 48\n"
#define CURRENT_WARNING "box \"Warning!\" \"Output current must be < 150mA. \" 48\n"
#define R1_WARNING "box \"Warning!\" \"Choose value of the resistor R1.\" 48\n"
// "Ошибка вычисления в элементе MathParser" / "Обнаружена в позиции " in UTF-8.
#define CALC_ERROR_AT(pos)                                                                                       \
  "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 \xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB" \
  "\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 \xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB5 "      \
  "MathParser\\r\\n\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 \xD0\xB2 "         \
  "\xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 " pos "\" 0\n"
#define RATING_HINT \
  "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value"

TEST(UA723Page, StartsAsBuilt) {
  const TScenario scenarios[] = {
      {"initial texts: no R1 selected", "tab 8\npages\nget 8@315,15\nget 8@315,40\nget 8@315,65\n" READ_RESULTS,
       "visible 8\n8@315,15 \"5\"\n8@315,40 \"150\"\n8@315,65 \"\"\n" RESULTS("0", "0", "0", "0")},
      {"controls as placed",
       "tab 8\ninfo 8@10,19\ninfo 8@315,15\ninfo 8@315,40\ninfo 8@315,65\ninfo 8@325,95\ninfo 8@325,135\n"
       "info 8@345,160\ninfo 8@380,160\nget 8@380,160\n",
       "info 8@10,19 kind=image rect=10,19,250,199 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 8@315,15 kind=edit rect=315,15,60,21 visible=1 enabled=1 tab=2 "
       "font=\"Arial\",9,1,0x00000000,1 hint=\"Output voltage\"\n"
       "info 8@315,40 kind=edit rect=315,40,60,21 visible=1 enabled=1 tab=4 "
       "font=\"Arial\",9,1,0x00000000,1 hint=\"Output current\"\n"
       // The R1 list alone uses character set 204.
       "info 8@315,65 kind=combo rect=315,65,60,21 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"Choose value of the resistor R1.\"\n"
       // The three result labels keep their width; the rest size themselves
       // (Arial 8 bold: 14 pixels high, 8 per character).
       "info 8@325,95 kind=label rect=325,95,50,15 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 8@325,135 kind=label rect=325,135,45,15 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 8@345,160 kind=label rect=345,160,8,14 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,5,0x00000000,1 hint=\"" RATING_HINT "\"\n"
       "info 8@380,160 kind=label rect=380,160,24,14 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",8,1,0x00800000,1 hint=\"" RATING_HINT "\"\n"
       "8@380,160 \" W)\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(UA723Page, Calculates) {
  const TScenario scenarios[] = {
      {"defaults with R1 1000", "tab 8\npick 8@315,65 1000\ncalc 8\n" READ_RESULTS,
       RESULTS("4", "4.67", "0.11", "0.25")},
      {"Vout 1 gives R2 0", "tab 8\npick 8@315,65 1000\nset 8@315,15 1\ncalc 8\n" R2, R2_IS("0")},
      {"Vout 37 with R1 5100", "tab 8\npick 8@315,65 5100\nset 8@315,15 37\ncalc 8\n" R2, R2_IS("183.6")},
      {"whole ohms, half to even", "tab 8\nset 8@315,15 1.25\npick 8@315,65 130\ncalc 8\n" R2
                                   "pick 8@315,65 150\ncalc 8\n" R2,
       R2_IS("0.032") R2_IS("0.038")},
      {"3 decimals", "tab 8\nset 8@315,15 3.3\npick 8@315,65 130\ncalc 8\n" R2, R2_IS("0.299")},
      {"10 mA", "tab 8\npick 8@315,65 1000\nset 8@315,40 10\ncalc 8\n" READ_RESULTS,
       RESULTS("4", "70", "0.01", "0.125")},
      {"100 mA", "tab 8\npick 8@315,65 1000\nset 8@315,40 100\ncalc 8\n" READ_RESULTS,
       RESULTS("4", "7", "0.07", "0.125")},
      {"12 V, 50 mA, R1 2200", "tab 8\nset 8@315,15 12\nset 8@315,40 50\npick 8@315,65 2200\ncalc 8\n" READ_RESULTS,
       RESULTS("24.2", "14", "0.04", "0.125")},
      {"1 mA: the power rounds to 0", "tab 8\npick 8@315,65 1000\nset 8@315,40 1\ncalc 8\n" READ_RESULTS,
       RESULTS("4", "700", "0", "0.125")},
      {"a stray letter is refused", "tab 8\npick 8@315,65 1000\ntype 8@315,40 q\nget 8@315,40\ncalc 8\n" READ_RESULTS,
       "8@315,40 \"150\"\n" RESULTS("4", "4.67", "0.11", "0.25")},
  };
  CheckScenarios(scenarios);
}

TEST(UA723Page, WarnsAndKeepsEarlierResults) {
  const TScenario scenarios[] = {
      {"Vout below 1", "tab 8\nset 8@315,15 0.9\ncalc 8\nset 8@315,15 0.99\ncalc 8\n", VOUT_WARNING VOUT_WARNING},
      {"Vout above 37", "tab 8\nset 8@315,15 37.5\ncalc 8\nset 8@315,15 37.01\ncalc 8\n", VOUT_WARNING VOUT_WARNING},
      {"empty Vout", "tab 8\nset 8@315,15 \ncalc 8\n", VOUT_WARNING},
      {"151 mA: R2 updated, the R3 part kept",
       "tab 8\npick 8@315,65 1000\ncalc 8\nset 8@315,15 10\nset 8@315,40 151\ncalc 8\n" READ_RESULTS,
       CURRENT_WARNING RESULTS("9", "4.67", "0.11", "0.25")},
      {"just above 150", "tab 8\npick 8@315,65 1000\nset 8@315,40 150.01\ncalc 8\n" READ_RESULTS,
       CURRENT_WARNING RESULTS("4", "0", "0", "0")},
      {"empty Iout warns after R2", "tab 8\npick 8@315,65 1000\nset 8@315,40 \ncalc 8\n" READ_RESULTS,
       CURRENT_WARNING RESULTS("4", "0", "0", "0")},
      {"a voltage stop keeps every result", "tab 8\npick 8@315,65 1000\ncalc 8\nset 8@315,15 40\ncalc 8\n" READ_RESULTS,
       VOUT_WARNING RESULTS("4", "4.67", "0.11", "0.25")},
  };
  CheckScenarios(scenarios);
}

// No line picked: the calculation ends after the Vout check, before any
// result changes (R2 would read 0 kOm, which no design has).
TEST(UA723PageErrors, RefusesAMissingR1) {
  const TScenario scenarios[] = {
      {"nothing picked at start-up", "tab 8\ncalc 8\n" READ_RESULTS, R1_WARNING RESULTS("0", "0", "0", "0")},
      {"the Vout check comes first", "tab 8\nset 8@315,15 40\ncalc 8\n", VOUT_WARNING},
      {"nor the current check runs", "tab 8\nset 8@315,40 151\ncalc 8\n" READ_RESULTS,
       R1_WARNING RESULTS("0", "0", "0", "0")},
      {"a pick then calculates", "tab 8\ncalc 8\npick 8@315,65 1000\ncalc 8\n" READ_RESULTS,
       R1_WARNING RESULTS("4", "4.67", "0.11", "0.25")},
  };
  CheckScenarios(scenarios);
}

TEST(UA723Page, ZeroCurrentFailsInTheR3Formula) {
  // 0 mA passes the check; 0.7 / (0 / 1000) fails once the 17 characters of
  // the formula are read, R3 keeps its text, P(R3) is 0.
  const TScenario scenarios[] = {
      {"0 mA after a good calculation",
       "tab 8\npick 8@315,65 1000\ncalc 8\nset 8@315,40 0\ncalc 8\n" READ_RESULTS,
       CALC_ERROR_AT("17") RESULTS("4", "4.67", "0", "0.125")},
  };
  CheckScenarios(scenarios);
}

}  // namespace
