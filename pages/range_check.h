// The range check: "doCheck" reads the output-voltage text through the
// host's data input 0 (Voltage), converts it to a real V and either shows
// the warning (V above High or below Low; the one-bound shape tests Low
// only) and ends, or stores V (the host's data output 0, Value) and fires
// the host's event 0 (onValid) with empty data. The device shape builds its
// message from a mask whose %1 reads the host's data input 1 (MinVoltage).
#pragma once

#include <string>

#include "runtime/multi_element.h"

// Point indexes of the hosted scheme.
enum : uint16_t {
  kRangeDoCheck = 0,     // method doCheck
  kRangeOnValid = 0,     // event onValid
  kRangeValue = 0,       // data output Value
  kRangeVoltage = 0,     // data input Voltage
  kRangeMinVoltage = 1,  // data input MinVoltage (the device shape)
};

enum class TRangeShape { TwoBounds, LowOnly, Device };

struct TRangeCheckSetup {
  TRangeShape Shape;
  TData Low;           // bounds as the page stores them (text or integer)
  TData High;          // unused by the one-bound shape
  std::string Message; // the device shape: the mask with %1
};

TChildScheme MakeRangeCheck(TControl* parent, const TRangeCheckSetup& setup);

// Bound values as the pages write them.
TData TextValue(const std::string& text);
TData IntegerValue(int32_t value);
