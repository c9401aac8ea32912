#include "scenarios/table_sample.h"

#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/label.h"

namespace {

// The forms' default face, as on the pages.
TFontRec Plain() { return MakeFontRec("MS Sans Serif", 8, 0, 1, 0); }

template <class E>
E* Place(TTableSample& s, std::unique_ptr<E> e, int32_t left, int32_t top, int32_t w, int32_t h) {
  e->Left = left;
  e->Top = top;
  e->Width = w;
  e->Height = h;
  e->Font = Plain();
  E* raw = e.get();
  s.Elements.push_back(std::move(e));
  return raw;
}

void Caption(TTableSample& s, const std::string& text, int32_t left, int32_t top) {
  THILabel* label = Place(s, std::make_unique<THILabel>(s.Form->Control()), left, top, 0, 0);
  label->Caption = text;
  label->Init();
}

void Field(TTableSample& s, const std::string& text, int32_t left, int32_t top) {
  THIEdit* edit = Place(s, std::make_unique<THIEdit>(s.Form->Control()), left, top, 60, 21);
  edit->Text = text;
  edit->ValueReader = &THIEdit::ReadRealText;
  edit->EdgeStyle = 0;
  edit->Init();
}

}  // namespace

TTableSample MakeTableSample(TControl* owner) {
  TTableSample s;
  s.Form = std::make_unique<THIMainForm>(owner);
  THIMainForm& form = *s.Form;
  form.Left = 40;
  form.Top = 40;
  form.Width = 470;
  form.Height = 330;
  form.Color = kColorButtonFace;
  form.Font = Plain();
  form.SetCaption("Parts: LM317 Voltage");
  form.SetBorderStyle(1);
  form.Init();
  TControl* on = form.Control();

  Caption(s, "Vin, V", 10, 13);
  Field(s, "12", 100, 10);
  Caption(s, "Load, A", 10, 39);
  Field(s, "0.5", 100, 36);
  Caption(s, "Ambient, \xB0" "C", 10, 65);
  Field(s, "25", 100, 62);
  Caption(s, "Series", 240, 13);
  THIComboBox* series = Place(s, std::make_unique<THIComboBox>(on), 330, 10, 70, 21);
  series->Strings = "E6\r\nE12\r\nE24\r\nE48\r\nE96\r\nE192";
  series->Init();
  TData e24;
  SetString(e24, "E24");
  series->doSelectText(e24);
  Caption(s, "Tolerance, %", 240, 39);
  Field(s, "5", 330, 36);
  THICheckBox* keep = Place(s, std::make_unique<THICheckBox>(on), 240, 63, 220, 19);
  keep->SetCaption("Keep the list-picked resistor");
  keep->Init();

  auto table = std::make_unique<THITable>(on);
  table->Left = 10;
  table->Top = 92;
  table->Width = 445;
  table->Height = 140;
  table->Font = Plain();
  table->TabOrder = 1;
  table->Columns = {{"R1, Om", 70, 2},   {"R2, Om", 70, 2},    {"Vout, V", 70, 2},
                    {"Error, %", 70, 2}, {"Idiv, mA", 75, 2}, {"\xD1\xE5\xF0\xE8\xFF", 70, 0}};
  table->SetRows({{"510", "1500", "5.0098", "+0.20", "2.451", "E24"},
                  {"240", "750", "5.1563", "+3.13", "5.208", "E24"},
                  {"220", "680", "5.1136", "+2.27", "5.682", "E24"},
                  {"270", "820", "5.0463", "+0.93", "4.630", "E24"},
                  {"330", "1000", "5.0379", "+0.76", "3.788", "E24"},
                  {"1000", "3000", "5.0088", "+0.18", "1.250", "E24, a long note that the column cuts"}});
  table->Init();
  TData first;
  SetInteger(first, 0);
  table->doSelect(first);
  s.Table = table.get();
  s.Elements.push_back(std::move(table));

  Caption(s, "Worst case:  Vout 4.79 ... 5.23 V  (tolerance 3.1 %, device 1.2 %)", 10, 242);
  Caption(s, "Regulator: P = 3.5 W, Tj = 201 \xB0" "C without a heat sink: needs 8.4 \xB0" "C/W", 10, 262);
  return s;
}
