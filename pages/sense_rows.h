// TSensePage: the pages whose output current runs through a sense resistor
// R3 (L200, uA723) share their lower rows and the steps behind them: R2 in
// kOm, R3 in Om, the power R3 dissipates and its standard rating; and, when
// the output current is within the limit, R3, its power and the rating,
// each rounded into its row. A page gives the formulas, the helpers place
// and wire the rest.
#pragma once

#include <string>
#include <vector>

#include "elements/branching.h"
#include "pages/design.h"
#include "pages/window_scheme.h"

class TSensePage : public TPageScheme {
 protected:
  // The value labels of the rows (at y 95, 115, 135 and 160).
  struct TSenseRows {
    THILabel* R2;
    THILabel* R3;
    THILabel* Power;
    THILabel* Rating;
    std::vector<TDesignItem> Items;  // the rows as design items
  };
  TSenseRows AddSenseRows();

  // What happens after the R2 step. R3 and Power are the calculations'
  // start links; R3Result and PowerResult their result events, which the
  // helper wires to the roundings; PowerValue reads the power.
  struct TSenseSteps {
    THI_Event Current;  // the output current, in the unit of Limit
    int32_t Limit;
    std::string Warning;  // the "Warning!" box when the current is over
    THI_Event R3;
    THI_Event* R3Result;
    int R3Decimals;
    int R3Names;
    THI_Event Power;
    THI_Event* PowerResult;
    THI_Event PowerValue;
    int PowerNames;
  };
  // Answers the current check, which the page fires after its R2 step.
  THIIf_else* AddSenseSteps(const TSenseSteps& steps, const TSenseRows& rows);
};
