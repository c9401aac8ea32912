#include "pages/78xx_voltage.h"

TClassChildGroupBox_28DD42C::TClassChildGroupBox_28DD42C(TControl* parent) {
  MakePage(parent, 2);
}
