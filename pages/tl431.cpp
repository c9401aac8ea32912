#include "pages/tl431.h"

TClassChildGroupBox_1191F04::TClassChildGroupBox_1191F04(TControl* parent) {
  MakePage(parent, 1);
}
