// TCalcScheme: a scheme that calculates, the pages and their sub-schemes.
// Its helpers create the formula, arithmetic, comparison and box elements
// set up as every page sets them, so that a scheme's constructor names
// what it computes rather than element fields. The scheme owns what it
// creates, as any scheme does; elements are used on the thread that runs
// the scheme's chains.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "formula/math_parse.h"
#include "runtime/element.h"

// How a formula or an arithmetic element hands its result on.
enum class TResultKind : uint8_t {
  Integer,  // rounded half to even, 32 bits
  Real,
};

// An OK box: "Warning!" with the warning icon. An empty text shows what
// arrives.
void SetWarning(THIMessage* message, const std::string& text);

class TCalcScheme : public TScheme {
 protected:
  // A formula of `args` arguments, Default 0, radians. A result beyond 32
  // bits (integer kind) or beyond the largest double on the way ends the
  // calculation with the box "The result is too large.".
  THIMathParse* AddFormula(const std::string& text, int32_t args, TResultKind kind);
  // What the formula's arguments %1, %2, ... read, in that order.
  static void Feed(THIMathParse* formula, std::initializer_list<THI_Event> args);
  // A hub that fires `steps` one after the other with what arrives;
  // answers its start.
  THI_Event AddSteps(std::initializer_list<THI_Event> steps);
  // Divides what arrives by `by`, handing a real on.
  THIMath* AddDivide(double by) { return AddDivision(0.0, by); }
  // Divides `dividend` by what Op2 reads, handing a real on.
  THIMath* AddQuotient(double dividend) { return AddDivision(dividend, 0.0); }
  // OK boxes: "Warning!" with the warning icon (as SetWarning), "Error!"
  // with the error icon.
  THIMessage* AddWarning(const std::string& text);
  THIMessage* AddError(const std::string& text);
  // A "Warning!" box showing `mask` with %1 replaced by what `arg` reads;
  // answers the link that shows it.
  THI_Event AddWarningOf(const std::string& mask, THI_Event arg);
  // A comparison of Op1 (wired by the caller) against `bound`; where it
  // fails, `box` (if any) is shown: onFalse when `passWhenTrue`, else
  // onTrue. The other branch is the caller's to wire.
  THIIf_else* AddCheck(uint8_t compare, const TData& bound, THIMessage* box, bool passWhenTrue);

 private:
  // A real division; each operand the default of its input.
  THIMath* AddDivision(double dividend, double divisor);
};
