#include "formula/math_parse.h"

#include <algorithm>
#include <cstdint>

#include "runtime/system_ops.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The box lines, in code page 1251: the syntax-error line, the calculation-
// error line, and the lead-in of the position line (with its trailing blank).
constexpr const char kSyntaxErrorLine[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xF1\xE8\xED\xF2\xE0\xEA\xF1\xE8\xF1\xE0 \xE2 \xFD\xEB\xE5\xEC\xE5\xED\xF2\xE5 MathParser";
constexpr const char kCalcErrorLine[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xE2\xFB\xF7\xE8\xF1\xEB\xE5\xED\xE8\xFF \xE2 \xFD\xEB\xE5\xEC\xE5\xED\xF2\xE5 MathParser";
constexpr const char kFoundAtLine[] = "\xCE\xE1\xED\xE0\xF0\xF3\xE6\xE5\xED\xE0 \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";

// Half to even, keeping the low 32 bits as every integer conversion does.
int32_t RoundToInt32(double v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(RoundHalfEven(v))));
}

// Whether the integer result keeps its value in 32 bits (beyond the 64-bit
// range the rounding gives INT64_MIN, which does not either).
bool FitsInt32(double v) {
  const int64_t r = RoundHalfEven(v);
  return r >= INT32_MIN && r <= INT32_MAX;
}

}  // namespace

void THIMathParse::SetDataCount(int32_t n) {
  if (n < 0) n = 0;
  X.assign(static_cast<size_t>(n), THI_Event());
  cache_.assign(static_cast<size_t>(n), 0.0);
  readFlags_.assign(static_cast<size_t>(n), 0);
  DataCount = n;
}

void THIMathParse::SetMathStr(const std::string& text) { formula_.SetText(text); }

void THIMathParse::SetDefault(double value) {
  Default = value;
  lastResult_ = value;
  position_ = -1;
  error_ = kFormulaOk;
}

void THIMathParse::SetAngleMode(bool degrees) { angleFactor_ = degrees ? kPi / 180.0 : 1.0; }

void THIMathParse::doCalc(TData& data) {
  request_ = data;
  // After a failure %0 starts again from Default.
  if (position_ >= 0) lastResult_ = Default;

  TFormulaArgs args;
  args.links = X.data();
  args.cache = cache_.data();
  args.readFlags = readFlags_.data();
  args.count = static_cast<int32_t>(std::min({X.size(), cache_.size(), readFlags_.size()}));
  args.request = &request_;
  args.lastResult = lastResult_;
  args.angleFactor = angleFactor_;
  TFormulaOutcome outcome = formula_.Evaluate(args);
  request_.Next = nullptr;  // the caller's chain does not outlive the call

  error_ = outcome.error;
  const bool beyondInteger = error_ == kFormulaOk && ResultType != 1 && !FitsInt32(outcome.value);
  if (StopTooLarge && (beyondInteger || outcome.overflow)) {
    // Result gives the error marker until the next successful doCalc.
    error_ = kCalcError;
    position_ = outcome.consumed;
    ::StopTooLarge();
    return;
  }
  if (error_ == kFormulaOk) {
    lastResult_ = outcome.value;
    position_ = -1;
    if (ResultType == 1) {
      ContinueReal(data, onResult, outcome.value);
    } else {
      ContinueInteger(data, onResult, RoundToInt32(outcome.value));
    }
    return;
  }
  position_ = outcome.consumed;
  if (onError.Wired()) {
    ContinueInteger(data, onError, error_);
    return;
  }
  // The chain ends here with the caller's record as it came.
  ShowError();
}

void THIMathParse::ShowError() {
  TSystemOps* ops = SystemOps();
  if (!ops) return;
  std::string text = error_ == kSyntaxError ? kSyntaxErrorLine : kCalcErrorLine;
  text += "\r\n";
  text += kFoundAtLine;
  text += IntegerToText(position_);
  ops->ShowMessageBox(false, text, "Debug", MbOk);
}

void THIMathParse::Result(TData& data) {
  if (error_ == kSyntaxError || error_ == kCalcError) {
    SetNone(data);
    data.IntValue = error_;
    data.StrValue = kMathParseException;
    return;
  }
  if (ResultType == 1) {
    SetReal(data, lastResult_);
  } else {
    SetInteger(data, RoundToInt32(lastResult_));
  }
}
