// The M5237 regulator page (tab 5): the upper divider resistor R2 from the
// output voltage and the lower resistor R1, picked from a list or typed
// (without a positive R1 nothing is computed), around the 1.26 V reference. Method 1 (doInit) picks 4300 ohms in the R1 list.
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28CCE9C : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28CCE9C(TControl* parent);
};
