#include "pages/about.h"

TClassChildGroupBox_1187E90::TClassChildGroupBox_1187E90(TControl* parent) {
  MakePage(parent, 1);
}
