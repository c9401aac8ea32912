#include "pages/ua723.h"

TClassChildGroupBox_2928CAC::TClassChildGroupBox_2928CAC(TControl* parent) {
  MakePage(parent, 1);
}
