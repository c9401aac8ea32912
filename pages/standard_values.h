// The E24 and E96 series of preferred resistor values and the rule that
// picks the standard values nearest a computed one. Values are handled in
// whatever unit the caller shows (Om or kOm): the series are the same in
// every decade, so the unit only travels through.
#pragma once

#include <string>

enum class TESeries { E24, E96 };

// A standard value near a computed one: its text (in the unit of the
// input, written exactly from the series digits, no exponent) and the
// deviation from the computed value in percent, (standard - computed) /
// computed * 100.
struct TStandardValue {
  std::string Text;
  double Deviation = 0;
};

// The members of `series` on either side of `value`: the largest not above
// it and the smallest not below it, in that order, or the one member when
// `value` is one (to within rounding of its digits). The menu offers both,
// since which way to round depends on the circuit. Answers 0, leaving
// `out` alone, for values that are no resistance: zero, negative, not
// finite, or more than 30 decades away from 1.
int StandardNeighbours(TESeries series, double value, TStandardValue out[2]);

// The same for a label's text in `unit`, "Om" or "kOm" (any other unit, an
// empty or non-numeric text: 0); the standard values are given in ohms.
int StandardNeighboursInOhms(TESeries series, const std::string& text, const std::string& unit,
                             TStandardValue out[2]);

// A deviation as the menu shows it: rounded to one decimal place, halves
// away from zero, "+" before a positive and "-" before a negative rounded
// value, then " %": "+5.3 %", "-0.4 %", "0.0 %".
std::string DeviationText(double percent);

// A menu line: "E24: 750 Om (+5.3 %)".
std::string StandardValueLine(TESeries series, const TStandardValue& v, const std::string& unit);
