// TWindowScheme: a scheme that places window elements. Its helpers create
// an element, write the properties every page table gives (position and
// size, text, hint, font, tab order) and initialise it, so that a page's
// constructor stays a list of its table rows. The scheme owns what it
// creates, as any scheme does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "elements/math.h"
#include "elements/system.h"
#include "formula/math_parse.h"
#include "pages/conv_real.h"
#include "pages/design.h"
#include "runtime/element.h"
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

// The Arial fonts of the regulator pages in one character set: navy bold
// captions, black bold underlined results (8 pt for the power ratings),
// black bold inputs.
struct TPageFonts {
  TFontRec Caption, Result, SmallCaption, SmallResult, Input;
};
TPageFonts PageFonts(uint8_t charSet);

// Element set-ups that recur on the pages.
// A formula with `args` arguments, Default 0, radians; `resultType` 1 hands
// results on as reals, 0 as integers rounded half to even. A result beyond
// 32 bits (integers) or beyond the largest double on the way ends the
// calculation with the box "The result is too large.".
void SetFormula(THIMathParse* formula, const std::string& text, int32_t args, uint8_t resultType);
// Divides the incoming value by `by`, handing a real on.
void SetDivide(THIMath* math, double by);
// An OK box; `icon` 5 warning, 1 error. An empty text shows what arrives.
void SetMessage(THIMessage* message, const std::string& text, const std::string& caption, uint8_t icon);

class TWindowScheme : public TScheme {
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
    host->Mode = 0;
    host->SetFactory(std::move(factory));
    host->SetEventCount(events);
    host->SetDataCount(datas);
    return host;
  }
};

// Method points of every page: its visibility, and (three pages) the
// start-up pick of a list line.
enum : uint16_t { kPageDoVisible = 0, kPageDoPreset = 1 };

// The page frame every page starts with: the group box at 10,30 415x232,
// button-face colour, "MS Sans Serif" 8, no caption; and the bridge the
// main window's host talks to. Method 0 of every page shows or hides it.
class TPageScheme : public TWindowScheme {
 public:
  THIEditMulti* Bridge = nullptr;
  THIGroupBox* PageBox = nullptr;
  THIDesign* Design = nullptr;  // none on pages that design nothing

 protected:
  // Creates the bridge with `methods` exported methods and the page box,
  // and wires method 0 to the box's visibility.
  void MakePage(TControl* parent, int methods);
  TControl* Box() const { return PageBox->Control(); }
  // The page's design: its name and items, in the order Ctrl+C copies them;
  // the result labels among them get their right-click menu.
  void Describe(const std::string& title, std::vector<TDesignItem> items,
                const std::vector<TDesignItem>& more = {});
  // A rounding sub-scheme (pages/conv_real.h) to `decimals` places, its
  // point names from "Str<firstName>" on; one outer event, one data input.
  THIMultiElementEx* AddRounding(int decimals, int firstName);
  // The tail of a result row: what `result` fires is divided by 1000 when
  // `kilo`, rounded to `decimals` places (point names from "Str<names>" on)
  // and shown in `label`.
  void ShowRounded(THI_Event& result, THILabel* label, int decimals, int names, bool kilo = false);
};

// Builds a page scheme of class P under `parent` and answers its bridge:
// the factory the main window's hosts are given.
template <typename P>
TChildScheme MakePageScheme(TControl* parent) {
  return MakeChildScheme<P>(parent);
}
