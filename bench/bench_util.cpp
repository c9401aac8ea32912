#include "bench/bench_util.h"

#include <algorithm>
#include <cstdio>

double Ms(TBenchClock::time_point from, TBenchClock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string Format(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

void Row(const std::string& name, const std::string& figure, const std::string& floor, const std::string& ratio,
         const std::string& target) {
  std::printf("row\t%s\t%s\t%s\t%s\t%s\n", name.c_str(), figure.c_str(), floor.c_str(), ratio.c_str(),
              target.c_str());
}

