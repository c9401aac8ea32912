#include "pages/parts/best_values.h"

#include <algorithm>
#include <cmath>

namespace {

// How far from the exact resistance single values and pairs are looked for.
constexpr double kSingleDecade = 10;
constexpr double kPairSpan = 1000;

// The ranked list of the best divider sets found so far.
class TTopSets {
 public:
  TTopSets(const TCircuit& c, int count) : c_(c), count_(count), p_(c.Typicals()) {}

  // Offers the set (rref, rset); answers where its output lies against the
  // page's checks: -1 below, +1 above, 0 allowed.
  int Offer(const TStandard& rref, const TStandard& rset) {
    const TDivider& d = c_.Divider;
    TDividerSet s;
    s.Rref = rref;
    s.Rset = rset;
    s.Output = DividerOutput(d, p_.data(), rref.Ohms, rset.Ohms);
    const int side = OutputSide(d, s.Output);
    if (side != 0) return side;
    s.ErrorPercent = (s.Output - c_.Target) / c_.Target * 100;
    s.Current = DividerCurrent(d, p_.data(), rref.Ohms);
    Insert(s);
    return 0;
  }
  std::vector<TDividerSet> Sets() const { return sets_; }

 private:
  double Distance(const TDividerSet& s) const { return std::fabs(std::log(s.Current / c_.Divider.DesignCurrent)); }
  bool Better(const TDividerSet& a, const TDividerSet& b) const {
    const double ea = std::fabs(a.ErrorPercent), eb = std::fabs(b.ErrorPercent);
    if (ea != eb) return ea < eb;
    const double da = Distance(a), db = Distance(b);
    if (da != db) return da < db;
    if (a.Rref.Ohms != b.Rref.Ohms) return a.Rref.Ohms < b.Rref.Ohms;
    return a.Rset.Ohms < b.Rset.Ohms;
  }
  // The same digits in the same ratio: one set in another decade.
  static bool SameRatio(const TDividerSet& a, const TDividerSet& b) {
    if (a.Rref.Mantissa == 0 || b.Rref.Mantissa == 0) return a.Rref.Ohms == b.Rref.Ohms && a.Rset.Ohms == b.Rset.Ohms;
    return a.Rref.Mantissa == b.Rref.Mantissa && a.Rset.Mantissa == b.Rset.Mantissa &&
           a.Rset.Exponent - a.Rref.Exponent == b.Rset.Exponent - b.Rref.Exponent;
  }
  void Insert(const TDividerSet& s) {
    for (TDividerSet& k : sets_) {
      if (!SameRatio(k, s)) continue;
      if (Better(s, k)) {
        k = s;
        Sort();
      }
      return;
    }
    if (static_cast<int>(sets_.size()) == count_ && !Better(s, sets_.back())) return;
    sets_.push_back(s);
    Sort();
    if (static_cast<int>(sets_.size()) > count_) sets_.pop_back();
  }
  void Sort() {
    std::sort(sets_.begin(), sets_.end(), [this](const TDividerSet& a, const TDividerSet& b) { return Better(a, b); });
  }

  const TCircuit& c_;
  int count_;
  std::vector<double> p_;
  std::vector<TDividerSet> sets_;
};

std::vector<TStandard> RrefCandidates(const TCircuit& c, const TSearchOptions& o) {
  const TDivider& d = c.Divider;
  if (o.KeepListPick && d.RrefFromList) return {TStandard{d.RrefPicked, 0, 0}};
  return SeriesInRange(o.Series, d.RrefLow, d.RrefHigh);
}

double ErrorPercent(double out, double target) { return (out - target) / target * 100; }

TSingleChoice Choice(const TSingle& s, const std::vector<double>& p, TChoiceKind kind, const TStandard& a,
                     const TStandard& b) {
  TSingleChoice ch;
  ch.Kind = kind;
  ch.A = a;
  ch.B = b;
  ch.Ohms = kind == TChoiceKind::One      ? a.Ohms
            : kind == TChoiceKind::Series ? a.Ohms + b.Ohms
                                          : a.Ohms * b.Ohms / (a.Ohms + b.Ohms);
  ch.Output = SingleOutput(s, p.data(), ch.Ohms);
  ch.ErrorPercent = ErrorPercent(ch.Output, s.Target);
  return ch;
}

bool Usable(const TSingle& s, const TSingleChoice& ch) {
  return ch.Ohms >= s.RLow && ch.Ohms <= s.RHigh && ch.Output >= s.QLow && ch.Output <= s.QHigh;
}

bool BetterChoice(const TSingleChoice& a, const TSingleChoice& b) {
  const double ea = std::fabs(a.ErrorPercent), eb = std::fabs(b.ErrorPercent);
  if (ea != eb) return ea < eb;
  if (a.A.Ohms != b.A.Ohms) return a.A.Ohms < b.A.Ohms;
  return a.B.Ohms < b.B.Ohms;
}

// Pairs are kept with the larger value first.
void KeepBest(const TSingle& s, const std::vector<double>& p, TChoiceKind kind, TStandard a, TStandard b,
              TSingleChoice& best) {
  if (a.Ohms < b.Ohms) std::swap(a, b);
  const TSingleChoice ch = Choice(s, p, kind, a, b);
  if (Usable(s, ch) && (best.Ohms == 0 || BetterChoice(ch, best))) best = ch;
}

}  // namespace

std::vector<TDividerSet> BestDividerSets(const TCircuit& c, const TSearchOptions& o) {
  TTopSets top(c, o.Count);
  if (!c.HasDivider) return {};
  const TDivider& d = c.Divider;
  const std::vector<double> p = c.Typicals();
  const std::vector<TStandard> sets = SeriesInRange(o.Series, d.RsetLow, d.RsetHigh);
  for (const TStandard& rref : RrefCandidates(c, o)) {
    const double exact = SolveRset(d, p.data(), rref.Ohms, c.Target);
    const auto at = std::lower_bound(sets.begin(), sets.end(), exact,
                                     [](const TStandard& s, double v) { return s.Ohms < v; });
    // Up to Count allowed values below the solution, then above; the
    // output falls going down, so one too low ends that side.
    int found = 0;
    for (auto it = at; it != sets.begin() && found < o.Count;) {
      const int where = top.Offer(rref, *--it);
      if (where < 0) break;
      if (where == 0) ++found;
    }
    found = 0;
    for (auto it = at; it != sets.end() && found < o.Count; ++it) {
      const int where = top.Offer(rref, *it);
      if (where > 0) break;
      if (where == 0) ++found;
    }
  }
  return top.Sets();
}

std::vector<TDividerSet> BruteForceDividerSets(const TCircuit& c, const TSearchOptions& o) {
  TTopSets top(c, o.Count);
  if (!c.HasDivider) return {};
  const std::vector<TStandard> sets = SeriesInRange(o.Series, c.Divider.RsetLow, c.Divider.RsetHigh);
  for (const TStandard& rref : RrefCandidates(c, o))
    for (const TStandard& rset : sets) top.Offer(rref, rset);
  return top.Sets();
}

std::vector<TSingleChoice> NearestSingles(const TCircuit& c, const TSingle& s, TSeries series, int count) {
  const std::vector<double> p = c.Typicals();
  const double exact = SolveSingle(s, p.data(), s.Target);
  std::vector<TSingleChoice> out;
  if (!(exact > 0) || !std::isfinite(exact)) return out;
  for (const TStandard& v : SeriesInRange(series, exact / kSingleDecade, exact * kSingleDecade)) {
    const TSingleChoice ch = Choice(s, p, TChoiceKind::One, v, TStandard{});
    if (Usable(s, ch)) out.push_back(ch);
  }
  std::sort(out.begin(), out.end(), BetterChoice);
  if (static_cast<int>(out.size()) > count) out.resize(count);
  return out;
}

TSingleChoice BestPair(const TCircuit& c, const TSingle& s, TSeries series, TChoiceKind kind) {
  const std::vector<double> p = c.Typicals();
  TSingleChoice best;
  const double exact = SolveSingle(s, p.data(), s.Target);
  if (!(exact > 0) || !std::isfinite(exact)) return best;
  const std::vector<TStandard> values = SeriesInRange(series, exact / kPairSpan, exact * kPairSpan);
  if (values.empty()) return best;
  for (const TStandard& a : values) {
    // The partner that makes the pair exact; its neighbours in the series.
    double partner;
    if (kind == TChoiceKind::Series) {
      partner = exact - a.Ohms;
      if (!(partner > 0)) continue;
    } else {
      if (!(a.Ohms > exact)) {
        KeepBest(s, p, kind, a, values.back(), best);  // nothing parallel reaches it: the largest comes nearest
        continue;
      }
      partner = a.Ohms * exact / (a.Ohms - exact);
    }
    const auto at = std::lower_bound(values.begin(), values.end(), partner,
                                     [](const TStandard& v, double x) { return v.Ohms < x; });
    if (at != values.begin()) KeepBest(s, p, kind, a, *(at - 1), best);
    if (at != values.end()) KeepBest(s, p, kind, a, *at, best);
  }
  return best;
}

TSingleChoice BruteForcePair(const TCircuit& c, const TSingle& s, TSeries series, TChoiceKind kind) {
  const std::vector<double> p = c.Typicals();
  TSingleChoice best;
  const double exact = SolveSingle(s, p.data(), s.Target);
  if (!(exact > 0) || !std::isfinite(exact)) return best;
  const std::vector<TStandard> values = SeriesInRange(series, exact / kPairSpan, exact * kPairSpan);
  for (size_t i = 0; i < values.size(); ++i)
    for (size_t j = 0; j <= i; ++j) KeepBest(s, p, kind, values[i], values[j], best);
  return best;
}
