#include "runtime/system_ops.h"

#include "runtime/event.h"

namespace {
TSystemOps* installed_ops = nullptr;
}  // namespace

TSystemOps* SystemOps() { return installed_ops; }

TSystemOps* SetSystemOps(TSystemOps* ops) {
  TSystemOps* previous = installed_ops;
  installed_ops = ops;
  return previous;
}

std::vector<int> BoxButtons(uint32_t style) {
  switch (style & 0x0F) {
    case MbOkCancel: return {IdOk, IdCancel};
    case MbAbortRetryIgnore: return {IdAbort, IdRetry, IdIgnore};
    case MbYesNoCancel: return {IdYes, IdNo, IdCancel};
    case MbYesNo: return {IdYes, IdNo};
    case MbRetryCancel: return {IdRetry, IdCancel};
    default: return {IdOk};
  }
}

int FirstButtonOf(uint32_t style) { return BoxButtons(style).front(); }

const char kTooLargeText[] = "The result is too large.";

void StopTooLarge() {
  if (TSystemOps* ops = SystemOps()) ops->ShowMessageBox(true, kTooLargeText, "Warning!", MbOk | MbIconWarning);
  HaltChain();
}
