#include "elements/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/number_text.h"
#include "support/probe.h"

namespace {

class Text : public DispatchOn {};

struct FormatCase {
  const char* name;
  std::string mask;
  int count;
  uint8_t skip;
  std::vector<TData> wired;  // values of wired arguments, from %1; KindNone entries stay unwired
  TData incoming;
  std::string expected;
};

TEST_F(Text, FormatStrFillsPlaceholders) {
  const FormatCase cases[] = {
      {"real written as number text", "Output voltage must be greater then %1V for this type of device.", 1, 1,
       {Real(1.0 / 3)}, {}, "Output voltage must be greater then 0.333333333333333V for this type of device."},
      {"integer argument", "Output current must be between 0.005 and %1 A for this type of device. ", 1, 1, {Int(2)},
       {}, "Output current must be between 0.005 and 2 A for this type of device. "},
      {"double percent", "100%% %1", 1, 1, {Int(7)}, {}, "100% 7"},
      {"no placeholders when Count is 0", "100%% %1", 0, 1, {}, Int(7), "100%% %1"},
      {"lone percent at the end stays", "50%", 1, 1, {Int(7)}, {}, "50%"},
      {"placeholder beyond Count stays", "%3", 1, 1, {Int(7)}, {}, "%3"},
      {"zero and no digits stay", "%0 %a", 1, 1, {Int(7)}, {}, "%0 %a"},
      {"pair before a placeholder", "%%%1", 1, 1, {Int(7)}, {}, "%7"},
      {"unwired: incoming value then nothing", "%1%1", 1, 1, {}, Str("v"), "v"},
      {"unwired: first in scan order takes it", "%2 and %1", 2, 1, {}, Str("x"), "x and "},
      {"placeholder numbers are sixteen bits", "%65537", 1, 1, {Int(7)}, {}, "7"},
      {"inserted text is skipped", "%1", 2, 1, {Str("%2"), Str("z")}, {}, "%2"},
      {"inserted text is scanned again", "%1", 2, 0, {Str("%2"), Str("z")}, {}, "z"},
      {"Output Voltage mask", "Output Voltage must be between %1 and  33 V for this type of device.", 1, 1,
       {Real(4.5)}, {}, "Output Voltage must be between 4.5 and  33 V for this type of device."},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    THIFormatStr fmt;
    std::vector<TSource> sources(c.wired.size());
    TProbe out;
    fmt.Mask = c.mask;
    fmt.SkipInserted = c.skip;
    fmt.SetArgCount(c.count);
    for (size_t i = 0; i < c.wired.size(); ++i) {
      sources[i].value = c.wired[i];
      if (!IsNone(c.wired[i])) fmt.Args[i] = sources[i].Out();
    }
    fmt.onFString = out.In();
    TData d = c.incoming;
    FireEvent(MakeLink<&THIFormatStr::doString>(&fmt), d);
    EXPECT_EQ(out.got, std::vector<std::string>{"str " + c.expected});
  }
}

// A value that brings its own placeholder back is replaced a bounded
// number of times when inserted text is scanned again.
TEST_F(Text, FormatStrBoundsSelfReproducingValues) {
  struct Case {
    const char* name;
    std::string value;
    size_t expectedLength;
  };
  const Case cases[] = {
      {"same placeholder", "%1", 3},
      {"growing text", "<%1>", 2 * THIFormatStr::kMaxReplacements + 3},
      {"each value brings two placeholders", "%1%1", 2 * THIFormatStr::kMaxReplacements + 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIFormatStr fmt;
    TSource arg;
    TProbe out;
    arg.value = Str(c.value);
    fmt.Mask = "%1!";
    fmt.SkipInserted = 0;
    fmt.SetArgCount(1);
    fmt.Args[0] = arg.Out();
    fmt.onFString = out.In();
    TData d;
    fmt.doString(d);
    ASSERT_EQ(out.got.size(), 1u);
    EXPECT_EQ(arg.reads, THIFormatStr::kMaxReplacements);
    EXPECT_EQ(out.got[0].size(), std::string("str ").size() + c.expectedLength);
  }
}

TEST_F(Text, ConvertorReadsNumbers) {
  struct Case {
    const char* name;
    uint8_t mode;
    bool wired;
    TData value;  // through the input when wired, else incoming
    const char* expected;
  };
  const Case cases[] = {
      {"real text", ConvertToReal, true, Str("12.5"), "real 12.5"},
      {"comma is skipped", ConvertToReal, true, Str("12,5"), "real 125"},
      {"incoming text", ConvertToReal, false, Str("-0.25"), "real -0.25"},
      {"incoming real", ConvertToReal, false, Real(2.5), "real 2.5"},
      {"integer stops at the point", ConvertToInteger, true, Str("12.5"), "int 12"},
      {"integer with sign", ConvertToInteger, false, Str("+7"), "int 7"},
      {"leading blank is not a number", ConvertToInteger, false, Str(" 5"), "int 0"},
      {"trailing letters", ConvertToInteger, false, Str("-12x"), "int -12"},
      {"nothing arrived", ConvertToInteger, false, TData(), "int 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIConvertor conv;
    TSource src;
    TProbe out;
    conv.Mode = c.mode;
    src.value = c.value;
    if (c.wired) conv.Data = src.Out();
    conv.onResult = out.In();
    TData d = c.wired ? Int(99) : c.value;
    FireEvent(MakeLink<&THIConvertor::doConvert>(&conv), d);
    EXPECT_EQ(out.got, std::vector<std::string>{c.expected});
  }
}

TEST_F(Text, ConvertorIgnoresOtherModes) {
  THIConvertor conv;
  TProbe out;
  conv.Mode = 3;
  conv.onResult = out.In();
  FireString(MakeLink<&THIConvertor::doConvert>(&conv), "5");
  EXPECT_TRUE(out.got.empty());
}

// A real arriving again and again reads back exactly as its text does, the
// same as when it arrives as that text; the record advances past it.
TEST_F(Text, ConvertorReadsARealAsItsText) {
  struct TRealSink : TElement {
    std::vector<double> got;
    void doIn(TData& d) { got.push_back(d.RealValue); }
  };
  const double values[] = {2.77,  0.1 + 0.2, 1.0 / 3.0, -1234567.8912345678, 123456789012345678.0,
                           5e-324, 1e300, 0.0,       -0.0,   std::numeric_limits<double>::infinity(),
                           std::nan(""), 37.0, 2.77};
  THIConvertor viaReal, viaText;
  TRealSink realSink, textSink;
  viaReal.Mode = viaText.Mode = ConvertToReal;
  viaReal.onResult = MakeLink<&TRealSink::doIn>(&realSink);
  viaText.onResult = MakeLink<&TRealSink::doIn>(&textSink);
  for (int round = 0; round < 2; ++round)
    for (double v : values) {
      SCOPED_TRACE(RealToText(v));
      const TData next = Str("next");
      TData d = Real(v);
      d.Next = &next;
      viaReal.doConvert(d);
      EXPECT_EQ(Show(d), "str next");
      TData t = Str(RealToText(v));
      viaText.doConvert(t);
      ASSERT_EQ(realSink.got.size(), textSink.got.size());
      const double got = realSink.got.back(), want = textSink.got.back();
      EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " " << want;
    }
}

}  // namespace
