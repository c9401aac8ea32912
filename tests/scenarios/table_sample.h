// A window laid out like the one that lists the parts of a design: a few
// captions, number fields, the series list, a check box and a filled
// table with a row selected, made of the program's own window elements on
// the installed platform. The screenshot steps of the desktops show it, so
// that the table can be looked at beside the other controls.
#pragma once

#include <memory>
#include <vector>

#include "ui/main_form.h"
#include "ui/table.h"

struct TTableSample {
  std::unique_ptr<THIMainForm> Form;
  std::vector<std::unique_ptr<THIWin>> Elements;  // on the form
  THITable* Table = nullptr;
};

// Builds and shows the window (a form of its own when `owner` is none);
// its start-up step is queued (RunInits).
TTableSample MakeTableSample(TControl* owner = nullptr);
