#include "pages/parts/report.h"

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "pages/parts/parts_text.h"
#include "runtime/number_text.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
const char kPageOwn[] = "-";

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// A number by the program's own rules (as the pages read their fields).
bool Number(const std::string& word, double& out) { return CheckRealText(word, out) && std::isfinite(out); }

// The page of a design and its circuit; "" when bound.
std::string Bind(const std::string& text, TDesign& design, TCircuit& c) {
  design = ParseDesign(text);
  TPage page;
  if (!PageFromTitle(design.Title, page)) return "this page has no parts to choose";
  const TDeviceTable& devices = DeviceTable();
  if (!devices.Error.empty()) return "the device table is damaged: " + devices.Error;
  return BindCircuit(page, design, devices, c);
}

// A resistor the page computed, in ohms; NaN when the page shows none.
double Shown(const TDesign& d, const std::string& name) {
  const TDesignLine* line = d.Find(name);
  double v;
  if (!line || !CheckRealText(line->Value, v) || !(v > 0) || !std::isfinite(v)) return kNone;
  return line->Unit == "kOm" ? v * 1000 : v;
}

}  // namespace

std::string PartsReport(const std::string& text, const std::string& args, std::string& lines) {
  const std::vector<std::string> w = Words(args);
  if (w.empty() || w.size() > 2) return "parts needs a page, a series and perhaps a tolerance";
  TPartsOptions o = DefaultPartsOptions(TSeries::E24);
  if (!SeriesFromName(w[0], o.Series)) return "no series \"" + w[0] + "\" (E6, E12, E24, E48, E96 or E192)";
  if (w.size() == 2 && (!Number(w[1], o.Tolerance) || o.Tolerance < 0 || o.Tolerance > kLargestTolerance))
    return "a tolerance is a percentage from 0 to 50";
  TDesign design;
  TCircuit c;
  const std::string error = Bind(text, design, c);
  if (!error.empty()) return error;
  lines = PartsText(c, AnalyseParts(c, o));
  return "";
}

std::string HeatReport(const std::string& text, const std::string& args, std::string& lines) {
  const std::vector<std::string> w = Words(args);
  if (w.size() != 3) return "heat needs a page, the input voltage, the load current and the ambient temperature";
  THeatInputs in = DefaultHeatInputs();
  if (w[0] != kPageOwn && !Number(w[0], in.Vin)) return "the input voltage is not a number";
  if (w[1] != kPageOwn && !Number(w[1], in.Load)) return "the load current is not a number";
  if (!Number(w[2], in.Ambient)) return "the ambient temperature is not a number";
  TDesign design;
  TCircuit c;
  const std::string error = Bind(text, design, c);
  if (!error.empty()) return error;
  TChosenParts parts{kNone, kNone, {}};
  bool calculated = true;
  if (c.HasDivider) {
    parts.Rref = Shown(design, c.Divider.Rref);
    parts.Rset = Shown(design, c.Divider.Rset);
    calculated = parts.Rref == parts.Rref && parts.Rset == parts.Rset;
  }
  for (const TSingle& s : c.Singles) {
    parts.Singles.push_back(Shown(design, s.Name));
    calculated = calculated && parts.Singles.back() == parts.Singles.back();
  }
  if (!calculated) return "the page has no results yet: press Calculate first";
  lines = HeatText(AnalyseHeat(c, parts, in));
  return "";
}
