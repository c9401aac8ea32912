// TPartsWindow: the "Parts" window over the main window. For the design of
// the page on screen it lists the best sets of standard resistor values
// (or, on the current sources, the nearest single values), then the worst
// case of the first choice and the regulator's heat and headroom. The user
// chooses the series, the tolerance, the input voltage, the load current,
// the ambient temperature and whether a list-picked resistor stays as the
// page has it; every change is shown at once. The window does not read the
// page by itself: its owner hands it the page's design when it opens, after
// each Calculate and when another page comes on screen (Follow). A page
// not calculated yet, or one that designs nothing, gets a note saying what
// to do first and empty tables. Ctrl+C in the window copies its content as
// text: the page's name and the choices on the first line, then a line per
// finding. The owner builds the window when it is first asked for; closing
// it only hides it. Window thread only.
#pragma once

#include <string>

#include "pages/parts/parts_text.h"
#include "pages/window_scheme.h"
#include "ui/check_box.h"
#include "ui/main_form.h"
#include "ui/table.h"

// The line of a page's right-click menu that opens the window (code page
// 1251).
extern const char* const kPartsLine;

// What the window reads of a page: its design as Ctrl+C copies it (empty
// for a page that designs nothing) and whether its results were computed.
struct TPageDesign {
  std::string Text;
  bool Calculated = false;
};

class TPartsWindow : public TWindowScheme {
 public:
  // Builds the window hidden, over the form of the control `owner`.
  explicit TPartsWindow(TControl* owner);

  // Shows the window (again, in front) with `page`'s parts.
  void Open(const TPageDesign& page);
  // Takes `page`'s design when the window is open; a closed window keeps
  // nothing and reads the page when it opens.
  void Follow(const TPageDesign& page);
  bool IsOpen() const;

  // What Ctrl+C copies (CR LF between lines).
  std::string Text() const { return copy_; }

  THIMainForm* Form;
  THIComboBox* Series;    // E6 ... E192
  THIEdit* Tolerance;     // percent; the series' own when the series changes
  THIEdit* Vin;           // volts; empty: the page's own
  THIEdit* Load;          // amperes; empty: the page's own
  THIEdit* Ambient;       // degrees C
  THICheckBox* KeepPick;  // the list-picked resistor stays the page's
  THILabel* Note;         // what to do first, or what is wrong with an input
  THITable* Sets;         // the best choices, best first
  THITable* Findings;     // the worst case, the heat, each resistor's power

 private:
  void doSeries(TData& data);
  void doChange(TData& data);
  void doCopy(TData& data);
  // Computes everything from the design last taken and shows it.
  void Show();
  // Empty tables and a note.
  void ShowNote(const std::string& note);

  TPageDesign page_;
  std::string copy_;
};
