// TWindowScheme: a scheme that places window elements. Its helpers create
// an element, write the properties every page table gives (position and
// size, text, hint, font, tab order) and initialise it. TPageScheme adds
// the page frame and the rows a page is made of: one call places a row's
// caption, its field or result value and its unit on the page's row grid,
// and lists the row in the page's design. Schemes own what they create, as
// any scheme does; all of it is made and used on the window thread, but
// for the result chains a search worker runs under the scheme lock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/calc_scheme.h"
#include "pages/conv_real.h"
#include "pages/design.h"
#include "pages/page_resources.h"
#include "pages/points.h"
#include "runtime/multi_element.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/win.h"

struct TBox {
  int32_t Left, Top, Width, Height;
};

struct TCalcPanelPlace;
struct TPowerRatingSetup;
struct TRangeCheckSetup;

// Character sets of the page fonts.
enum : uint8_t { kCharSetDefault = 1, kCharSetCyrillic = 204 };

// The Arial fonts of the regulator pages in one character set: navy bold
// captions, black bold underlined results (8 pt for the power ratings; not
// underlined where plain), black bold inputs.
struct TPageFonts {
  TFontRec Caption, Result, PlainResult, SmallCaption, SmallResult, Input;
};
TPageFonts PageFonts(uint8_t charSet);

// Container mode: the child is built when the factory is set.
constexpr uint8_t kBuildAtOnce = 0;

class TWindowScheme : public TCalcScheme {
 protected:
  // Writes Left, Top, Width and Height.
  static void Place(THIWin* element, TBox box);
  // Labels size themselves to their text unless `fixed`.
  THILabel* AddLabel(TControl* parent, TBox box, const std::string& caption, const TFontRec& font,
                     const std::string& hint = std::string(), bool fixed = false);
  // A number field in the system window colour; `reader` is ReadRealText
  // or ReadIntegerText.
  THIEdit* AddEdit(TControl* parent, TBox box, const std::string& text, const std::string& hint,
                   const TFontRec& font, int32_t tabOrder,
                   THIEdit::TValueReader reader = &THIEdit::ReadRealText);
  // A drop-down list filled from a text resource; onChange carries the
  // selected index.
  THIComboBox* AddList(TControl* parent, TBox box, const std::string& resource, const std::string& hint,
                       const TFontRec& font, int32_t tabOrder, bool editable);
  // A schematic bitmap drawn proportionally on white.
  THIImage* AddSchematic(TControl* parent, TBox box, const std::string& bitmap);

  // A container whose child scheme `factory` builds at once, with `events`
  // outer events and `datas` outer data inputs.
  THIMultiElement* AddHost(TControl* parent, THIMultiElement::TFactory factory, int events, int datas) {
    return AddContainer<THIMultiElement>(parent, std::move(factory), events, datas);
  }
  THIMultiElementEx* AddNamedHost(TControl* parent, THIMultiElementEx::TFactory factory, int events, int datas) {
    return AddContainer<THIMultiElementEx>(parent, std::move(factory), events, datas);
  }

 private:
  template <typename Host>
  Host* AddContainer(TControl* parent, typename Host::TFactory factory, int events, int datas) {
    Host* host = Create<Host>(parent);
    host->Mode = kBuildAtOnce;
    host->SetFactory(std::move(factory));
    host->SetEventCount(events);
    host->SetDataCount(datas);
    return host;
  }
};

// Method points of every page: its visibility, and (three pages) the
// start-up pick of a list line.
constexpr TMethodPoint kPageDoVisible{0};
constexpr TMethodPoint kPageDoPreset{1};

// A label of a row: its text and width, and its height where the row
// grid's does not hold. An empty text is no label.
struct TCell {
  std::string Text;
  int32_t Width = 0;
  int32_t Height = 0;  // 0: the grid's
};

// Where the rows of a page lie. Captions stand at x 280, fields at
// FieldLeft (FieldWidth wide, 21 high, their top 5 above their row's),
// result values at ValueLeft and units at UnitLeft; labels are Height high
// unless their cell says otherwise. Result values keep their size whatever
// their text where FixedValues holds.
struct TRowGrid {
  int32_t FieldLeft, FieldWidth, ValueLeft, UnitLeft, Height;
  uint8_t CharSet;
  bool FixedValues;
};
constexpr TRowGrid kNoRows{0, 0, 0, 0, 0, kCharSetDefault, false};

// An input row's number field.
struct TEditField {
  std::string Text, Hint;
  int32_t TabOrder;
  THIEdit::TValueReader Reader = &THIEdit::ReadRealText;
};

// An input row's drop-down list, filled from a text resource.
struct TListField {
  const char* Lines;
  std::string Hint;
  int32_t TabOrder;
  bool Editable;
  bool SelectTyped = false;  // a typed line is picked (the 78xx type lists)
  int32_t Width = 0;         // 0: the grid's
  uint8_t CharSet = 0;       // 0: the page's
};

// How a result row looks beyond its cells, and what its design item is.
enum : uint8_t {
  kResistorRow = 1,  // a computed resistance: its menu lists standard values
  kPlainValue = 2,   // the value is not underlined
  kFixedValue = 4,   // the value keeps its size (as on a FixedValues grid)
};
struct TResultLook {
  std::string Hint;  // on the caption and the value
  uint8_t Flags = 0;
};

// Whether a result is shown as it comes or in thousands (ohms as kOm).
enum class TScale { Units, Thousands };

// The page frame every page starts with: the group box at 10,30 415x232,
// button-face colour, "MS Sans Serif" 8, no caption; and the bridge the
// main window's host talks to. Method 0 of every page shows or hides it.
class TPageScheme : public TWindowScheme {
 public:
  THIEditMulti* Bridge = nullptr;
  THIGroupBox* PageBox = nullptr;
  THIDesign* Design = nullptr;  // none on pages that design nothing

 protected:
  // A result row's value label, and the rounding that shows a result in it.
  class TResultRow {
   public:
    TResultRow(TPageScheme* page, THILabel* value, THIWin* caption = nullptr)
        : page_(page), Value(value), Caption(caption) {}
    // From now on what `result` fires is scaled, rounded to `decimals`
    // places (the rounding copy's point names from `names`) and shown.
    void Show(THI_Event& result, int decimals, TRoundingNames names, TScale scale = TScale::Units) const;
    // As Show, for a result that leaves a hosted scheme through `event`.
    void Show(TSchemeHost* host, TEventPoint event, int decimals, TRoundingNames names) const {
      Show(On(host, event), decimals, names);
    }

   private:
    TPageScheme* page_;

   public:
    THILabel* Value;
    THIWin* Caption;  // the row's caption, which a second value may share
  };

  // Creates the bridge with `methods` exported methods and the page box,
  // and wires method 0 to the box's visibility. A page without rows (About)
  // needs no grid.
  void MakePage(TControl* parent, int methods, const TRowGrid& grid = kNoRows);
  TControl* Box() const { return PageBox->Control(); }

  // The rows, placed on the grid and listed in the design in the order
  // they are made. A row's caption, field and unit are made in that order.
  THIEdit* AddEditRow(int32_t top, const TCell& caption, const TEditField& field, const TCell& unit = {});
  THIComboBox* AddListRow(int32_t top, const TCell& caption, const TListField& field, const TCell& unit = {});
  // The fields alone, for a page that makes its fields before their
  // labels; LabelRow then adds the caption and the unit.
  THIEdit* AddEditField(int32_t top, const TEditField& field);
  THIComboBox* AddListField(int32_t top, const TListField& field);
  void LabelRow(int32_t top, const TCell& caption, THIWin* field, const TCell& unit);
  // A result row; with `sharedCaption`, a second value of the row above.
  TResultRow AddResultRow(int32_t top, const TCell& caption, const TCell& value, const TCell& unit,
                          const TResultLook& look = {});
  TResultRow AddResultRow(int32_t top, THIWin* sharedCaption, const TCell& value, const TCell& unit,
                          const TResultLook& look = {});
  // A power rating row: small fonts, the value at x 345, `hint` on all
  // three labels; the caption and the unit keep their size when
  // `fixedEnds`. Its design item is called `name`.
  THILabel* AddRatingRow(int32_t top, const TCell& caption, const TCell& value, const TCell& unit,
                         const std::string& hint, const std::string& name, bool fixedEnds);
  // The rows most pages share: the output voltage ("Vout:", 5 V at the
  // start, tab 2) and a list of resistor values R1 in ohms.
  THIEdit* AddVoutRow(int32_t top);
  THIComboBox* AddR1ListRow(int32_t top, const TListField& field);
  // The rows of the current pages (LM317, 78xx): the load current ("I\xED:",
  // 1.5 A at the start, tab 3); and from `top` down the resistor that sets
  // the current, in Om, the power it dissipates and its standard rating.
  THIEdit* AddLoadRow(int32_t top);
  struct TResistorRows {
    TResultRow R1, Power;
    THILabel* Rating;
  };
  TResistorRows AddResistorRows(int32_t top);
  // A design item the rows do not make.
  void AddItem(const TDesignItem& item) { items_.push_back(item); }
  // The page's design: its name and the rows' items; the result labels
  // among them get their right-click menu.
  void Describe(const std::string& title);

  // The sub-schemes a page hosts.
  THIMultiElement* AddCalcPanel(const TCalcPanelPlace& place);
  THIMultiElement* AddRangeCheck(const TRangeCheckSetup& setup);
  THIMultiElement* AddR1Check();
  THIMultiElement* AddTypeCheck();
  THIMultiElement* AddPowerRating(const TPowerRatingSetup& setup);
  // The opening of the pages that divide from R1: the Calculate panel at
  // the page's foot, whose click checks `vout` against `range` and then
  // that `r1` holds a usable value; what passes fires `onValid`. Answers
  // the range check, whose kRangeValue reads the checked voltage.
  THIMultiElement* AddVoutR1Checks(const TRangeCheckSetup& range, THIEdit* vout, THIComboBox* r1,
                                   THI_Event onValid);
  // The standard rating of what `power` reads, shown in `rating`; answers
  // the link that rates (the one-method shape of `setup`).
  THI_Event AddRatingStep(const TPowerRatingSetup& setup, THI_Event power, THILabel* rating);
  // The link that picks the line of `list` beginning with `text` (a
  // start-up selection).
  THI_Event AddPreset(THIComboBox* list, const std::string& text);

 private:
  TBox Cell(int32_t left, int32_t top, const TCell& cell) const;
  THILabel* AddCaption(int32_t top, const TCell& caption, const std::string& hint = std::string());
  THILabel* AddUnit(int32_t top, const TCell& unit);

  TRowGrid grid_{};
  TPageFonts fonts_;
  std::vector<TDesignItem> items_;
};

// Builds a page scheme of class P under `parent` and answers its bridge:
// the factory the main window's hosts are given.
template <typename P>
TChildScheme MakePageScheme(TControl* parent) {
  return MakeChildScheme<P>(parent);
}
