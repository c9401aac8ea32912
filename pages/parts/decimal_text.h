// Numbers as the Parts analysis writes them: plain decimals with a dot,
// rounded to the digits that mean something, written through the
// program's one real-to-text rule (no locale, no exponent). Pure.
#pragma once

#include <string>

// `v` rounded half to even to `digits` significant digits: 5.00931 at 4 is
// "5.009", 1520 at 2 is "1500", 0 is "0".
std::string SignificantText(double v, int digits);
// A signed percentage: "+0.18%", "-2.5%", "0%".
std::string SignedPercentText(double percent, int digits);
