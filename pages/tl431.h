// The TL431 shunt regulator page (tab 3): the divider R3 (lower) and R2
// (upper) around the 2.495 V reference from the ratio of divider current to
// reference input current, the series resistor R1 from the minimum input
// voltage and the power R1 dissipates at the maximum input voltage. Four
// checks stop the calculation first: headroom, ratio, input range, current.
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_1191F04 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_1191F04(TControl* parent);
};
