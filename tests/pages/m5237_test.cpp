#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

// Inputs: Vout 5@315,15, the R1 list 5@315,40. Result: R2 at 5@325,80.
#define R2(text) "5@325,80 \"" text "\"\n"
#define RANGE_WARNING "box \"Warning!\" \"Output Voltage must be between 1.5 and  33 V.\" 48\n"
#define R1_WARNING "box \"Warning!\" \"Choose value of the resistor R1.\" 48\n"

TEST(M5237Page, Calculates) {
  const TScenario scenarios[] = {
      {"4300 picked at start-up, nothing calculated yet", "tab 5\nget 5@315,40\nget 5@325,80\n",
       "5@315,40 \"4300\"\n" R2("0")},
      // 4300*(5/1.26-1) = 12763.49 -> 12763.
      {"defaults", "tab 5\ncalc 5\nget 5@325,80\n", R2("12.763")},
      // 4300*(1.5/1.26-1) = 819.05 -> 819.
      {"Vout exactly 1.5 passes", "tab 5\nset 5@315,15 1.5\ncalc 5\nget 5@325,80\n", R2("0.819")},
      // 4300*(33/1.26-1) = 108319.05 -> 108319.
      {"Vout exactly 33 passes", "tab 5\nset 5@315,15 33\ncalc 5\nget 5@325,80\n", R2("108.319")},
      // 820*(12/1.26-1) = 6989.52 -> 6990.
      {"R1 820, Vout 12", "tab 5\npick 5@315,40 820\nset 5@315,15 12\ncalc 5\nget 5@325,80\n", R2("6.99")},
      // 5100*(10/1.26-1) = 35376.19 -> 35376; the last line of the list.
      {"R1 5100 by its line", "tab 5\npick 5@315,40 #17\nset 5@315,15 10\ncalc 5\nget 5@315,40\nget 5@325,80\n",
       "5@315,40 \"5100\"\n" R2("35.376")},
      // 1000*(2.52/1.26-1) = 1000 exactly.
      {"R1 1000, Vout 2.52", "tab 5\npick 5@315,40 1000\nset 5@315,15 2.52\ncalc 5\nget 5@325,80\n", R2("1")},
      {"the picked value typed again is used",
       "tab 5\ncalc 5\nget 5@325,80\nset 5@315,40 4300\ncalc 5\nget 5@325,80\n", R2("12.763") R2("12.763")},
      // 1234*(5/1.26-1) = 3662.83 -> 3663.
      {"another value typed is used", "tab 5\ncalc 5\nset 5@315,40 1234\ncalc 5\nget 5@325,80\n", R2("3.663")},
      {"a value typed key by key", "tab 5\nset 5@315,40 \ntype 5@315,40 1234\ncalc 5\nget 5@325,80\n", R2("3.663")},
      {"picking again after typing", "tab 5\nset 5@315,40 1234\npick 5@315,40 4300\ncalc 5\nget 5@325,80\n",
       R2("12.763")},
      {"a stray letter in Vout is taken back", "tab 5\ntype 5@315,15 k\nget 5@315,15\ncalc 5\nget 5@325,80\n",
       "5@315,15 \"5\"\n" R2("12.763")},
  };
  CheckScenarios(scenarios);
}

TEST(M5237Page, RangeWarnings) {
  const TScenario scenarios[] = {
      {"Vout 1.49", "tab 5\nset 5@315,15 1.49\ncalc 5\nget 5@325,80\n", RANGE_WARNING R2("0")},
      {"Vout 33.01", "tab 5\nset 5@315,15 33.01\ncalc 5\n", RANGE_WARNING},
      {"Vout 33.1", "tab 5\nset 5@315,15 33.1\ncalc 5\n", RANGE_WARNING},
      {"empty Vout", "tab 5\nset 5@315,15 \ncalc 5\n", RANGE_WARNING},
      {"a warning keeps the earlier result",
       "tab 5\npick 5@315,40 820\nset 5@315,15 12\ncalc 5\nset 5@315,15 40\npick 5@315,40 5100\ncalc 5\nget 5@325,80\n",
       RANGE_WARNING R2("6.99")},
  };
  CheckScenarios(scenarios);
}

// Without a usable R1 the calculation ends after the Vout check, before the
// result changes.
TEST(M5237PageErrors, RefusesAMissingR1) {
  const TScenario scenarios[] = {
      {"the start-up text typed back", "tab 5\nset 5@315,40 ComboBox\ncalc 5\nget 5@325,80\n", R1_WARNING R2("0")},
      {"an empty field", "tab 5\nset 5@315,40 \ncalc 5\n", R1_WARNING},
      {"a comma", "tab 5\nset 5@315,40 4,3\ncalc 5\n", R1_WARNING},
      {"zero", "tab 5\nset 5@315,40 0\ncalc 5\n", R1_WARNING},
      {"a negative value", "tab 5\nset 5@315,40 -820\ncalc 5\n", R1_WARNING},
      {"the Vout check comes first", "tab 5\nset 5@315,40 x\nset 5@315,15 40\ncalc 5\n", RANGE_WARNING},
      {"the earlier result stays", "tab 5\ncalc 5\nset 5@315,40 0.0\nset 5@315,15 12\ncalc 5\nget 5@325,80\n",
       R1_WARNING R2("12.763")},
  };
  CheckScenarios(scenarios);
}

TEST(M5237Page, Layout) {
  const TScenario scenarios[] = {
      {"the R1 list", "tab 5\npick 5@315,40 #0\nget 5@315,40\npick 5@315,40 #15\nget 5@315,40\n",
       "5@315,40 \"820\"\n5@315,40 \"4300\"\n"},
      {"the start-up pick is made once", "tab 5\npick 5@315,40 820\ntab 0\ntab 5\nget 5@315,40\n", "5@315,40 \"820\"\n"},
      {"controls", "tab 5\ninfo 5@315,15\ninfo 5@315,40\ninfo 5@325,80\ninfo 5@280,80\ninfo 5@10,19\ninfo 5@273,195\n",
       "info 5@315,15 kind=edit rect=315,15,60,21 visible=1 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Output voltage\"\n"
       "info 5@315,40 kind=combo rect=315,40,60,21 visible=1 enabled=1 tab=3 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Choose value of the resistor R1.\"\n"
       "info 5@325,80 kind=label rect=325,80,50,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 5@280,80 kind=label rect=280,80,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"
       "info 5@10,19 kind=image rect=10,19,250,199 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 5@273,195 kind=panel rect=273,195,130,32 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 "
       "hint=\"\"\n"},
  };
  CheckScenarios(scenarios);
}

}  // namespace
