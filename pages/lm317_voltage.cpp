#include "pages/lm317_voltage.h"

TClassChildGroupBox_11B4F30::TClassChildGroupBox_11B4F30(TControl* parent) {
  MakePage(parent, 2);
}
