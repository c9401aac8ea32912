// The choice check: "doCheck" reads a list's choice through the host's
// data input 0 (Choice). A usable choice fires the host's event 0 (onValid)
// with empty data; anything else, none included, shows the message in a
// "Warning!" box and ends the calculation there.
#pragma once

#include <string>

#include "pages/points.h"
#include "runtime/multi_element.h"

// Points of the hosted scheme.
constexpr TMethodPoint kChoiceDoCheck{0};
constexpr TEventPoint kChoiceOnValid{0};
constexpr TDataInPoint kChoiceChoice{0};

enum class TChoiceKind {
  PositiveNumber,  // a number above 0: what a resistor list's Value reads
  Line,            // a selected line: what a device list's Text reads
};

struct TChoiceCheckSetup {
  TChoiceKind Kind;
  std::string Message;
};

TChildScheme MakeChoiceCheck(TControl* parent, const TChoiceCheckSetup& setup);

// The R1 lists' hint, which is also the warning of their check.
extern const char kR1ListHint[];
// The check of a resistor list R1 (a positive number, else kR1ListHint).
TChildScheme MakeR1Check(TControl* parent);
// The check of a 78xx type list: a selected line that the field shows.
TChildScheme MakeTypeCheck(TControl* parent);
