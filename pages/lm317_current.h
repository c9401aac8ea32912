// The LM317 current regulator page (tab 1): the resistor that sets the
// output current from the 1.25 V reference, the power it dissipates and
// its standard power rating; a box warns (without stopping anything) when
// the resistor falls outside 0.4 to 125 ohms.
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28BDDE8 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28BDDE8(TControl* parent);
};
