// The TL431 shunt regulator page (tab 3): the divider R3 (lower) and R2
// (upper) around the 2.495 V reference from the ratio of divider current to
// reference input current, the series resistor R1 from the minimum input
// voltage and the power R1 dissipates at the maximum input voltage. Four
// checks stop the calculation first: headroom, ratio, input range, current.
#pragma once

#include "pages/calc_panel.h"
#include "pages/window_scheme.h"

// What the two TL431 pages share: their row grid and input rows, the R1
// row and the divider rows, the output voltage check (2.5 to 36 V), the
// ratio and current warnings, and the divider around the 2.495 V
// reference.
class TTl431Page : public TPageScheme {
 protected:
  static constexpr TRowGrid kGrid{335, 40, 325, 380, 15, kCharSetDefault, true};
  static constexpr TCalcPanelPlace kPanelPlace{{275, 195, 130, 33}, 3};

  // Vout, Iout (mA) and the ratio Idiv/Iref from `top` down, 25 apart.
  struct TInputs {
    THIEdit *Vout, *Iout, *Ratio;
  };
  TInputs AddInputRows(int32_t top, THIEdit::TValueReader ratioReader);
  TResultRow AddR1Row(int32_t top);
  // R2 (upper) at `top` and R3 (lower) 20 below, both in kOm.
  struct TDividerRows {
    TResultRow R2, R3;
  };
  TDividerRows AddDividerRows(int32_t top);

  THIMultiElement* AddVoutCheck();
  // The ratio below 100 warns; otherwise `next` fires. Answers the check's
  // start.
  THI_Event AddRatioCheck(THIEdit* ratio, THI_Event next);
  // Iout up to 100 mA fires `next`; above, a warning. Answers the check's
  // start.
  THI_Event AddCurrentCheck(THIEdit* iout, THI_Event next);
  // R3 (lower) from the ratio of divider current to reference input
  // current, then R2 (upper) from the checked output voltage and R3; each
  // shown in kOm, rounded to 3 places. Answers the two formulas, which the
  // page's calculation hub fires in that order.
  struct TDivider {
    THIMathParse* R3;
    THIMathParse* R2;
  };
  struct TDividerNames {
    TRoundingNames R3, R2;
  };
  TDivider AddDivider(THIEdit* ratio, THIMultiElement* voutCheck, const TDividerRows& rows, TDividerNames names);
};

class TClassChildGroupBox_1191F04 : public TTl431Page {
 public:
  explicit TClassChildGroupBox_1191F04(TControl* parent);

 private:
  struct TVinFields {
    THIEdit *Min, *Max;
  };
  TVinFields AddVinRow();
};
