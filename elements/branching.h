// Branching elements: a two-operand comparison that continues with the
// value that arrived, and a match against a constant. Neither fails nor
// keeps state between calls; both live as long as their scheme.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

// Compares Op1 with Op2 (CompareData code Type) and continues on onTrue or
// onFalse with the value that arrived, never with the operands. Op1 is read
// first, so only it can take the incoming value when both could.
class THIIf_else : public TElement {
 public:
  uint8_t Type = 0;
  TData Op1Def;
  TData Op2Def;
  THI_Event Op2;
  THI_Event Op1;
  THI_Event onTrue;
  THI_Event onFalse;

  void doCompare(TData& data);
};

// Fires onMatch with no value when the incoming value equals Value
// (compared by the incoming value's kind), else onNextCase with the value.
class THICase : public TElement {
 public:
  TData Value;
  THI_Event onMatch;
  THI_Event onNextCase;

  void doCase(TData& data);
};
