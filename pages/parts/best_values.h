// The best standard values for a circuit: sets of two standard resistors
// for a divider, ranked by the output error the circuit's equation gives at
// the page's typical values, and the best single values and pairs for a
// resistor that sets a current alone. Pure functions of their arguments;
// safe from any thread.
//
// The search scales: for each standard value of Rref in its range it
// solves the equation for Rset and takes the standard values next to the
// solution, a handful per Rref instead of every Rset there is. Since the
// output grows with Rset, the sets in the top N for one Rref are among the
// N nearest valid values on either side of the solution, so the result is
// exactly what a search of every combination (kept below as the benchmark's
// floor and the tests' oracle) gives.
#pragma once

#include <string>
#include <vector>

#include "pages/parts/circuit.h"
#include "pages/parts/eseries.h"

constexpr int kBestCount = 5;

struct TSearchOptions {
  TSeries Series = TSeries::E24;
  bool KeepListPick = false;  // Rref stays the design's pick
  int Count = kBestCount;
};

// A divider set and what it gives at typical values.
struct TDividerSet {
  TStandard Rref, Rset;  // a kept pick that is no series member has Mantissa 0
  double Output = 0;
  double ErrorPercent = 0;  // (Output - target) / target * 100
  double Current = 0;       // the divider current Ref / Rref
};

// Best first: by |error|, then by how near the divider current is to the
// page's own design, then by Rref and Rset. Sets with the same ratio of
// the same digits (3.01k / 1.5k and 301 / 150) count once, by their best.
std::vector<TDividerSet> BestDividerSets(const TCircuit& c, const TSearchOptions& o);
std::vector<TDividerSet> BruteForceDividerSets(const TCircuit& c, const TSearchOptions& o);

// A value for a single resistor: one standard value, or two in series or
// in parallel.
enum class TChoiceKind { One, Series, Parallel };
struct TSingleChoice {
  TChoiceKind Kind = TChoiceKind::One;
  TStandard A{}, B{};  // B unused for One; A >= B for pairs
  double Ohms = 0;
  double Output = 0;
  double ErrorPercent = 0;
};

// The `count` best single standard values within a decade of the exact
// resistance and within the page's checks, best first (|error|, then ohms).
std::vector<TSingleChoice> NearestSingles(const TCircuit& c, const TSingle& s, TSeries series, int count);
// The best pair of `kind` (Series or Parallel) of standard values between
// a thousandth and a thousand times the exact resistance; Ohms 0 when none.
TSingleChoice BestPair(const TCircuit& c, const TSingle& s, TSeries series, TChoiceKind kind);
TSingleChoice BruteForcePair(const TCircuit& c, const TSingle& s, TSeries series, TChoiceKind kind);
