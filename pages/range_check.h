// The range check: "doCheck" reads the output-voltage text through the
// host's data input 0 (Voltage), converts it to a real V and either shows
// the warning (V above High or below Low; the one-bound shape tests Low
// only) and ends, or stores V (the host's data output 0, Value) and fires
// the host's event 0 (onValid) with empty data. The device shape builds its
// message from a mask whose %1 reads the host's data input 1 (MinVoltage).
#pragma once

#include <string>

#include "pages/points.h"
#include "runtime/multi_element.h"

// Points of the hosted scheme.
constexpr TMethodPoint kRangeDoCheck{0};
constexpr TEventPoint kRangeOnValid{0};
constexpr TDataOutPoint kRangeValue{0};
constexpr TDataInPoint kRangeVoltage{0};
constexpr TDataInPoint kRangeMinVoltage{1};  // the device shape

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
