// The uA723 regulator page (tab 8): R2 of the output divider from Vout and
// the picked R1 (nothing is computed before one is picked), then, for a current of at most 150 mA, the current-limit
// resistor R3, the power it dissipates and its standard power rating.
#pragma once

#include "pages/sense_rows.h"

class TClassChildGroupBox_2928CAC : public TSensePage {
 public:
  explicit TClassChildGroupBox_2928CAC(TControl* parent);
};
