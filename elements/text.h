// Text elements: filling numbered placeholders in a mask, and reading
// numbers from text. Neither fails (text that is not a number reads as the
// number-text rules say); both live as long as their scheme.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"
#include "runtime/number_text.h"

// Replaces %1 .. %Count in Mask with the texts of Args[0 .. Count-1] ("%%"
// becomes "%") and fires the result. With SkipInserted 0 an inserted text
// is scanned again; at most kMaxReplacements are made per call, so a value
// that reproduces its own placeholder cannot loop forever, and the time a
// call takes grows with the length of the text it makes, no faster.
class THIFormatStr : public TElement {
 public:
  static constexpr int kMaxReplacements = 10000;

  int32_t Count = 0;
  std::vector<THI_Event> Args;
  std::string Mask;
  uint8_t SkipInserted = 0;
  THI_Event onFString;

  void SetArgCount(int n);
  void doString(TData& data);
};

enum : uint8_t {
  ConvertToInteger = 1,
  ConvertToReal = 10,
};

// Reads a text and fires it as an integer (Mode 1) or a real (Mode 10);
// other modes fire nothing.
class THIConvertor : public TElement {
 public:
  uint8_t Mode = 0;
  int32_t Digits = 0;  // decimals for conversions to text; unused by modes 1 and 10
  THI_Event Data;
  THI_Event onResult;

  void doConvert(TData& data);

 private:
  // A field's value reaches a range check as the same real at every
  // "Calculate": what its text reads back as is kept for the last one.
  TLastOfReal<double> last_read_back_;
};
