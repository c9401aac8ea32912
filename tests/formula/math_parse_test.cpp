#include "formula/math_parse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "support/recording_system.h"

namespace {

// Heap allocations made while `g_counting` is set (any thread).
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

}  // namespace

// The replacements pair malloc with free; GCC cannot see that every delete
// here meets a pointer from this new.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t n) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

const char kSyntaxText[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xF1\xE8\xED\xF2\xE0\xEA\xF1\xE8\xF1\xE0 \xE2 \xFD\xEB\xE5\xEC\xE5\xED\xF2\xE5 MathParser";
const char kCalcText[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xE2\xFB\xF7\xE8\xF1\xEB\xE5\xED\xE8\xFF \xE2 \xFD\xEB\xE5\xEC\xE5\xED\xF2\xE5 MathParser";
const char kFoundAt[] = "\xCE\xE1\xED\xE0\xF0\xF3\xE6\xE5\xED\xE0 \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";

TData Real(double v) {
  TData d;
  SetReal(d, v);
  return d;
}

// A data point holding a plain value.
struct TValueSource {
  TData value;
  void Value(TData& d) { CopySingle(d, value); }
};

// Records what an event brings, and on which record.
struct TEventProbe {
  std::vector<TData> got;
  std::vector<const TData*> records;
  void Take(TData& d) {
    got.push_back(d);
    records.push_back(&d);
  }
};

THI_Event CalcLink(THIMathParse& mp) { return MakeLink<&THIMathParse::doCalc>(&mp); }

void Calc(THIMathParse& mp, TData& d) { FireEvent(CalcLink(mp), d); }

TData ReadResult(THIMathParse& mp) {
  TData d;
  FireEvent(MakeLink<&THIMathParse::Result>(&mp), d);
  return d;
}

// Configured the way a page scheme does it.
void Configure(THIMathParse& mp, const std::string& text, int32_t count, uint8_t resultType, double def = 0.0) {
  mp.SetDataCount(count);
  mp.SetMathStr(text);
  mp.ResultType = resultType;
  mp.SetDefault(def);
  mp.SetAngleMode(false);
}

class MathParse : public ::testing::Test {
 protected:
  void SetUp() override { StartDispatch(); }
  void TearDown() override { StopDispatch(); }
};

TEST_F(MathParse, ResultContinuesOnTheCallersRecord) {
  THIMathParse mp;
  Configure(mp, "%1*2", 1, 1);
  TValueSource x{Real(3)};
  mp.X[0] = MakeLink<&TValueSource::Value>(&x);
  TEventProbe probe;
  mp.onResult = MakeLink<&TEventProbe::Take>(&probe);
  TData d;
  SetString(d, "request");
  Calc(mp, d);
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_EQ(probe.records[0], &d);
  EXPECT_EQ(probe.got[0].Kind, KindReal);
  EXPECT_EQ(probe.got[0].RealValue, 6);
  EXPECT_EQ(mp.ErrorCode(), kFormulaOk);
  EXPECT_EQ(mp.ErrorPosition(), -1);
}

TEST_F(MathParse, IntegerResultsRoundHalfToEven) {
  struct Case {
    double in;
    int32_t out;
  };
  const Case cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.6, 3}, {-0.5, 0}, {1e10, 1410065408}};
  for (const auto& c : cases) {
    THIMathParse mp;
    Configure(mp, "%1", 1, 0);
    TEventProbe probe;
    mp.onResult = MakeLink<&TEventProbe::Take>(&probe);
    TData d = Real(c.in);
    Calc(mp, d);
    ASSERT_EQ(probe.got.size(), 1u) << c.in;
    EXPECT_EQ(probe.got[0].Kind, KindInteger) << c.in;
    EXPECT_EQ(probe.got[0].IntValue, c.out) << c.in;
    TData r = ReadResult(mp);
    EXPECT_EQ(r.Kind, KindInteger) << c.in;
    EXPECT_EQ(r.IntValue, c.out) << c.in;
  }
}

TEST_F(MathParse, UnwiredArgumentsShareOneIncomingValue) {
  THIMathParse mp;
  Configure(mp, "%1 + 100*%2", 2, 1);
  TData d = Real(5);
  Calc(mp, d);
  EXPECT_EQ(d.Kind, KindReal);
  EXPECT_EQ(d.RealValue, 5);  // %2 found nothing left and read 0
}

TEST_F(MathParse, ResultBeforeAnyCalculationIsTheDefault) {
  struct Case {
    bool setDefault;
    double def;
    uint8_t resultType;
    uint8_t kind;
    double value;
  };
  const Case cases[] = {
      {false, 0, 1, KindReal, 0},   {false, 0, 0, KindInteger, 0}, {true, 0, 1, KindReal, 0},
      {true, 2.5, 1, KindReal, 2.5}, {true, 2.5, 0, KindInteger, 2},
  };
  for (const auto& c : cases) {
    THIMathParse mp;
    mp.ResultType = c.resultType;
    if (c.setDefault) mp.SetDefault(c.def);
    TData r = ReadResult(mp);
    EXPECT_EQ(r.Kind, c.kind) << c.def;
    EXPECT_EQ(c.kind == KindReal ? r.RealValue : r.IntValue, c.value) << c.def;
  }
}

TEST_F(MathParse, PercentZeroRestartsFromTheDefaultAfterAFailure) {
  THIMathParse mp;
  Configure(mp, "%0 + 1/%1", 1, 1, 10);
  TValueSource x{Real(1)};
  mp.X[0] = MakeLink<&TValueSource::Value>(&x);
  TEventProbe errors;
  mp.onError = MakeLink<&TEventProbe::Take>(&errors);
  std::vector<double> seen;
  for (double arg : {1.0, 1.0, 0.0, 1.0, 1.0}) {
    x.value = Real(arg);
    TData d;
    Calc(mp, d);
    seen.push_back(mp.ErrorCode() == kFormulaOk ? d.RealValue : -1);
  }
  EXPECT_EQ(seen, (std::vector<double>{11, 12, -1, 11, 12}));
  EXPECT_EQ(errors.got.size(), 1u);
}

TEST_F(MathParse, AngleModeChoosesTheUnit) {
  THIMathParse mp;
  Configure(mp, "sin(%1)", 1, 1);
  mp.SetAngleMode(true);
  TData d = Real(90);
  Calc(mp, d);
  EXPECT_DOUBLE_EQ(d.RealValue, 1);
  mp.SetAngleMode(false);
  d = Real(90);
  Calc(mp, d);
  EXPECT_DOUBLE_EQ(d.RealValue, std::sin(90.0));
}

TEST_F(MathParse, PageFormulasWithLinkedArguments) {
  struct Case {
    const char* text;
    std::vector<double> args;
    double expected;
  };
  const Case cases[] = {
      {"(%1-2.495)*%2/2.495", {12, 1000}, 3809.619238476954},
      {"1.253*(1+%2/%1) +  0.0000475*%2", {240, 2400}, 13.897},
      {"((%1 - %2 * 1.02) * 1000) / ( %3 + (4 * %4 / 1000) + 1)", {20, 12, 100, 10}, 76.80126682502},
      {"%2* ((%1/1.26) -1)          ", {5, 240}, 712.3809523809523},
  };
  for (const auto& c : cases) {
    THIMathParse mp;
    Configure(mp, c.text, static_cast<int32_t>(c.args.size()), 1);
    std::vector<TValueSource> sources;
    for (double a : c.args) sources.push_back({Real(a)});
    for (size_t i = 0; i < sources.size(); ++i) mp.X[i] = MakeLink<&TValueSource::Value>(&sources[i]);
    TData d;
    Calc(mp, d);
    EXPECT_EQ(mp.ErrorCode(), kFormulaOk) << c.text;
    EXPECT_NEAR(d.RealValue, c.expected, 1e-9) << c.text;
  }
}

// --- Failures ----------------------------------------------------------------

TEST_F(MathParse, FailureShowsTheDebugBoxAndEndsTheChain) {
  struct Case {
    const char* text;
    const char* line;
    int32_t position;
  };
  const Case cases[] = {
      {"%1/%2", kCalcText, 5},   {"%1+", kSyntaxText, 3},         {"", kSyntaxText, 0},
      {"foo(1)", kSyntaxText, 3}, {"sqrt(%1-10)", kCalcText, 11}, {"%1 +\r\n 2", kSyntaxText, 4},
  };
  for (const auto& c : cases) {
    TRecordingSystem system;
    THIMathParse mp;
    Configure(mp, c.text, 2, 1);
    TValueSource x1{Real(4)}, x2{Real(0)};
    mp.X[0] = MakeLink<&TValueSource::Value>(&x1);
    mp.X[1] = MakeLink<&TValueSource::Value>(&x2);
    TEventProbe results;
    mp.onResult = MakeLink<&TEventProbe::Take>(&results);
    TData d = Real(7);
    Calc(mp, d);

    EXPECT_TRUE(results.got.empty()) << c.text;
    EXPECT_EQ(d.Kind, KindReal) << c.text;  // the caller's record as it came
    EXPECT_EQ(d.RealValue, 7) << c.text;
    EXPECT_EQ(mp.ErrorPosition(), c.position) << c.text;
    auto boxes = system.boxes();
    ASSERT_EQ(boxes.size(), 1u) << c.text;
    EXPECT_EQ(boxes[0].text, std::string(c.line) + "\r\n" + kFoundAt + std::to_string(c.position)) << c.text;
    EXPECT_EQ(boxes[0].caption, "Debug");
    EXPECT_FALSE(boxes[0].owned);
    EXPECT_EQ(boxes[0].style, MbOk);
  }
}

TEST_F(MathParse, WiredOnErrorGetsTheCodeInsteadOfTheBox) {
  struct Case {
    const char* text;
    int32_t code;
  };
  const Case cases[] = {{"1/0", kCalcError}, {"2*-3", kSyntaxError}};
  for (const auto& c : cases) {
    TRecordingSystem system;
    THIMathParse mp;
    Configure(mp, c.text, 0, 1);
    TEventProbe results, errors;
    mp.onResult = MakeLink<&TEventProbe::Take>(&results);
    mp.onError = MakeLink<&TEventProbe::Take>(&errors);
    TData d = Real(7);
    Calc(mp, d);
    EXPECT_TRUE(system.boxes().empty()) << c.text;
    EXPECT_TRUE(results.got.empty()) << c.text;
    ASSERT_EQ(errors.got.size(), 1u) << c.text;
    EXPECT_EQ(errors.records[0], &d) << c.text;
    EXPECT_EQ(errors.got[0].Kind, KindInteger) << c.text;
    EXPECT_EQ(errors.got[0].IntValue, c.code) << c.text;
  }
}

TEST_F(MathParse, ResultGivesTheMarkerUntilTheNextSuccess) {
  TRecordingSystem system;
  THIMathParse mp;
  Configure(mp, "10/%1", 1, 0);
  TValueSource x{Real(0)};
  mp.X[0] = MakeLink<&TValueSource::Value>(&x);
  TData d;
  Calc(mp, d);
  TData r = ReadResult(mp);
  EXPECT_EQ(r.Kind, KindNone);
  EXPECT_EQ(r.IntValue, kCalcError);
  EXPECT_EQ(r.StrValue, kMathParseException);
  EXPECT_EQ(r.Next, nullptr);

  x.value = Real(4);
  Calc(mp, d);
  r = ReadResult(mp);
  EXPECT_EQ(r.Kind, KindInteger);
  EXPECT_EQ(r.IntValue, 2);  // 2.5 rounds to even
}

TEST_F(MathParse, AFailureUpstreamFailsTheReaderWithTheSameCode) {
  struct Case {
    const char* upstream;
    int16_t code;
    const char* line;
  };
  const Case cases[] = {{"1/%1", kCalcError, kCalcText}, {"(%1", kSyntaxError, kSyntaxText}};
  for (const auto& c : cases) {
    TRecordingSystem system;
    THIMathParse a, b;
    Configure(a, c.upstream, 1, 1);
    Configure(b, "%1*2", 1, 1);
    b.X[0] = MakeLink<&THIMathParse::Result>(&a);
    TData d;
    Calc(a, d);
    TEventProbe results;
    b.onResult = MakeLink<&TEventProbe::Take>(&results);
    Calc(b, d);
    EXPECT_EQ(b.ErrorCode(), c.code) << c.upstream;
    EXPECT_EQ(b.ErrorPosition(), 3) << c.upstream;
    EXPECT_TRUE(results.got.empty()) << c.upstream;
    auto boxes = system.boxes();
    ASSERT_EQ(boxes.size(), 2u) << c.upstream;
    EXPECT_EQ(boxes[1].text, std::string(c.line) + "\r\n" + kFoundAt + "3") << c.upstream;
  }
}

// Found by the fuzzer: %0 brings Default, unchecked, into the integer
// operations.
TEST_F(MathParse, HugeDefaultsInIntegerOperationsAreCalculationErrors) {
  const char* formulas[] = {"7mod(trunc(%0))", "round(%0)", "%0 div 1", "1 mod %0", "%0^0.5*0+(-%0)^2"};
  for (const char* text : formulas) {
    TRecordingSystem system;
    THIMathParse mp;
    Configure(mp, text, 0, 1, 9.09421e+307);
    TData d;
    Calc(mp, d);
    EXPECT_EQ(mp.ErrorCode(), kCalcError) << text;
  }
}

TEST_F(MathParse, WithoutAPlatformTheFailureIsSilent) {
  ASSERT_EQ(SystemOps(), nullptr);
  THIMathParse mp;
  Configure(mp, "ln(0)", 0, 1);
  TEventProbe results;
  mp.onResult = MakeLink<&TEventProbe::Take>(&results);
  TData d;
  Calc(mp, d);
  EXPECT_TRUE(results.got.empty());
  EXPECT_EQ(mp.ErrorCode(), kCalcError);
  EXPECT_EQ(mp.ErrorPosition(), 5);
}

TEST_F(MathParse, ArgumentCountFollowsTheSetterOnly) {
  TRecordingSystem system;
  THIMathParse mp;
  Configure(mp, "%3", 2, 1);
  mp.DataCount = 5;  // written directly: there are still only two inputs
  TData d;
  Calc(mp, d);
  EXPECT_EQ(mp.ErrorCode(), kSyntaxError);
  mp.SetDataCount(-4);
  EXPECT_TRUE(mp.X.empty());
  mp.SetMathStr("%1");
  Calc(mp, d);
  EXPECT_EQ(mp.ErrorCode(), kSyntaxError);
}

// --- Costs and threads -------------------------------------------------------

TEST_F(MathParse, PlainNumberRequestsDoNotAllocate) {
  const char* formulas[] = {
      "((%1-0.000059*(%1/1.25-1)*%2)/1.25-1 )*%2",
      "1.253*(1+%2/%1) +  0.0000475*%2",
      "(%1-2.495)*%2/2.495",
      "((%1 - %2 * 1.02) * 1000) / ( %3 + (4 * %4 / 1000) + 1)",
  };
  TValueSource sources[4] = {{Real(12)}, {Real(240)}, {Real(100)}, {Real(10)}};
  for (const char* text : formulas) {
    THIMathParse mp;
    Configure(mp, text, 4, 1);
    for (int i = 0; i < 4; ++i) mp.X[i] = MakeLink<&TValueSource::Value>(&sources[i]);
    THI_Event link = CalcLink(mp);
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < 100; ++i) {
      TData d;
      FireEvent(link, d);
    }
    g_counting = false;
    EXPECT_EQ(mp.ErrorCode(), kFormulaOk) << text;
    EXPECT_EQ(g_allocations.load(), 0) << text;
  }
}

TEST_F(MathParse, ElementsOnDifferentThreadsShareNothing) {
  // Run under ThreadSanitizer this finds any hidden shared scratch.
  auto work = [](double arg, double* out) {
    THIMathParse mp;
    Configure(mp, "sqrt(%1) * 2 + max(%1, 3) div 2", 1, 1);
    TValueSource x{Real(arg)};
    mp.X[0] = MakeLink<&TValueSource::Value>(&x);
    for (int i = 0; i < 2000; ++i) {
      TData d;
      Calc(mp, d);
      *out = d.RealValue;
    }
  };
  double a = 0, b = 0;
  std::thread t1(work, 16.0, &a), t2(work, 100.0, &b);
  t1.join();
  t2.join();
  EXPECT_EQ(a, 16);   // 8 + 8
  EXPECT_EQ(b, 70);   // 20 + 50
}

}  // namespace

namespace {

// With StopTooLarge (as the pages set it) a result the element cannot carry
// shows the warning and halts the chain; other failures and results that
// fit behave as without it.
TEST_F(MathParse, StopTooLargeEndsTheCalculationWithTheWarning) {
  enum TOutcome { TooLarge, DebugBox, Shown };
  struct Case {
    const char* text;
    uint8_t resultType;
    TOutcome outcome;
    double shown;  // the result, for Shown
  };
  const Case cases[] = {
      {"2147483647", 0, Shown, 2147483647.0},  {"-2147483648", 0, Shown, -2147483648.0},
      {"2147483646.5", 0, Shown, 2147483646.0}, {"2147483647.5", 0, TooLarge, 0},
      {"2147483648", 0, TooLarge, 0},           {"-2147483648.6", 0, TooLarge, 0},
      {"%1*1e30", 0, TooLarge, 0},              {"%1*1e300*1e300", 1, TooLarge, 0},
      {"-%1*1e300*1e300", 0, TooLarge, 0},      {"%1*1e30", 1, Shown, 2e30},
      {"%1/0", 1, DebugBox, 0},                 {"sqrt(%1-10)", 1, DebugBox, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TRecordingSystem system;
    THIMathParse mp;
    Configure(mp, c.text, 1, c.resultType);
    mp.StopTooLarge = true;
    TValueSource x1{Real(2)};
    mp.X[0] = MakeLink<&TValueSource::Value>(&x1);
    TEventProbe results;
    mp.onResult = MakeLink<&TEventProbe::Take>(&results);
    TData d;
    Calc(mp, d);
    const bool halted = EndHalt();
    const auto boxes = system.boxes();
    EXPECT_EQ(halted, c.outcome == TooLarge);
    if (c.outcome == Shown) {
      EXPECT_TRUE(boxes.empty());
      ASSERT_EQ(results.got.size(), 1u);
      EXPECT_EQ(ToReal(results.got[0]), c.shown);
      EXPECT_EQ(results.got[0].Kind, c.resultType == 1 ? KindReal : KindInteger);
      continue;
    }
    EXPECT_TRUE(results.got.empty());
    ASSERT_EQ(boxes.size(), 1u);
    if (c.outcome == DebugBox) {
      EXPECT_EQ(boxes[0].caption, "Debug");
      continue;
    }
    EXPECT_EQ(boxes[0].text, "The result is too large.");
    EXPECT_EQ(boxes[0].caption, "Warning!");
    EXPECT_EQ(boxes[0].style, MbOk | MbIconWarning);
    EXPECT_EQ(ReadResult(mp).StrValue, kMathParseException);  // not a wrapped value
  }
}

// Without it an integer result keeps its low 32 bits, and an overflow is a
// calculation error like any other.
TEST_F(MathParse, WithoutStopTooLargeIntegersWrapAndOverflowsFail) {
  TRecordingSystem system;
  THIMathParse mp;
  Configure(mp, "2147483648", 0, 0);
  TEventProbe results;
  mp.onResult = MakeLink<&TEventProbe::Take>(&results);
  TData d;
  Calc(mp, d);
  ASSERT_EQ(results.got.size(), 1u);
  EXPECT_EQ(results.got[0].IntValue, INT32_MIN);
  Configure(mp, "1e300*1e300", 0, 1);
  Calc(mp, d);
  EXPECT_FALSE(EndHalt());
  const auto boxes = system.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Debug");
}

}  // namespace
