// TSensePage: the pages whose output current runs through a sense resistor
// R3 (L200, uA723). They share their rows (Vout, Iout, the R1 list; R2 in
// kOm, R3 in Om, the power R3 dissipates and its standard rating), their
// opening checks and R2; and, when the output current is within the
// limit, R3, its power and the rating, each rounded into its row. A page
// gives its numbers and formulas; the helpers place and wire the rest.
#pragma once

#include <string>

#include "elements/routing.h"
#include "pages/range_check.h"
#include "pages/window_scheme.h"

class TSensePage : public TPageScheme {
 protected:
  struct TSensePageSetup {
    const char* Schematic;
    const char* Title;
    TEditField Iout;
    TCell IoutUnit;
    TListField R1List;
    TRangeCheckSetup VoutRange;
    const char* R2Formula;  // of Vout (%1) and R1 (%2), in ohms
    TRoundingNames R2Names;
  };
  // Makes the page, its rows and its R2 step, and answers the Iout field.
  THIEdit* MakeSensePage(TControl* parent, const TSensePageSetup& setup);

  // The output current's bound, in the unit of the Iout field, and the
  // "Warning!" box's text when the current is over it.
  struct TCurrentLimit {
    int32_t Limit;
    std::string Warning;
  };
  // A calculation whose result a row shows: its start link, its result
  // event, and how the row rounds it.
  struct TShownStep {
    THI_Event Start;
    THI_Event* Result;
    int Decimals;
    TRoundingNames Names;
  };
  // What follows R2 when the current is within `limit`: R3, its power
  // (`powerValue` reads it) and the power's standard rating.
  void AddSenseSteps(const TCurrentLimit& limit, const TShownStep& r3, const TShownStep& power,
                     THI_Event powerValue);

 private:
  THIEdit* iout_ = nullptr;
  THIHub* calcHub_ = nullptr;
  TResultRow r3_{nullptr, nullptr};
  TResultRow power_{nullptr, nullptr};
  THILabel* rating_ = nullptr;
};
