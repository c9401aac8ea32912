// The formula language: a scanner and a recursive-descent parser with one
// token of look-ahead that computes while it parses, run on the text at every
// request. Nothing is compiled or kept between requests except what the
// caller passes in. It never throws and never traps: a failure comes back as
// an error code and the number of characters consumed when it was found.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/data.h"
#include "runtime/event.h"

// Error codes of one evaluation.
constexpr int16_t kFormulaOk = -1;
constexpr int16_t kSyntaxError = 0;
constexpr int16_t kCalcError = 1;

// The text of the error marker a failed formula element gives to its readers
// (a KindNone record whose IntValue is the error code).
constexpr const char kMathParseException[] = "MathParse Exception";

// Nesting deeper than this is a syntax error, so no text can exhaust the stack.
constexpr int kMaxFormulaDepth = 200;

// The argument side of one evaluation. The caller owns every array (count
// entries each) and the request record, and keeps them alive and unresized
// while Evaluate runs.
struct TFormulaArgs {
  const THI_Event* links = nullptr;  // %1..%n are read through links[0..n-1]
  double* cache = nullptr;           // plain %n values read so far
  uint8_t* readFlags = nullptr;      // 1 where cache holds a value; cleared by Evaluate
  int32_t count = 0;
  TData* request = nullptr;          // incoming values for unwired links; advances as they read
  double lastResult = 0.0;           // the value of %0
  double angleFactor = 1.0;          // 1 for radians, pi/180 for degrees
};

struct TFormulaOutcome {
  double value = 0.0;  // meaningful only when error is kFormulaOk
  int16_t error = kFormulaOk;
  // Characters consumed when evaluation stopped: the tokens read, the
  // look-ahead included, and the blanks skipped after numbers and operators.
  int32_t consumed = 0;
  // The calculation error was a value beyond the largest double.
  bool overflow = false;
};

// One formula text. Not thread-safe: an instance is used by one caller at a
// time (its owner's), and nothing is shared between instances.
class TFormula {
 public:
  TFormula();
  // Stores the text, blanks included, followed by the end marker (code 1).
  void SetText(const std::string& text);
  TFormulaOutcome Evaluate(const TFormulaArgs& args);

 private:
  std::string text_;    // never empty: always ends with the end marker
  std::string number_;  // number-token scratch, reused so requests do not allocate
};
