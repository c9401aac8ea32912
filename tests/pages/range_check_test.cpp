#include "pages/range_check.h"

#include <gtest/gtest.h>

#include "support/probe.h"
#include "support/recording_system.h"

namespace {

struct TChecker {
  explicit TChecker(const TRangeCheckSetup& setup) {
    host.SetFactory([setup](TControl* p) { return MakeRangeCheck(p, setup); });
    host.SetEventCount(1);
    host.SetDataCount(2);
    host.Datas[0] = voltage.Out();
    host.Datas[1] = minVoltage.Out();
    host.Events[0] = valid.In();
  }
  // Checks `value` as what the voltage field yields (none: no value).
  void Check(const TData& value) {
    voltage.value = value;
    TData d;
    host.doMethod(d, 0);
  }
  std::string Value() {
    TData d;
    host.Var(d, 0);
    return Show(d);
  }

  THIMultiElement host;
  TSource voltage, minVoltage;
  TProbe valid;
};

const TRangeCheckSetup kTL431 = {TRangeShape::TwoBounds, TextValue("2.5"), IntegerValue(36),
                                 "Output Voltage must be between 2.5 and  36 V."};

class RangeCheck : public DispatchOn {
 protected:
  TRecordingSystem system;
};

TEST_F(RangeCheck, BoundsPassAndOutsideWarns) {
  const struct {
    const char* text;
    bool passes;
  } cases[] = {{"2.5", true}, {"36", true}, {"5", true}, {"2.49", false}, {"36.01", false}, {"-1", false}};
  for (const auto& c : cases) {
    TChecker checker(kTL431);
    const size_t boxes = system.boxes().size();
    checker.Check(TextValue(c.text));
    EXPECT_EQ(checker.valid.got.size(), c.passes ? 1u : 0u) << c.text;
    EXPECT_EQ(system.boxes().size(), boxes + (c.passes ? 0 : 1)) << c.text;
    if (c.passes) {
      EXPECT_EQ(checker.valid.got[0], "none");
    }
  }
  const auto box = system.boxes().back();
  EXPECT_EQ(box.text, "Output Voltage must be between 2.5 and  36 V.");
  EXPECT_EQ(box.caption, "Warning!");
  EXPECT_EQ(box.style, 48u);
  EXPECT_TRUE(box.owned);
}

TEST_F(RangeCheck, ValueKeepsTheLastAcceptedVoltage) {
  TChecker checker(kTL431);
  EXPECT_EQ(checker.Value(), "none");
  checker.Check(TextValue("12.5"));
  EXPECT_EQ(checker.Value(), "real 12.5");
  checker.Check(TextValue("40"));
  EXPECT_EQ(checker.Value(), "real 12.5");
}

TEST_F(RangeCheck, NoValueReadsAsZeroAndWarns) {
  TChecker checker(kTL431);
  checker.Check(TData());
  EXPECT_TRUE(checker.valid.got.empty());
  EXPECT_EQ(system.boxes().size(), 1u);
}

TEST_F(RangeCheck, OneBoundHasNoCeiling) {
  TChecker checker({TRangeShape::LowOnly, TextValue("1.5"), TData(), "Output Voltage can not be less than 1.5 V."});
  checker.Check(TextValue("1000"));
  checker.Check(TextValue("1.5"));
  checker.Check(TextValue("1.49"));
  EXPECT_EQ(checker.valid.got.size(), 2u);
  ASSERT_EQ(system.boxes().size(), 1u);
  EXPECT_EQ(system.boxes()[0].text, "Output Voltage can not be less than 1.5 V.");
}

TEST_F(RangeCheck, DeviceShapeBuildsItsMessageButTestsFive) {
  TChecker checker({TRangeShape::Device, TextValue("5"), IntegerValue(33),
                    "Output Voltage must be between %1 and  33 V for this type of device."});
  checker.minVoltage.value = Str("12");
  checker.Check(TextValue("4.9"));
  checker.Check(TextValue("6"));
  checker.Check(TextValue("33.5"));
  EXPECT_EQ(checker.valid.got.size(), 1u);
  ASSERT_EQ(system.boxes().size(), 2u);
  EXPECT_EQ(system.boxes()[0].text, "Output Voltage must be between 12 and  33 V for this type of device.");
  EXPECT_EQ(system.boxes()[1].text, system.boxes()[0].text);
}

}  // namespace
