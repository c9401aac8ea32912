// The 78xx current regulator page (tab 7): a fixed regulator as a constant
// current source. The picked type sets the regulator voltage and its
// maximum output current (a device table from three text resources); a
// load current between 0.005 A and that maximum gives R1, the power R1
// dissipates and the standard power rating to choose for it. A type typed
// into the Type field counts once it names a line; otherwise Calculate
// stops at once. Method 1 (doInit) shows the 7805 the page starts with.
#pragma once

#include "pages/device_rows.h"

class TClassChildGroupBox_2137818 : public TDevicePage {
 public:
  explicit TClassChildGroupBox_2137818(TControl* parent);
};
