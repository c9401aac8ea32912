#include "pages/window_scheme.h"

#include "elements/routing.h"
#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/power_rating.h"
#include "pages/range_check.h"
#include "runtime/resources.h"

namespace {

// Fields are 21 high and stand 5 above the labels of their row.
constexpr int32_t kFieldHeight = 21;
constexpr int32_t kFieldRise = 5;
constexpr int32_t kCaptionLeft = 280;
constexpr int32_t kRatingLeft = 345;
// A list's onChange carries the picked line's index.
constexpr uint8_t kChangeCarriesIndex = 0;

}  // namespace

void TWindowScheme::Place(THIWin* element, TBox box) {
  element->Left = box.Left;
  element->Top = box.Top;
  element->Width = box.Width;
  element->Height = box.Height;
}

TPageFonts PageFonts(uint8_t charSet) {
  TPageFonts f;
  f.Caption = MakeFontRec("Arial", 10, FontBold, charSet, 0x800000);
  f.Result = MakeFontRec("Arial", 10, FontBold | FontUnderline, charSet, 0x000000);
  f.PlainResult = MakeFontRec("Arial", 10, FontBold, charSet, 0x000000);
  f.SmallCaption = MakeFontRec("Arial", 8, FontBold, charSet, 0x800000);
  f.SmallResult = MakeFontRec("Arial", 8, FontBold | FontUnderline, charSet, 0x000000);
  f.Input = MakeFontRec("Arial", 9, FontBold, charSet, 0x000000);
  return f;
}

THILabel* TWindowScheme::AddLabel(TControl* parent, TBox box, const std::string& caption, const TFontRec& font,
                                  const std::string& hint, bool fixed) {
  THILabel* label = Create<THILabel>(parent);
  Place(label, box);
  label->Caption = caption;
  label->Hint = hint;
  label->Font = font;
  label->FixedSize = fixed ? 1 : 0;
  label->Init();
  label->SetAlignment(0);
  return label;
}

THIEdit* TWindowScheme::AddEdit(TControl* parent, TBox box, const std::string& text, const std::string& hint,
                                const TFontRec& font, int32_t tabOrder, THIEdit::TValueReader reader) {
  THIEdit* edit = Create<THIEdit>(parent);
  Place(edit, box);
  edit->TabOrder = tabOrder;
  edit->Color = kColorWindow;
  edit->EdgeStyle = 0;
  edit->Cursor = CursorText;
  edit->Hint = hint;
  edit->Font = font;
  edit->ValueReader = reader;
  edit->Text = text;
  edit->Init();
  return edit;
}

THIComboBox* TWindowScheme::AddList(TControl* parent, TBox box, const std::string& resource,
                                    const std::string& hint, const TFontRec& font, int32_t tabOrder,
                                    bool editable) {
  THIComboBox* list = Create<THIComboBox>(parent);
  Place(list, box);
  list->TabOrder = tabOrder;
  list->Color = kColorWindow;
  list->EdgeStyle = 0;
  list->Hint = hint;
  list->Font = font;
  list->Editable = editable ? 1 : 0;
  list->EditText = "ComboBox";
  list->ChangeMode = kChangeCarriesIndex;
  list->Strings = LoadTextResource(resource);
  list->Init();
  return list;
}

THIImage* TWindowScheme::AddSchematic(TControl* parent, TBox box, const std::string& bitmap) {
  THIImage* image = Create<THIImage>(parent);
  Place(image, box);
  image->Color = 0xFFFFFF;
  image->KeepSize = 1;
  image->Paint = &THIImage::DrawProportional;
  image->SetBitmap(bitmap);
  image->Init();
  return image;
}

// --- The page ------------------------------------------------------------------

void TPageScheme::MakePage(TControl* parent, int methods, const TRowGrid& grid) {
  grid_ = grid;
  fonts_ = PageFonts(grid.CharSet);
  Bridge = Create<THIEditMulti>();
  PageBox = Create<THIGroupBox>(parent);
  Place(PageBox, {10, 30, 415, 232});
  PageBox->Color = kColorButtonFace;
  PageBox->Font = MakeFontRec("MS Sans Serif", 8, 0, kCharSetDefault, 0x000000);
  PageBox->SetCaption("");
  PageBox->Init();
  Bridge->SetMethodCount(methods);
  Bridge->SetVarCount(0);
  Entry(Bridge, kPageDoVisible) = MakeLink<&THIGroupBox::doVisible>(PageBox);
}

TBox TPageScheme::Cell(int32_t left, int32_t top, const TCell& cell) const {
  return {left, top, cell.Width, cell.Height ? cell.Height : grid_.Height};
}

THILabel* TPageScheme::AddCaption(int32_t top, const TCell& caption, const std::string& hint) {
  return AddLabel(Box(), Cell(kCaptionLeft, top, caption), caption.Text, fonts_.Caption, hint);
}

THILabel* TPageScheme::AddUnit(int32_t top, const TCell& unit) {
  if (unit.Text.empty()) return nullptr;
  return AddLabel(Box(), Cell(grid_.UnitLeft, top, unit), unit.Text, fonts_.Caption);
}

THIEdit* TPageScheme::AddEditField(int32_t top, const TEditField& field) {
  return AddEdit(Box(), {grid_.FieldLeft, top - kFieldRise, grid_.FieldWidth, kFieldHeight}, field.Text,
                 field.Hint, fonts_.Input, field.TabOrder, field.Reader);
}

THIComboBox* TPageScheme::AddListField(int32_t top, const TListField& field) {
  const TBox box{grid_.FieldLeft, top - kFieldRise, field.Width ? field.Width : grid_.FieldWidth, kFieldHeight};
  const TFontRec font = field.CharSet ? PageFonts(field.CharSet).Input : fonts_.Input;
  THIComboBox* list = AddList(Box(), box, field.Lines, field.Hint, font, field.TabOrder, field.Editable);
  if (field.SelectTyped) list->SelectTyped = 1;
  return list;
}

void TPageScheme::LabelRow(int32_t top, const TCell& caption, THIWin* field, const TCell& unit) {
  THILabel* captionLabel = AddCaption(top, caption);
  AddItem({captionLabel, field, AddUnit(top, unit), ""});
}

THIEdit* TPageScheme::AddEditRow(int32_t top, const TCell& caption, const TEditField& field, const TCell& unit) {
  THILabel* captionLabel = AddCaption(top, caption);
  THIEdit* edit = AddEditField(top, field);
  AddItem({captionLabel, edit, AddUnit(top, unit), ""});
  return edit;
}

THIComboBox* TPageScheme::AddListRow(int32_t top, const TCell& caption, const TListField& field,
                                     const TCell& unit) {
  THILabel* captionLabel = AddCaption(top, caption);
  THIComboBox* list = AddListField(top, field);
  AddItem({captionLabel, list, AddUnit(top, unit), ""});
  return list;
}

TPageScheme::TResultRow TPageScheme::AddResultRow(int32_t top, const TCell& caption, const TCell& value,
                                                  const TCell& unit, const TResultLook& look) {
  return AddResultRow(top, AddCaption(top, caption, look.Hint), value, unit, look);
}

TPageScheme::TResultRow TPageScheme::AddResultRow(int32_t top, THIWin* sharedCaption, const TCell& value,
                                                  const TCell& unit, const TResultLook& look) {
  const TFontRec& font = (look.Flags & kPlainValue) ? fonts_.PlainResult : fonts_.Result;
  const bool fixed = grid_.FixedValues || (look.Flags & kFixedValue);
  THILabel* label = AddLabel(Box(), Cell(grid_.ValueLeft, top, value), "0", font, look.Hint, fixed);
  AddItem({sharedCaption, label, AddUnit(top, unit), "", (look.Flags & kResistorRow) != 0});
  return TResultRow(this, label, sharedCaption);
}

THILabel* TPageScheme::AddRatingRow(int32_t top, const TCell& caption, const TCell& value, const TCell& unit,
                                    const std::string& hint, const std::string& name, bool fixedEnds) {
  THILabel* captionLabel =
      AddLabel(Box(), Cell(kCaptionLeft, top, caption), caption.Text, fonts_.SmallCaption, hint, fixedEnds);
  THILabel* label = AddLabel(Box(), Cell(kRatingLeft, top, value), "0", fonts_.SmallResult, hint);
  THILabel* unitLabel =
      AddLabel(Box(), Cell(grid_.UnitLeft, top, unit), unit.Text, fonts_.SmallCaption, hint, fixedEnds);
  AddItem({captionLabel, label, unitLabel, name});
  return label;
}

THIEdit* TPageScheme::AddVoutRow(int32_t top) {
  return AddEditRow(top, {"Vout:", 25}, {"5", "Output voltage", 2}, {"V", 15});
}

THIComboBox* TPageScheme::AddR1ListRow(int32_t top, const TListField& field) {
  return AddListRow(top, {"R1:", 25}, field, {"Om", 26, 20});
}

THIEdit* TPageScheme::AddLoadRow(int32_t top) {
  return AddEditRow(top, {"I\xED:", 20}, {"1.5", "Load current", 3}, {"A", 13});
}

TPageScheme::TResistorRows TPageScheme::AddResistorRows(int32_t top) {
  // The captions call the resistor R1, the hints R3; both are shown as
  // written.
  static const char kR1Hint[] = "calculated value of the resistor R3";
  static const char kPowerHint[] = "resistor R3 power dissipation";
  static const char kRatingHint[] =
      "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";
  TResultRow r1 = AddResultRow(top, {"R1=", 28}, {"", 46}, {"Om", 26}, {kR1Hint, kResistorRow});
  TResultRow power = AddResultRow(top + 20, {"P(R1)=", 45}, {"", 46}, {"W", 17}, {kPowerHint});
  THILabel* rating = AddRatingRow(top + 45, {"(R1power=", 60, 15}, {"", 30, 18}, {"W)", 20, 15}, kRatingHint,
                                  "R1 power rating", true);
  return {r1, power, rating};
}

void TPageScheme::Describe(const std::string& title) {
  Design = Create<THIDesign>();
  Design->Title = title;
  Design->Items = items_;
  Design->WireMenus();
}

void TPageScheme::TResultRow::Show(THI_Event& result, int decimals, TRoundingNames names, TScale scale) const {
  const int firstName = static_cast<int>(names);
  THIMultiElementEx* rounding = page_->AddNamedHost(
      page_->Box(), [decimals, firstName](TControl* p) { return MakeConvReal(p, decimals, firstName); }, 1, 1);
  On(rounding, kRoundOnResult) = MakeLink<&THILabel::doText>(Value);
  result = Call(rounding, kRoundDoConvReal);
  if (scale == TScale::Thousands) {
    THIMath* toThousands = page_->AddDivide(1000.0);
    toThousands->onResult = result;
    result = MakeLink<&THIMath::doOperation>(toThousands);
  }
}

// --- Hosted sub-schemes ---------------------------------------------------------

THIMultiElement* TPageScheme::AddCalcPanel(const TCalcPanelPlace& place) {
  return AddHost(Box(), [place](TControl* p) { return MakeCalcPanel(p, place); }, 1, 0);
}

THIMultiElement* TPageScheme::AddRangeCheck(const TRangeCheckSetup& setup) {
  const int datas = setup.Shape == TRangeShape::Device ? 2 : 1;
  return AddHost(Box(), [setup](TControl* p) { return MakeRangeCheck(p, setup); }, 1, datas);
}

THIMultiElement* TPageScheme::AddR1Check() { return AddHost(Box(), &MakeR1Check, 1, 1); }

THIMultiElement* TPageScheme::AddTypeCheck() { return AddHost(Box(), &MakeTypeCheck, 1, 1); }

THIMultiElement* TPageScheme::AddPowerRating(const TPowerRatingSetup& setup) {
  return AddHost(Box(), [setup](TControl* p) { return MakePowerRating(p, setup); }, 1, 1);
}

THIMultiElement* TPageScheme::AddVoutR1Checks(const TRangeCheckSetup& range, THIEdit* vout, THIComboBox* r1,
                                              THI_Event onValid) {
  THIMultiElement* calcPanel = AddCalcPanel(kCalcPanelAtFoot);
  THIMultiElement* voutCheck = AddRangeCheck(range);
  THIMultiElement* r1Check = AddR1Check();
  On(calcPanel, kPanelOnCalculate) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(vout);
  // Without a usable R1 the calculation ends before any result changes.
  On(voutCheck, kRangeOnValid) = Call(r1Check, kChoiceDoCheck);
  In(r1Check, kChoiceChoice) = MakeLink<&THIComboBox::Value>(r1);
  On(r1Check, kChoiceOnValid) = std::move(onValid);
  return voutCheck;
}

THI_Event TPageScheme::AddRatingStep(const TPowerRatingSetup& setup, THI_Event power, THILabel* rating) {
  THIMultiElement* powerRating = AddPowerRating(setup);
  In(powerRating, kRatingPower) = std::move(power);
  On(powerRating, kRatingOnRating) = MakeLink<&THILabel::doText>(rating);
  return Call(powerRating, kRatingDoCalc);
}

THI_Event TPageScheme::AddPreset(THIComboBox* list, const std::string& text) {
  THIDoData* preset = Create<THIDoData>();
  SetString(preset->DataDef, text);
  preset->onEventData = MakeLink<&THIComboBox::doSelectText>(list);
  return MakeLink<&THIDoData::doData>(preset);
}
