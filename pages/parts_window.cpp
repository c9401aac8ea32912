#include "pages/parts_window.h"

#include <cmath>
#include <limits>
#include <vector>

#include "pages/parts/decimal_text.h"
#include "runtime/lines.h"
#include "runtime/number_text.h"

const char* const kPartsLine = "Parts and worst case\x85";

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// Digits worth showing: outputs to a few parts per million (the E192 sets
// differ by less than 0.1 %), percentages and powers to three.
constexpr int kOutputDigits = 6;
constexpr int kDigits = 3;
constexpr double kMilli = 1000;

// Code page 1251: the degree sign and the ellipsis.
const char kDegrees[] = "\xB0" "C";
const char kUnitOhms[] = "Om";

// Table columns' alignment.
enum : uint8_t { AlignLeft = 0, AlignRight = 2 };

// The layout: one column of captions and fields, the tables below.
// Small enough for a 1024 x 768 screen at scale 2.
constexpr int32_t kFormWidth = 480, kFormHeight = 384;
constexpr int32_t kFieldWidth = 60, kFieldHeight = 21;
constexpr int32_t kTableLeft = 10, kTableWidth = 455;

TFontRec PlainFont() { return MakeFontRec("MS Sans Serif", 8, 0, 1, 0x000000); }
TFontRec NoteFont() { return MakeFontRec("MS Sans Serif", 8, FontBold, 1, 0x000080); }

// The series list's lines, in the order of kAllSeries.
std::string SeriesLines() {
  std::vector<std::string> names;
  for (TSeries s : kAllSeries) names.push_back(SeriesName(s));
  return JoinLines(names);
}

// The field's number; NaN when it is empty or unfinished.
double FieldValue(THIEdit* field) {
  TData v;
  field->Value(v);
  return v.Kind == KindReal || v.Kind == KindInteger ? ToReal(v) : kNone;
}

std::string Percent(double p) { return SignedPercentText(p, kDigits); }
std::string Spread(double low, double high) { return Percent(low) + " / " + Percent(high); }

std::string ChoiceOhms(const TSingleChoice& ch) {
  switch (ch.Kind) {
    case TChoiceKind::One: return RealToText(ch.A.Ohms);
    case TChoiceKind::Series: return RealToText(ch.A.Ohms) + "+" + RealToText(ch.B.Ohms);
    case TChoiceKind::Parallel: break;
  }
  return RealToText(ch.A.Ohms) + "||" + RealToText(ch.B.Ohms);
}

const char* ChoiceKindText(TChoiceKind kind) {
  switch (kind) {
    case TChoiceKind::One: return "one value";
    case TChoiceKind::Series: return "series pair";
    case TChoiceKind::Parallel: break;
  }
  return "parallel pair";
}

// The unit of what a circuit sets: volts, or amperes on the current sources.
std::string QuantityUnit(const TCircuit& c) { return c.Quantity == "Vout" ? "V" : "A"; }

using TRows = std::vector<std::vector<std::string>>;

// The best sets of a divider, R1 before R2 as the pages list them.
void DividerTable(const TCircuit& c, const TPartsAnalysis& a, std::vector<TTableColumn>& columns, TRows& rows) {
  const bool refFirst = c.Divider.Rref < c.Divider.Rset;
  const std::string first = refFirst ? c.Divider.Rref : c.Divider.Rset;
  const std::string second = refFirst ? c.Divider.Rset : c.Divider.Rref;
  columns = {{"#", 25, AlignRight},
             {first + ", " + kUnitOhms, 75, AlignRight},
             {second + ", " + kUnitOhms, 75, AlignRight},
             {c.Quantity + ", " + QuantityUnit(c), 85, AlignRight},
             {"Error", 80, AlignRight},
             {"Idiv, mA", 90, AlignRight}};
  int n = 0;
  for (const TDividerSet& s : a.Sets) {
    const double a1 = refFirst ? s.Rref.Ohms : s.Rset.Ohms, a2 = refFirst ? s.Rset.Ohms : s.Rref.Ohms;
    rows.push_back({IntegerToText(++n), RealToText(a1), RealToText(a2), SignificantText(s.Output, kOutputDigits),
                    Percent(s.ErrorPercent), SignificantText(s.Current * kMilli, kDigits + 1)});
  }
}

// The choices for a resistor that sets the output alone: its nearest
// values, then the best pairs.
void SingleTable(const TCircuit& c, const TSingleReport& r, std::vector<TTableColumn>& columns, TRows& rows) {
  const TSingle& s = c.Singles[r.Index];
  columns = {{"#", 25, AlignRight},
             {s.Name + ", " + kUnitOhms, 120, AlignRight},
             {s.Quantity + ", A", 95, AlignRight},
             {"Error", 80, AlignRight},
             {"Made of", 110, AlignLeft}};
  std::vector<TSingleChoice> choices = r.Nearest;
  for (const TSingleChoice& pair : {r.Series, r.Parallel})
    if (pair.Ohms > 0) choices.push_back(pair);
  int n = 0;
  for (const TSingleChoice& ch : choices)
    rows.push_back({IntegerToText(++n), ChoiceOhms(ch), SignificantText(ch.Output, kOutputDigits),
                    Percent(ch.ErrorPercent), ChoiceKindText(ch.Kind)});
}

// What the first choice does: its worst case, the other resistors' best
// values, and the heat.
TRows FindingRows(const TCircuit& c, const TPartsAnalysis& a, const THeat& h) {
  TRows rows;
  const std::string unit = " " + QuantityUnit(c);
  if (a.Worst.Message.empty()) {
    const TWorstCase& w = a.Worst;
    rows.push_back({c.Quantity + " min / typ / max", SignificantText(w.Min, kOutputDigits) + " / " +
                                                        SignificantText(w.Typ, kOutputDigits) + " / " +
                                                        SignificantText(w.Max, kOutputDigits) + unit});
    rows.push_back({"Spread", Spread(w.LowPercent, w.HighPercent)});
    rows.push_back({"From rounding", Percent(w.RoundingPercent)});
    rows.push_back({"From tolerance", Spread(w.ToleranceLow, w.ToleranceHigh)});
    rows.push_back({"From the device", Spread(w.DeviceLow, w.DeviceHigh)});
  } else {
    rows.push_back({"Worst case", a.Worst.Message});
  }
  // A divider page's other resistors (the current-limit sense resistor).
  if (c.HasDivider)
    for (const TSingleReport& r : a.Singles) {
      const TSingle& s = c.Singles[r.Index];
      std::vector<TSingleChoice> choices;
      if (!r.Nearest.empty()) choices.push_back(r.Nearest.front());
      for (const TSingleChoice& pair : {r.Series, r.Parallel})
        if (pair.Ohms > 0) choices.push_back(pair);
      for (const TSingleChoice& ch : choices)
        rows.push_back({s.Name + ", " + ChoiceKindText(ch.Kind), ChoiceOhms(ch) + " " + kUnitOhms + ": " + s.Quantity +
                                                                   " " + SignificantText(ch.Output, kOutputDigits) +
                                                                   " A, " + Percent(ch.ErrorPercent)});
    }
  if (!h.Usable) {
    rows.push_back({"Heat", h.Message});
    return rows;
  }
  rows.push_back({"Input, load, ambient", SignificantText(h.Vin, kDigits + 1) + " V, " +
                                              SignificantText(h.Load, kDigits + 1) + " A, " +
                                              SignificantText(h.Ambient, kDigits + 1) + " " + kDegrees});
  rows.push_back({"Regulator dissipation", SignificantText(h.Power, kDigits) + " W"});
  if (h.TjKnown) {
    rows.push_back({"Junction, no heat sink", SignificantText(h.Tj, kDigits) + " " + kDegrees + " (at most " +
                                                  RealToText(h.TjMax) + " " + kDegrees + ")"});
    std::string sink = "not needed";
    if (h.NeedsSink)
      sink = h.SinkPossible ? SignificantText(h.SinkTheta, kDigits) + " " + kDegrees + "/W or less (case to sink " +
                                  RealToText(kThetaCaseToSink) + " " + kDegrees + "/W)"
                            : "none is enough";
    rows.push_back({"Heat sink", sink});
  } else {
    rows.push_back({"Junction, no heat sink", "unknown"});
  }
  std::string dropout = "unknown";
  if (h.DropoutKnown)
    dropout = h.Shortfall > 0 ? "short by " + SignificantText(h.Shortfall, kDigits) + " V" : "ok";
  rows.push_back({"Dropout", dropout});
  if (h.MaxLoadOhms > 0)
    rows.push_back({"Largest load", SignificantText(h.MaxLoadOhms, kDigits) + " " + kUnitOhms});
  for (const TResistorHeat& r : h.Resistors)
    rows.push_back({"P(" + r.Name + ")", SignificantText(r.Watts, kDigits) + " W, rating " + r.Rating + " W" +
                                             (r.RatingHolds ? "" : ": over it")});
  return rows;
}

// A heading "R1, Om" as a name and a unit.
void SplitHeading(const std::string& heading, std::string& name, std::string& unit) {
  const size_t comma = heading.find(", ");
  name = heading.substr(0, comma);
  unit = comma == std::string::npos ? std::string() : heading.substr(comma + 2);
}

}  // namespace

TPartsWindow::TPartsWindow(TControl* owner) {
  Form = Create<THIMainForm>(owner);
  Form->Width = kFormWidth;
  Form->Height = kFormHeight;
  Form->Color = kColorButtonFace;
  Form->Font = PlainFont();
  Form->Visible = 0;
  Form->EscapeCloses = 1;
  Form->Placement = &THIMainForm::BesideOwner;
  Form->SetCaption("Parts");
  Form->SetBorderStyle(1);
  Form->Init();
  Form->onCopy = MakeLink<&TPartsWindow::doCopy>(this);
  TControl* on = Form->Control();
  const TFontRec plain = PlainFont();

  AddLabel(on, {10, 13, 0, 0}, "Series", plain);
  Series = Create<THIComboBox>(on);
  Place(Series, {90, 10, kFieldWidth, kFieldHeight});
  Series->TabOrder = 1;
  Series->Color = kColorWindow;
  Series->Font = plain;
  Series->Strings = SeriesLines();
  Series->Init();
  TData e24;
  SetString(e24, SeriesName(TSeries::E24));
  Series->doSelectText(e24);
  Series->onChange = MakeLink<&TPartsWindow::doSeries>(this);

  AddLabel(on, {165, 13, 0, 0}, "Tolerance, %", plain);
  Tolerance = AddEdit(on, {250, 10, kFieldWidth, kFieldHeight}, RealToText(DefaultTolerance(TSeries::E24)),
                      "Each resistor's tolerance, 0 to 50 %", plain, 2);
  KeepPick = Create<THICheckBox>(on);
  Place(KeepPick, {325, 10, 145, kFieldHeight});
  KeepPick->TabOrder = 3;
  KeepPick->Font = plain;
  KeepPick->SetCaption("Keep the list pick");
  KeepPick->SetChecked(1);
  KeepPick->Init();

  AddLabel(on, {10, 39, 0, 0}, "Vin, V", plain);
  Vin = AddEdit(on, {90, 36, kFieldWidth, kFieldHeight}, "", "Input voltage; empty: the page's own", plain, 4);
  AddLabel(on, {165, 39, 0, 0}, "Load, A", plain);
  Load = AddEdit(on, {250, 36, kFieldWidth, kFieldHeight}, "", "Load current; empty: the page's own", plain, 5);
  AddLabel(on, {325, 39, 0, 0}, std::string("Ambient, ") + kDegrees, plain);
  Ambient = AddEdit(on, {405, 36, kFieldWidth, kFieldHeight}, RealToText(kDefaultAmbient), "Ambient temperature",
                    plain, 6);
  for (THIEdit* field : {Tolerance, Vin, Load, Ambient}) field->onChange = MakeLink<&TPartsWindow::doChange>(this);
  KeepPick->onCheck = MakeLink<&TPartsWindow::doChange>(this);

  Note = AddLabel(on, {10, 62, kTableWidth, 16}, "", NoteFont(), std::string(), true);

  Sets = Create<THITable>(on);
  Place(Sets, {kTableLeft, 80, kTableWidth, 112});
  Sets->TabOrder = 7;
  Sets->Font = plain;
  Sets->Init();

  Findings = Create<THITable>(on);
  Place(Findings, {kTableLeft, 198, kTableWidth, 150});
  Findings->TabOrder = 8;
  Findings->Font = plain;
  Findings->Columns = {{"Of the first choice", 165, AlignLeft}, {"", 285, AlignLeft}};
  Findings->Init();
  // The form's start-up step, queued when it was made; nothing else waits
  // in the queue once the program runs.
  RunInits();
}

bool TPartsWindow::IsOpen() const { return Form->Control() && Form->Control()->Visible(); }

void TPartsWindow::Open(const TPageDesign& page) {
  page_ = page;
  Show();
  TData none;
  Form->doShow(none);
}

void TPartsWindow::Follow(const TPageDesign& page) {
  if (!IsOpen()) return;
  page_ = page;
  Show();
}

void TPartsWindow::doSeries(TData&) {
  TSeries series;
  TData name;
  Series->Text(name);
  if (SeriesFromName(ToString(name), series) && Tolerance->Control())
    Tolerance->Control()->SetText(RealToText(DefaultTolerance(series)));
  Show();
}

void TPartsWindow::doChange(TData&) { Show(); }

void TPartsWindow::doCopy(TData&) {
  if (TPlatform* p = Platform()) p->SetClipboardText(copy_);
}

void TPartsWindow::ShowNote(const std::string& note) {
  Note->Control()->SetText(note);
  Sets->SetColumns({});
  Sets->SetRows({});
  Findings->SetRows({});
  copy_ = note;
}

void TPartsWindow::Show() {
  const TDesign design = ParseDesign(page_.Text);
  TPage which;
  if (page_.Text.empty() || !PageFromTitle(design.Title, which)) {
    Form->SetCaption("Parts");
    return ShowNote("This page designs no circuit: choose one of the regulator pages.");
  }
  Form->SetCaption("Parts: " + design.Title);
  if (!page_.Calculated)
    return ShowNote("Enter the design on the " + design.Title +
                    " page and press \"Calculate\" first: the parts follow each calculation.");
  TCircuit circuit;
  const std::string unusable = BindCircuit(which, design, DeviceTable(), circuit);
  if (!unusable.empty()) return ShowNote(unusable);

  TData name;
  Series->Text(name);
  TPartsOptions options = DefaultPartsOptions(TSeries::E24);
  SeriesFromName(ToString(name), options.Series);
  options.Tolerance = FieldValue(Tolerance);
  TData keep;
  KeepPick->Checked(keep);
  options.KeepListPick = ToInteger(keep) != 0;
  const TPartsAnalysis analysis = AnalyseParts(circuit, options);
  THeatInputs heat = DefaultHeatInputs();
  heat.Vin = FieldValue(Vin);
  heat.Load = FieldValue(Load);
  const double ambient = FieldValue(Ambient);
  if (ambient == ambient) heat.Ambient = ambient;

  // An input the analysis cannot use is said; what is shown stays.
  if (!(analysis.Tolerance >= 0 && analysis.Tolerance <= kLargestTolerance)) {
    Note->Control()->SetText(analysis.Message);
    return;
  }
  std::vector<TTableColumn> columns;
  TRows rows;
  if (circuit.HasDivider)
    DividerTable(circuit, analysis, columns, rows);
  else if (!analysis.Singles.empty())
    SingleTable(circuit, analysis.Singles.front(), columns, rows);
  const bool chosen = !rows.empty();
  const THeat h = chosen ? AnalyseHeat(circuit, analysis.First, heat) : THeat();
  // An unusable heat input is said in its row; a shortfall here too.
  Note->Control()->SetText(!analysis.Message.empty() ? analysis.Message : chosen && h.Usable ? h.Message : "");
  Sets->SetColumns(columns);
  Sets->SetRows(rows);
  Findings->SetRows(chosen ? FindingRows(circuit, analysis, h) : TRows());
  if (chosen) {
    TData first;
    SetInteger(first, 0);
    Sets->doSelect(first);
  }

  // The copy: the page and the choices, then a line per set and finding,
  // "NAME = VALUE UNIT" as a copied design has them.
  std::vector<std::string> lines = {design.Title + " parts",
                                    std::string("Series = ") + SeriesName(options.Series),
                                    "Tolerance = " + RealToText(analysis.Tolerance) + " %"};
  for (const std::vector<std::string>& row : Sets->Rows()) {
    std::string line = "Set " + row.front() + ":";
    for (size_t k = 1; k < row.size() && k < columns.size(); ++k) {
      std::string heading, unit;
      SplitHeading(columns[k].Heading, heading, unit);
      line += (k > 1 ? ", " : " ") + heading + " = " + row[k] + (unit.empty() || unit == "%" ? "" : " " + unit);
    }
    lines.push_back(line);
  }
  for (const std::vector<std::string>& row : Findings->Rows()) lines.push_back(row[0] + " = " + row[1]);
  if (!Note->Control()->Text().empty()) lines.push_back("Note: " + Note->Control()->Text());
  copy_ = JoinLines(lines);
}
