#include "pages/parts/heat.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pages/parts/parts_support.h"

namespace {

constexpr double kNone = NAN;

// An LM317 at 5 V from 240 / 720 Om: 1.253 * 4 + 47.5 uA * 720 Om =
// 5.0462 V; the divider draws 1.253 / 240 = 5.2208 mA.
TEST(Heat, AnLM317FromTwelveVoltsAtOneAmpereNeedsAHeatSink) {
  const TCircuit c = BoundCircuit(TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n");
  const THeat h = AnalyseHeat(c, {240, 720, {}}, {12, 1, 25});
  ASSERT_TRUE(h.Usable) << h.Message;
  // (12 - 5.0462) V * (1 + 0.0052208) A = 6.99010 W; 25 C + 50 C/W * P.
  EXPECT_NEAR(h.Power, 6.990105, 1e-6);
  EXPECT_NEAR(h.Tj, 374.50523, 1e-5);
  EXPECT_TRUE(h.NeedsSink);
  EXPECT_TRUE(h.SinkPossible);
  // (125 - 25) / P - 5 (case) - 0.5 (grease).
  EXPECT_NEAR(h.SinkTheta, 8.805937, 1e-6);
  EXPECT_EQ(h.Shortfall, 0);
  ASSERT_EQ(h.Resistors.size(), 2u);
  EXPECT_NEAR(h.Resistors[0].Watts, 0.0065417, 1e-7);  // (5.2208 mA)^2 * 240 Om
  EXPECT_NEAR(h.Resistors[1].Watts, 0.0199838, 1e-7);  // (5.2208 + 0.0475 mA)^2 * 720 Om
}

TEST(Heat, DropoutTemperatureAndMissingInputsInPlainWords) {
  const TCircuit lm = BoundCircuit(TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n");
  const struct {
    THeatInputs in;
    bool usable;
    double shortfall;
    const char* message;
  } cases[] = {
      // 7 V leaves 1.95 V of the 3 V the LM317 needs.
      {{7, 0.1, 25}, true, 1.0462, "The input voltage is 1.05 V short of what the regulator needs."},
      {{9, 0.1, 25}, true, 0, ""},
      {{kNone, 0.1, 25}, false, 0, "Give the input voltage (a number above 0)."},
      {{-3, 0.1, 25}, false, 0, "Give the input voltage (a number above 0)."},
      {{12, -1, 25}, false, 0, "Give the load current (a number of amperes, 0 or more)."},
      {{12, 0.1, 125}, false, 0,
       "The ambient temperature is not below the device's maximum junction temperature (125 C)."},
  };
  for (const auto& k : cases) {
    const THeat h = AnalyseHeat(lm, {240, 720, {}}, k.in);
    EXPECT_EQ(h.Usable, k.usable) << k.message;
    EXPECT_EQ(h.Message, k.message);
    EXPECT_NEAR(h.Shortfall, k.shortfall, 1e-9) << k.message;
  }
}

TEST(Heat, ASmallLoadNeedsNoHeatSink) {
  // A 7805 at 12 V and 20 mA: 7 V * 20 mA + 12 V * 3.3 mA = 0.1796 W;
  // 25 + 50 * 0.1796 = 33.98 C.
  const TCircuit c = BoundCircuit(TPage::Voltage78xx, "Type = 7805\nVout = 5 V\nR1 = 240 Om\n");
  const THeat h = AnalyseHeat(c, {240, 0, {}}, {12, 0.02, 25});
  ASSERT_TRUE(h.Usable) << h.Message;
  EXPECT_NEAR(h.Output, 5, 1e-12);
  EXPECT_NEAR(h.Power, (12 - 5) * (0.02 + 5.0 / 240) + 12 * 0.0033, 1e-12);
  EXPECT_FALSE(h.NeedsSink);
}

TEST(Heat, ACurrentSourceGivesTheLargestLoadThatKeepsRegulation) {
  // LM317 at 0.5 A through 2.5 Om (1.25 V) from 15 V: the load may drop
  // 15 - 3 (dropout) - 1.25 = 10.75 V, 21.5 Om at 0.5 A.
  const TCircuit c = BoundCircuit(TPage::LM317Current, "I\xED = 0.5 A\n");
  const THeat h = AnalyseHeat(c, {kNone, kNone, {2.5}}, {15, kNone, 25});
  ASSERT_TRUE(h.Usable) << h.Message;
  EXPECT_NEAR(h.MaxLoadOhms, 21.5, 1e-9);
  EXPECT_NEAR(h.Power, 15 * 0.5 - 1.25 * 1.25 / 2.5, 1e-12);
  ASSERT_EQ(h.Resistors.size(), 1u);
  EXPECT_NEAR(h.Resistors[0].Watts, 0.625, 1e-12);
}

TEST(Heat, RatingsFollowThePagesSteps) {
  const struct {
    TRatingRule rule;
    double watts;
    const char* rating;
  } cases[] = {
      {{2, false}, 0.1, "0.125"}, {{2, false}, 0.3, "0.25"}, {{2, false}, 1.5, "1"},
      {{2, false}, 100, "3"},     {{2, true}, 100, "50"},    {{2, true}, 41, "40"},
  };
  for (const auto& k : cases) {
    double w;
    EXPECT_EQ(RatingFor(k.rule, k.watts, w), k.rating) << k.watts;
  }
}

// The equations against the application examples of the devices' public
// datasheets, at the datasheets' typical figures.
TEST(PartsModel, EquationsGiveTheDatasheetExamples) {
  const std::vector<double> none;
  struct {
    TPage page;
    const char* design;
    std::vector<std::pair<const char*, double>> params;
    double rref, rset;
    double expected;
    const char* source;
  } const cases[] = {
      // Vout = 1.25 V (1 + R2/R1) + Iadj R2, Iadj 50 uA.
      {TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n", {{"Vref", 1.25}, {"Iadj", 50e-6}}, 240, 720, 5.036,
       "LM317 datasheet, adjustable regulator"},
      // Vka = Vref (1 + R1/R2) + Iref R1 with Vref 2.495 V, Iref 2 uA.
      {TPage::TL431, "Vin min = 12 V\nVin max = 15 V\nVout = 5 V\nIout = 50 mA\nIdiv/Iref = 200\n",
       {{"Vref", 2.495}, {"Iref", 2e-6}}, 10000, 10000, 5.01, "TL431 datasheet, shunt regulator"},
      // Vout = Vxx (1 + R2/R1) + Iq R2 for a 7805 with Iq 4.3 mA.
      {TPage::Voltage78xx, "Type = 7805\nVout = 9 V\nR1 = 300 Om\n", {{"Vreg", 5}, {"Iq", 4.3e-3}}, 300, 200,
       9.193333333333333, "L78 datasheet, circuit for increasing output voltage"},
  };
  for (const auto& k : cases) {
    TCircuit c = BoundCircuit(k.page, k.design);
    for (const auto& p : k.params) c.Params[c.ParamIndex(p.first)].Typ = p.second;
    const std::vector<double> t = c.Typicals();
    EXPECT_NEAR(DividerOutput(c.Divider, t.data(), k.rref, k.rset), k.expected, 1e-9) << k.source;
  }
  // Iout = Vref / R1 + Iadj: 1.25 V / 12.5 Om + 50 uA.
  TCircuit lm = BoundCircuit(TPage::LM317Current, "I\xED = 0.1 A\n");
  lm.Params[lm.ParamIndex("Vref")].Typ = 1.25;
  lm.Params[lm.ParamIndex("Iadj")].Typ = 50e-6;
  const std::vector<double> t = lm.Typicals();
  EXPECT_NEAR(SingleOutput(lm.Singles.front(), t.data(), 12.5), 0.10005, 1e-12);
}

}  // namespace
