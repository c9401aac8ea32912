// The Parts analysis as kelvane-drive's "parts" and "heat" commands print
// it, from a page's copied design (its title line first) and the words
// after the page number. Pure functions; safe from any thread.
//
//   parts: SERIES [TOL]   SERIES E6..E192, TOL a percentage (the series'
//                         own when left out)
//   heat:  VIN IOUT TA    volts, amperes, degrees C; "-" for VIN or IOUT
//                         takes the page's own value. The resistors are
//                         the page's own results, so the page must have
//                         been calculated.
#pragma once

#include <string>

// Each answers "" with the lines to print in `lines` (code page 1251, one
// per line, each ended by LF), or the reason the command was refused.
std::string PartsReport(const std::string& design, const std::string& args, std::string& lines);
std::string HeatReport(const std::string& design, const std::string& args, std::string& lines);
