// THICheckBox: a check box; each click fires onCheck, then onCheck2, with
// the new state (1 checked, 0 not). Checked may be read from a worker
// holding the scheme lock: it then answers from the element's copy.
#pragma once

#include "ui/win.h"

class THICheckBox : public THIWin {
 public:
  // Makes the control at once, captioned "CheckBox".
  explicit THICheckBox(TControl* parent);

  THI_Event onCheck, onCheck2;

  void SetCaption(const std::string& text);
  // An option index: 0 checks the box, any other value clears it.
  void SetChecked(uint8_t option);

  // Data output: 1 when checked, 0 when not.
  void Checked(TData& data);

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  bool checked_ = false;
};
