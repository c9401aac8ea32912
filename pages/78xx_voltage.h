// The 78xx voltage regulator page (tab 6).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_28DD42C : public TPageScheme {
 public:
  explicit TClassChildGroupBox_28DD42C(TControl* parent);
};
