// The L200 regulator page (tab 2): R2 of the output divider from Vout and
// R1 (picked or typed; without a positive R1 nothing is computed), then, when the current is at most 2 A, the sense resistor
// R3, the power it dissipates and its standard power rating.
#pragma once

#include "pages/sense_rows.h"

class TClassChildGroupBox_1163FB8 : public TSensePage {
 public:
  explicit TClassChildGroupBox_1163FB8(TControl* parent);
};
