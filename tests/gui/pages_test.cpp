// The regulator pages in the real window: the default calculation of each
// page and a warning of each kind, as rows of steps.
#include <gtest/gtest.h>

#include "gui/harness.h"
#include "gui/scenario.h"
#include "pages/main_form.h"

namespace {

constexpr uint32_t kWarning = MbOk | MbIconWarning;
constexpr uint32_t kError = MbOk | MbIconError;

// LM317 Voltage (tab 0).
const TAddress kLvVout{0, 315, 15}, kLvR2{0, 310, 75}, kLvRload{0, 310, 100}, kLvIload{0, 310, 125};
// LM317 Current (tab 1).
const TAddress kLcIout{1, 315, 15}, kLcR{1, 330, 55}, kLcP{1, 330, 75}, kLcRating{1, 345, 100};
// L200 (tab 2).
const TAddress kL2Vout{2, 315, 15}, kL2Iout{2, 315, 40}, kL2R1{2, 315, 65}, kL2R2{2, 325, 95}, kL2R3{2, 325, 115},
    kL2P{2, 325, 135}, kL2Rating{2, 345, 160};
// TL431 (tab 3).
const TAddress kShVinMin{3, 285, 15}, kShVout{3, 335, 40}, kShIout{3, 335, 65}, kShRatio{3, 335, 90},
    kShR1{3, 325, 120}, kShP{3, 325, 140}, kShR2{3, 325, 160}, kShR3{3, 325, 180};
// TL431+LM317 (tab 4).
const TAddress kTlVout{4, 335, 15}, kTlIout{4, 335, 40}, kTlRatio{4, 335, 65}, kTlR1{4, 325, 95}, kTlR2{4, 325, 115},
    kTlR3{4, 325, 135}, kTlC1Low{4, 325, 155}, kTlC1High{4, 325, 175};
// M5237 (tab 5).
const TAddress kMVout{5, 315, 15}, kMR1{5, 315, 40}, kMR2{5, 325, 80};
// 78xx Voltage (tab 6).
const TAddress kXvType{6, 315, 15}, kXvVout{6, 315, 40}, kXvR2{6, 310, 105};
// 78xx Current (tab 7).
const TAddress kXcType{7, 315, 15}, kXcLoad{7, 315, 40}, kXcR1{7, 330, 80}, kXcP{7, 330, 100}, kXcRating{7, 345, 125};
// uA723 (tab 8).
const TAddress kUIout{8, 315, 40}, kUR1{8, 315, 65}, kUR2{8, 325, 95}, kUR3{8, 325, 115}, kUP{8, 325, 135},
    kURating{8, 345, 160};

const TScenario kPages[] = {
    {"Lm317VoltageDefault", {Tab(0), Calc(0), Expect(kLvR2, "0.712"), Expect(kLvRload, "1.053"),
                             Expect(kLvIload, "4.748")}},
    {"Lm317VoltageAccurate", {Tab(0), Tick(0), Calc(0), Wait(), Expect(kLvR2, "0.713"), Expect(kLvRload, "1.052"),
                              Expect(kLvIload, "4.753")}},
    {"Lm317VoltageTooLow", {Tab(0), Set(kLvVout, "1.49"), Calc(0),
                            ExpectBox("Warning!", "Output Voltage can not be less than 1.5 V.", kWarning),
                            Expect(kLvR2, "0")}},

    {"Lm317CurrentDefault", {Tab(1), Calc(1), Expect(kLcR, "0.83"), Expect(kLcP, "1.88"), Expect(kLcRating, "3")}},
    {"Lm317CurrentOutOfRange",
     {Tab(1), Set(kLcIout, "3.2"), Calc(1),
      ExpectBox("Warning!", "R3 - Out of range \n0.8<R3<125 for LM317 \n0.4<R3<125 for LM150,LM350", kWarning),
      Expect(kLcR, "0.39")}},

    {"L200Default", {Tab(2), Pick(kL2R1, 2), Calc(2), Expect(kL2R2, "0.805"), Expect(kL2R3, "0.225"),
                     Expect(kL2P, "0.9"), Expect(kL2Rating, "2")}},
    {"L200TypedR1", {Tab(2), Set(kL2R1, "1200"), Calc(2), Expect(kL2R2, "0.966")}},
    {"L200NoR1", {Tab(2), Calc(2), ExpectBox("Warning!", "Choose value of the resistor R1.", kWarning),
                  Expect(kL2R2, "0"), Expect(kL2R3, "0")}},
    {"L200VoltageOutOfRange", {Tab(2), Set(kL2Vout, "40"), Calc(2),
                               ExpectBox("Warning!", "Output Voltage must be between 2.77 and  37 V.", kWarning),
                               Expect(kL2R2, "0")}},
    {"L200CurrentTooHigh", {Tab(2), Pick(kL2R1, 2), Set(kL2Iout, "3"), Calc(2),
                            ExpectBox("Warning!", "Output current must be < 2A. ", kWarning), Expect(kL2R2, "0.805"),
                            Expect(kL2R3, "0")}},

    {"Tl431Lm317Default", {Tab(4), Calc(4), Expect(kTlR3, "3.119"), Expect(kTlR2, "3.132"), Expect(kTlR1, "12.38"),
                           Expect(kTlC1Low, "27000"), Expect(kTlC1High, "1.5")}},
    {"Tl431Lm317VoltageOutOfRange",
     {Tab(4), Set(kTlVout, "40"), Calc(4),
      ExpectBox("Warning!", "Output Voltage must be between 2.5 and  36 V.", kWarning)}},
    {"Tl431Lm317RatioTooLow",
     {Tab(4), Set(kTlRatio, "50"), Calc(4),
      ExpectBox("Warning!", "Divider-Current to Reference-Current Ratio should be greater than 100.", kWarning)}},
    {"Tl431Lm317CurrentTooHigh", {Tab(4), Set(kTlIout, "150"), Calc(4),
                                  ExpectBox("Warning!", "Output current must be < 100mA. ", kWarning),
                                  Expect(kTlR1, "0")}},

    {"Tl431Default", {Tab(3), Calc(3), Expect(kShR3, "3.119"), Expect(kShR2, "3.132"), Expect(kShR1, "23.58"),
                      Expect(kShP, "0.42")}},
    {"Tl431VoltageOutOfRange", {Tab(3), Set(kShVout, "1"), Calc(3),
                                ExpectBox("Warning!", "Output Voltage must be between 2.5 and  36 V.", kWarning),
                                Expect(kShR3, "0")}},
    {"Tl431Headroom", {Tab(3), Set(kShVout, "7.5"), Calc(3),
                       ExpectBox("Error!",
                                 "Output Voltage too high for selected minimum input voltage. \n\nCalculations stopped. ",
                                 kError)}},
    {"Tl431RatioTooLow", {Tab(3), Set(kShRatio, "99"), Calc(3),
                          ExpectBox("Warning!", "Divider-Current to Reference-Current Ratio should be greater than 100.",
                                    kWarning)}},
    {"Tl431CurrentTooHigh", {Tab(3), Set(kShIout, "101"), Calc(3),
                             ExpectBox("Warning!", "Output current must be < 100mA. ", kWarning)}},
    {"Tl431TypingRestoresInvalidText", {Tab(3), Type(kShVinMin, "x"), Expect(kShVinMin, "7.5")}},

    {"M5237Default", {Tab(5), Calc(5), Expect(kMR2, "12.763")}},
    {"M5237TypedR1", {Tab(5), Set(kMR1, "1234"), Calc(5), Expect(kMR2, "3.663")}},
    {"M5237R1NotANumber", {Tab(5), Set(kMR1, "12k"), Calc(5),
                           ExpectBox("Warning!", "Choose value of the resistor R1.", kWarning), Expect(kMR2, "0")}},
    {"M5237VoltageOutOfRange", {Tab(5), Set(kMVout, "40"), Calc(5),
                                ExpectBox("Warning!", "Output Voltage must be between 1.5 and  33 V.", kWarning),
                                Expect(kMR2, "0")}},

    {"Xx78VoltageDefault", {Tab(6), Calc(6), Expect(kXvR2, "414.36")}},
    {"Xx78VoltageTypedType", {Tab(6), Set(kXvType, "78l12"), Expect(kXvType, "78L12"), Calc(6), Expect(kXvR2, "56.29")}},
    {"Xx78VoltageOutOfRange",
     {Tab(6), Set(kXvVout, "4"), Calc(6),
      ExpectBox("Warning!", "Output Voltage must be between 5 and  33 V for this type of device.", kWarning)}},
    {"Xx78VoltageDevice",
     {Tab(6), Pick(kXvType, 6), Set(kXvVout, "12"), Calc(6),
      ExpectBox("Warning!", "Output voltage must be greater then 12V for this type of device.", kWarning)}},

    {"Xx78CurrentDefault", {Tab(7), Calc(7), Expect(kXcR1, "3.34"), Expect(kXcP, "7.48"), Expect(kXcRating, "10")}},
    {"Xx78CurrentTypedType", {Tab(7), Expect(kXcType, "7805"), Set(kXcType, "7812"), Set(kXcLoad, "0.5"), Calc(7),
                              Expect(kXcR1, "24.16")}},
    {"Xx78CurrentUnknownType", {Tab(7), Set(kXcType, "7899"), Calc(7),
                                ExpectBox("Warning!", "Choose the regulator type from the list.", kWarning),
                                Expect(kXcR1, "0")}},
    {"Xx78CurrentTooHigh",
     {Tab(7), Set(kXcLoad, "2"), Calc(7),
      ExpectBox("Warning!", "Output current must be between 0.005 and 1.5 A for this type of device. ", kWarning),
      Expect(kXcR1, "0")}},

    {"Ua723Default", {Tab(8), Pick(kUR1, 21), Calc(8), Expect(kUR2, "4"), Expect(kUR3, "4.67"), Expect(kUP, "0.11"),
                      Expect(kURating, "0.25")}},
    {"Ua723NoR1", {Tab(8), Calc(8), ExpectBox("Warning!", "Choose value of the resistor R1.", kWarning),
                   Expect(kUR2, "0")}},
    {"Ua723CurrentTooHigh", {Tab(8), Pick(kUR1, 21), Set(kUIout, "151"), Calc(8),
                             ExpectBox("Warning!", "Output current must be < 150mA. ", kWarning), Expect(kUR2, "4"),
                             Expect(kUR3, "0")}},

    {"TabsShowOnePage", {Tab(3), ExpectPages({3}), Tab(9), ExpectPages({9}), Tab(0), ExpectPages({0})}},
};

class PageScenario : public ::testing::TestWithParam<TScenario> {};

TEST_P(PageScenario, Runs) {
  bool ran = true;
  TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) { ran = RunSteps(s, GetParam().Steps); });
  EXPECT_TRUE(ran) << "a step addresses a page without controls";
}

INSTANTIATE_TEST_SUITE_P(Pages, PageScenario, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); });

// The search runs on a worker; the window closing mid-search must end the
// program (a hang fails the test by its time limit).
TEST(Pages, ClosingDuringTheAccurateSearchEndsTheProgram) {
  bool built = true;
  const int status = TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    built = s.FirstOfKind(0, TControlKind::CheckBox) != nullptr;
    if (!built) return;
    s.Tick(0);
    s.Replace(kLvVout, "30");
    s.Calculate(0);
    s.CloseWindow();
  });
  EXPECT_TRUE(built) << "the LM317 Voltage page has no check box";
  EXPECT_EQ(status, 0);
}

}  // namespace
