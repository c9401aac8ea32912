// The uA723 regulator page (tab 8).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_2928CAC : public TPageScheme {
 public:
  explicit TClassChildGroupBox_2928CAC(TControl* parent);
};
