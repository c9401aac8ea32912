// The cost of one formula request, side by side in one run:
//   ours/F              THIMathParse doCalc: the text is parsed and evaluated
//                       once, its arguments read through links from elements
//                       holding plain reals, the result handed on;
//   mu_setexpr_eval/F   muparser SetExpr + Eval of the same expression;
//   mu_eval/F           muparser Eval alone, on an expression parsed before.
// The "allocs" counter is the heap allocations per request. At the end a
// table gives the ratios of ours to the two muparser columns (median real
// time per request).

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "bench/allocation_count.h"
#include "formula/math_parse.h"
#include "runtime/data.h"
#include "runtime/event.h"

namespace {

struct TPageFormula {
  const char* name;
  const char* text;
  std::vector<double> args;
};

// The R2 estimate and Vout-of-R2 formulas of the LM317 voltage page and the
// R2 and R1 formulas of the TL431 page, with values a user would have there.
const TPageFormula kFormulas[] = {
    {"lm317_r2_estimate", "((%1-0.000059*(%1/1.25-1)*%2)/1.25-1 )*%2", {12.0, 240.0}},
    {"lm317_vout_of_r2", "1.253*(1+%2/%1) +  0.0000475*%2", {240.0, 2055.0}},
    {"tl431_r2", "(%1-2.495)*%2/2.495", {12.0, 62375.0}},
    {"tl431_r1", "((%1 - %2 * 1.02) * 1000) / ( %3 + (4 * %4 / 1000) + 1)", {20.0, 12.0, 100.0, 10.0}},
};

// An element holding a plain real, read through its data output.
struct TRealHolder {
  double value = 0.0;
  void Value(TData& d) { SetReal(d, value); }
};

// One formula element wired to its argument holders, as a page builds it.
struct TOurs {
  THIMathParse parse;
  std::vector<TRealHolder> holders;
  THI_Event calc;

  explicit TOurs(const TPageFormula& f) : holders(f.args.size()) {
    parse.SetDataCount(static_cast<int32_t>(f.args.size()));
    parse.SetMathStr(f.text);
    parse.ResultType = 1;
    parse.SetDefault(0.0);
    for (size_t i = 0; i < holders.size(); ++i) {
      holders[i].value = f.args[i];
      parse.X[i] = MakeLink<&TRealHolder::Value>(&holders[i]);
    }
    calc = MakeLink<&THIMathParse::doCalc>(&parse);
  }

  double Request() {
    TData d;
    FireEvent(calc, d);
    return d.RealValue;
  }
};

// The same expression for muparser: %n becomes the variable xn.
std::string MuExpression(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '%') {
      out += 'x';
    } else {
      out += *p;
    }
  }
  return out;
}

struct TMu {
  mu::Parser parser;
  std::vector<double> vars;
  std::string expression;

  explicit TMu(const TPageFormula& f) : vars(f.args), expression(MuExpression(f.text)) {
    for (size_t i = 0; i < vars.size(); ++i) parser.DefineVar("x" + std::to_string(i + 1), &vars[i]);
    parser.SetExpr(expression);
  }
};

void SetAllocationCounter(benchmark::State& state, long before) {
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(Allocations() - before), benchmark::Counter::kAvgIterations);
}

void Ours(benchmark::State& state, const TPageFormula* f) {
  TOurs ours(*f);
  long before = Allocations();
  for (auto _ : state) benchmark::DoNotOptimize(ours.Request());
  SetAllocationCounter(state, before);
}

void MuSetExprEval(benchmark::State& state, const TPageFormula* f) {
  TMu mu(*f);
  long before = Allocations();
  for (auto _ : state) {
    mu.parser.SetExpr(mu.expression);
    benchmark::DoNotOptimize(mu.parser.Eval());
  }
  SetAllocationCounter(state, before);
}

void MuEval(benchmark::State& state, const TPageFormula* f) {
  TMu mu(*f);
  mu.parser.Eval();  // parsed once, outside the loop
  long before = Allocations();
  for (auto _ : state) benchmark::DoNotOptimize(mu.parser.Eval());
  SetAllocationCounter(state, before);
}

// Console output as usual, and the real time per request of every run kept
// for the ratio table.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Plain text: script/bench keeps the output in a log.
  TRatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) times_[run.benchmark_name()].push_back(run.GetAdjustedRealTime());
    }
  }

  // Median over repetitions, or -1 when the benchmark did not run.
  double Median(const std::string& name) const {
    auto it = times_.find(name);
    if (it == times_.end() || it->second.empty()) return -1;
    std::vector<double> t = it->second;
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
  }

 private:
  std::map<std::string, std::vector<double>> times_;
};

// Both parsers must agree before their speeds are worth comparing.
bool ResultsAgree() {
  bool ok = true;
  for (const TPageFormula& f : kFormulas) {
    TOurs ours(f);
    TMu mu(f);
    double a = ours.Request(), b = mu.parser.Eval();
    if (ours.parse.ErrorCode() != kFormulaOk || !(std::fabs(a - b) <= 1e-12 * std::fabs(b))) {
      std::fprintf(stderr, "%s: ours %.17g, muparser %.17g\n", f.name, a, b);
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  StartDispatch();
  if (!ResultsAgree()) return 1;
  for (const TPageFormula& f : kFormulas) {
    benchmark::RegisterBenchmark((std::string("ours/") + f.name).c_str(), Ours, &f);
    benchmark::RegisterBenchmark((std::string("mu_setexpr_eval/") + f.name).c_str(), MuSetExprEval, &f);
    benchmark::RegisterBenchmark((std::string("mu_eval/") + f.name).c_str(), MuEval, &f);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\n%-18s %12s %18s %12s %22s %14s\n", "formula", "ours ns", "SetExpr+Eval ns", "Eval ns",
              "ours / SetExpr+Eval", "ours / Eval");
  struct TRow {
    const char* name;
    double ours, full;
  };
  std::vector<TRow> rows;
  for (const TPageFormula& f : kFormulas) {
    double ours = reporter.Median(std::string("ours/") + f.name);
    double full = reporter.Median(std::string("mu_setexpr_eval/") + f.name);
    double eval = reporter.Median(std::string("mu_eval/") + f.name);
    if (ours < 0 || full < 0 || eval < 0) continue;
    std::printf("%-18s %12.1f %18.1f %12.1f %22.3f %14.2f\n", f.name, ours, full, eval, ours / full, ours / eval);
    rows.push_back({f.name, ours, full});
  }
  // The lines of script/bench's table.
  for (const TRow& r : rows)
    std::printf("row\tformula request %s, against muparser SetExpr+Eval\t%.1f ns\t%.1f ns\t%.3f\t-\n", r.name, r.ours,
                r.full, r.ours / r.full);
  benchmark::Shutdown();
  return 0;
}
