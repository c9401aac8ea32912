// The TL431 shunt regulator page (tab 3): the divider R3 (lower) and R2
// (upper) around the 2.495 V reference from the ratio of divider current to
// reference input current, the series resistor R1 from the minimum input
// voltage and the power R1 dissipates at the maximum input voltage. Four
// checks stop the calculation first: headroom, ratio, input range, current.
#pragma once

#include "pages/window_scheme.h"

// What the two TL431 pages share: the output voltage check (2.5 to 36 V)
// and the divider around the 2.495 V reference.
class TTl431Page : public TPageScheme {
 protected:
  THIMultiElement* AddVoutCheck();
  // R3 (lower) from the ratio of divider current to reference input
  // current, then R2 (upper) from the checked output voltage and R3; each
  // shown in kOm, rounded to 3 places. Answers the two formulas, which the
  // page's calculation hub fires in that order.
  struct TDivider {
    THIMathParse* R3;
    THIMathParse* R2;
  };
  TDivider AddDivider(THI_Event ratio, THIMultiElement* voutCheck, THILabel* r3, int r3Names, THILabel* r2,
                      int r2Names);
};

class TClassChildGroupBox_1191F04 : public TTl431Page {
 public:
  explicit TClassChildGroupBox_1191F04(TControl* parent);
};
