// Feeds arbitrary masks, placeholder counts and argument values to a
// THIFormatStr.
//
// Input: the setup first (Count, SkipInserted, for each argument whether it
// is wired and its value: text, integer or real; the incoming value), the
// rest of the input is the mask.
//
// Properties: every request fires exactly one text; without placeholders to
// fill (Count 0 or no "%") the text is the mask; the text grows at most by
// the inserted values, kMaxReplacements of them at most.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "elements/text.h"
#include "fuzz/fuzz_check.h"

namespace {

struct TArgument {
  TData value;
  void Value(TData& d) { CopySingle(d, value); }
};

struct TResult {
  int fired = 0;
  std::string text;
  void Take(TData& d) {
    ++fired;
    FuzzCheck(KindOf(d) == KindString);
    text = d.StrValue;
  }
};

TData FuzzValue(FuzzedDataProvider& in) {
  TData d;
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: SetString(d, in.ConsumeRandomLengthString(40)); break;
    case 1: SetInteger(d, in.ConsumeIntegral<int32_t>()); break;
    case 2: SetReal(d, in.ConsumeFloatingPoint<double>()); break;
    default: break;
  }
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartDispatch();
  FuzzedDataProvider in(data, size);
  THIFormatStr format;
  format.SetArgCount(in.ConsumeIntegralInRange<int>(-1, 6));
  format.SkipInserted = in.ConsumeIntegralInRange<uint8_t>(0, 2);
  std::vector<std::unique_ptr<TArgument>> args;
  size_t longest = 0;
  for (THI_Event& link : format.Args) {
    if (!in.ConsumeBool()) continue;  // unwired: takes the incoming value
    args.push_back(std::make_unique<TArgument>());
    args.back()->value = FuzzValue(in);
    longest = std::max(longest, ToString(args.back()->value).size());
    link = MakeLink<&TArgument::Value>(args.back().get());
  }
  const TData incoming = FuzzValue(in);
  longest = std::max(longest, ToString(incoming).size());
  format.Mask = in.ConsumeRemainingBytesAsString();

  TResult result;
  format.onFString = MakeLink<&TResult::Take>(&result);
  TData request = incoming;
  FireEvent(MakeLink<&THIFormatStr::doString>(&format), request);

  FuzzCheck(result.fired == 1);
  if (format.Count <= 0 || format.Mask.find('%') == std::string::npos) FuzzCheck(result.text == format.Mask);
  FuzzCheck(result.text.size() <= format.Mask.size() + longest * THIFormatStr::kMaxReplacements);
  return 0;
}
