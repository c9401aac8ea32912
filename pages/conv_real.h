// The rounding sub-scheme: "doConvReal"(V) fires "onResult" with
// round-half-even(V x 10^N) / 10^N, the product rounded to a double first;
// "Result" reads the last output; the outer "Data" input, when wired and
// greater than V, is rounded instead. A value of magnitude 2^53 or more is
// already whole and leaves as it came (Result keeps the last rounded
// output); a scaling step beyond the largest double ends the calculation
// with the "too large" warning. Hosted by a named container whose four
// point names come from four consecutive text resources.
#pragma once

#include "pages/points.h"
#include "runtime/multi_element.h"

// Points of the hosted scheme.
constexpr TMethodPoint kRoundDoConvReal{0};
constexpr TEventPoint kRoundOnResult{0};
constexpr TDataOutPoint kRoundResult{0};
constexpr TDataInPoint kRoundData{0};

// Builds the hosted scheme for `decimals` places, naming its points from
// the resources "Str<firstName>" .. "Str<firstName + 3>".
TChildScheme MakeConvReal(TControl* parent, int decimals, int firstName);
