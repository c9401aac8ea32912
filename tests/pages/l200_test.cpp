#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

// The results: R2, R3, P(R3) and the rating label.
#define READ_RESULTS "get 2@325,95\nget 2@325,115\nget 2@325,135\nget 2@345,160\n"
#define RESULTS(r2, r3, p, rating) \
  "2@325,95 \"" r2 "\"\n2@325,115 \"" r3 "\"\n2@325,135 \"" p "\"\n2@345,160 \"" rating "\"\n"
#define VOUT_WARNING "box \"Warning!\" \"Output Voltage must be between 2.77 and  37 V.\" 48\n"
#define CURRENT_WARNING "box \"Warning!\" \"Output current must be < 2A. \" 48\n"
#define R1_WARNING "box \"Warning!\" \"Choose value of the resistor R1.\" 48\n"

TEST(L200Page, Calculates) {
  const TScenario scenarios[] = {
      {"worked example", "tab 2\npick 2@315,65 1000\ncalc 2\n" READ_RESULTS, RESULTS("0.805", "0.225", "0.9", "2")},
      {"nothing calculated yet", "tab 2\n" READ_RESULTS, RESULTS("0", "0", "0", "0")},
      {"the picked line typed again is used",
       "tab 2\npick 2@315,65 1000\nset 2@315,65 1000\ncalc 2\n" READ_RESULTS, RESULTS("0.805", "0.225", "0.9", "2")},
      {"bounds of Vout pass", "tab 2\npick 2@315,65 2000\nset 2@315,15 2.77\ncalc 2\nget 2@325,95\n"
                              "set 2@315,15 37\ncalc 2\nget 2@325,95\n",
       "2@325,95 \"0\"\n2@325,95 \"24.715\"\n"},
      {"small current: the smallest rating", "tab 2\npick 2@315,65 820\nset 2@315,40 0.1\ncalc 2\n" READ_RESULTS,
       RESULTS("0.66", "4.5", "0.04", "0.125")},
      {"1 A", "tab 2\npick 2@315,65 820\nset 2@315,40 1\ncalc 2\n" READ_RESULTS, RESULTS("0.66", "0.45", "0.45", "1")},
  };
  CheckScenarios(scenarios);
}

TEST(L200Page, WarnsAndKeepsEarlierResults) {
  const TScenario scenarios[] = {
      {"Vout below 2.77", "tab 2\nset 2@315,15 2.76\ncalc 2\n", VOUT_WARNING},
      {"Vout above 37", "tab 2\nset 2@315,15 37.01\ncalc 2\n", VOUT_WARNING},
      {"empty Vout", "tab 2\nset 2@315,15 \ncalc 2\n", VOUT_WARNING},
      {"current above 2 A: R2 updated, R3 part kept",
       "tab 2\npick 2@315,65 1000\ncalc 2\nset 2@315,15 10\nset 2@315,40 2.5\ncalc 2\n" READ_RESULTS,
       CURRENT_WARNING RESULTS("2.61", "0.225", "0.9", "2")},
      {"empty current warns", "tab 2\npick 2@315,65 1000\nset 2@315,40 \ncalc 2\n", CURRENT_WARNING},
      {"a warning after a good calculation keeps every result",
       "tab 2\npick 2@315,65 1000\ncalc 2\nset 2@315,15 40\ncalc 2\n" READ_RESULTS,
       VOUT_WARNING RESULTS("0.805", "0.225", "0.9", "2")},
  };
  CheckScenarios(scenarios);
}

// R1 is what the field shows: the picked line, or a number typed into it.
TEST(L200Page, TakesR1AsTheFieldShowsIt) {
  const TScenario scenarios[] = {
      // (5/2.77-1)*1200 = 966.06 -> 966.
      {"a typed value", "tab 2\nset 2@315,65 1200\ncalc 2\n" READ_RESULTS, RESULTS("0.966", "0.225", "0.9", "2")},
      {"a typed value after a pick", "tab 2\npick 2@315,65 3300\nset 2@315,65 1200\ncalc 2\n" READ_RESULTS,
       RESULTS("0.966", "0.225", "0.9", "2")},
      {"typed key by key", "tab 2\nset 2@315,65 \ntype 2@315,65 1200\ncalc 2\nget 2@325,95\n", "2@325,95 \"0.966\"\n"},
      {"an exponent, in either case", "tab 2\nset 2@315,65 1.2E3\ncalc 2\nget 2@325,95\n", "2@325,95 \"0.966\"\n"},
      {"a value off the list", "tab 2\nset 2@315,65 470.5\ncalc 2\nget 2@325,95\n", "2@325,95 \"0.379\"\n"},
      {"a pick after typing", "tab 2\nset 2@315,65 1200\npick 2@315,65 1000\ncalc 2\nget 2@325,95\n",
       "2@325,95 \"0.805\"\n"},
  };
  CheckScenarios(scenarios);
}

// Without a usable R1 the calculation ends after the Vout check, before any
// result changes.
TEST(L200PageErrors, RefusesAMissingR1) {
  const TScenario scenarios[] = {
      {"the start-up text", "tab 2\nget 2@315,65\ncalc 2\n" READ_RESULTS,
       "2@315,65 \"ComboBox\"\n" R1_WARNING RESULTS("0", "0", "0", "0")},
      {"an empty field", "tab 2\nset 2@315,65 \ncalc 2\n", R1_WARNING},
      {"letters", "tab 2\nset 2@315,65 12k\ncalc 2\n", R1_WARNING},
      {"an unfinished number", "tab 2\nset 2@315,65 1e\ncalc 2\n", R1_WARNING},
      {"blanks around a number", "tab 2\nset 2@315,65  1200 \ncalc 2\n", R1_WARNING},
      {"zero", "tab 2\nset 2@315,65 0\ncalc 2\n", R1_WARNING},
      {"a negative value", "tab 2\nset 2@315,65 -1000\ncalc 2\n", R1_WARNING},
      {"the Vout check comes first", "tab 2\nset 2@315,15 40\ncalc 2\n", VOUT_WARNING},
      {"nor the current gate runs", "tab 2\nset 2@315,40 2.5\ncalc 2\n", R1_WARNING},
      {"earlier results stay",
       "tab 2\npick 2@315,65 1000\ncalc 2\nset 2@315,65 abc\nset 2@315,15 10\nset 2@315,40 1\ncalc 2\n" READ_RESULTS,
       R1_WARNING RESULTS("0.805", "0.225", "0.9", "2")},
  };
  CheckScenarios(scenarios);
}

TEST(L200Page, ZeroCurrentFailsInTheFormulas) {
  const TScenario scenarios[] = {
      {"I = 0: the divide fails, the formulas report", "tab 2\npick 2@315,65 1000\nset 2@315,40 0\ncalc 2\n" READ_RESULTS,
       "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 \xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 \xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB5 MathParser\\r\\n\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 \xD0\xB2 \xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 9\" 0\n"
       "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 \xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 \xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB5 MathParser\\r\\n\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 \xD0\xB2 \xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 3\" 0\n"
       RESULTS("0.805", "0", "0", "0.125")},
  };
  CheckScenarios(scenarios);
}

}  // namespace
