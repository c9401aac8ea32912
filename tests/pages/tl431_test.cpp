#include <gtest/gtest.h>

#include "support/page_drive.h"

namespace {

// Inputs: Vin min 3@285,15, Vin max 3@342,15, Vout 3@335,40, Iout 3@335,65,
// ratio 3@335,90. Results: R3, R2, R1, P(R1).
#define READ_RESULTS "get 3@325,180\nget 3@325,160\nget 3@325,120\nget 3@325,140\n"
#define RESULTS(r3, r2, r1, p) \
  "3@325,180 \"" r3 "\"\n3@325,160 \"" r2 "\"\n3@325,120 \"" r1 "\"\n3@325,140 \"" p "\"\n"
#define DEFAULTS RESULTS("3.119", "3.132", "23.58", "0.42")
#define RANGE_WARNING "box \"Warning!\" \"Output Voltage must be between 2.5 and  36 V.\" 48\n"
#define HEADROOM_ERROR \
  "box \"Error!\" \"Output Voltage too high for selected minimum input voltage. \\r\\rCalculations stopped. \" 16\n"
#define RATIO_WARNING \
  "box \"Warning!\" \"Divider-Current to Reference-Current Ratio should be greater than 100.\" 48\n"
#define INPUT_RANGE_ERROR \
  "box \"Error!\" \"Maximum input voltage is lower than minimum input voltage. \\r\\rCalculations stopped. \" 16\n"
#define CURRENT_WARNING "box \"Warning!\" \"Output current must be < 100mA. \" 48\n"
// The formula element's box for a calculation error found after `pos` characters.
#define CALC_ERROR(pos)                                                                                       \
  "box \"Debug\" \"\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 "                                       \
  "\xD0\xB2\xD1\x8B\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x8F \xD0\xB2 "              \
  "\xD1\x8D\xD0\xBB\xD0\xB5\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB5 MathParser\\r\\n"                     \
  "\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xB0\xD1\x80\xD1\x83\xD0\xB6\xD0\xB5\xD0\xBD\xD0\xB0 \xD0\xB2 "              \
  "\xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 " pos "\" 0\n"

TEST(TL431Page, Calculates) {
  const TScenario scenarios[] = {
      {"nothing calculated yet", "tab 3\n" READ_RESULTS, RESULTS("0", "0", "0", "0")},
      // R3 = 2495000/800 = 3118.75 -> 3119; R2 = 2.505*3119/2.495 = 3131.5 -> 3132;
      // R1 = 2400/101.8 = 23.576; P = 4.1*0.1018 = 0.41738.
      {"defaults", "tab 3\ncalc 3\n" READ_RESULTS, DEFAULTS},
      // The literal 2.495 reads a little below 2.495, so R3 = 6237.4999... -> 6237,
      // not the tie 6237.5; R2 = 2.505*6237/2.495 = 6261.998 -> 6262; R1 = 2400/101.4.
      {"ratio exactly 100 passes", "tab 3\nset 3@335,90 100\ncalc 3\n" READ_RESULTS,
       RESULTS("6.237", "6.262", "23.67", "0.42")},
      // R3 = 623.75 -> 624; R2 = 2.505*624/2.495 = 626.501 -> 627; R1 = 2400/105;
      // P = 4.1*0.105.
      {"ratio 1000", "tab 3\nset 3@335,90 1000\ncalc 3\n" READ_RESULTS,
       RESULTS("0.624", "0.627", "22.86", "0.43")},
      // R2 = 0.005*3119/2.495 = 6.25 -> 6; R1 = (7.5-2.55)*1000/101.8; P = (9-2.45)*0.1018.
      {"Vout exactly 2.5 passes", "tab 3\nset 3@335,40 2.5\ncalc 3\n" READ_RESULTS,
       RESULTS("3.119", "0.006", "48.62", "0.67")},
      // R2 = 33.505*3119/2.495 = 41884.6 -> 41885; R1 = (40-36.72)*1000/101.8 = 32.2200;
      // P = (45-35.28)*0.1018 = 0.9895.
      {"Vout exactly 36 passes", "tab 3\nset 3@285,15 40\nset 3@342,15 45\nset 3@335,40 36\ncalc 3\n" READ_RESULTS,
       RESULTS("3.119", "41.885", "32.22", "0.99")},
      // Vout just below Vin min passes the headroom check, although R1 keeps a 2 %
      // margin on Vout and so goes negative: (7.5-7.6398)*1000/101.8 = -1.373.
      {"Vout just below Vin min passes", "tab 3\nset 3@335,40 7.49\ncalc 3\n" READ_RESULTS,
       RESULTS("3.119", "6.244", "-1.37", "0.17")},
      // P = (7.51-4.9)*0.1018 = 0.2657.
      {"Vin max just above Vin min passes", "tab 3\nset 3@342,15 7.51\ncalc 3\n" READ_RESULTS,
       RESULTS("3.119", "3.132", "23.58", "0.27")},
      // R1 = 2400/1.8 = 1333.33; P = 4.1*0.0018 = 0.00738.
      {"no output current", "tab 3\nset 3@335,65 0\ncalc 3\n" READ_RESULTS,
       RESULTS("3.119", "3.132", "1333.33", "0.01")},
      // R3 = 2495000/600 = 4158.3 -> 4158; R2 = 6.505*4158/2.495 = 10840.8 -> 10841;
      // R1 = (12-9.18)*1000/51.6 = 54.651; P = (15-8.82)*0.0516 = 0.3189.
      {"other inputs", "tab 3\nset 3@285,15 12\nset 3@342,15 15\nset 3@335,40 9\nset 3@335,65 50\n"
                       "set 3@335,90 150\ncalc 3\n" READ_RESULTS,
       RESULTS("4.158", "10.841", "54.65", "0.32")},
      {"a stray letter is taken back", "tab 3\ntype 3@335,40 x\ntype 3@335,90 a\nget 3@335,40\nget 3@335,90\ncalc 3\n"
                                       READ_RESULTS,
       "3@335,40 \"5\"\n3@335,90 \"200\"\n" DEFAULTS},
  };
  CheckScenarios(scenarios);
}

TEST(TL431Page, ChecksStopInTheirOrder) {
  const TScenario scenarios[] = {
      {"Vout 1", "tab 3\nset 3@335,40 1\ncalc 3\n" READ_RESULTS, RANGE_WARNING RESULTS("0", "0", "0", "0")},
      {"Vout 2.49", "tab 3\nset 3@335,40 2.49\ncalc 3\n", RANGE_WARNING},
      {"Vout 36.01", "tab 3\nset 3@285,15 40\nset 3@342,15 45\nset 3@335,40 36.01\ncalc 3\n", RANGE_WARNING},
      {"empty Vout", "tab 3\nset 3@335,40 \ncalc 3\n", RANGE_WARNING},
      {"Vout equal to Vin min", "tab 3\nset 3@335,40 7.5\ncalc 3\n", HEADROOM_ERROR},
      {"Vout above Vin min", "tab 3\nset 3@335,40 8\ncalc 3\n", HEADROOM_ERROR},
      {"empty Vin min reads as 0", "tab 3\nset 3@285,15 \ncalc 3\n", HEADROOM_ERROR},
      {"ratio 99", "tab 3\nset 3@335,90 99\ncalc 3\n", RATIO_WARNING},
      {"ratio 99.99", "tab 3\nset 3@335,90 99.99\ncalc 3\n", RATIO_WARNING},
      {"Vin max equal to Vin min", "tab 3\nset 3@342,15 7.5\ncalc 3\n", INPUT_RANGE_ERROR},
      {"Vin max below Vin min", "tab 3\nset 3@342,15 6\ncalc 3\n", INPUT_RANGE_ERROR},
      {"empty Vin max", "tab 3\nset 3@342,15 \ncalc 3\n", INPUT_RANGE_ERROR},
      {"Iout 101", "tab 3\nset 3@335,65 101\ncalc 3\n", CURRENT_WARNING},
      {"Iout 100.01", "tab 3\nset 3@335,65 100.01\ncalc 3\n", CURRENT_WARNING},
      {"empty Iout", "tab 3\nset 3@335,65 \ncalc 3\n", CURRENT_WARNING},
      // Every input wrong at once: only the first check speaks.
      {"range before headroom", "tab 3\nset 3@335,40 40\ncalc 3\n", RANGE_WARNING},
      {"headroom before ratio", "tab 3\nset 3@335,40 7.5\nset 3@335,90 50\ncalc 3\n", HEADROOM_ERROR},
      {"ratio before input range", "tab 3\nset 3@335,90 50\nset 3@342,15 5\ncalc 3\n", RATIO_WARNING},
      {"input range before current", "tab 3\nset 3@342,15 5\nset 3@335,65 200\ncalc 3\n", INPUT_RANGE_ERROR},
  };
  CheckScenarios(scenarios);
}

TEST(TL431Page, AStoppedCalculationKeepsTheResults) {
  // A first good calculation with ratio 100 (R3 6.237, R2 6.262), then inputs
  // that would change every result if the calculation went on.
  const char* const first = "tab 3\nset 3@335,90 100\ncalc 3\n";
  const std::string kept = RESULTS("6.237", "6.262", "23.67", "0.42");
  const struct {
    const char* what;
    const char* change;
    const char* box;
  } stops[] = {
      {"range", "set 3@335,40 1\n", RANGE_WARNING},
      {"headroom", "set 3@285,15 4\n", HEADROOM_ERROR},
      {"ratio", "set 3@335,90 99\n", RATIO_WARNING},
      {"input range", "set 3@342,15 7\n", INPUT_RANGE_ERROR},
      {"current", "set 3@335,65 101\n", CURRENT_WARNING},
  };
  for (const auto& stop : stops) {
    const std::string script = std::string(first) + stop.change + "calc 3\n" READ_RESULTS;
    const TPageRun run = DrivePages(script);
    EXPECT_EQ(run.out, std::string(stop.box) + kept) << stop.what;
    EXPECT_EQ(run.status, 0) << stop.what;
  }
}

TEST(TL431Page, EmptyRatioFailsInTheFormulas) {
  const TScenario scenarios[] = {
      // The empty ratio passes its check; R3 divides by zero (found after all 24
      // characters of its formula); R2 reads R3's error marker as %2 and fails
      // with the same code after "(%1-2.495)*%2/" (14 characters). R1 and P(R1)
      // take the ratio as 0: 2400/101 and 4.1*0.101. R3 and R2 keep their text.
      {"after a good calculation",
       "tab 3\nset 3@335,90 100\ncalc 3\n" READ_RESULTS "set 3@335,90 \ncalc 3\n" READ_RESULTS,
       RESULTS("6.237", "6.262", "23.67", "0.42") CALC_ERROR("24") CALC_ERROR("14")
           RESULTS("6.237", "6.262", "23.76", "0.41")},
      {"a good calculation afterwards clears the error",
       "tab 3\nset 3@335,90 \ncalc 3\nset 3@335,90 200\ncalc 3\n" READ_RESULTS,
       CALC_ERROR("24") CALC_ERROR("14") DEFAULTS},
  };
  CheckScenarios(scenarios);
}

TEST(TL431Page, Layout) {
  const TScenario scenarios[] = {
      {"initial texts", "tab 3\nget 3@285,15\nget 3@342,15\nget 3@335,40\nget 3@335,65\nget 3@335,90\n"
                        "get 3@318,20\nget 3@263,22\nget 3@373,22\nget 3@280,95\n",
       "3@285,15 \"7.5\"\n3@342,15 \"9\"\n3@335,40 \"5\"\n3@335,65 \"100\"\n3@335,90 \"200\"\n"
       "3@318,20 \"Vin\"\n3@263,22 \"min\"\n3@373,22 \"max\"\n3@280,95 \"Idiv/Iref:\"\n"},
      // The Vin row in the Cyrillic character set; captions size themselves to
      // their text (bold 10: 9 x 16 per character, bold 8: 8 x 14).
      {"Vin row", "tab 3\ninfo 3@318,20\ninfo 3@263,22\ninfo 3@285,15\ninfo 3@373,22\ninfo 3@342,15\ninfo 3@400,20\n",
       "info 3@318,20 kind=label rect=318,20,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,204 hint=\"\"\n"
       "info 3@263,22 kind=label rect=263,22,24,14 visible=1 enabled=1 tab=0 font=\"Arial\",8,1,0x00808080,204 hint=\"\"\n"
       "info 3@285,15 kind=edit rect=285,15,30,21 visible=1 enabled=1 tab=0 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Minimum input voltage\"\n"
       "info 3@373,22 kind=label rect=373,22,24,14 visible=1 enabled=1 tab=0 font=\"Arial\",8,1,0x00808080,204 hint=\"\"\n"
       "info 3@342,15 kind=edit rect=342,15,30,21 visible=1 enabled=1 tab=0 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Maximum input voltage\"\n"
       "info 3@400,20 kind=label rect=400,20,9,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,204 hint=\"\"\n"},
      {"inputs", "tab 3\ninfo 3@335,40\ninfo 3@335,65\ninfo 3@335,90\n",
       "info 3@335,40 kind=edit rect=335,40,40,21 visible=1 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Output voltage\"\n"
       "info 3@335,65 kind=edit rect=335,65,40,21 visible=1 enabled=1 tab=4 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Maximum output current\"\n"
       "info 3@335,90 kind=edit rect=335,90,40,21 visible=1 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 hint=\"\"\n"},
      {"results keep their width", "tab 3\ncalc 3\ninfo 3@325,120\ninfo 3@325,140\ninfo 3@325,160\ninfo 3@325,180\n",
       "info 3@325,120 kind=label rect=325,120,45,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 3@325,140 kind=label rect=325,140,31,20 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 3@325,160 kind=label rect=325,160,50,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"
       "info 3@325,180 kind=label rect=325,180,45,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,1 hint=\"\"\n"},
      {"captions, units, schematic and panel",
       "tab 3\ninfo 3@280,95\ninfo 3@380,70\ninfo 3@380,160\ninfo 3@10,19\ninfo 3@275,195\n",
       "info 3@280,95 kind=label rect=280,95,90,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"
       "info 3@380,70 kind=label rect=380,70,18,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"
       "info 3@380,160 kind=label rect=380,160,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,1 hint=\"\"\n"
       "info 3@10,19 kind=image rect=10,19,250,200 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 3@275,195 kind=panel rect=275,195,130,33 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 "
       "hint=\"\"\n"},
      {"hidden until its tab is picked", "info 3@335,40\n",
       "info 3@335,40 kind=edit rect=335,40,40,21 visible=0 enabled=1 tab=2 font=\"Arial\",9,1,0x00000000,1 "
       "hint=\"Output voltage\"\n"},
  };
  CheckScenarios(scenarios);
}

}  // namespace
