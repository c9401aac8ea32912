// The LM317 current regulator page (tab 1).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28BDDE8 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28BDDE8(TControl* parent);
};
