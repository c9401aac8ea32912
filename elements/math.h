// THIMath: one two-operand arithmetic operation on reals, chosen by OpType.
// Lives as long as its scheme. A failed operation (division by zero, a zero
// step, an undefined power, an infinite or undefined result) sets Error,
// resets ResultValue to Default and fires onError with no value.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

// Operation codes the schemes use.
enum : uint8_t {
  MathMultiply = 2,
  MathDivide = 3,
  MathPower = 11,
  MathRoundToStep = 35,
};
// ResultType codes.
enum : uint8_t {
  MathResultInteger = 0,
  MathResultReal = 1,
};

class THIMath : public TElement {
 public:
  bool Error = false;
  double ResultValue = 0.0;
  double Default = 0.0;
  double AngleFactor = 1.0;  // kept for the angle mode; no operation here reads it
  uint8_t OpType = 0;
  double Op1Def = 0.0;
  double Op2Def = 0.0;
  uint8_t ResultType = MathResultInteger;  // integers leave rounded; any other code: reals
  // Set by the pages: a result beyond the largest double ends the
  // calculation with the "too large" warning (runtime/system_ops.h) instead
  // of going to onError.
  bool StopTooLarge = false;
  THI_Event onResult;
  THI_Event onError;
  THI_Event Op1;
  THI_Event Op2;

  void SetDefault(double value);
  void SetAngleMode(int mode);  // 0 radians, anything else degrees

  void doOperation(TData& data);
  // KindNone after a failure; else the result as integer or real.
  void Result(TData& data);

 private:
  void SetResultInto(TData& data) const;
};
