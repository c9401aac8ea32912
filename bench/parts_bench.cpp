// The whole Parts analysis of one page (the E192 best sets under every
// constraint, the single resistors' nearest values and pairs, the worst
// case of the first set, the heat) against its floor, a search of every
// combination of E192 values for the same resistors. Each page's design
// is its start-up default; the table gives the slowest page's median.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "pages/parts/parts_text.h"

namespace {

constexpr double kTargetMs = 5;

struct TPageDesign {
  TPage page;
  const char* lines;
};
const TPageDesign kDesigns[] = {
    {TPage::LM317Voltage, "Vout = 5 V\nR1 = 240 Om\n"},
    {TPage::LM317Current, "I\xED = 1.5 A\n"},
    {TPage::L200, "Vout = 5 V\nIout = 2 A\nR1 = 1000 Om\n"},
    {TPage::TL431, "Vin min = 7.5 V\nVin max = 9 V\nVout = 5 V\nIout = 100 mA\nIdiv/Iref = 200\n"},
    {TPage::TL431LM317, "Vout = 5 V\nIout = 100 mA\nIdiv/Iref = 200\n"},
    {TPage::M5237, "Vout = 5 V\nR1 = 4300 Om\n"},
    {TPage::Voltage78xx, "Type = 7805\nVout = 15 V\nR1 = 240 Om\n"},
    {TPage::Current78xx, "Type = 7805\nI\xED = 1.5 A\n"},
    {TPage::UA723, "Vout = 5 V\nIout = 150 mA\nR1 = 150 Om\n"},
};

template <class F>
double MedianMs(int rounds, F work) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    const TBenchClock::time_point t0 = TBenchClock::now();
    work();
    times.push_back(Ms(t0, TBenchClock::now()));
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 21;
  if (argc == 3 && std::string(argv[1]) == "--rounds") rounds = std::atoi(argv[2]);
  double slowest = 0, slowestFloor = 0;
  std::string slowestPage;
  for (const TPageDesign& d : kDesigns) {
    TCircuit c;
    const std::string error =
        BindCircuit(d.page, ParseDesign(std::string(PageTitle(d.page)) + "\n" + d.lines), DeviceTable(), c);
    if (!error.empty()) {
      std::fprintf(stderr, "%s: %s\n", PageTitle(d.page), error.c_str());
      return 1;
    }
    size_t sink = 0;
    const double ms = MedianMs(rounds, [&] {
      const TPartsAnalysis a = AnalyseParts(c, DefaultPartsOptions(TSeries::E192));
      const THeat h = AnalyseHeat(c, a.First, DefaultHeatInputs());
      sink += a.Sets.size() + h.Resistors.size();
    });
    const double floor = MedianMs(rounds, [&] {
      TSearchOptions o;
      o.Series = TSeries::E192;
      sink += BruteForceDividerSets(c, o).size();
      for (const TSingle& s : c.Singles)
        for (TChoiceKind kind : {TChoiceKind::Series, TChoiceKind::Parallel})
          sink += BruteForcePair(c, s, TSeries::E192, kind).Ohms > 0;
    });
    std::printf("parts %s: %.3f ms (every combination: %.1f ms) [%zu]\n", PageTitle(d.page), ms, floor, sink);
    if (ms > slowest) {
      slowest = ms;
      slowestFloor = floor;
      slowestPage = PageTitle(d.page);
    }
  }
  Row("Parts analysis of one page, E192 (slowest: " + slowestPage + ")", Format("%.2f ms", slowest),
      Format("%.1f ms", slowestFloor), Format("%.3f", slowest / slowestFloor), "<= 5 ms");
  return slowest > kTargetMs ? 3 : 0;
}
