#include "pages/m5237.h"

TClassChildGroupBox_28CCE9C::TClassChildGroupBox_28CCE9C(TControl* parent) {
  MakePage(parent, 2);
}
