#include "ui/platform.h"

namespace {
TSystemOps* installed_ops = nullptr;
}

TSystemOps* SystemOps() { return installed_ops; }

TSystemOps* SetSystemOps(TSystemOps* ops) {
  TSystemOps* previous = installed_ops;
  installed_ops = ops;
  return previous;
}
