// Feeds arbitrary formula texts and argument values to a THIMathParse.
//
// Input: the formula text, optionally followed by a zero byte and a tail
// that chooses the element's setup: argument count and kinds (reals,
// integers, texts, error markers, nothing, arrays, objects, sources
// answering '%n(x)', unwired inputs, another formula element), the incoming
// record with its chain, ResultType, AngleMode, Default, whether onError is
// wired, and how many requests to run. Without a tail, four plain real
// arguments are wired, as on the pages.
//
// Besides the sanitizers' checks it stops when a success carries a value that
// is not finite, or when an error position lies outside the text.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "formula/math_parse.h"
#include "fuzz/fuzz_check.h"

namespace {

// Only the formula element's own box may be shown.
class TDebugBoxesOnly : public TSilentSystem {
 public:
  int ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override {
    FuzzCheck(caption == "Debug" && text.find("\r\n") != std::string::npos);
    return TSilentSystem::ShowMessageBox(owned, text, caption, style);
  }
};

// Items 0..n-1 hold the given values; other indexes fail.
class TFuzzArray : public TArrayIntf {
 public:
  std::vector<TData> items;
  bool Get(TData& index, TData& item) override {
    int32_t i = ToIndex(index);
    if (i < 0 || static_cast<size_t>(i) >= items.size()) return false;
    CopySingle(item, items[static_cast<size_t>(i)]);
    return true;
  }
  int32_t Count() override { return static_cast<int32_t>(items.size()); }
};

// Answers (i, j) with i*j + the base value, or nothing outside a square.
class TFuzzObject : public TObjectIntf {
 public:
  int32_t size = 0;
  double base = 0.0;
  TData ReadAt(int32_t i, int32_t j) override {
    TData d;
    if (i >= 0 && j >= 0 && i < size && j < size) SetReal(d, base + static_cast<double>(i) * j);
    return d;
  }
};

struct TFuzzSource {
  TData value;
  int mode = 0;  // 0: answer the value; 1: answer a call with the value times x; 2: answer nothing to a call
  void Value(TData& d) {
    if (mode == 1 && KindOf(d) == KindReal) {
      SetReal(d, d.RealValue * ToReal(value));
    } else if (mode == 2) {
      SetNone(d);
    } else {
      CopySingle(d, value);
    }
  }
};

double FuzzReal(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return in.ConsumeIntegralInRange<int>(-1000, 1000);
    case 1: return in.ConsumeFloatingPoint<double>();
    case 2: return in.ConsumeProbability<double>();
    case 3: return std::numeric_limits<double>::infinity();
    case 4: return std::numeric_limits<double>::quiet_NaN();
    case 5: return -0.0;
    case 6: return std::numeric_limits<double>::denorm_min();
    default: return in.ConsumeIntegral<int64_t>() * 0.001;
  }
}

// One argument value of any kind the runtime carries.
TData FuzzValue(FuzzedDataProvider& in) {
  TData d;
  switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: SetReal(d, FuzzReal(in)); break;
    case 1: SetInteger(d, in.ConsumeIntegral<int32_t>()); break;
    case 2: SetString(d, in.ConsumeRandomLengthString(24)); break;
    case 3:  // the error marker of a failed formula element
      d.IntValue = in.ConsumeIntegralInRange<int32_t>(-2, 3);
      d.StrValue = kMathParseException;
      break;
    default: break;  // nothing
  }
  return d;
}

// Everything one input wires up; destroyed after the run.
struct TRig {
  TDebugBoxesOnly system;
  std::vector<std::unique_ptr<TFuzzSource>> sources;
  std::vector<std::unique_ptr<TFuzzArray>> arrays;
  std::vector<std::unique_ptr<TFuzzObject>> objects;
  std::unique_ptr<THIMathParse> upstream;
  TData chain[3];
  int errors = 0, results = 0;
  double lastValue = 0.0;
  uint8_t lastKind = KindNone;

  void OnError(TData& d) {
    FuzzCheck(!(KindOf(d) != KindInteger || (d.IntValue != 0 && d.IntValue != 1)));
    ++errors;
  }
  void OnResult(TData& d) {
    ++results;
    lastKind = KindOf(d);
    lastValue = ToReal(d);
  }

  THI_Event Source(TData value, int mode = 0) {
    sources.push_back(std::make_unique<TFuzzSource>());
    sources.back()->value = value;
    sources.back()->mode = mode;
    return MakeLink<&TFuzzSource::Value>(sources.back().get());
  }

  THI_Event Argument(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
      case 0: return Source(FuzzValue(in));
      case 1: {
        arrays.push_back(std::make_unique<TFuzzArray>());
        size_t n = in.ConsumeIntegralInRange<size_t>(0, 4);
        for (size_t i = 0; i < n; ++i) arrays.back()->items.push_back(FuzzValue(in));
        TData d;
        SetArray(d, arrays.back().get());
        return Source(d);
      }
      case 2: {
        objects.push_back(std::make_unique<TFuzzObject>());
        objects.back()->size = in.ConsumeIntegralInRange<int32_t>(0, 5);
        objects.back()->base = FuzzReal(in);
        TData d;
        SetObject(d, objects.back().get());
        return Source(d);
      }
      case 3: return Source(FuzzValue(in), 1);
      case 4: return Source(TData(), 2);
      case 5:
        if (!upstream) {
          upstream = std::make_unique<THIMathParse>();
          upstream->SetDataCount(1);
          upstream->SetMathStr(in.ConsumeRandomLengthString(32));
          upstream->ResultType = in.ConsumeIntegral<uint8_t>();
          upstream->SetDefault(FuzzReal(in));
          upstream->X[0] = Source(FuzzValue(in));
          TData d;
          FireEvent(MakeLink<&THIMathParse::doCalc>(upstream.get()), d);
        }
        return MakeLink<&THIMathParse::Result>(upstream.get());
      default: return THI_Event();  // unwired: takes the incoming value
    }
  }
};

const double kPageValues[] = {12.0, 240.0, 100.0, 10.0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartDispatch();
  const uint8_t* zero = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  size_t textSize = zero ? static_cast<size_t>(zero - data) : size;
  std::string text(reinterpret_cast<const char*>(data), textSize);
  FuzzedDataProvider in(zero ? zero + 1 : data + size, zero ? size - textSize - 1 : 0);

  TRig rig;
  SetSystemOps(&rig.system);
  THIMathParse mp;
  TData request;
  int requests = 1;
  if (!zero) {
    mp.SetDataCount(4);
    mp.SetMathStr(text);
    mp.ResultType = 1;
    mp.SetDefault(0.0);
    for (int i = 0; i < 4; ++i) {
      TData v;
      SetReal(v, kPageValues[i]);
      mp.X[static_cast<size_t>(i)] = rig.Source(v);
    }
  } else {
    mp.SetDataCount(in.ConsumeIntegralInRange<int32_t>(-1, 6));
    mp.SetMathStr(text);
    mp.ResultType = in.ConsumeIntegral<uint8_t>();
    if (in.ConsumeBool()) mp.SetDefault(FuzzReal(in));
    mp.SetAngleMode(in.ConsumeBool());
    for (auto& x : mp.X) x = rig.Argument(in);
    if (in.ConsumeBool()) mp.onError = MakeLink<&TRig::OnError>(&rig);
    // The incoming record, possibly a chain of up to three values.
    size_t links = in.ConsumeIntegralInRange<size_t>(0, 2);
    for (size_t i = 0; i <= links; ++i) rig.chain[i] = FuzzValue(in);
    for (size_t i = 0; i < links; ++i) rig.chain[i].Next = &rig.chain[i + 1];
    request = rig.chain[0];
    requests = in.ConsumeIntegralInRange<int>(1, 3);
  }
  mp.onResult = MakeLink<&TRig::OnResult>(&rig);

  for (int r = 0; r < requests; ++r) {
    TData d = request;
    int before = rig.results;
    FireEvent(MakeLink<&THIMathParse::doCalc>(&mp), d);
    if (mp.ErrorCode() == kFormulaOk) {
      FuzzCheck(!(rig.results != before + 1 || mp.ErrorPosition() != -1));
      FuzzCheck(!(rig.lastKind == KindReal && !std::isfinite(rig.lastValue)));
    } else {
      FuzzCheck(!(mp.ErrorCode() != kSyntaxError && mp.ErrorCode() != kCalcError));
      FuzzCheck(!(rig.results != before));
      FuzzCheck(!(mp.ErrorPosition() < 0 || static_cast<size_t>(mp.ErrorPosition()) > text.size()));
    }
    TData result;
    FireEvent(MakeLink<&THIMathParse::Result>(&mp), result);
    FuzzCheck(!(KindOf(result) == KindReal && !std::isfinite(result.RealValue)));
  }
  SetSystemOps(nullptr);
  return 0;
}
