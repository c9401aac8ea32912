// THIGroupBox: a captioned frame that holds other controls; hiding it
// hides everything in it. The pages are group boxes. A right-click on the
// frame itself (not on a control in it) fires onContextMenu.
#pragma once

#include "ui/win.h"

class THIGroupBox : public THIWin {
 public:
  // Makes the control at once, captioned "GroupBox", in the default font.
  explicit THIGroupBox(TControl* parent);

  THI_Event onContextMenu;

  void SetCaption(const std::string& text);
  // Shows the frame unless the value is the integer 0 (ToBool: reals and
  // texts, "0" and 0.0 included, show it).
  void doVisible(TData& data);

 protected:
  bool HandleMessage(const TNotification& n) override;
};
