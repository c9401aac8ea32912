// THIPanel: a plain container with an optional caption, drawn with the
// edge values it is created with; the Calculate button and the check box
// live on panels.
#pragma once

#include "ui/win.h"

class THIPanel : public THIWin {
 public:
  // Makes the control at once, so elements placed on the panel can be made
  // right after it.
  explicit THIPanel(TControl* parent);

  std::string Caption;
  // Edge drawing, passed to the control by Init.
  uint8_t OuterEdge = 0;
  uint8_t InnerEdge = 0;
  int32_t EdgeWidth = 0;
  uint8_t BorderFlag = 0;
  int32_t BorderWidth = 0;
  uint8_t Alignment = 0;  // caption: 0 left, 1 centre, 2 right
  THI_Event onClick;

  // The font has a character height of 11 pixels whatever Font.Size says.
  void Init() override;

 protected:
  bool HandleMessage(const TNotification& n) override;
};
