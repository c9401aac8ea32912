#include "pages/parts/worst_case.h"

#include <cmath>
#include <functional>

namespace {

constexpr double kPercent = 100;

// The device parameters a term reads.
void AddParam(int index, std::vector<int>& used) {
  if (index < 0) return;
  for (int u : used)
    if (u == index) return;
  used.push_back(index);
}

// The variables are the resistors first, then the used parameters.
struct TBox {
  size_t Resistors = 0;
  std::vector<int> Params;  // circuit parameter of each variable after the resistors
};

std::vector<double> ParamValues(const TCircuit& c, const TBox& box, const std::vector<double>& x) {
  std::vector<double> p = c.Typicals();
  for (size_t k = 0; k < box.Params.size(); ++k) p[box.Params[k]] = x[box.Resistors + k];
  return p;
}

// The box of each equation, kept where the equations can reach them.
TBox DividerBox(const TCircuit& c) {
  TBox b;
  b.Resistors = 2;
  AddParam(c.Divider.Ref, b.Params);
  AddParam(c.Divider.Bias, b.Params);
  return b;
}

TBox SingleBox(const TSingle& s) {
  TBox b;
  b.Resistors = 1;
  AddParam(s.Across.Param, b.Params);
  AddParam(s.Offset.Param, b.Params);
  return b;
}

// The output at a point of the box (one value per variable).
using TEquation = std::function<double(const std::vector<double>&)>;

bool ToleranceUsable(double tol) { return tol >= 0 && tol <= kLargestTolerance; }

// Min and max over the corners, varying only the variables in `which`
// (the others stay typical); the corner masks when asked for.
void Corners(const TWorstCase& w, const TEquation& eq, const std::vector<bool>& which, double& lo, double& hi,
             std::vector<bool>* loCorner, std::vector<bool>* hiCorner) {
  const size_t n = w.Variables.size();
  std::vector<size_t> free;
  for (size_t i = 0; i < n; ++i)
    if (which[i]) free.push_back(i);
  lo = hi = w.Typ;
  bool first = true;
  for (unsigned long mask = 0; mask < (1ul << free.size()); ++mask) {
    std::vector<double> x(n);
    std::vector<bool> corner(n, false);
    for (size_t i = 0; i < n; ++i) x[i] = w.Variables[i].Typ;
    for (size_t k = 0; k < free.size(); ++k) {
      const bool high = (mask >> k) & 1;
      x[free[k]] = high ? w.Variables[free[k]].High : w.Variables[free[k]].Low;
      corner[free[k]] = high;
    }
    const double v = eq(x);
    if (first || v < lo) {
      lo = v;
      if (loCorner) *loCorner = corner;
    }
    if (first || v > hi) {
      hi = v;
      if (hiCorner) *hiCorner = corner;
    }
    first = false;
  }
}

double Percent(double v, double typ) { return (v - typ) / typ * kPercent; }

void Finish(TWorstCase& w, const TEquation& eq, const TBox& box, double target) {
  const size_t n = w.Variables.size();
  std::vector<double> typ(n);
  for (size_t i = 0; i < n; ++i) typ[i] = w.Variables[i].Typ;
  w.Typ = eq(typ);
  std::vector<bool> all(n, true), resistors(n, false), device(n, false);
  for (size_t i = 0; i < n; ++i) (i < box.Resistors ? resistors : device)[i] = true;
  Corners(w, eq, all, w.Min, w.Max, &w.MinCorner, &w.MaxCorner);
  double lo, hi;
  Corners(w, eq, resistors, lo, hi, nullptr, nullptr);
  w.ToleranceLow = Percent(lo, w.Typ);
  w.ToleranceHigh = Percent(hi, w.Typ);
  Corners(w, eq, device, lo, hi, nullptr, nullptr);
  w.DeviceLow = Percent(lo, w.Typ);
  w.DeviceHigh = Percent(hi, w.Typ);
  w.LowPercent = Percent(w.Min, w.Typ);
  w.HighPercent = Percent(w.Max, w.Typ);
  w.RoundingPercent = Percent(w.Typ, target);
}

TCornerVariable Resistor(const std::string& name, double r, double tol) {
  return {name, r * (1 - tol / kPercent), r, r * (1 + tol / kPercent)};
}

void AddParams(const TCircuit& c, const TBox& box, TWorstCase& w) {
  for (int k : box.Params) w.Variables.push_back({c.Params[k].Name, c.Params[k].Min, c.Params[k].Typ, c.Params[k].Max});
}

const char kToleranceMessage[] = "A tolerance must lie between 0 and 50 %.";

}  // namespace

TWorstCase DividerWorstCase(const TCircuit& c, double rref, double rset, double tolRref, double tolRset) {
  TWorstCase w;
  if (!c.HasDivider) {
    w.Message = "This page has no divider.";
    return w;
  }
  if (!ToleranceUsable(tolRref) || !ToleranceUsable(tolRset)) {
    w.Message = kToleranceMessage;
    return w;
  }
  const TBox box = DividerBox(c);
  w.Variables = {Resistor(c.Divider.Rref, rref, tolRref), Resistor(c.Divider.Rset, rset, tolRset)};
  AddParams(c, box, w);
  const TEquation eq = [&c, &box](const std::vector<double>& x) {
    const std::vector<double> p = ParamValues(c, box, x);
    return DividerOutput(c.Divider, p.data(), x[0], x[1]);
  };
  Finish(w, eq, box, c.Target);
  return w;
}

TWorstCase SingleWorstCase(const TCircuit& c, size_t index, double r, double tol) {
  TWorstCase w;
  if (index >= c.Singles.size()) {
    w.Message = "This page has no such resistor.";
    return w;
  }
  if (!ToleranceUsable(tol)) {
    w.Message = kToleranceMessage;
    return w;
  }
  const TSingle& s = c.Singles[index];
  const TBox box = SingleBox(s);
  w.Variables = {Resistor(s.Name, r, tol)};
  AddParams(c, box, w);
  const TEquation eq = [&c, &s, &box](const std::vector<double>& x) {
    const std::vector<double> p = ParamValues(c, box, x);
    return SingleOutput(s, p.data(), x[0]);
  };
  Finish(w, eq, box, s.Target);
  return w;
}
