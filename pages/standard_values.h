// The E24 and E96 series of preferred resistor values and the rule that
// picks the standard value nearest a computed one. Values are handled in
// whatever unit the caller shows (Om or kOm): the series are the same in
// every decade, so the unit only travels through.
#pragma once

#include <string>

enum class TESeries { E24, E96 };

// The nearest standard value: its text (in the unit of the input, written
// exactly from the series digits, no exponent) and the deviation from the
// computed value in percent, (standard - computed) / computed * 100.
struct TStandardValue {
  std::string Text;
  double Deviation = 0;
};

// The member of `series` nearest `value` by absolute difference; a value
// exactly between two members takes the smaller. Answers false, leaving
// `out` alone, for values that are no resistance: zero, negative, not
// finite, or more than 30 decades away from 1.
bool NearestStandard(TESeries series, double value, TStandardValue& out);

// The same for a label's text (read by the program's number rule, which
// must take the whole text); false for empty or non-numeric texts too.
bool NearestStandardOfText(TESeries series, const std::string& text, TStandardValue& out);
// The same for a label's text in `unit`, "Om" or "kOm" (any other unit:
// false); the standard value is given in ohms either way.
bool NearestStandardInOhms(TESeries series, const std::string& text, const std::string& unit, TStandardValue& out);

// A deviation as the menu shows it: rounded to one decimal place, halves
// away from zero, "+" before a positive and "-" before a negative rounded
// value, then " %": "+5.3 %", "-0.4 %", "0.0 %".
std::string DeviationText(double percent);

// A menu line: "E24: 750 Om (+5.3 %)".
std::string StandardValueLine(TESeries series, const TStandardValue& v, const std::string& unit);
