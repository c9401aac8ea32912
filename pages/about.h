// The About page (tab 9): the program's title, a link label that opens the
// program's web address in the desktop shell, and the list of circuits the
// program calculates. No inputs, no calculation; method 0 shows or hides
// the page through a hub of its own.
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_1187E90 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_1187E90(TControl* parent);
};

