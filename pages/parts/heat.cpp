#include "pages/parts/heat.h"

#include <cmath>
#include <limits>

#include "pages/parts/decimal_text.h"
#include "runtime/number_text.h"

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The power rating steps of the pages: above each threshold the rating.
struct TStep {
  double Above;
  double Rating;
  const char* Text;
};
const TStep kSteps[] = {{40, 50, "50"}, {20, 40, "40"},   {10, 20, "20"},    {5, 10, "10"},     {3, 5, "5"},
                        {2, 3, "3"},    {1, 2, "2"},      {0.5, 1, "1"},     {0.25, 0.5, "0.5"}, {0.125, 0.25, "0.25"}};
constexpr size_t kShortListStart = 5;  // the short list tops out at 3 W
const TStep kSmallest = {0, 0.125, "0.125"};

bool Known(double v) { return v == v; }

TResistorHeat ResistorHeat(const TRatingRule& rule, const std::string& name, double ohms, double watts) {
  TResistorHeat r;
  r.Name = name;
  r.Ohms = ohms;
  r.Watts = watts;
  double rating;
  r.Rating = RatingFor(rule, watts, rating);
  r.RatingHolds = watts / rule.Margin <= rating;
  return r;
}

}  // namespace

THeatInputs DefaultHeatInputs() { return {kNone, kNone, kDefaultAmbient}; }

std::string RatingFor(const TRatingRule& rule, double watts, double& ratingWatts) {
  const double x = watts / rule.Margin;
  for (size_t i = rule.LongList ? 0 : kShortListStart; i < sizeof kSteps / sizeof *kSteps; ++i)
    if (x > kSteps[i].Above) {
      ratingWatts = kSteps[i].Rating;
      return kSteps[i].Text;
    }
  ratingWatts = kSmallest.Rating;
  return kSmallest.Text;
}

THeat AnalyseHeat(const TCircuit& c, const TChosenParts& parts, const THeatInputs& in) {
  THeat h;
  h.Vin = Known(in.Vin) ? in.Vin : c.PageVin;
  h.Load = Known(in.Load) ? in.Load : c.PageLoad;
  h.Ambient = in.Ambient;
  const TDeviceRow* dev = c.Device;
  if (!Known(h.Vin) || !std::isfinite(h.Vin) || h.Vin <= 0) {
    h.Message = "Give the input voltage (a number above 0).";
    return h;
  }
  if (c.Heat != THeatKind::CurrentSource && (!Known(h.Load) || !std::isfinite(h.Load) || h.Load < 0)) {
    h.Message = "Give the load current (a number of amperes, 0 or more).";
    return h;
  }
  if (!std::isfinite(h.Ambient)) {
    h.Message = "Give the ambient temperature.";
    return h;
  }
  if (dev && Known(dev->TjMax) && h.Ambient >= dev->TjMax) {
    h.Message = "The ambient temperature is not below the device's maximum junction temperature (" +
                RealToText(dev->TjMax) + " C).";
    return h;
  }
  const std::vector<double> p = c.Typicals();
  const double dropout = dev ? dev->Dropout : kNone;
  h.DropoutKnown = Known(dropout) || c.Heat == THeatKind::Shunt;
  double ground = c.GroundCurrent >= 0 ? p[c.GroundCurrent] : 0;

  if (c.HasDivider) {
    const TDivider& d = c.Divider;
    h.Output = DividerOutput(d, p.data(), parts.Rref, parts.Rset);
    const double i = DividerCurrent(d, p.data(), parts.Rref);
    const double bias = d.Bias >= 0 ? p[d.Bias] : 0;
    h.Resistors.push_back(ResistorHeat(c.Rating, d.Rref, parts.Rref, i * i * parts.Rref));
    h.Resistors.push_back(ResistorHeat(c.Rating, d.Rset, parts.Rset, (i + bias) * (i + bias) * parts.Rset));
  }
  double drawn = 0;  // what the singles draw from the output besides the load
  for (size_t k = 0; k < c.Singles.size(); ++k) {
    const TSingle& s = c.Singles[k];
    const double r = k < parts.Singles.size() ? parts.Singles[k] : kNone;
    if (!Known(r) || r <= 0) continue;
    const double across =
        s.Heat == TAcrossForHeat::InputMinusOutput ? h.Vin - h.Output : TermValue(s.Across, p.data());
    h.Resistors.push_back(ResistorHeat(c.Rating, s.Name, r, across * across / r));
    if (c.Page == TPage::TL431LM317) drawn += across / r;  // R1 feeds the TL431 from the output
  }

  switch (c.Heat) {
    case THeatKind::Series: {
      const double through = h.Load + (c.HasDivider ? DividerCurrent(c.Divider, p.data(), parts.Rref) : 0) + drawn;
      h.Power = (h.Vin - h.Output) * through + h.Vin * ground;
      if (Known(dropout)) h.Shortfall = std::fmax(0, h.Output + dropout - h.Vin);
      break;
    }
    case THeatKind::CurrentSource: {
      const TSingle& s = c.Singles.front();
      const double r = parts.Singles.empty() ? kNone : parts.Singles.front();
      const double across = TermValue(s.Across, p.data());
      const double current = SingleOutput(s, p.data(), r);
      h.Load = current;
      h.Output = current;
      // With the load shorted the regulator drops all but the set resistor's voltage.
      h.Power = h.Vin * current - across * across / r;
      if (Known(dropout)) {
        h.Shortfall = std::fmax(0, across + dropout - h.Vin);
        h.MaxLoadOhms = std::fmax(0, (h.Vin - dropout - across) / current);
      }
      break;
    }
    case THeatKind::Shunt: {
      const double r = parts.Singles.empty() ? kNone : parts.Singles.front();
      const double fed = (h.Vin - h.Output) / r;
      const double divider = DividerCurrent(c.Divider, p.data(), parts.Rref);
      const double cathode = fed - h.Load - divider;
      h.Power = h.Output * std::fmax(0, cathode);
      h.Shortfall = std::fmax(0, (h.Load + divider + c.ShuntMinCurrent) * r - (h.Vin - h.Output));
      break;
    }
  }
  if (h.Power < 0) h.Power = 0;

  if (dev && Known(dev->TjMax) && Known(dev->ThetaJa)) {
    h.TjKnown = true;
    h.TjMax = dev->TjMax;
    h.Tj = h.Ambient + h.Power * dev->ThetaJa;
    if (h.Tj > h.TjMax) {
      h.NeedsSink = true;
      if (Known(dev->ThetaJc)) {
        h.SinkTheta = (h.TjMax - h.Ambient) / h.Power - dev->ThetaJc - kThetaCaseToSink;
        h.SinkPossible = h.SinkTheta > 0;
      }
    }
  }
  h.Usable = true;
  if (h.Shortfall > 0)
    h.Message = "The input voltage is " + SignificantText(h.Shortfall, 3) + " V short of what the regulator needs.";
  else if (h.NeedsSink && !h.SinkPossible)
    h.Message = "No heat sink keeps the junction below " + RealToText(h.TjMax) + " C at this power.";
  else if (!h.TjKnown)
    h.Message = "The device table has no thermal data for this device.";
  return h;
}
