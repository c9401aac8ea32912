// THIDesign: a page's design as text, read from the page's own controls
// when asked: the page's name on the first line, then one line per item,
// "NAME REL VALUE UNIT" ("R2 = 0.805 kOm", "Rн < 12.5 kOm"), lines broken
// by CR LF. Its method point doMenu(index) is the right-click menu of item
// `index`'s result label: "Copy value", "Copy design" and, on a computed
// resistor, the nearest E24 and E96 values below and above it; what the
// user picks goes to the clipboard.
#pragma once

#include <string>
#include <vector>

#include "runtime/element.h"
#include "ui/win.h"

// One item: the caption label naming it (or an own Name instead), the
// control showing the value (a field, a list or a result label) and the
// unit label after it (none for a bare value). A "<" or ">" ending the
// caption or starting the unit is the item's relation; "=" otherwise.
struct TDesignItem {
  THIWin* Caption = nullptr;
  THIWin* Value = nullptr;
  THIWin* Unit = nullptr;
  std::string Name;
  bool Resistor = false;  // a computed resistance: its menu lists standard values
};

class THIDesign : public TElement {
 public:
  std::string Title;
  std::vector<TDesignItem> Items;

  // Wires the menu of every item whose value is a label.
  void WireMenus();
  // The whole design, and one item's line and value ("0.805 kOm").
  std::string Text() const;
  std::string Line(size_t item) const;
  std::string ValueText(size_t item) const;
  // Whether the page has computed its results: a computed resistance
  // shows something other than the 0 every page starts with.
  bool Calculated() const;
  // The lines of item `index`'s menu.
  std::vector<std::string> MenuLines(size_t index) const;

  // Method point: shows item `index`'s menu and copies the pick.
  void doMenu(TData& data, uint16_t index);
};

// The menu's first two lines.
extern const char* const kCopyValueLine;
extern const char* const kCopyDesignLine;
