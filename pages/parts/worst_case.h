// The worst case of a chosen set: the output's min and max over every
// resistor's tolerance and the device's spread, from the exact corners of
// that box (every variable at one end or the other), and how much of the
// deviation comes from rounding to standard values, from the tolerances
// and from the device. Pure functions; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "pages/parts/circuit.h"

// Tolerances are in percent and must lie in [0, 50].
constexpr double kLargestTolerance = 50;

// One variable of the box: a resistor or a device parameter.
struct TCornerVariable {
  std::string Name;
  double Low, Typ, High;
};

struct TWorstCase {
  std::string Message;  // plain words when the input is unusable; then nothing else is set
  std::vector<TCornerVariable> Variables;
  std::vector<bool> MinCorner, MaxCorner;  // per variable: at its high end
  double Min = 0, Typ = 0, Max = 0;
  double LowPercent = 0, HighPercent = 0;  // (Min - Typ) / Typ, (Max - Typ) / Typ, in %
  double RoundingPercent = 0;              // (Typ - target) / target, in %
  double ToleranceLow = 0, ToleranceHigh = 0;  // the same, resistors alone
  double DeviceLow = 0, DeviceHigh = 0;        // the same, device alone
};

// The divider set (rref, rset), each resistor with its tolerance.
TWorstCase DividerWorstCase(const TCircuit& c, double rref, double rset, double tolRref, double tolRset);
// A single resistor r of `c.Singles[index]` with its tolerance.
TWorstCase SingleWorstCase(const TCircuit& c, size_t index, double r, double tol);
