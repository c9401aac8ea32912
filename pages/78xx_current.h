// The 78xx current regulator page (tab 7).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_2137818 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_2137818(TControl* parent);
};
