// THIMathParse: the element that carries one formula of a page. doCalc
// evaluates MathStr afresh, reading %1..%n through X[0..n-1], and hands the
// result on through onResult by continuation. A failure goes to onError, or,
// when onError is unwired, to a "Debug" message box; Result then gives the
// error marker until the next successful doCalc.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formula/evaluator.h"
#include "runtime/data.h"
#include "runtime/element.h"
#include "runtime/event.h"

// ResultType codes.
enum : uint8_t {
  ParseResultInteger = 0,
  ParseResultReal = 1,
};

class THIMathParse : public TElement {
 public:
  int32_t DataCount = 0;       // the number of arguments; set through SetDataCount
  double Default = 0.0;        // the value of %0 and Result before a successful doCalc; set through SetDefault
  uint8_t ResultType = ParseResultInteger;  // ParseResultReal: reals; otherwise integers rounded half to even
  // Set by the pages: a result the element cannot carry (an integer result
  // beyond 32 bits, a value beyond the largest double on the way) ends the
  // calculation with the "too large" warning (runtime/system_ops.h)
  // instead of travelling on wrapped or going to the error path.
  bool StopTooLarge = false;
  std::vector<THI_Event> X;    // argument data inputs: X[0] supplies %1
  THI_Event onError;           // carries the error code: 0 syntax, 1 calculation
  THI_Event onResult;

  // Sizes X, the argument cache and its flags to n (links unwired).
  void SetDataCount(int32_t n);
  void SetMathStr(const std::string& text);
  void SetDefault(double value);
  void SetAngleMode(bool degrees);

  // Evaluates now; the point index is ignored.
  void doCalc(TData& data);
  // The outcome of the last evaluation; does not evaluate.
  void Result(TData& data);

  // The last error code (-1 none) and the characters consumed when it was
  // found (-1 after a success).
  int16_t ErrorCode() const { return error_; }
  int32_t ErrorPosition() const { return position_; }

 private:
  void ShowError();

  TFormula formula_;
  int32_t position_ = -1;  // -1 after a success; else the reported error position
  double lastResult_ = 0.0;
  double angleFactor_ = 1.0;
  int16_t error_ = kFormulaOk;  // kept until the next evaluation
  TData request_;               // the record of the running doCalc
  std::vector<double> cache_;
  std::vector<uint8_t> readFlags_;
};
