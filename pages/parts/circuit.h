// The circuits behind the nine regulator pages as equations: which
// resistors set the output, the output in terms of them and the device's
// parameters, and the page's own constraints. A circuit is bound from a
// page's design (the lines a page copies: "Vout = 5 V", "R1 = 240 Om") and
// the device table; the result is a plain value the analyses read, owned
// by the caller, safe to share between threads once built.
//
// Two equations cover all nine pages:
//   divider  Vout = Ref * (1 + Rset / Rref) + Bias * Rset
//            (Rref carries the reference, Rset the rest; Bias is the
//            current that joins the divider's tap: Iadj, Iref, Iq)
//   single   Q = Across / R + Offset
//            (a current source's output current, a sense resistor's limit,
//            the current a feed resistor supplies)
// Every parameter's typical value is the page's own constant, so a model
// at typical values gives back the page's results; a term the page leaves
// out (Iadj of a current source, the TL431's Iref in Vout) is a parameter
// whose typical value is 0 and whose spread is the device's.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "pages/parts/device_table.h"

enum class TPage { LM317Voltage, LM317Current, L200, TL431, TL431LM317, M5237, Voltage78xx, Current78xx, UA723 };
constexpr int kPageCount = 9;

// The page's title as its copied design starts ("LM317 Voltage"), and the
// page of a title.
const char* PageTitle(TPage page);
bool PageFromTitle(const std::string& title, TPage& page);

// A page's design: the lines its copy gives, "NAME REL VALUE [UNIT]".
struct TDesignLine {
  std::string Name, Relation, Value, Unit;
};
struct TDesign {
  std::string Title;
  std::vector<TDesignLine> Lines;
  const TDesignLine* Find(const std::string& name) const;
};
// Reads a copied design (lines broken by CR LF or LF).
TDesign ParseDesign(const std::string& text);

// A device parameter in a circuit's equations.
struct TParam {
  std::string Name;  // "Vref", "Iadj", "Vreg", "Iq", "Iref", "Vsense", "Vni"
  double Typ;        // the page's value
  double Min, Max;   // the device's spread (Min <= Typ <= Max)
};

// A parameter (or none: -1) plus a constant.
struct TTerm {
  int Param = -1;
  double Constant = 0;
};

struct TDivider {
  std::string Rref, Rset;      // the names the page gives them
  int Ref = -1, Bias = -1;     // parameters
  bool RrefFromList = false;   // the page picks Rref from a list
  double RrefPicked = 0;       // the design's Rref when it is picked
  double RrefLow = 0, RrefHigh = 0;  // where Rref may lie (a list's range, a page check)
  double RsetLow = 0, RsetHigh = 0;
  double OutLow = 0, OutHigh = 0;  // the page's range check (both included)
  // Strict bounds the page adds (NaN: none).
  double OutAbove = std::numeric_limits<double>::quiet_NaN();
  double OutBelow = std::numeric_limits<double>::quiet_NaN();
  double DesignCurrent = 0;    // Ref / Rref of the page's own design
};

// How a single resistor's heat is read: from its own term, or from the
// input-to-output voltage (a shunt's feed resistor).
enum class TAcrossForHeat { Term, InputMinusOutput };

struct TSingle {
  std::string Name;       // "R1", "R3"
  std::string Quantity;   // "Iout": what it sets, in amperes
  TTerm Across, Offset;
  double Target = 0;      // what the page sets it for
  double RLow = 0, RHigh = 0;      // allowed resistance (a page check), else (0, inf)
  double QLow = 0, QHigh = 0;      // allowed quantity
  TAcrossForHeat Heat = TAcrossForHeat::Term;
};

enum class THeatKind { Series, CurrentSource, Shunt };

// The page's power rating rule: x = P / Margin, then the first of 40, 20,
// 10, 5, 3, 2, 1, 0.5, 0.25, 0.125 below x picks 50, 40, ... 0.25 (the
// short list stops at 3), else 0.125.
struct TRatingRule {
  double Margin;
  bool LongList;
};

struct TCircuit {
  TPage Page;
  std::string Quantity;          // "Vout", or "Iout" on the current sources
  double Target = 0;             // the design's output
  std::vector<TParam> Params;
  bool HasDivider = false;
  TDivider Divider;
  std::vector<TSingle> Singles;  // on a current source the first sets the output
  const TDeviceRow* Device = nullptr;  // the regulator that dissipates
  THeatKind Heat = THeatKind::Series;
  int GroundCurrent = -1;        // a parameter flowing from input to ground (Iq)
  double PageVin;                // the design's own input voltage, NaN when none
  double PageLoad;               // the design's own load current, NaN when none
  double ShuntMinCurrent = 0;    // Shunt: the least cathode current the page allows
  TRatingRule Rating;

  std::vector<double> Typicals() const;
  int ParamIndex(const std::string& name) const;
};

// Builds the circuit of `page` from its design and the device table. On
// an unusable design (a missing or non-numeric value, an unknown type)
// answers a plain-words message and leaves `out` unspecified; "" when bound.
std::string BindCircuit(TPage page, const TDesign& design, const TDeviceTable& devices, TCircuit& out);

// The equations, at parameter values `p` (one per circuit parameter).
double TermValue(const TTerm& t, const double* p);
double DividerOutput(const TDivider& d, const double* p, double rref, double rset);
double SingleOutput(const TSingle& s, const double* p, double r);
// The Rset that gives `out` with Rref, and the R that gives `q`.
double SolveRset(const TDivider& d, const double* p, double rref, double out);
double SolveSingle(const TSingle& s, const double* p, double q);
// Where a divider's output lies against the page's checks: -1 below what
// they allow, +1 above, 0 allowed.
int OutputSide(const TDivider& d, double out);
// The current the reference sets in the divider: Ref / Rref.
double DividerCurrent(const TDivider& d, const double* p, double rref);
