#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

// Inputs: Vout 4@335,15, Iout 4@335,40, ratio 4@335,65 (an integer field).
// Results: R3, R2, R1 and the two C1 limits.
#define READ_RESULTS "get 4@325,135\nget 4@325,115\nget 4@325,95\nget 4@325,155\nget 4@325,175\n"
#define RESULTS(r3, r2, r1, low, high)                                                                      \
  "4@325,135 \"" r3 "\"\n4@325,115 \"" r2 "\"\n4@325,95 \"" r1 "\"\n4@325,155 \"" low "\"\n4@325,175 \"" high \
  "\"\n"
#define DEFAULTS RESULTS("3.119", "3.132", "12.38", "27000", "1.5")
// R3 with ratio 100: 2494999.9999999995/400 = 6237.4999... -> 6237 (the literal
// 2.495 reads a little below 2.495); R2 = 2.505*6237/2.495 = 6261.998 -> 6262.
#define RATIO_100 RESULTS("6.237", "6.262", "12.38", "27000", "1.5")
#define RANGE_WARNING "box \"Warning!\" \"Output Voltage must be between 2.5 and  36 V.\" 48\n"
#define RATIO_WARNING \
  "box \"Warning!\" \"Divider-Current to Reference-Current Ratio should be greater than 100.\" 48\n"
#define CURRENT_WARNING "box \"Warning!\" \"Output current must be < 100mA. \" 48\n"
// The formula element's box for a calculation error found after `pos` characters.
#define CALC_ERROR(pos)                                                                                       \
  "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 "                                       \
  "\xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 "              \
  "\xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB5 MathParser\\r\\n"                     \
  "\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 \xD0\xB2 "              \
  "\xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 " pos "\" 0\n"

TEST(TL431LM317Page, Calculates) {
  const TScenario scenarios[] = {
      {"nothing calculated yet", "tab 4\n" READ_RESULTS, RESULTS("0", "0", "0", "0", "0")},
      // R3 = 2495000/800 = 3118.75 -> 3119; R2 = 2.505*3119/2.495 = 3131.5 -> 3132;
      // R1 = 1.25/0.101 = 12.376; Vout 5 is in the 4 to 8 V band.
      {"defaults", "tab 4\ncalc 4\n" READ_RESULTS, DEFAULTS},
      {"ratio exactly 100 passes", "tab 4\nset 4@335,65 100\ncalc 4\n" READ_RESULTS, RATIO_100},
      {"current exactly 100 passes", "tab 4\nset 4@335,40 100\ncalc 4\n" READ_RESULTS, DEFAULTS},
      // R2 = 0.005*3119/2.495 = 6.25 -> 6.
      {"Vout exactly 2.5 passes", "tab 4\nset 4@335,15 2.5\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "0.006", "12.38", "6200", "3.3")},
      // R2 = 33.505*3119/2.495 = 41884.6 -> 41885.
      {"Vout exactly 36 passes", "tab 4\nset 4@335,15 36\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "41.885", "12.38", "33000", "0.082")},
      // R1 = 1.25/(51/1000) = 24.5098; R2 = 6.505*6237/2.495 = 16261.2 -> 16261.
      {"other inputs", "tab 4\nset 4@335,15 9\nset 4@335,40 50\nset 4@335,65 100\ncalc 4\n" READ_RESULTS,
       RESULTS("6.237", "16.261", "24.51", "33000", "0.082")},
      // R1 = 1.25/(1/1000) = 1250.
      {"no output current", "tab 4\nset 4@335,40 0\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "3.132", "1250", "27000", "1.5")},
  };
  CheckScenarios(scenarios);
}

TEST(TL431LM317Page, CapacitorBandsGoByTheIntegerPartOfVout) {
  const TScenario scenarios[] = {
      // R2 = 1.405*3119/2.495 = 1756.4 -> 1756.
      {"3.9 is band 1", "tab 4\nset 4@335,15 3.9\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "1.756", "12.38", "6200", "3.3")},
      // R2 = 1.505*3119/2.495 = 1881.4 -> 1881.
      {"4 is band 2", "tab 4\nset 4@335,15 4\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "1.881", "12.38", "27000", "1.5")},
      // R2 = 6.405*3119/2.495 = 8006.9 -> 8007.
      {"8.9 is band 2", "tab 4\nset 4@335,15 8.9\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "8.007", "12.38", "27000", "1.5")},
      // R2 = 6.505*3119/2.495 = 8131.9 -> 8132.
      {"9 is band 3", "tab 4\nset 4@335,15 9\ncalc 4\n" READ_RESULTS,
       RESULTS("3.119", "8.132", "12.38", "33000", "0.082")},
      // 1e1 reads as 10 and is written back as "10" before its integer part is taken.
      {"an exponent in Vout", "tab 4\nset 4@335,15 1e1\ncalc 4\nget 4@325,155\nget 4@325,175\n",
       "4@325,155 \"33000\"\n4@325,175 \"0.082\"\n"},
      {"band follows each calculation", "tab 4\nset 4@335,15 3\ncalc 4\nget 4@325,155\nset 4@335,15 12\ncalc 4\n"
                                        "get 4@325,155\nset 4@335,15 6\ncalc 4\nget 4@325,155\n",
       "4@325,155 \"6200\"\n4@325,155 \"33000\"\n4@325,155 \"27000\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(TL431LM317Page, RatioIsAnIntegerField) {
  const TScenario scenarios[] = {
      {"$C8 is 200", "tab 4\nset 4@335,65 $C8\ncalc 4\n" READ_RESULTS, DEFAULTS},
      {"0x64 is 100", "tab 4\nset 4@335,65 0x64\ncalc 4\n" READ_RESULTS, RATIO_100},
      {"+100 is 100", "tab 4\nset 4@335,65 +100\ncalc 4\n" READ_RESULTS, RATIO_100},
      {"a point is taken back", "tab 4\ntype 4@335,65 .\nget 4@335,65\nset 4@335,65 1.5\nget 4@335,65\n",
       "4@335,65 \"200\"\n4@335,65 \"200\"\n"},
      {"a stray letter in Vout is taken back", "tab 4\ntype 4@335,15 v\nget 4@335,15\ncalc 4\n" READ_RESULTS,
       "4@335,15 \"5\"\n" DEFAULTS},
      {"ratio -5", "tab 4\nset 4@335,65 -5\ncalc 4\n", RATIO_WARNING},
      {"ratio 0", "tab 4\nset 4@335,65 0\ncalc 4\n", RATIO_WARNING},
  };
  CheckScenarios(scenarios);
}

TEST(TL431LM317Page, ChecksStopInTheirOrder) {
  const TScenario scenarios[] = {
      {"Vout 2.49", "tab 4\nset 4@335,15 2.49\ncalc 4\n" READ_RESULTS, RANGE_WARNING RESULTS("0", "0", "0", "0", "0")},
      {"Vout 36.01", "tab 4\nset 4@335,15 36.01\ncalc 4\n", RANGE_WARNING},
      {"empty Vout", "tab 4\nset 4@335,15 \ncalc 4\n", RANGE_WARNING},
      {"ratio 99", "tab 4\nset 4@335,65 99\ncalc 4\n", RATIO_WARNING},
      {"current 101", "tab 4\nset 4@335,40 101\ncalc 4\n", CURRENT_WARNING},
      {"current 100.01", "tab 4\nset 4@335,40 100.01\ncalc 4\n", CURRENT_WARNING},
      {"empty current", "tab 4\nset 4@335,40 \ncalc 4\n", CURRENT_WARNING},
      {"range before ratio", "tab 4\nset 4@335,15 40\nset 4@335,65 50\ncalc 4\n", RANGE_WARNING},
      {"ratio before current", "tab 4\nset 4@335,65 50\nset 4@335,40 200\ncalc 4\n", RATIO_WARNING},
  };
  CheckScenarios(scenarios);
}

TEST(TL431LM317Page, AStoppedCalculationKeepsTheResults) {
  // A first good calculation with ratio 100, then inputs that would change
  // every result if the calculation went on.
  const char* const first = "tab 4\nset 4@335,65 100\ncalc 4\n";
  const struct {
    const char* what;
    const char* change;
    const char* box;
  } stops[] = {
      {"range", "set 4@335,15 37\nset 4@335,40 50\nset 4@335,65 300\n", RANGE_WARNING},
      {"ratio", "set 4@335,15 12\nset 4@335,40 50\nset 4@335,65 99\n", RATIO_WARNING},
      {"current", "set 4@335,15 12\nset 4@335,40 101\nset 4@335,65 300\n", CURRENT_WARNING},
  };
  for (const auto& stop : stops) {
    const std::string script = std::string(first) + stop.change + "calc 4\n" READ_RESULTS;
    const TPageRun run = DrivePages(script);
    EXPECT_EQ(run.out, std::string(stop.box) + RATIO_100) << stop.what;
    EXPECT_EQ(run.status, 0) << stop.what;
  }
}

TEST(TL431LM317Page, FormulaErrors) {
  const TScenario scenarios[] = {
      // The empty ratio passes its gate; R3 divides by zero after all 24
      // characters of its formula; R2 reads R3's error marker as %2 and fails
      // after "(%1-2.495)*%2/" (14 characters). R3 and R2 keep their text; R1
      // (1.25/0.051) and the capacitor band (Vout 9) still follow.
      {"empty ratio", "tab 4\nset 4@335,65 100\ncalc 4\nset 4@335,65 \nset 4@335,15 9\nset 4@335,40 50\ncalc 4\n"
                      READ_RESULTS,
       CALC_ERROR("24") CALC_ERROR("14") RESULTS("6.237", "6.262", "24.51", "33000", "0.082")},
      // -1 mA passes the current gate and makes R1 divide by zero after all 18
      // characters of "1.25/((%1+1)/1000)".
      {"current -1", "tab 4\nset 4@335,40 -1\ncalc 4\n" READ_RESULTS,
       CALC_ERROR("18") RESULTS("3.119", "3.132", "0", "27000", "1.5")},
  };
  CheckScenarios(scenarios);
}

TEST(TL431LM317Page, Layout) {
  const TScenario scenarios[] = {
      {"initial texts", "tab 4\nget 4@335,15\nget 4@335,40\nget 4@335,65\nget 4@280,155\nget 4@380,155\nget 4@380,175\n",
       "4@335,15 \"5\"\n4@335,40 \"100\"\n4@335,65 \"200\"\n4@280,155 \"C1:\"\n4@380,155 \"<pF\"\n4@380,175 \">uF\"\n"},
      {"inputs", "tab 4\ninfo 4@335,15\ninfo 4@335,40\ninfo 4@335,65\n",
       "info 4@335,15 kind=edit rect=335,15,40,21 visible=1 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Output voltage\"\n"
       "info 4@335,40 kind=edit rect=335,40,40,21 visible=1 enabled=1 tab=4 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Maximum output current\"\n"
       "info 4@335,65 kind=edit rect=335,65,40,21 visible=1 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 hint=\"\"\n"},
      // Results keep their width whatever they show; captions size themselves
      // (bold 10: 9 x 16 per character).
      {"results and units", "tab 4\nset 4@335,15 36\ncalc 4\ninfo 4@325,115\ninfo 4@325,155\ninfo 4@325,175\n"
                            "info 4@380,175\ninfo 4@280,70\n",
       "info 4@325,115 kind=label rect=325,115,50,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 4@325,155 kind=label rect=325,155,45,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 4@325,175 kind=label rect=325,175,45,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 4@380,175 kind=label rect=380,175,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"
       "info 4@280,70 kind=label rect=280,70,90,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"},
      {"schematic and panel", "tab 4\ninfo 4@10,19\ninfo 4@275,195\n",
       "info 4@10,19 kind=image rect=10,19,250,200 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 4@275,195 kind=panel rect=275,195,130,33 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 "
       "hint=\"\"\n"},
  };
  CheckScenarios(scenarios);
}

}  // namespace
