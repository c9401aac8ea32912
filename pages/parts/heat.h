// Heat and headroom of a chosen set: what the regulator dissipates at an
// input voltage, load current and ambient temperature, whether the input
// leaves the device its dropout, each resistor's power against the
// standard rating the page's rule picks, the junction temperature without
// a heat sink and, when that is too hot, the heat sink it needs. Pure
// functions; safe from any thread.
#pragma once

#include <string>
#include <vector>

#include "pages/parts/circuit.h"

// Case to heat sink through thermal grease, no insulator, for a TO-220 or
// Pentawatt tab on a flat heat sink: 0.5 C/W, the figure regulator and
// heat-sink mounting tables give for a greased tab (they span 0.1 to 1
// C/W from the best pastes to a dry joint).
constexpr double kThetaCaseToSink = 0.5;
constexpr double kDefaultAmbient = 25;

struct THeatInputs {
  double Vin;               // volts; NaN: the page's own
  double Load;              // amperes; NaN: the page's own
  double Ambient = kDefaultAmbient;
};
THeatInputs DefaultHeatInputs();

// The parts to look at: the divider set and each single's resistance, in
// the circuit's order (NaN: the exact value).
struct TChosenParts {
  double Rref, Rset;
  std::vector<double> Singles;
};

struct TResistorHeat {
  std::string Name;
  double Ohms = 0, Watts = 0;
  std::string Rating;  // the standard rating the page's rule picks
  bool RatingHolds = false;  // Watts / margin <= the rating
};

struct THeat {
  std::string Message;  // plain words: an unusable input (nothing else set) or a shortfall
  bool Usable = false;
  double Vin = 0, Load = 0, Ambient = 0, Output = 0;
  double Power = 0;          // the regulator's dissipation
  bool TjKnown = false;      // the table has the device's thermal data
  double Tj = 0;             // without a heat sink
  double TjMax = 0;
  bool NeedsSink = false;
  bool SinkPossible = false;  // some heat sink is enough
  double SinkTheta = 0;       // the largest heat sink thermal resistance that is enough
  bool DropoutKnown = false;
  double Shortfall = 0;       // volts the input lacks; 0 when enough
  double MaxLoadOhms = 0;     // current sources: the largest load that keeps regulation, else 0
  std::vector<TResistorHeat> Resistors;
};

THeat AnalyseHeat(const TCircuit& c, const TChosenParts& parts, const THeatInputs& in);

// The rating text the rule picks for a dissipation, and its value in watts.
std::string RatingFor(const TRatingRule& rule, double watts, double& ratingWatts);
