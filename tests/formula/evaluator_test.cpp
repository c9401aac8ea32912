#include "formula/evaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "runtime/number_text.h"

namespace {

const double kPi = 3.14159265358979323846;
const double kE = 2.718281828459045;

// A data point that answers a fixed value and counts its reads.
struct TCountedSource {
  TData value;
  int reads = 0;
  void Value(TData& d) {
    ++reads;
    CopySingle(d, value);
  }
};

// Items 10, 20, 30 at indexes 0..2.
class TTestArray : public TArrayIntf {
 public:
  bool Get(TData& index, TData& item) override {
    int32_t i = ToInteger(index);
    if (KindOf(index) != KindReal || i < 0 || i > 2) return false;
    SetReal(item, 10.0 * (i + 1));
    return true;
  }
  int32_t Count() override { return 3; }
};

// Item (i, j) is 10*i + j for 0 <= i, j < 5; nothing elsewhere.
class TTestMatrix : public TObjectIntf {
 public:
  TData ReadAt(int32_t i, int32_t j) override {
    TData d;
    if (i >= 0 && i < 5 && j >= 0 && j < 5) SetReal(d, 10.0 * i + j);
    return d;
  }
};

// Answers a call '%n(x)' with 2x.
struct TDoubler {
  int reads = 0;
  void Value(TData& d) {
    ++reads;
    SetReal(d, 2 * ToReal(d));
  }
};

// A formula with n argument links and the state one evaluation needs.
struct TRig {
  std::vector<THI_Event> links;
  std::vector<double> cache;
  std::vector<uint8_t> flags;
  TData request;
  double lastResult = 0.0;
  double angleFactor = 1.0;

  explicit TRig(int n = 0) : links(n), cache(n), flags(n) {}

  TFormulaOutcome Run(const std::string& text) {
    TFormula formula;
    formula.SetText(text);
    TFormulaArgs args;
    args.links = links.data();
    args.cache = cache.data();
    args.readFlags = flags.data();
    args.count = static_cast<int32_t>(links.size());
    args.request = &request;
    args.lastResult = lastResult;
    args.angleFactor = angleFactor;
    return formula.Evaluate(args);
  }
};

TData Real(double v) {
  TData d;
  SetReal(d, v);
  return d;
}

TData Marker(int32_t code) {
  TData d;
  d.IntValue = code;
  d.StrValue = kMathParseException;
  return d;
}

class Evaluator : public ::testing::Test {
 protected:
  void SetUp() override { StartDispatch(); }
  void TearDown() override { StopDispatch(); }
};

struct ValueCase {
  const char* text;
  double expected;
};

void ExpectValues(TRig& rig, const std::vector<ValueCase>& cases) {
  for (const auto& c : cases) {
    TFormulaOutcome r = rig.Run(c.text);
    EXPECT_EQ(r.error, kFormulaOk) << c.text << " at " << r.consumed;
    EXPECT_NEAR(r.value, c.expected, 1e-13 * std::max(1.0, std::fabs(c.expected))) << c.text;
  }
}

TEST_F(Evaluator, OperatorsAndPrecedence) {
  TRig rig;
  ExpectValues(rig, {
                        {"1+2*3", 7},          {"(1+2)*3", 9},        {"10-2-3", 5},
                        {"8/4/2", 1},          {"2^3^2", 64},         {"-2^2", 4},
                        {"2*(-3)", -6},        {"+5", 5},             {"-(2+3)", -5},
                        {"7 div 2", 3},        {"-7 div 2", -3},      {"-7 mod 2", -1},
                        {"7 mod (-2)", 1},     {"7.5 div 2", 4},      {"2.5 div 1", 2},
                        {"7 MOD 4", 3},        {"9 Div 2", 4},        {"1e10 div 3", 3333333333.0},
                        {"2^10", 1024},        {"2^(-2)", 0.25},      {"(-2)^3", -8},
                        {"0^0", 1},            {"4^0.5", 2},          {"(-1)^2147483647", -1},
                        {"2^0.5*2^0.5", 2},    {"3-2*2^2", -5},
                    });
}

TEST_F(Evaluator, NumbersAreReadByTheProgramsTextRule) {
  TRig rig;
  struct ExactCase {
    const char* text;
    double expected;
  };
  const ExactCase cases[] = {
      {"$10", 16},
      {"0x10", 16},
      {"$ff", 255},
      {"0xFF", 255},
      {"$FFFFFFFF", -1},
      {"$7FFFFFFF", 2147483647},
      {"$123456789", 0x23456789},  // higher bits drop off
      {"$FFFFFFFFFFFFFFFFFFFFFFFF", -1},
      {"$e", 14},  // a hex digit, not the constant
      {"1.5 e3", 1500},
      {"1.5 e - 3", TextToReal("1.5e-3")},
      {"2E+2", 200},
      {".5", 0.5},
      {"5.", 5},
      {"  1 +\t2  ", 3},
      {"0.3", TextToReal("0.3")},  // one unit in the last place above the nearest double
  };
  for (const auto& c : cases) {
    TFormulaOutcome r = rig.Run(c.text);
    EXPECT_EQ(r.error, kFormulaOk) << c.text;
    EXPECT_EQ(r.value, c.expected) << c.text;
  }
  EXPECT_NE(rig.Run("0.3").value, 0.3);
}

TEST_F(Evaluator, ConstantsAndNamesIgnoreCase) {
  TRig rig;
  ExpectValues(rig, {
                        {"pi", kPi},   {"PI*2", 2 * kPi}, {"Pi", kPi},      {"e", kE},
                        {"E*1", kE},   {"COS(0)", 1},     {"Sqrt(16)", 4},  {"SQR(3)", 9},
                        {"MAX(1,2)", 2},
                    });
}

TEST_F(Evaluator, FunctionsInRadians) {
  TRig rig;
  ExpectValues(rig, {
                        {"sin(0)", 0},
                        {"cos(0)", 1},
                        {"tg(0)", 0},
                        {"ctg(pi/4)", 1},
                        {"arccos(-1)", kPi},
                        {"arcsin(1)", kPi / 2},
                        {"arctg(1)", kPi / 4},
                        {"arcctg(0)", kPi / 2},
                        {"arcctg(-1)", 3 * kPi / 4},
                        {"atan(1, 1)", kPi / 4},
                        {"atan(1, -1)", 3 * kPi / 4},
                        {"ch(0)", 1},
                        {"ch(1)", std::cosh(1.0)},
                        {"sh(1)", std::sinh(1.0)},
                        {"th(0.5)", std::tanh(0.5)},
                        {"th(400)", 1},  // large, yet no overflow on the way
                        {"cth(1)", 1 / std::tanh(1.0)},
                        {"arcch(1)", 0},
                        {"arcch(2)", std::acosh(2.0)},
                        {"arcsh(1)", std::asinh(1.0)},
                        {"arcth(0.5)", std::atanh(0.5)},
                        {"arccth(2)", 0.5 * std::log(3.0)},
                        {"log(2, 8)", 3},
                        {"lg(1000)", 3},
                        {"ln(e)", 1},
                        {"exp(1)", kE},
                        {"sqr(-3)", 9},
                        {"sqrt(2)", std::sqrt(2.0)},
                        {"abs(-2.5)", 2.5},
                        {"sign(-3)", -1},
                        {"sign(0)", 0},
                        {"sign(7)", 1},
                        {"round(2.5)", 2},
                        {"round(3.5)", 4},
                        {"round(3.14159, 0.01)", 3.14},
                        {"round(7, 2)", 8},
                        {"trunc(-2.7)", -2},
                        {"trunc(7.9, 2)", 6},
                        {"frac(-2.5)", -0.5},
                        {"frac(7, 2)", 1},
                        {"frac(1e300)", 0},
                        {"min(3)", 3},
                        {"max(1, 5, 2)", 5},
                        {"min(4, -1, 2)", -1},
                    });
}

TEST_F(Evaluator, DegreesApplyToTrigonometryOnly) {
  TRig rig;
  rig.angleFactor = kPi / 180;
  ExpectValues(rig, {
                        {"sin(90)", 1},
                        {"cos(180)", -1},
                        {"arctg(1)", 45},
                        {"atan(1, 0)", 90},
                        {"arcsin(0.5)", 30},
                        {"arcctg(0)", 90},
                        {"ch(0)", 1},
                        {"ln(e)", 1},
                    });
}

TEST_F(Evaluator, NestingWithinTheLimitIsFine) {
  TRig rig;
  const int depth = kMaxFormulaDepth - 1;
  TFormulaOutcome r = rig.Run(std::string(depth, '(') + "1" + std::string(depth, ')'));
  EXPECT_EQ(r.error, kFormulaOk);
  EXPECT_EQ(r.value, 1);
}

// --- Arguments -------------------------------------------------------------

TEST_F(Evaluator, PlainArgumentIsReadOncePerEvaluation) {
  TCountedSource x{Real(3)};
  TRig rig(1);
  rig.links[0] = MakeLink<&TCountedSource::Value>(&x);
  TFormulaOutcome r = rig.Run("%1 + %1*%01");
  EXPECT_EQ(r.value, 12);
  EXPECT_EQ(x.reads, 1);
  rig.Run("%1 + %1");  // a new evaluation reads afresh
  EXPECT_EQ(x.reads, 2);
}

TEST_F(Evaluator, IndexedAndCalledFormsAreReadAtEveryUse) {
  TTestArray array;
  TTestMatrix matrix;
  TCountedSource arraySource, matrixSource;
  SetArray(arraySource.value, &array);
  SetObject(matrixSource.value, &matrix);
  TDoubler doubler;
  TRig rig(3);
  rig.links[0] = MakeLink<&TCountedSource::Value>(&arraySource);
  rig.links[1] = MakeLink<&TCountedSource::Value>(&matrixSource);
  rig.links[2] = MakeLink<&TDoubler::Value>(&doubler);

  ExpectValues(rig, {
                        {"%1[0] + %1[2]", 40},
                        {"%1[1+1]", 30},
                        {"%2[1,2]", 12},
                        {"%2[1.5, 2.5]", 22},  // indexes round half to even
                        {"%3(1) + %3(2)", 6},
                        {"%3(%1[0])", 20},
                    });
  EXPECT_EQ(arraySource.reads, 4);
  EXPECT_EQ(matrixSource.reads, 2);
  EXPECT_EQ(doubler.reads, 3);
}

TEST_F(Evaluator, UnwiredArgumentsTakeTheIncomingValueOnce) {
  TRig rig(2);
  rig.request = Real(5);
  TFormulaOutcome r = rig.Run("%1 + 100*%2");
  EXPECT_EQ(r.value, 5);
  EXPECT_EQ(KindOf(rig.request), KindNone);

  // A chain of incoming values feeds the arguments in order of first use.
  TData second = Real(2);
  rig.request = Real(1);
  rig.request.Next = &second;
  EXPECT_EQ(rig.Run("%2*10 + %1").value, 12);
}

TEST_F(Evaluator, ArgumentKindsConvertToReals) {
  TData text, integer, none, realWithText = Real(3);
  SetString(text, "2.5");
  SetInteger(integer, 7);
  realWithText.StrValue = kMathParseException;  // only a KindNone record is the marker
  TCountedSource a{text}, b{integer}, c{none}, d{realWithText};
  TRig rig(4);
  rig.links[0] = MakeLink<&TCountedSource::Value>(&a);
  rig.links[1] = MakeLink<&TCountedSource::Value>(&b);
  rig.links[2] = MakeLink<&TCountedSource::Value>(&c);
  rig.links[3] = MakeLink<&TCountedSource::Value>(&d);
  ExpectValues(rig, {{"%1", 2.5}, {"%2", 7}, {"%3", 0}, {"%4", 3}});
}

TEST_F(Evaluator, PercentZeroIsTheLastResult) {
  TRig rig;
  rig.lastResult = 41;
  ExpectValues(rig, {{"%0+1", 42}, {"%000", 41}});
}

// --- Errors ----------------------------------------------------------------

struct ErrorCase {
  const char* text;
  int32_t consumed;
};

// Runs each case on a rig with two unwired arguments.
void ExpectErrors(int16_t code, const std::vector<ErrorCase>& cases) {
  for (const auto& c : cases) {
    TRig rig(2);
    TFormulaOutcome r = rig.Run(c.text);
    EXPECT_EQ(r.error, code) << c.text;
    EXPECT_EQ(r.consumed, c.consumed) << c.text;
  }
}

TEST_F(Evaluator, SyntaxErrorsAndTheirPositions) {
  ExpectErrors(kSyntaxError, {
                                 {"", 0},
                                 {"2*-3", 2},
                                 {"2^-1", 2},
                                 {"2--3", 2},
                                 {"2* +3", 3},
                                 {"foo(1)", 3},
                                 {"0X10", 4},
                                 {"$", 1},
                                 {"0x", 2},
                                 {"0xg", 2},
                                 {"2e", 2},
                                 {"2 e+ ", 5},
                                 {".", 1},
                                 {"1+\n2", 2},
                                 {"1\r\n", 1},
                                 {"1#2", 1},
                                 {"%1.5", 4},
                                 {"%x", 2},
                                 {"%", 1},
                                 {"%3", 2},
                                 {"0*%3", 4},  // no short-circuit
                                 {"%99999999999999999999", 21},
                                 {"%0[1]", 3},
                                 {"1,2", 2},
                                 {"(1))", 4},
                                 {"(1", 2},
                                 {"1+", 2},
                                 {"2 3", 3},
                                 {"div", 3},
                                 {"pi(1)", 3},
                                 {"cos 1", 5},
                                 {"sin()", 5},
                                 {"max(1,)", 7},
                                 {"atan(1)", 7},
                                 {"atan(1,2,3)", 9},
                                 {"log(2)", 6},
                                 {"round(1,2,3)", 10},
                             });
}

TEST_F(Evaluator, CalculationErrorsAndTheirPositions) {
  ExpectErrors(kCalcError, {
                               {"1/0", 3},
                               {"%1/%2", 5},  // both unwired: 0/0
                               {"sqrt(-1)", 8},
                               {"sqrt(-1)+1", 8},
                               {"ln(0)", 5},
                               {"ln(-1)", 6},
                               {"lg(0)", 5},
                               {"log(1, 5)", 9},
                               {"log(0, 5)", 9},
                               {"log(2, 0)", 9},
                               {"1 div 0", 7},
                               {"5 mod 0.4", 9},
                               {"0^(-1)", 6},
                               {"(-8)^(1/3)", 10},
                               {"(-2)^4294967296", 15},
                               {"2^4294967296", 12},
                               {"exp(1000)", 9},
                               {"sh(800)", 7},
                               {"ch(-12000)", 10},
                               {"1e308*10", 8},
                               {"1e308+1e308", 11},
                               {"1e400", 5},
                               {"round(1, 0)", 11},
                               {"frac(1,0)", 9},
                               {"trunc(1,0)", 10},
                               {"round(1e300)", 12},
                               {"trunc(-1e19)", 12},
                               {"1e19 div 1", 10},
                               {"1 mod 1e19", 10},
                               {"ctg(0)", 6},
                               {"cth(0)", 6},
                               {"arccos(2)", 9},
                               {"arcsin(-1.5)", 12},
                               {"arcch(0.5)", 10},
                               {"arcth(1)", 8},
                               {"arcth(-1)", 9},
                               {"arccth(0.5)", 11},
                               {"arccth(1)", 9},
                               {"%1[0]", 5},
                               {"%1[0,0]", 5},
                               {"%1(2)", 5},
                           });
}

TEST_F(Evaluator, DeepNestingIsASyntaxErrorNotACrash) {
  TRig rig;
  for (int depth : {kMaxFormulaDepth, 5000}) {
    TFormulaOutcome r = rig.Run(std::string(depth, '(') + "1" + std::string(depth, ')'));
    EXPECT_EQ(r.error, kSyntaxError) << depth;
    EXPECT_EQ(r.consumed, kMaxFormulaDepth + 1) << depth;
  }
  EXPECT_EQ(rig.Run(std::string(3000, '-') + "1").error, kSyntaxError);
  EXPECT_EQ(rig.Run("sqrt(" + std::string(3000, '(')).error, kSyntaxError);
}

TEST_F(Evaluator, FailedReadsOfArgumentsAreCalculationErrors) {
  TTestArray array;
  TTestMatrix matrix;
  TCountedSource arraySource, matrixSource, none;
  SetArray(arraySource.value, &array);
  SetObject(matrixSource.value, &matrix);
  TCountedSource huge{TData()};
  SetString(huge.value, "1e400");
  TRig rig(4);
  rig.links[0] = MakeLink<&TCountedSource::Value>(&arraySource);
  rig.links[1] = MakeLink<&TCountedSource::Value>(&matrixSource);
  rig.links[2] = MakeLink<&TCountedSource::Value>(&none);  // answers KindNone to a call
  rig.links[3] = MakeLink<&TCountedSource::Value>(&huge);
  const char* cases[] = {
      "%1[5]",        "%1[-1]",     "%1[0,0]",  // an array is not an object
      "%2[0]",        "%2[1,7]",    "%2[1e10,0]", "%3(1)", "%4",
  };
  for (const char* text : cases) {
    TFormulaOutcome r = rig.Run(text);
    EXPECT_EQ(r.error, kCalcError) << text;
  }
  EXPECT_EQ(rig.Run("%1[0").error, kSyntaxError);
  EXPECT_EQ(rig.Run("%2[0,0").error, kSyntaxError);
}

TEST_F(Evaluator, ErrorMarkerPassesItsCodeOn) {
  struct MarkerCase {
    int32_t carried;
    int16_t expected;
  };
  // Codes other than 0 and 1 never come from a formula element; they count
  // as calculation errors rather than "no error".
  const MarkerCase cases[] = {{0, kSyntaxError}, {1, kCalcError}, {7, kCalcError}, {-1, kCalcError}};
  for (const auto& c : cases) {
    TCountedSource upstream{Marker(c.carried)};
    TRig rig(1);
    rig.links[0] = MakeLink<&TCountedSource::Value>(&upstream);
    TFormulaOutcome r = rig.Run("%1*2");
    EXPECT_EQ(r.error, c.expected) << c.carried;
    EXPECT_EQ(r.consumed, 3) << c.carried;
  }
}

}  // namespace
