#include "pages/tl431_lm317.h"

TClassChildGroupBox_28BC1D8::TClassChildGroupBox_28BC1D8(TControl* parent) {
  MakePage(parent, 1);
}
