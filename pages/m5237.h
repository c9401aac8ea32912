// The M5237 regulator page (tab 5).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28CCE9C : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28CCE9C(TControl* parent);
};
