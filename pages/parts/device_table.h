// The regulators' data: one row per device of the nine pages (the LM317
// family, the L200, the TL431, the M5237, each 78xx type of the 78xx pages'
// lists, the uA723) with the spread of what sets its output, its own
// current, its current-limit sense voltage, dropout, maximum junction
// temperature and package thermal resistances, each row naming its source.
// The rows live in the text resource "DEVICES" (resources/text/DEVICES.txt)
// and are parsed once, when first asked for: the table is built on first
// use and never changes after, so any thread may read it.
#pragma once

#include <string>
#include <vector>

// A quantity's spread; a bound the source does not give is NaN (typical is
// always given where the quantity exists).
struct TSpread {
  double Min, Typ, Max;
  bool Given() const { return Typ == Typ; }
};

struct TDeviceRow {
  std::string Name;          // "LM317", "7805"
  TSpread Reference;         // volts: the reference, or the fixed output
  std::string CurrentKind;   // "Iadj", "Iq", "Iref", "Istby" or "-"
  TSpread Current;           // amperes (the table writes mA)
  TSpread Sense;             // volts: current-limit sense; NaN when none
  double Dropout;            // volts; NaN when none or not given
  double TjMax;              // degrees C; NaN when not given
  double ThetaJc, ThetaJa;   // degrees C per watt; NaN when not given
  std::string Package, Source, Grade;
};

struct TDeviceTable {
  std::vector<TDeviceRow> Rows;
  std::string Error;  // empty when the text parsed; else "line N: ..."
  const TDeviceRow* Find(const std::string& name) const;
};

// Parses a table text (lines broken by CR LF or LF; '#' starts a comment
// line; fields separated by '|'). On a malformed line the table is empty
// and Error says where.
TDeviceTable ParseDeviceTable(const std::string& text);

// The program's table, parsed from its resource on first use.
const TDeviceTable& DeviceTable();
