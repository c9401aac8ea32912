#include "pages/window_scheme.h"

#include "runtime/resources.h"

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
  f.SmallCaption = MakeFontRec("Arial", 8, FontBold, charSet, 0x800000);
  f.SmallResult = MakeFontRec("Arial", 8, FontBold | FontUnderline, charSet, 0x000000);
  f.Input = MakeFontRec("Arial", 9, FontBold, charSet, 0x000000);
  return f;
}

void SetFormula(THIMathParse* formula, const std::string& text, int32_t args, uint8_t resultType) {
  formula->SetDataCount(args);
  formula->SetMathStr(text);
  formula->ResultType = resultType;
  formula->SetDefault(0.0);
  formula->SetAngleMode(false);
  // A result the page cannot carry ends the calculation with a warning
  // rather than showing a wrapped or stale value.
  formula->StopTooLarge = true;
}

void SetDivide(THIMath* math, double by) {
  math->OpType = MathDivide;
  math->Op2Def = by;
  math->ResultType = 1;
}

void SetMessage(THIMessage* message, const std::string& text, const std::string& caption, uint8_t icon) {
  message->Message = text;
  message->CaptionDef = caption;
  message->Buttons = 0;
  message->Icon = icon;
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
  list->ChangeMode = 0;
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

void TPageScheme::MakePage(TControl* parent, int methods) {
  Bridge = Create<THIEditMulti>();
  PageBox = Create<THIGroupBox>(parent);
  Place(PageBox, {10, 30, 415, 232});
  PageBox->Color = kColorButtonFace;
  PageBox->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0x000000);
  PageBox->SetCaption("");
  PageBox->Init();
  Bridge->SetMethodCount(methods);
  Bridge->SetVarCount(0);
  Bridge->Methods[kPageDoVisible] = MakeLink<&THIGroupBox::doVisible>(PageBox);
}

void TPageScheme::Describe(const std::string& title, std::vector<TDesignItem> items,
                           const std::vector<TDesignItem>& more) {
  Design = Create<THIDesign>();
  Design->Title = title;
  items.insert(items.end(), more.begin(), more.end());
  Design->Items = std::move(items);
  Design->WireMenus();
}

THIMultiElementEx* TPageScheme::AddRounding(int decimals, int firstName) {
  return AddNamedHost(
      Box(), [decimals, firstName](TControl* p) { return MakeConvReal(p, decimals, firstName); }, 1, 1);
}

void TPageScheme::ShowRounded(THI_Event& result, THILabel* label, int decimals, int names, bool kilo) {
  THIMultiElementEx* rounding = AddRounding(decimals, names);
  rounding->Events[kRoundOnResult] = MakeLink<&THILabel::doText>(label);
  result = MakeLink<&THIMultiElementEx::doMethod>(rounding, kRoundDoConvReal);
  if (kilo) {
    THIMath* toKilo = Create<THIMath>();
    SetDivide(toKilo, 1000.0);
    toKilo->onResult = result;
    result = MakeLink<&THIMath::doOperation>(toKilo);
  }
}
