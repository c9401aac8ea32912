// The TL431 shunt regulator page (tab 3).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_1191F04 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_1191F04(TControl* parent);
};
