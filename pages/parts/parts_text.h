// The whole Parts analysis of one page and the text the driver prints for
// it. AnalyseParts runs the best-values search, the single resistors'
// choices and the worst case of the first set; PartsText and HeatText
// write the lines:
//   set NAME=OHMS NAME=OHMS ... Vout=VOLTS err=+P% Idiv=AMPS   (one per set, best first;
//       on the current sources: set R1=OHMS Iout=AMPS err=+P%)
//   worst Vout min=V typ=V max=V low=-P% high=+P% rounding=+P% tolerance=-P%/+P% device=-P%/+P%
//   near NAME=OHMS Iout=AMPS err=+P%          (each other single resistor: its nearest values)
//   pair NAME=A+B Iout=AMPS err=+P%           (the best series pair; A||B the best parallel pair)
//   note TEXT                                 (plain words when something is missing)
// and
//   heat P=WATTS Tj=DEGREES heatsink=DEGREES_PER_WATT|none|impossible|unknown
//   dropout ok | dropout short by VOLTS | dropout unknown   [Rload<=OHMS on the current sources]
//   resistor NAME=OHMS P=WATTS rating=WATTS ok|over
// Pure functions; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "pages/parts/best_values.h"
#include "pages/parts/heat.h"
#include "pages/parts/worst_case.h"

struct TPartsOptions {
  TSeries Series = TSeries::E24;
  double Tolerance;           // percent; NaN: the series' own
  bool KeepListPick = false;  // keep the page's list-picked resistor as it is
};
TPartsOptions DefaultPartsOptions(TSeries series);

struct TSingleReport {
  size_t Index = 0;                    // in the circuit's singles
  std::vector<TSingleChoice> Nearest;  // best first
  TSingleChoice Series, Parallel;      // Ohms 0 when none
};

struct TPartsAnalysis {
  std::string Message;  // plain words when nothing could be chosen
  double Tolerance = 0;
  std::vector<TDividerSet> Sets;
  std::vector<TSingleReport> Singles;
  TWorstCase Worst;     // of the first set (the first single choice on a current source)
  TChosenParts First;   // the first set's parts, each single at its nearest value
};

TPartsAnalysis AnalyseParts(const TCircuit& c, const TPartsOptions& o);
std::string PartsText(const TCircuit& c, const TPartsAnalysis& a);
std::string HeatText(const THeat& h);
