#include "pages/lm317_current.h"

TClassChildGroupBox_28BDDE8::TClassChildGroupBox_28BDDE8(TControl* parent) {
  MakePage(parent, 1);
}
