// The TL431 with LM317 page (tab 4).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28BC1D8 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28BC1D8(TControl* parent);
};
