// The LM317 voltage regulator page (tab 0): R2 of the output divider from
// Vout and the picked R1, the largest load resistance that keeps the
// regulator above its 10 mA minimum load, and that minimum load current.
// R2 comes from a closed-form estimate, or, with "Accurate result" ticked,
// from a step-by-step search on a worker thread that starts at the estimate
// and stops at the first R2 whose output voltage exceeds Vout.
// Method 0 shows or hides the page; method 1 selects R1 = 240 at start-up.
#pragma once

#include "pages/window_scheme.h"

class TClassChildGroupBox_11B4F30 : public TPageScheme {
 public:
  explicit TClassChildGroupBox_11B4F30(TControl* parent);

 private:
  // The R2 search over what `vout` and `r1` read, accurate as `accurate`
  // reads; each R2 goes to `onR2`.
  THIMultiElement* AddR2Search(const THI_Event& vout, const THI_Event& r1, THI_Event accurate, THI_Event onR2);
};
