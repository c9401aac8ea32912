// The LM317 voltage regulator page (tab 0).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_11B4F30 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_11B4F30(TControl* parent);
};
