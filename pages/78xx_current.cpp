#include "pages/78xx_current.h"

TClassChildGroupBox_2137818::TClassChildGroupBox_2137818(TControl* parent) {
  MakePage(parent, 1);
}
