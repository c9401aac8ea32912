// The program's one rule for writing reals as text and reading them back.
// Locale-independent: "." is the separator, no grouping, no exponent on
// output. None of these routines fails.
#pragma once

#include <string>

// 15 significant digits, rounded half to even, trailing zeros removed.
// Infinities are written "INF" / "-INF" and undefined values "NAN".
std::string RealToText(double v);

// Lenient, step-by-step reading: digits, one ".", an optional leading "-",
// "e"/"E" followed by an integer exponent; every other character is skipped.
double TextToReal(const std::string& s);

// Strict syntax check of an edit field's text (already in small letters):
// [sign] mantissa [blanks] [e [blanks] [sign] [blanks] digits]. On success
// `value` is TextToReal of the text.
bool CheckRealText(const std::string& s, double& value);
