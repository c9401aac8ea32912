// The About page (tab 9).
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_1187E90 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_1187E90(TControl* parent);
};
