// The IEC 60063 series of preferred resistor values (E6 to E192) and the
// members of a series within a range of resistances. Tables are constant
// data; nothing here holds state, so every call is safe from any thread.
#pragma once

#include <string>
#include <vector>

enum class TSeries { E6, E12, E24, E48, E96, E192 };

constexpr TSeries kAllSeries[] = {TSeries::E6, TSeries::E12, TSeries::E24, TSeries::E48, TSeries::E96, TSeries::E192};

// A series' members as whole numbers of two (E6-E24) or three (E48-E192)
// digits, ascending: the member m stands for m * 10^(1 - Digits) in [1, 10).
struct TSeriesTable {
  const int* Members;
  int Count;
  int Digits;
};
TSeriesTable SeriesTable(TSeries s);

const char* SeriesName(TSeries s);
// "E24" -> E24; false for any other text.
bool SeriesFromName(const std::string& name, TSeries& out);

// The resistor tolerance the series is made for, in percent: E6 20, E12 10,
// E24 5, E48 2, E96 1, E192 0.5.
double DefaultTolerance(TSeries s);

// One standard resistance: its value in ohms and the exact decimal it is
// (Mantissa * 10^Exponent).
struct TStandard {
  double Ohms;
  int Mantissa;
  int Exponent;
};

// m * 10^e, correctly rounded (for |e| <= 22).
double ScaledByPowerOfTen(double m, int e);

// The members of `s` from `low` to `high` ohms (both included), ascending.
// Empty when the range is empty or not within 1e-3 .. 1e12 ohms.
std::vector<TStandard> SeriesInRange(TSeries s, double low, double high);
