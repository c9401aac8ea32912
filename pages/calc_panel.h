// The Calculate panel: a panel holding the page's "Calculate" button, whose
// click leaves through the host's event 0 (onCalculate) with empty data;
// and its variant holding the "Accurate result" check box, whose state the
// host's data output 0 (Accurate) reads as 1 or 0. Both are hosted by a
// THIMultiElement placed on the page box.
#pragma once

#include "pages/window_scheme.h"

// Panel position and size, and the button's Left inside it.
struct TCalcPanelPlace {
  TBox Panel;
  int32_t ButtonLeft;
};

// Where most pages hold the panel: at their foot, right.
constexpr TCalcPanelPlace kCalcPanelAtFoot{{273, 195, 130, 32}, 5};

// Points of the hosted scheme.
constexpr TEventPoint kPanelOnCalculate{0};
constexpr TDataOutPoint kPanelAccurate{0};

TChildScheme MakeCalcPanel(TControl* parent, TCalcPanelPlace place);
TChildScheme MakeAccuratePanel(TControl* parent);
