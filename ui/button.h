// THIButton: a push button; each press fires onClick with a copy of Data.
#pragma once

#include "ui/win.h"

class THIButton : public THIWin {
 public:
  // Makes the control at once, captioned "Push".
  explicit THIButton(TControl* parent);

  THI_Event onClick;
  TData Data;

  void SetCaption(const std::string& text);

 protected:
  bool HandleMessage(const TNotification& n) override;
};
