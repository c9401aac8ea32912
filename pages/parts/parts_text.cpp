#include "pages/parts/parts_text.h"

#include <limits>

#include "pages/parts/decimal_text.h"
#include "runtime/number_text.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// Digits worth showing: outputs to a few parts per million (the E192 sets
// differ by less than 0.1 %), percentages and powers to three.
constexpr int kOutputDigits = 6;
constexpr int kPercentDigits = 3;
constexpr int kHeatDigits = 3;
constexpr int kNearestOfOthers = 2;

std::string Ohms(double v) { return RealToText(v); }

std::string ChoiceOhms(const TSingleChoice& ch) {
  switch (ch.Kind) {
    case TChoiceKind::One: return Ohms(ch.A.Ohms);
    case TChoiceKind::Series: return Ohms(ch.A.Ohms) + "+" + Ohms(ch.B.Ohms);
    case TChoiceKind::Parallel: break;
  }
  return Ohms(ch.A.Ohms) + "||" + Ohms(ch.B.Ohms);
}

std::string ChoiceLine(const char* head, const TSingle& s, const TSingleChoice& ch) {
  return std::string(head) + " " + s.Name + "=" + ChoiceOhms(ch) + " " + s.Quantity + "=" +
         SignificantText(ch.Output, kOutputDigits) + " err=" + SignedPercentText(ch.ErrorPercent, kPercentDigits) +
         "\n";
}

std::string SpreadText(double low, double high) {
  return SignedPercentText(low, kPercentDigits) + "/" + SignedPercentText(high, kPercentDigits);
}

}  // namespace

TPartsOptions DefaultPartsOptions(TSeries series) { return {series, kNone, false}; }

TPartsAnalysis AnalyseParts(const TCircuit& c, const TPartsOptions& o) {
  TPartsAnalysis a;
  a.Tolerance = o.Tolerance == o.Tolerance ? o.Tolerance : DefaultTolerance(o.Series);
  a.First = {kNone, kNone, {}};
  if (!(a.Tolerance >= 0 && a.Tolerance <= kLargestTolerance)) {
    a.Message = "A tolerance must lie between 0 and 50 %.";
    return a;
  }
  for (size_t k = 0; k < c.Singles.size(); ++k) {
    TSingleReport r;
    r.Index = k;
    r.Nearest = NearestSingles(c, c.Singles[k], o.Series, kBestCount);
    r.Series = BestPair(c, c.Singles[k], o.Series, TChoiceKind::Series);
    r.Parallel = BestPair(c, c.Singles[k], o.Series, TChoiceKind::Parallel);
    a.First.Singles.push_back(r.Nearest.empty() ? kNone : r.Nearest.front().Ohms);
    a.Singles.push_back(r);
  }
  if (c.HasDivider) {
    TSearchOptions so;
    so.Series = o.Series;
    so.KeepListPick = o.KeepListPick;
    a.Sets = BestDividerSets(c, so);
    if (a.Sets.empty()) {
      a.Message = std::string("No set of ") + SeriesName(o.Series) + " values meets the page's checks.";
      return a;
    }
    const TDividerSet& best = a.Sets.front();
    a.First.Rref = best.Rref.Ohms;
    a.First.Rset = best.Rset.Ohms;
    a.Worst = DividerWorstCase(c, best.Rref.Ohms, best.Rset.Ohms, a.Tolerance, a.Tolerance);
  } else if (!a.Singles.empty() && !a.Singles.front().Nearest.empty()) {
    a.Worst = SingleWorstCase(c, 0, a.Singles.front().Nearest.front().Ohms, a.Tolerance);
  } else {
    a.Message = std::string("No ") + SeriesName(o.Series) + " value meets the page's checks.";
  }
  return a;
}

std::string PartsText(const TCircuit& c, const TPartsAnalysis& a) {
  std::string out;
  if (c.HasDivider) {
    for (const TDividerSet& s : a.Sets) {
      // Names in order (R1 before R2, R2 before R3), as the pages list them.
      const bool refFirst = c.Divider.Rref < c.Divider.Rset;
      const std::string ref = c.Divider.Rref + "=" + Ohms(s.Rref.Ohms);
      const std::string set = c.Divider.Rset + "=" + Ohms(s.Rset.Ohms);
      out += "set " + (refFirst ? ref + " " + set : set + " " + ref) + " " + c.Quantity + "=" +
             SignificantText(s.Output, kOutputDigits) + " err=" + SignedPercentText(s.ErrorPercent, kPercentDigits) +
             " Idiv=" + SignificantText(s.Current, kOutputDigits) + "\n";
    }
  } else if (!a.Singles.empty()) {
    for (const TSingleChoice& ch : a.Singles.front().Nearest) out += ChoiceLine("set", c.Singles.front(), ch);
  }
  if (a.Worst.Message.empty() && (!a.Sets.empty() || (!c.HasDivider && !a.Singles.empty() && !a.Singles.front().Nearest.empty()))) {
    const TWorstCase& w = a.Worst;
    out += "worst " + c.Quantity + " min=" + SignificantText(w.Min, kOutputDigits) +
           " typ=" + SignificantText(w.Typ, kOutputDigits) + " max=" + SignificantText(w.Max, kOutputDigits) +
           " low=" + SignedPercentText(w.LowPercent, kPercentDigits) +
           " high=" + SignedPercentText(w.HighPercent, kPercentDigits) +
           " rounding=" + SignedPercentText(w.RoundingPercent, kPercentDigits) +
           " tolerance=" + SpreadText(w.ToleranceLow, w.ToleranceHigh) +
           " device=" + SpreadText(w.DeviceLow, w.DeviceHigh) + "\n";
  }
  for (const TSingleReport& r : a.Singles) {
    const TSingle& s = c.Singles[r.Index];
    if (c.HasDivider)
      for (size_t k = 0; k < r.Nearest.size() && k < static_cast<size_t>(kNearestOfOthers); ++k)
        out += ChoiceLine("near", s, r.Nearest[k]);
    if (r.Series.Ohms > 0) out += ChoiceLine("pair", s, r.Series);
    if (r.Parallel.Ohms > 0) out += ChoiceLine("pair", s, r.Parallel);
  }
  if (!a.Message.empty()) out += "note " + a.Message + "\n";
  if (!a.Worst.Message.empty()) out += "note " + a.Worst.Message + "\n";
  return out;
}

std::string HeatText(const THeat& h) {
  if (!h.Usable) return "note " + h.Message + "\n";
  std::string out = "heat P=" + SignificantText(h.Power, kHeatDigits) + " Tj=";
  if (!h.TjKnown) {
    out += "unknown heatsink=unknown";
  } else {
    out += SignificantText(h.Tj, kHeatDigits) + " heatsink=";
    if (!h.NeedsSink) out += "none";
    else if (!h.SinkPossible) out += "impossible";
    else out += SignificantText(h.SinkTheta, kHeatDigits);
  }
  out += "\n";
  if (!h.DropoutKnown) out += "dropout unknown";
  else if (h.Shortfall > 0) out += "dropout short by " + SignificantText(h.Shortfall, kHeatDigits);
  else out += "dropout ok";
  if (h.MaxLoadOhms > 0) out += " Rload<=" + SignificantText(h.MaxLoadOhms, kHeatDigits);
  out += "\n";
  for (const TResistorHeat& r : h.Resistors)
    out += "resistor " + r.Name + "=" + Ohms(r.Ohms) + " P=" + SignificantText(r.Watts, kHeatDigits) +
           " rating=" + r.Rating + (r.RatingHolds ? " ok" : " over") + "\n";
  if (!h.Message.empty()) out += "note " + h.Message + "\n";
  return out;
}
