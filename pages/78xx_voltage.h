// The 78xx voltage regulator page (tab 6): a fixed regulator lifted to a
// higher output by a divider. The picked type sets the regulator's own
// voltage (a device table from two text resources); the page checks Vout
// against the device and computes R2 from Vout, that voltage and the
// picked R1. A type typed into the Type field counts once it names a line;
// otherwise Calculate stops at once. Method 1 (doInit) pre-selects "240" in
// the R1 list and the 7805, the device the page starts with.
#pragma once

#include "pages/device_rows.h"

class TClassChildGroupBox_28DD42C : public TDevicePage {
 public:
  explicit TClassChildGroupBox_28DD42C(TControl* parent);
};
