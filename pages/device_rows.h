// TDevicePage: the 78xx pages, whose numbers start from a device table:
// the Type row lists the regulator types, and picking one reads, column by
// column, the values on its line (its nominal voltage; on the current
// page its maximum current). A type typed into the field counts once it
// names a line; otherwise Calculate stops at once.
#pragma once

#include <vector>

#include "elements/routing.h"
#include "pages/window_scheme.h"

class TDevicePage : public TPageScheme {
 protected:
  // A column of the table: a text resource, one value a line, and the
  // value it holds until the first pick.
  struct TDeviceColumn {
    const char* Lines;
    TData Initial;
  };
  struct TDeviceTable {
    THIComboBox* Types;
    std::vector<THIMemory*> Columns;  // their Value reads the picked line's
  };
  // The Type row at y 20, its list from `types`.
  TDeviceTable AddDeviceTable(const char* types, const std::vector<TDeviceColumn>& columns);
  // The Calculate panel at the page's foot; its click checks the typed
  // type and, when it names a line, fires `onValid`.
  void AddTypeOpening(THIComboBox* types, THI_Event onValid);
  // The start-up picks: `r1Text` in `r1` (where there is one), then the
  // 7805 the numbers start with.
  void AddStartPicks(THIComboBox* types, THIComboBox* r1 = nullptr, const std::string& r1Text = {});
};
