#include "elements/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/probe.h"
#include "support/recording_system.h"

namespace {

// An arithmetic element with both operands wired to sources, so the table
// states the operands exactly (zero included) without the default rules.
struct MathRig {
  THIMath math;
  TSource a, b;
  TProbe results, errors;
  MathRig(uint8_t op, double x, double y, uint8_t resultType) {
    math.OpType = op;
    math.ResultType = resultType;
    a.value = Real(x);
    b.value = Real(y);
    math.Op1 = a.Out();
    math.Op2 = b.Out();
    math.onResult = results.In();
    math.onError = errors.In();
  }
  void Run() {
    TData d;
    math.doOperation(d);
  }
};

class Math : public DispatchOn {};

struct MathCase {
  const char* name;
  uint8_t op;
  double a, b;
  uint8_t resultType;
  const char* expected;  // Show of onResult, or "error"
};

TEST_F(Math, OperationsAndPowerRules) {
  const MathCase cases[] = {
      {"multiply", MathMultiply, 2.5, 4, 1, "real 10"},
      {"divide", MathDivide, 1, 8, 1, "real 0.125"},
      {"negative power, integer result", MathPower, 10, -2, 0, "int 0"},
      {"negative power, real result", MathPower, 10, -2, 1, "real 0.01"},
      {"fractional power", MathPower, 10, 2.5, 1, "real 316.227766016838"},
      {"cube root of a negative base", MathPower, -8, 1.0 / 3, 1, "error"},
      {"odd power of a negative base", MathPower, -2, 3, 1, "real -8"},
      {"negative power of a negative base", MathPower, -2, -3, 1, "real -0.125"},
      {"zero to the zero", MathPower, 0, 0, 1, "real 1"},
      {"anything to the zero", MathPower, -5.5, 0, 1, "real 1"},
      {"zero to a negative power", MathPower, 0, -1, 1, "error"},
      {"zero to a positive power", MathPower, 0, 2.5, 1, "real 0"},
      {"whole power by squaring", MathPower, 2, 10, 0, "int 1024"},
      {"power of ten used for rounding", MathPower, 10, 3, 0, "int 1000"},
      {"whole power beyond 32 bits, positive base", MathPower, 1, 3e9, 1, "real 1"},
      {"whole power beyond 32 bits, negative base", MathPower, -2, 3e9, 1, "error"},
      {"round half to even down", MathRoundToStep, 2.5, 1, 1, "real 2"},
      {"round half to even up", MathRoundToStep, 3.5, 1, 1, "real 4"},
      {"round to a tenth", MathRoundToStep, 0.37, 0.1, 1, "real 0.4"},
      {"round to a step of five", MathRoundToStep, 12.4, 5, 0, "int 10"},
      {"round beyond 64 bits keeps the whole number", MathRoundToStep, 1e20, 1, 1, "real 100000000000000000000"},
      {"integer result rounds half to even", MathMultiply, 2.5, 1, 0, "int 2"},
      {"integer result rounds half to even, negative", MathMultiply, -3.5, 1, 0, "int -4"},
      {"integer result keeps the low 32 bits", MathMultiply, 4294967301.0, 1, 0, "int 5"},
  };
  for (const MathCase& c : cases) {
    SCOPED_TRACE(c.name);
    MathRig rig(c.op, c.a, c.b, c.resultType);
    rig.Run();
    if (std::string(c.expected) == "error") {
      EXPECT_TRUE(rig.results.got.empty());
      EXPECT_EQ(rig.errors.got, std::vector<std::string>{"none"});
      EXPECT_TRUE(rig.math.Error);
    } else {
      EXPECT_EQ(rig.results.got, std::vector<std::string>{c.expected});
      EXPECT_TRUE(rig.errors.got.empty());
      TData r;
      rig.math.Result(r);
      EXPECT_EQ(Show(r), c.expected);
    }
  }
}

// Powers are taken in extended precision: squaring or taking logarithms in
// doubles would miss the last digit of each of these.
TEST_F(Math, PowerKeepsExtendedPrecision) {
  const double cases[][2] = {{1.1, 37}, {0.999, 4567}, {1.01, 789}, {3.7, -123}, {10, 2.5}, {1.5, -7.25}, {123.456, 3.3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c[0] << "^" << c[1]);
    MathRig rig(MathPower, c[0], c[1], 1);
    rig.Run();
    ASSERT_EQ(rig.results.got.size(), 1u);
    const double exact = static_cast<double>(std::pow(static_cast<long double>(c[0]), static_cast<long double>(c[1])));
    EXPECT_EQ(rig.math.ResultValue, exact);
  }
}

TEST_F(Math, OperandsTakeTheIncomingValueInOrder) {
  struct Case {
    const char* name;
    uint8_t op;
    double op1, op2;
    TData incoming;
    const char* expected;
  };
  const Case cases[] = {
      // Both defaults 0.0: a takes the incoming value, b gets 0.0.
      {"a takes the incoming value", MathMultiply, 0, 0, Int(3), "real 0"},
      {"b of 0.0 divides by zero", MathDivide, 0, 0, Int(3), "error"},
      // A non-zero default wins, so the incoming value goes to b.
      {"base set, exponent incoming", MathPower, 10, 0, Int(3), "real 1000"},
      {"divisor set, dividend incoming", MathDivide, 0, 1000, Real(5), "real 0.005"},
      {"text operand", MathMultiply, 0, 2, Str("1.5"), "real 3"},
      {"no incoming value", MathMultiply, 0, 2, TData(), "real 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIMath math;
    TProbe results, errors;
    math.OpType = c.op;
    math.ResultType = 1;
    math.Op1Def = c.op1;
    math.Op2Def = c.op2;
    math.onResult = results.In();
    math.onError = errors.In();
    TData d = c.incoming;
    math.doOperation(d);
    if (std::string(c.expected) == "error") {
      EXPECT_EQ(errors.got.size(), 1u);
      EXPECT_TRUE(results.got.empty());
    } else {
      EXPECT_EQ(results.got, std::vector<std::string>{c.expected});
    }
  }
}

TEST_F(Math, DefaultIsTheStartingResult) {
  THIMath math;
  math.ResultType = 1;
  math.SetDefault(7.5);
  TData r;
  math.Result(r);
  EXPECT_EQ(Show(r), "real 7.5");
}

TEST_F(Math, FailuresResetToDefaultAndHideTheResult) {
  struct Case {
    const char* name;
    uint8_t op;
    double a, b;
  };
  const Case cases[] = {
      {"division by zero", MathDivide, 1, 0},
      {"zero step", MathRoundToStep, 1, 0},
      {"undefined power", MathPower, -8, 0.5},
      {"power overflows", MathPower, 10, 400},
      {"product overflows", MathMultiply, 1e200, 1e200},
      {"fractional power overflows", MathPower, 10, 400.5},
      {"unknown operation", 99, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MathRig rig(MathDivide, 6, 3, 1);
    rig.math.SetDefault(-1);
    rig.Run();  // a good result first
    ASSERT_EQ(rig.results.got, std::vector<std::string>{"real 2"});
    rig.math.OpType = c.op;
    rig.a.value = Real(c.a);
    rig.b.value = Real(c.b);
    rig.Run();
    EXPECT_EQ(rig.results.got.size(), 1u) << "onResult fired on failure";
    EXPECT_EQ(rig.errors.got, std::vector<std::string>{"none"});
    EXPECT_TRUE(rig.math.Error);
    EXPECT_EQ(rig.math.ResultValue, -1.0);
    TData r;
    SetInteger(r, 42);
    rig.math.Result(r);
    EXPECT_EQ(Show(r), "none");
    // The next good operation makes the result readable again.
    rig.math.OpType = MathDivide;
    rig.a.value = Real(9);
    rig.b.value = Real(3);
    rig.Run();
    EXPECT_FALSE(rig.math.Error);
    rig.math.Result(r);
    EXPECT_EQ(Show(r), "real 3");
  }
}

}  // namespace

namespace {

// With StopTooLarge (the rounding sub-scheme's steps) a result beyond the
// largest double shows the warning and halts the chain instead of going to
// onError; other failures still go there.
TEST_F(Math, StopTooLargeWarnsOnOverflowOnly) {
  struct Case {
    const char* name;
    uint8_t op;
    double a, b;
    bool stop;
    bool tooLarge;  // the warning, not onError
  };
  const Case cases[] = {
      {"overflow", MathMultiply, 1e300, 1e300, true, true},
      {"negative overflow", MathMultiply, -1e300, 1e300, true, true},
      {"power overflow", MathPower, 10.0, 400.0, true, true},
      {"division by zero", MathDivide, 1.0, 0.0, true, false},
      {"overflow, not asked to stop", MathMultiply, 1e300, 1e300, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingSystem system;
    MathRig rig(c.op, c.a, c.b, 1);
    rig.math.StopTooLarge = c.stop;
    rig.Run();
    EXPECT_EQ(EndHalt(), c.tooLarge);
    EXPECT_TRUE(rig.results.got.empty());
    EXPECT_EQ(rig.errors.got.size(), c.tooLarge ? 0u : 1u);
    const auto boxes = system.boxes();
    ASSERT_EQ(boxes.size(), c.tooLarge ? 1u : 0u);
    if (c.tooLarge) {
      EXPECT_EQ(boxes[0].text, "The result is too large.");
      EXPECT_EQ(boxes[0].caption, "Warning!");
      EXPECT_EQ(boxes[0].style, MbOk | MbIconWarning);
    }
    EXPECT_TRUE(rig.math.Error);
  }
}

}  // namespace
