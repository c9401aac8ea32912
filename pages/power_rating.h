// The power rating sub-scheme: x = the margin formula of the power read
// through the host's data input 0 (Power); the first of the comparisons
// x > 40, 20, 10, 5, 3, 2, 1, 0.5, 0.25, 0.125 that holds fires its
// standard rating text through the host's event 0 (onRating), and an x not
// above 0.125 fires "0.125". The short list starts at x > 2 ("3").
// Two shapes: methods doCalc (0) and doSelect (1), or one doRating (0)
// that runs both in that order.
#pragma once

#include <string>

#include "pages/points.h"
#include "runtime/multi_element.h"

struct TPowerRatingSetup {
  std::string Formula;  // "%1/0.7" or "%1/0.75"
  bool LongList;        // ratings up to "50" instead of "3"
  bool OneMethod;       // doRating instead of doCalc + doSelect
};

// Points of the hosted scheme.
constexpr TMethodPoint kRatingDoCalc{0};  // doRating in the one-method shape
constexpr TMethodPoint kRatingDoSelect{1};
constexpr TEventPoint kRatingOnRating{0};
constexpr TDataInPoint kRatingPower{0};

TChildScheme MakePowerRating(TControl* parent, const TPowerRatingSetup& setup);
