#include "runtime/data.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "runtime/event.h"
#include "support/xorshift.h"

namespace {

TData Int(int32_t v) {
  TData d;
  SetInteger(d, v);
  return d;
}
TData Str(const std::string& s) {
  TData d;
  SetString(d, s);
  return d;
}
TData Real(double v) {
  TData d;
  SetReal(d, v);
  return d;
}

struct IntCase {
  TData value;
  int32_t expected;
};

TEST(Conversions, ToInteger) {
  const IntCase cases[] = {
      {Str("+7"), 7},   {Str("-12x"), -12}, {Str(" 5"), 0},        {Str(""), 0},
      {Str("12abc"), 12}, {Str("-"), 0},   {Str("4294967297"), 1}, {Real(2.5), 2},
      {Real(-2.5), -2}, {Real(2.6), 3},    {Real(3.5), 4},         {Real(4294967296.0 + 5), 5},
      {Int(-9), -9},    {TData(), 0},      {Real(1e300), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ToInteger(c.value), c.expected) << ToString(c.value);
}

TEST(Conversions, ToIndex) {
  const IntCase cases[] = {
      {Str("0"), 0},   {Str("abc"), -1}, {Str(""), -1}, {Str("-0"), -1}, {Real(2.5), 2},
      {Real(3.5), 4},  {Str("3"), 3},    {Str("03"), 3}, {Int(-4), -4},  {TData(), -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ToIndex(c.value), c.expected) << ToString(c.value);
}

TEST(Conversions, ToStringAndToReal) {
  EXPECT_EQ(ToString(Int(INT32_MIN)), "-2147483648");
  EXPECT_EQ(ToString(Int(0)), "0");
  EXPECT_EQ(ToString(Int(-5)), "-5");
  EXPECT_EQ(ToString(Real(1.25)), "1.25");
  EXPECT_EQ(ToString(TData()), "");
  EXPECT_EQ(ToReal(Int(INT32_MIN)), -2147483648.0);
  EXPECT_EQ(ToReal(Str("2.5")), 2.5);
  EXPECT_EQ(ToReal(TData()), 0.0);
}

TEST(Conversions, ToBoolAndKinds) {
  EXPECT_FALSE(ToBool(Int(0)));
  EXPECT_TRUE(ToBool(Int(2)));
  EXPECT_TRUE(ToBool(Real(0.0)));
  EXPECT_TRUE(ToBool(Str("0")));
  EXPECT_TRUE(ToBool(TData()));
  EXPECT_TRUE(IsNone(TData()));
  EXPECT_EQ(KindOf(Real(1)), KindReal);
}

TEST(Setters, LeaveStringAndClearNext) {
  TData other = Int(1);
  TData d = Str("kept");
  d.Next = &other;
  SetReal(d, 2.0);
  EXPECT_EQ(d.Kind, KindReal);
  EXPECT_EQ(d.StrValue, "kept");
  EXPECT_EQ(d.Next, nullptr);
  d.Next = &other;
  TData copy;
  CopySingle(copy, d);
  EXPECT_EQ(copy.Next, nullptr);
  EXPECT_EQ(copy.RealValue, 2.0);
}

TEST(CopySingle, CopiesEveryFieldButTheChainWhichCopyWholeKeeps) {
  TData other = Int(1);
  struct {
    TData src, dst;
  } cases[] = {
      {Str("text"), TData()},    // a text arrives
      {Int(7), Str("old")},      // a stale text goes
      {Str(""), Str("old")},     // an empty text replaces one
      {Str("new"), Str("old")},  // one text replaces another
      {Real(2.5), TData()},      // numbers alone
  };
  for (auto& c : cases) {
    c.src.Next = &other;
    c.src.ContinueLink = reinterpret_cast<const THI_Event*>(&other);
    c.src.Ref = &other;
    c.src.IntValue = 42;
    c.src.Kind |= KindContinue;
    TData whole = c.dst;
    CopySingle(c.dst, c.src);
    CopyWhole(whole, c.src);
    for (const TData* copy : {&c.dst, &whole}) {
      EXPECT_EQ(copy->Kind, c.src.Kind);
      EXPECT_EQ(copy->IntValue, 42);
      EXPECT_EQ(copy->StrValue, c.src.StrValue);
      EXPECT_EQ(copy->RealValue, c.src.RealValue);
      EXPECT_EQ(copy->Ref, &other);
      EXPECT_EQ(copy->ContinueLink, c.src.ContinueLink);
    }
    EXPECT_EQ(c.dst.Next, nullptr);
    EXPECT_EQ(whole.Next, &other);
  }
}

struct CompareCase {
  TData a, b;
  uint8_t code;
  bool expected;
};

// Doubles are rounded without the extended-precision floor; the result
// must be the extended-precision rule's everywhere.
TEST(RoundHalfEven, DoublesRoundAsTheExtendedRule) {
  std::vector<double> values = {0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 0.49999999999999994, 4503599627370495.5,
                                -4503599627370495.5, 4503599627370496.0, 9007199254740993.0, 9223372036854774784.0,
                                -9223372036854775808.0, 9223372036854775808.0, 1e300, -1e300, 5e-324, -0.0,
                                std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  for (int i = -20000; i <= 20000; ++i) {
    const double half = i + 0.5;
    values.push_back(half);
    values.push_back(std::nextafter(half, 0.0));
    values.push_back(std::nextafter(half, 1e300 * (half < 0 ? -1 : 1)));
    values.push_back(i / 1000.0 * 3.7);
  }
  TXorShift random(0x2545F4914F6CDD1Dull);
  for (int k = 0; k < 200000; ++k) {
    const uint64_t state = random.Next();
    // Binary exponents from 2^-4 to 2^66, where rounding has work to do.
    const uint64_t exponent = 1019 + (state >> 56) % 71;
    uint64_t bits = (exponent << 52) | (state & ((1ull << 52) - 1));
    if (k & 1) bits |= 1ull << 63;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
  }
  for (double v : values) ASSERT_EQ(RoundHalfEven(v), RoundHalfEvenL(v)) << v;
}

// The extended rule as the library's floor and remainder give it: the
// shortcut for small positive values must agree with it to the last bit.
int64_t RoundHalfEvenByFloor(long double x) {
  if (!(x > -9223372036854775808.0L && x < 9223372036854775808.0L)) return INT64_MIN;
  long double f = std::floor(x);
  const long double diff = x - f;
  if (diff > 0.5L || (diff == 0.5L && std::fmod(f, 2.0L) != 0.0L)) f += 1.0L;
  if (f >= 9223372036854775808.0L) return INT64_MIN;
  return static_cast<int64_t>(f);
}

TEST(RoundHalfEven, ExtendedValuesRoundAsByFloorAndRemainder) {
  const long double two62 = 4611686018427387904.0L, two63 = 9223372036854775808.0L;
  std::vector<long double> values = {0.0L, 0.5L, 1.5L, 2.5L, 0.25L, 0.75L, two62, two62 - 0.5L, two62 - 1.5L,
                                     two62 + 1.0L, two63 - 0.5L, two63 - 1.0L, two63, -0.5L, -1.5L, -two62};
  TXorShift random(0x9E3779B97F4A7C15ull);
  for (int k = 0; k < 200000; ++k) {
    const uint64_t state = random.Next();
    // Whole parts of every size up to 2^63, with fractions finer than a
    // double holds next to them (the number texts scale in this precision).
    const int bits = 1 + static_cast<int>(state % 63);
    const long double whole = static_cast<long double>(state >> (64 - bits));
    const long double fraction = static_cast<long double>(state & 0xFFFF) / 65536.0L;
    values.push_back(whole + fraction);
    values.push_back(whole + 0.5L);
    values.push_back(-(whole + fraction));
  }
  for (long double x : values) ASSERT_EQ(RoundHalfEvenL(x), RoundHalfEvenByFloor(x)) << static_cast<double>(x);
}

TEST(CompareData, KindOfFirstOperandDecides) {
  const CompareCase cases[] = {
      {Str("abc"), Str("zz"), 2, true},  {Str("abc"), Str("zz"), 0, false},
      {Int(5), Str("5"), 0, true},       {Str("5"), Int(5), 0, true},
      {Real(1.5), Str("1.5"), 0, true},  {Real(1.5), Int(2), 1, true},
      {Int(2), Real(2.4), 0, true},      {Int(2), Real(2.6), 0, false},
      {Str("ab"), Str("cd"), 3, true},   {Str("ab"), Str("cd"), 5, true},
      {Str("ab"), Str("ab"), 5, false},  {Str(""), TData(), 0, true},
      {Int(0), TData(), 0, true},        {Int(3), Int(3), 6, false},
      {Int(3), Int(4), 4, false},        {Real(4), Int(4), 4, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CompareData(c.a, c.b, c.code), c.expected) << ToString(c.a) << " ? " << ToString(c.b) << " code " << int(c.code);
}

TEST(CompareData, NoneIsFalseForEveryCode) {
  for (uint8_t code = 0; code <= 6; ++code) {
    EXPECT_FALSE(CompareData(TData(), Int(1), code));
    EXPECT_FALSE(CompareData(TData(), TData(), code));
  }
}

// --- Operand readers -------------------------------------------------------

struct Source {
  TData value;
  int reads = 0;
  void Read(TData& d) {
    ++reads;
    d = value;
  }
};

TEST(OperandReaders, WiredLinkWinsAndLeavesDataAlone) {
  Source src{Int(3)};
  THI_Event link = MakeLink<&Source::Read>(&src);
  StartDispatch();
  TData incoming = Int(9);
  EXPECT_EQ(ReadInteger(incoming, link, 4), 3);
  EXPECT_EQ(ReadReal(incoming, link, 4.0), 3.0);
  EXPECT_EQ(ReadString(incoming, link, "x"), "3");
  EXPECT_EQ(ToInteger(ReadData(incoming, link, nullptr)), 3);
  EXPECT_EQ(incoming.IntValue, 9);
  EXPECT_EQ(incoming.Kind, KindInteger);
  EXPECT_EQ(src.reads, 4);
  StopDispatch();
}

TEST(OperandReaders, ZeroDefaultTakesIncomingValue) {
  THI_Event unwired;
  TData incoming = Int(9);
  EXPECT_EQ(ReadInteger(incoming, unwired, 0), 9);
  EXPECT_EQ(incoming.Kind, KindNone);

  TData again = Int(9);
  EXPECT_EQ(ReadInteger(again, unwired, 4), 4);
  EXPECT_EQ(again.Kind, KindInteger);
  EXPECT_EQ(again.IntValue, 9);
}

TEST(OperandReaders, IncomingValueIsUsedUpByTheFirstReader) {
  THI_Event unwired;
  TData incoming = Real(1.5);
  EXPECT_EQ(ReadReal(incoming, unwired, 0.0), 1.5);
  EXPECT_EQ(ReadReal(incoming, unwired, 0.0), 0.0);

  TData text = Str("abc");
  EXPECT_EQ(ReadString(text, unwired, ""), "abc");
  EXPECT_EQ(ReadString(text, unwired, ""), "");
  EXPECT_EQ(ReadString(text, unwired, "dflt"), "dflt");
}

TEST(OperandReaders, ChainedValuesAdvance) {
  THI_Event unwired;
  TData third = Int(3);
  TData second = Str("two");
  second.Next = &third;
  TData first = Int(1);
  first.Next = &second;
  TData a = PopFirst(first);
  EXPECT_EQ(a.IntValue, 1);
  EXPECT_EQ(a.Next, nullptr);
  EXPECT_EQ(ReadString(first, unwired, ""), "two");
  EXPECT_EQ(ReadInteger(first, unwired, 0), 3);
  EXPECT_TRUE(IsNone(first));
  EXPECT_TRUE(IsNone(PopFirst(first)));
}

TEST(OperandReaders, ReadDataDefaultRules) {
  THI_Event unwired;
  TData def = Int(5);
  TData incoming = Int(7);
  EXPECT_EQ(ReadData(incoming, unwired, &def).IntValue, 5);
  EXPECT_EQ(incoming.IntValue, 7);
  TData noneDefault;
  EXPECT_EQ(ReadData(incoming, unwired, &noneDefault).IntValue, 7);
  EXPECT_TRUE(IsNone(incoming));
  EXPECT_TRUE(IsNone(ReadData(incoming, unwired, &noneDefault)));
}

TEST(OperandReaders, ReadIntoAndArrays) {
  THI_Event unwired;
  TData d = Int(4);
  ReadInto(d, unwired);
  EXPECT_TRUE(IsNone(d));

  struct OneItem : TArrayIntf {
    bool Get(TData&, TData& item) override {
      SetInteger(item, 1);
      return true;
    }
    int32_t Count() override { return 1; }
  } array;
  struct ArraySource {
    TArrayIntf* a;
    void Read(TData& d) { SetArray(d, a); }
  } src{&array};
  StartDispatch();
  EXPECT_EQ(ReadArray(MakeLink<&ArraySource::Read>(&src)), &array);
  EXPECT_EQ(ReadArray(unwired), nullptr);
  Source notArray{Int(1)};
  EXPECT_EQ(ReadArray(MakeLink<&Source::Read>(&notArray)), nullptr);
  EXPECT_EQ(ReadObject(MakeLink<&ArraySource::Read>(&src)), nullptr);
  StopDispatch();
}

TEST(OperandReaders, DispatcherOffYieldsEmptyValues) {
  Source src{Int(3)};
  THI_Event link = MakeLink<&Source::Read>(&src);
  TData incoming = Int(9);
  EXPECT_EQ(ReadInteger(incoming, link, 0), 0);
  EXPECT_EQ(ReadString(incoming, link, ""), "");
  TData into = Int(6);
  ReadInto(into, link);
  EXPECT_EQ(into.IntValue, 6);
  EXPECT_EQ(into.Kind, KindInteger);
  EXPECT_EQ(src.reads, 0);
}

}  // namespace
