#include "pages/parts/circuit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/number_text.h"
#include "runtime/resources.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

const char* const kTitles[kPageCount] = {"LM317 Voltage", "LM317 Current", "L200",        "TL431", "TL431+LM317",
                                         "M5237",         "78xx Voltage",  "78xx Current", "uA723"};

// The names the pages give their rows (code page 1251: "I\xED" is "Iн").
const char kLoadCurrent[] = "I\xED";

// Where the search looks for a resistor the page leaves wholly free.
constexpr double kFreeLow = 100;
constexpr double kFreeHigh = 1e6;

// The pages' own constants.
constexpr double kAmperesPerMilliampere = 1e-3;
constexpr double kLM317AccurateVref = 1.253;     // LM317 Voltage, accurate search
constexpr double kLM317AccurateIadj = 0.0000475;
constexpr double kLM317CurrentVref = 1.25;       // LM317 Current, TL431+LM317
constexpr double kLM317VoltageLowest = 1.5;
constexpr double kLM317CurrentRLow = 0.4, kLM317CurrentRHigh = 125;
constexpr double kL200Vref = 2.77, kL200Sense = 0.45;
constexpr double kL200Low = 2.77, kL200High = 37, kL200MaxCurrent = 2;
constexpr double kTL431Vref = 2.495;
constexpr double kTL431PlannedIref = 4e-6;       // the R3 formula's reference input current
constexpr double kTL431LeastRatio = 100;         // Idiv/Iref
constexpr double kTL431MinCathode = 1e-3;        // the 1 mA both pages add
constexpr double kTL431Low = 2.5, kTL431High = 36;
constexpr double kTL431MaxCurrent = 0.1;
constexpr double kTL431VinMargin = 1.02;         // R1 = (Vin min - 1.02 Vout) / I
constexpr double kM5237Vref = 1.26, kM5237Low = 1.5, kM5237High = 33;
constexpr double k78xxQuiescent = 0.0033;
constexpr double k78xxLow = 5, k78xxHigh = 33, k78xxLeastLoad = 0.005;
constexpr double kUA723Vni = 1.0;                // the reference divided to 1 V at NI
constexpr double kUA723Sense = 0.7;
constexpr double kUA723Low = 1, kUA723High = 37, kUA723MaxCurrent = 0.15;
const TRatingRule kShortRating = {0.7, false};   // L200, uA723, LM317 Current
const TRatingRule kLongRating = {0.75, true};    // 78xx Current

// The pages' R1 lists (their first and last values).
struct TListRange {
  double Low, High;
};
const TListRange kLM317List = {130, 3000}, kL200List = {820, 5100}, kM5237List = {820, 5100},
                 k78xxList = {130, 560}, kUA723List = {130, 5100};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t from = 0;
  while (from <= text.size()) {
    size_t at = text.find('\n', from);
    if (at == std::string::npos) at = text.size();
    std::string line = text.substr(from, at - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
    from = at + 1;
  }
  return out;
}

// A parameter with the page's typical value and the device's spread around
// it (a bound the device does not give stays at the typical value).
TParam Param(const std::string& name, double typ, const TSpread& device, double scale = 1) {
  double lo = typ, hi = typ;
  if (device.Min == device.Min) lo = std::fmin(lo, device.Min * scale);
  if (device.Max == device.Max) hi = std::fmax(hi, device.Max * scale);
  return {name, typ, lo, hi};
}

// What the binding reads from a design.
class TReader {
 public:
  explicit TReader(const TDesign& d) : d_(d) {}
  bool Number(const std::string& name, double& out, double scale = 1) {
    const TDesignLine* line = d_.Find(name);
    double v;
    if (!line || !CheckRealText(line->Value, v) || !std::isfinite(v)) {
      if (error.empty()) error = "The design has no number for " + name + ".";
      return false;
    }
    out = v * scale;
    return true;
  }
  bool Positive(const std::string& name, double& out, double scale = 1) {
    if (!Number(name, out, scale)) return false;
    if (out > 0) return true;
    if (error.empty()) error = name + " must be above 0.";
    return false;
  }
  bool Text(const std::string& name, std::string& out) {
    const TDesignLine* line = d_.Find(name);
    if (line && !line->Value.empty()) {
      out = line->Value;
      return true;
    }
    if (error.empty()) error = "The design has no " + name + ".";
    return false;
  }
  std::string error;

 private:
  const TDesign& d_;
};

const TDeviceRow* NeedDevice(const TDeviceTable& t, const std::string& name, std::string& error) {
  const TDeviceRow* row = t.Find(name);
  if (!row && error.empty())
    error = t.Error.empty() ? "The device table has no " + name + "." : "The device table is damaged (" + t.Error + ").";
  return row;
}

// A divider with Rref picked from a page's list.
TDivider ListDivider(const char* rref, const char* rset, double picked, TListRange list, double low, double high) {
  TDivider d;
  d.Rref = rref;
  d.Rset = rset;
  d.RrefFromList = true;
  d.RrefPicked = picked;
  d.RrefLow = list.Low;
  d.RrefHigh = list.High;
  d.RsetLow = kFreeLow;
  d.RsetHigh = kFreeHigh;
  d.OutLow = low;
  d.OutHigh = high;
  return d;
}

// The TL431 pages' divider: R3 across the reference, both free, R3 small
// enough for the divider to carry 100 times the planned reference current.
TDivider TL431Divider() {
  TDivider d;
  d.Rref = "R3";
  d.Rset = "R2";
  d.RrefLow = kFreeLow;
  d.RrefHigh = kTL431Vref / (kTL431LeastRatio * kTL431PlannedIref);
  d.RsetLow = kFreeLow;
  d.RsetHigh = kFreeHigh;
  d.OutLow = kTL431Low;
  d.OutHigh = kTL431High;
  return d;
}

TSingle Single(const char* name, TTerm across, TTerm offset, double target, double qLow, double qHigh) {
  TSingle s;
  s.Name = name;
  s.Quantity = "Iout";
  s.Across = across;
  s.Offset = offset;
  s.Target = target;
  s.RLow = 0;
  s.RHigh = kInfinity;
  s.QLow = qLow;
  s.QHigh = qHigh;
  return s;
}

// The maximum current of a 78xx type, from the 78xx Current page's lists.
double MaxCurrentOf78xx(const std::string& type) {
  const std::vector<std::string> types = Lines(LoadTextResource("Str16"));
  const std::vector<std::string> currents = Lines(LoadTextResource("Str14"));
  for (size_t i = 0; i < types.size() && i < currents.size(); ++i) {
    double v;
    if (types[i] == type && CheckRealText(currents[i], v)) return v;
  }
  return kNone;
}

void SetDesignCurrent(TCircuit& c) {
  TDivider& d = c.Divider;
  const std::vector<double> p = c.Typicals();
  const double rref = d.RrefFromList ? d.RrefPicked : d.RrefLow;
  d.DesignCurrent = DividerCurrent(d, p.data(), rref);
}

}  // namespace

const char* PageTitle(TPage page) { return kTitles[static_cast<int>(page)]; }

bool PageFromTitle(const std::string& title, TPage& page) {
  for (int i = 0; i < kPageCount; ++i)
    if (title == kTitles[i]) {
      page = static_cast<TPage>(i);
      return true;
    }
  return false;
}

const TDesignLine* TDesign::Find(const std::string& name) const {
  for (const TDesignLine& l : Lines)
    if (l.Name == name) return &l;
  return nullptr;
}

TDesign ParseDesign(const std::string& text) {
  TDesign d;
  bool first = true;
  for (const std::string& line : Lines(text)) {
    if (first) {
      d.Title = line;
      first = false;
      continue;
    }
    // NAME REL VALUE [UNIT]: the relation is the first " = ", " < " or " > ".
    size_t at = std::string::npos;
    for (const char* rel : {" = ", " < ", " > "}) at = std::min(at, line.find(rel));
    if (at == std::string::npos) continue;
    TDesignLine l;
    l.Name = line.substr(0, at);
    l.Relation = line.substr(at + 1, 1);
    const std::string rest = line.substr(at + 3);
    const size_t blank = rest.find(' ');
    l.Value = rest.substr(0, blank);
    if (blank != std::string::npos) l.Unit = rest.substr(blank + 1);
    d.Lines.push_back(l);
  }
  return d;
}

std::vector<double> TCircuit::Typicals() const {
  std::vector<double> p;
  for (const TParam& q : Params) p.push_back(q.Typ);
  return p;
}

int TCircuit::ParamIndex(const std::string& name) const {
  for (size_t i = 0; i < Params.size(); ++i)
    if (Params[i].Name == name) return static_cast<int>(i);
  return -1;
}

double TermValue(const TTerm& t, const double* p) { return (t.Param >= 0 ? p[t.Param] : 0) + t.Constant; }

double DividerOutput(const TDivider& d, const double* p, double rref, double rset) {
  const double bias = d.Bias >= 0 ? p[d.Bias] : 0;
  return p[d.Ref] * (1 + rset / rref) + bias * rset;
}

double SingleOutput(const TSingle& s, const double* p, double r) {
  return TermValue(s.Across, p) / r + TermValue(s.Offset, p);
}

double SolveRset(const TDivider& d, const double* p, double rref, double out) {
  const double bias = d.Bias >= 0 ? p[d.Bias] : 0;
  return (out - p[d.Ref]) / (p[d.Ref] / rref + bias);
}

double SolveSingle(const TSingle& s, const double* p, double q) {
  return TermValue(s.Across, p) / (q - TermValue(s.Offset, p));
}

int OutputSide(const TDivider& d, double out) {
  if (out < d.OutLow || (d.OutAbove == d.OutAbove && out <= d.OutAbove)) return -1;
  if (out > d.OutHigh || (d.OutBelow == d.OutBelow && out >= d.OutBelow)) return +1;
  return 0;
}

double DividerCurrent(const TDivider& d, const double* p, double rref) { return p[d.Ref] / rref; }

std::string BindCircuit(TPage page, const TDesign& design, const TDeviceTable& devices, TCircuit& c) {
  c = TCircuit();
  c.Page = page;
  c.PageVin = kNone;
  c.PageLoad = kNone;
  c.Rating = kShortRating;
  TReader in(design);
  std::string error;
  switch (page) {
    case TPage::LM317Voltage: {
      double vout, r1;
      const TDeviceRow* lm = NeedDevice(devices, "LM317", error);
      if (!in.Number("Vout", vout) || !in.Positive("R1", r1) || !lm) break;
      c.Device = lm;
      c.Params = {Param("Vref", kLM317AccurateVref, lm->Reference), Param("Iadj", kLM317AccurateIadj, lm->Current)};
      c.Divider = ListDivider("R1", "R2", r1, kLM317List, kLM317VoltageLowest, kInfinity);
      c.Divider.Ref = 0;
      c.Divider.Bias = 1;
      c.Target = vout;
      break;
    }
    case TPage::LM317Current: {
      double i;
      const TDeviceRow* lm = NeedDevice(devices, "LM317", error);
      if (!in.Positive(kLoadCurrent, i) || !lm) break;
      c.Device = lm;
      c.Params = {Param("Vref", kLM317CurrentVref, lm->Reference), Param("Iadj", 0, lm->Current)};
      TSingle s = Single("R1", {0, 0}, {1, 0}, i, 0, kInfinity);
      s.RLow = kLM317CurrentRLow;
      s.RHigh = kLM317CurrentRHigh;
      c.Singles.push_back(s);
      c.Heat = THeatKind::CurrentSource;
      c.PageLoad = i;
      c.Target = i;
      break;
    }
    case TPage::L200: {
      double vout, iout, r1;
      const TDeviceRow* l200 = NeedDevice(devices, "L200", error);
      if (!in.Number("Vout", vout) || !in.Positive("Iout", iout) || !in.Positive("R1", r1) || !l200) break;
      c.Device = l200;
      c.Params = {Param("Vref", kL200Vref, l200->Reference), Param("Vsense", kL200Sense, l200->Sense),
                  Param("Iq", l200->Current.Typ, l200->Current)};
      c.Divider = ListDivider("R1", "R2", r1, kL200List, kL200Low, kL200High);
      c.Divider.Ref = 0;
      c.Singles.push_back(Single("R3", {1, 0}, {-1, 0}, iout, 0, kL200MaxCurrent));
      c.GroundCurrent = 2;
      c.PageLoad = iout;
      c.Target = vout;
      break;
    }
    case TPage::TL431:
    case TPage::TL431LM317: {
      double vout, iout, ratio;
      const TDeviceRow* tl = NeedDevice(devices, "TL431", error);
      const TDeviceRow* lm = NeedDevice(devices, "LM317", error);
      if (!in.Number("Vout", vout) || !in.Positive("Iout", iout, kAmperesPerMilliampere) ||
          !in.Positive("Idiv/Iref", ratio) || !tl || !lm)
        break;
      c.Params = {Param("Vref", kTL431Vref, tl->Reference), Param("Iref", 0, tl->Current)};
      c.Divider = TL431Divider();
      c.Divider.Ref = 0;
      c.Divider.Bias = 1;
      c.PageLoad = iout;
      c.Target = vout;
      const double planned = ratio * kTL431PlannedIref;  // the divider current the page plans
      if (page == TPage::TL431) {
        double vinMin, vinMax;
        if (!in.Number("Vin min", vinMin) || !in.Number("Vin max", vinMax)) break;
        c.Device = tl;
        c.Divider.OutBelow = vinMin;
        TSingle s = Single("R1", {-1, vinMin - kTL431VinMargin * vout}, {-1, -(planned + kTL431MinCathode)}, iout, 0,
                           kTL431MaxCurrent);
        s.Heat = TAcrossForHeat::InputMinusOutput;
        c.Singles.push_back(s);
        c.Heat = THeatKind::Shunt;
        c.PageVin = vinMax;
        c.ShuntMinCurrent = kTL431MinCathode;
      } else {
        c.Device = lm;
        c.Params.push_back(Param("Vadj", kLM317CurrentVref, lm->Reference));
        c.Params.push_back(Param("Iadj", 0, lm->Current));
        c.Singles.push_back(Single("R1", {2, 0}, {3, -kTL431MinCathode}, iout, 0, kTL431MaxCurrent));
        c.GroundCurrent = -1;
      }
      c.Divider.DesignCurrent = planned;
      break;
    }
    case TPage::M5237: {
      double vout, r1;
      const TDeviceRow* m = NeedDevice(devices, "M5237", error);
      if (!in.Number("Vout", vout) || !in.Positive("R1", r1) || !m) break;
      c.Device = m;
      c.Params = {Param("Vref", kM5237Vref, m->Reference)};
      c.Divider = ListDivider("R1", "R2", r1, kM5237List, kM5237Low, kM5237High);
      c.Divider.Ref = 0;
      c.Target = vout;
      break;
    }
    case TPage::Voltage78xx:
    case TPage::Current78xx: {
      std::string type;
      if (!in.Text("Type", type)) break;
      const TDeviceRow* row = NeedDevice(devices, type, error);
      if (!row) break;
      c.Device = row;
      c.Params = {Param("Vreg", row->Reference.Typ, row->Reference), Param("Iq", k78xxQuiescent, row->Current)};
      c.GroundCurrent = 1;
      if (page == TPage::Voltage78xx) {
        double vout, r1;
        if (!in.Number("Vout", vout) || !in.Positive("R1", r1)) break;
        c.Divider = ListDivider("R1", "R2", r1, k78xxList, k78xxLow, k78xxHigh);
        c.Divider.Ref = 0;
        c.Divider.Bias = 1;
        c.Divider.OutAbove = row->Reference.Typ;
        c.Target = vout;
      } else {
        double i;
        if (!in.Positive(kLoadCurrent, i)) break;
        const double imax = MaxCurrentOf78xx(type);
        c.Singles.push_back(Single("R1", {0, 0}, {1, 0}, i, k78xxLeastLoad, imax == imax ? imax : kInfinity));
        c.Heat = THeatKind::CurrentSource;
        c.GroundCurrent = -1;  // the quiescent current flows on through the load
        c.Rating = kLongRating;
        c.PageLoad = i;
        c.Target = i;
      }
      break;
    }
    case TPage::UA723: {
      double vout, iout, r1;
      const TDeviceRow* ua = NeedDevice(devices, "uA723", error);
      if (!in.Number("Vout", vout) || !in.Positive("Iout", iout, kAmperesPerMilliampere) || !in.Positive("R1", r1) ||
          !ua)
        break;
      c.Device = ua;
      // The 1 V at NI is the reference divided down: it spreads as the reference does.
      c.Params = {Param("Vni", kUA723Vni, ua->Reference, kUA723Vni / ua->Reference.Typ),
                  Param("Vsense", kUA723Sense, ua->Sense), Param("Istby", ua->Current.Typ, ua->Current)};
      c.Divider = ListDivider("R1", "R2", r1, kUA723List, kUA723Low, kUA723High);
      c.Divider.Ref = 0;
      c.Singles.push_back(Single("R3", {1, 0}, {-1, 0}, iout, 0, kUA723MaxCurrent));
      c.GroundCurrent = 2;
      c.PageLoad = iout;
      c.Target = vout;
      break;
    }
  }
  if (!in.error.empty()) return in.error;
  if (!error.empty()) return error;
  c.HasDivider = c.Divider.Ref >= 0;
  c.Quantity = c.HasDivider ? "Vout" : "Iout";
  if (c.HasDivider && c.Divider.DesignCurrent == 0) SetDesignCurrent(c);
  return "";
}
