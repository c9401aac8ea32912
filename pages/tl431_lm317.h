// The TL431 with LM317 page (tab 4): a TL431 reference steering an LM317.
// From the output voltage, the output current and the ratio of divider
// current to reference input current it gives the divider R3 and R2, the
// resistor R1 and the two limits of capacitor C1 for the output voltage.
#pragma once

#include "pages/tl431.h"

class TClassChildGroupBox_28BC1D8 : public TTl431Page {
 public:
  explicit TClassChildGroupBox_28BC1D8(TControl* parent);
};

