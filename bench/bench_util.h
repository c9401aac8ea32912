// What the benchmarks share: timing, medians, the lines of script/bench's
// table, and finding the controls a user would act on.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/platform.h"

using TBenchClock = std::chrono::steady_clock;

double Ms(TBenchClock::time_point from, TBenchClock::time_point to);
double Median(std::vector<double> v);
std::string Format(const char* format, double v);

// One line of the table: "row<TAB>name<TAB>figure<TAB>floor<TAB>ratio<TAB>target".
void Row(const std::string& name, const std::string& figure, const std::string& floor, const std::string& ratio,
         const std::string& target);

