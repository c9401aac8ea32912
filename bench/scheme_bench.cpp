// What the user waits for, on the headless backend, each figure against
// its floor, measured side by side in one run (floor and figure
// interleaved, medians taken):
//   search      the accurate R2 search at its worst (LM317 Voltage, Vout
//               100, R1 3000: no step overshoots, all 200000 run), from the
//               "Calculate" click until the worker is done and the window
//               thread has shown what it posted; floor: 200000 requests of
//               the step formula to one bare formula element reading its
//               arguments through links;
//   calc/P      one "Calculate" click on page P, from the button's click
//               event to the last label; floor: the formula requests that click
//               made (recorded, see below), made again to bare elements;
//   build       building and tearing down the whole main scheme.
// Options: --rounds N (samples per figure), --only PREFIX (only the figures
// whose name starts with PREFIX, e.g. "calc/L200", for a profiler).
// Heap allocations are counted for every figure. Every figure ends as one
// line "row<TAB>name<TAB>figure<TAB>floor<TAB>ratio<TAB>target" for the
// table script/bench prints.
//
// The formula requests of a click are recorded by linking this program
// with the linker's --wrap for THIMathParse::doCalc and SetMathStr (see
// CMakeLists.txt): every request the pages make passes through the
// wrappers below, which note the element; its text was noted when the
// page set it.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/allocation_count.h"
#include "formula/math_parse.h"
#include "bench/bench_util.h"
#include "pages/main_form.h"
#include "runtime/data.h"
#include "runtime/event.h"
#include "runtime/scheme_lock.h"
#include "ui/headless/headless.h"
#include "ui/program.h"

// --- Recording the formula requests of the pages ---------------------------

namespace {

std::map<const THIMathParse*, std::string> g_texts;  // window thread only while built
bool g_recording = false;
long g_calls = 0;  // every request, recorded or not
std::vector<THIMathParse*> g_requests;

}  // namespace

extern "C" {
void __real__ZN12THIMathParse6doCalcER5TData(THIMathParse* self, TData& data);
void __real__ZN12THIMathParse10SetMathStrERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    THIMathParse* self, const std::string& text);

void __wrap__ZN12THIMathParse6doCalcER5TData(THIMathParse* self, TData& data) {
  ++g_calls;
  if (g_recording) g_requests.push_back(self);
  __real__ZN12THIMathParse6doCalcER5TData(self, data);
}

void __wrap__ZN12THIMathParse10SetMathStrERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    THIMathParse* self, const std::string& text) {
  g_texts[self] = text;
  __real__ZN12THIMathParse10SetMathStrERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(self, text);
}
}

namespace {

using Clock = TBenchClock;

// --- Bare formula elements: the floors --------------------------------------

// An element holding a plain value, read through its data output.
struct THolder {
  TData value;
  void Value(TData& d) { d = value; }
};

// One formula element wired to holders of its arguments, as a page wires it.
struct TBareFormula {
  THIMathParse parse;
  std::vector<THolder> holders;
  THI_Event calc;

  TBareFormula(const std::string& text, const std::vector<TData>& args, uint8_t resultType) : holders(args.size()) {
    parse.SetDataCount(static_cast<int32_t>(args.size()));
    parse.SetMathStr(text);
    parse.ResultType = resultType;
    parse.SetDefault(0.0);
    for (size_t i = 0; i < holders.size(); ++i) {
      holders[i].value = args[i];
      parse.X[i] = MakeLink<&THolder::Value>(&holders[i]);
    }
    calc = MakeLink<&THIMathParse::doCalc>(&parse);
  }

  void Request() {
    TData d;
    FireEvent(calc, d);
  }
};

constexpr int kSearchSteps = 200000;

// The step formula of the search, R1 read as a real and the count as the
// counter gives it, an integer.
double SearchFloorMs() {
  struct TReal {
    double value;
    void Value(TData& d) { SetReal(d, value); }
  } r1{3000.0};
  struct TCount {
    int32_t value;
    void Value(TData& d) { SetInteger(d, value); }
  } count{0};
  THIMathParse step;
  step.SetDataCount(2);
  step.SetMathStr("1.253*(1+%2/%1) +  0.0000475*%2");
  step.ResultType = 1;
  step.SetDefault(0.0);
  step.X[0] = MakeLink<&TReal::Value>(&r1);
  step.X[1] = MakeLink<&TCount::Value>(&count);
  const THI_Event calc = MakeLink<&THIMathParse::doCalc>(&step);
  const Clock::time_point t0 = Clock::now();
  for (count.value = 1; count.value <= kSearchSteps; ++count.value) {
    TData d;
    FireEvent(calc, d);
  }
  return Ms(t0, Clock::now());
}

// --- The program, driven as a user would ------------------------------------

struct TPageName {
  int tab;
  const char* name;
};
// Every page with a "Calculate" button, by tab.
const TPageName kCalcPages[] = {{0, "LM317 Voltage"}, {1, "LM317 Current"}, {2, "L200"},        {3, "TL431"},
                                {4, "TL431+LM317"},  {5, "M5237"},          {6, "78xx Voltage"}, {7, "78xx Current"},
                                {8, "uA723"}};

class TBench {
 public:
  TBench(THeadlessPlatform& p, int rounds, std::string only) : p_(p), rounds_(rounds), only_(std::move(only)) {}

  TMainScheme* Scheme = nullptr;
  bool Failed = false;

  void Run() {
    if (Wanted("search")) SearchVsFloor();
    for (const TPageName& page : kCalcPages)
      if (Wanted(std::string("calc/") + page.name)) ClickVsFloor(page);
  }

  // Whether the figure NAME is measured: all of them, or those whose name
  // starts with the text given to --only (for profiling one of them).
  bool Wanted(const std::string& name) const { return name.compare(0, only_.size(), only_) == 0; }

 private:
  void Fail(const std::string& why) {
    std::fprintf(stderr, "scheme_bench: %s\n", why.c_str());
    Failed = true;
  }

  // The button's click, then waits as kelvane-drive's "wait" does.
  void ClickAndWait(TControl* button) {
    TNotification click;
    click.Kind = TNotifyKind::Click;
    button->Deliver(click);
    while (BusyWorkers() != 0) {
      p_.Pump();
      p_.WaitForWork(std::chrono::milliseconds(10));
    }
    p_.Pump();
  }

  void SearchVsFloor() {
    TControl* box = Scheme->PageBox(0);
    TControl* vout = box ? ChildAt(box, 315, 15) : nullptr;
    TControl* r1 = box ? ChildAt(box, 315, 45) : nullptr;
    TControl* accurate = FindFirstOfKind(box, TControlKind::CheckBox);
    TControl* button = FindFirstOfKind(box, TControlKind::Button);
    TControl* r2 = box ? ChildAt(box, 310, 75) : nullptr;
    if (!vout || !r1 || !accurate || !button || !r2) return Fail("the LM317 Voltage page is not as expected");
    const std::vector<std::string> items = r1->Items();
    const auto it = std::find(items.begin(), items.end(), "3000");
    if (it == items.end()) return Fail("R1 has no 3000");
    p_.PasteText(vout, "100");
    p_.Pick(r1, static_cast<int32_t>(it - items.begin()));
    if (!accurate->Checked()) p_.Click(accurate);

    std::vector<double> figure, floor;
    long allocations = 0;
    for (int round = 0; round < rounds_; ++round) {
      floor.push_back(SearchFloorMs());
      const long before = Allocations();
      const Clock::time_point t0 = Clock::now();
      ClickAndWait(button);
      figure.push_back(Ms(t0, Clock::now()));
      allocations = Allocations() - before;
      // The count wrapped and no step overshot: the last count shows.
      if (r2->Text() != "203.441") return Fail("the search ended with R2 " + r2->Text());
    }
    p_.Click(accurate);
    const double f = Median(figure), fl = Median(floor);
    std::printf("search: %.1f ms (floor %.1f ms), %ld allocations (%.4f per step)\n", f, fl, allocations,
                static_cast<double>(allocations) / kSearchSteps);
    Row("accurate search, worst case (200000 steps)", Format("%.1f ms", f), Format("%.1f ms", fl),
        Format("%.2f", f / fl), "<= 2.5");
  }

  void ClickVsFloor(const TPageName& page) {
    THITabControl* tabs = Scheme->Tabs();
    p_.SelectTab(tabs->Control(), page.tab);
    p_.Pump();
    TControl* box = Scheme->PageBox(page.tab);
    TControl* button = FindFirstOfKind(box, TControlKind::Button);
    if (!button) return Fail(std::string("no Calculate button on ") + page.name);
    // A list the page starts without a value in gets its first line, as a
    // user picks one before calculating.
    for (TControl* c : box->Children()) {
      const bool list = c->Kind() == TControlKind::PickList || c->Kind() == TControlKind::EditList;
      if (list && c->Selected() < 0 && !c->Items().empty()) p_.Pick(c, 0);
    }

    // One recorded click: which formula elements it asked, in order.
    const size_t boxes = p_.Boxes().size();
    g_requests.clear();
    g_recording = true;
    ClickAndWait(button);
    g_recording = false;
    if (p_.Boxes().size() != boxes)
      return Fail(std::string("a message box on ") + page.name + ": " + p_.Boxes().back().Text);
    std::vector<std::unique_ptr<TBareFormula>> bare;
    for (THIMathParse* f : g_requests) {
      std::vector<TData> args;
      for (const THI_Event& x : f->X) {
        TSchemeGuard scheme;
        TData d;
        ReadInto(d, x);
        args.push_back(d);
      }
      bare.push_back(std::make_unique<TBareFormula>(g_texts[f], args, f->ResultType));
    }

    // Short figures: each sample is a batch of clicks.
    constexpr int kBatch = 50;
    std::vector<double> figure, floor;
    long allocations = 0;
    for (int round = 0; round < rounds_ * 3; ++round) {
      Clock::time_point t0 = Clock::now();
      for (int k = 0; k < kBatch; ++k)
        for (auto& b : bare) b->Request();
      floor.push_back(Ms(t0, Clock::now()) * 1000.0 / kBatch);
      const long before = Allocations();
      const long calls = g_calls;
      t0 = Clock::now();
      for (int k = 0; k < kBatch; ++k) ClickAndWait(button);
      // Every click asks what the recorded one asked, or the floor is wrong.
      if (g_calls - calls != kBatch * static_cast<long>(bare.size()))
        return Fail(std::string("clicks on ") + page.name + " made another number of formula requests");
      figure.push_back(Ms(t0, Clock::now()) * 1000.0 / kBatch);
      allocations = (Allocations() - before) / kBatch;
    }
    const double f = Median(figure), fl = Median(floor);
    std::printf("calc %s: %.2f us (floor %.2f us, %zu formula requests), %ld allocations per click\n", page.name, f,
                fl, bare.size(), allocations);
    Row(std::string("\"Calculate\" on ") + page.name + " (" + std::to_string(bare.size()) + " requests)",
        Format("%.2f us", f), Format("%.2f us", fl), Format("%.2f", f / fl), "<= 3");
  }

  THeadlessPlatform& p_;
  const int rounds_;
  const std::string only_;
};

// Building and tearing down the main scheme, as the program run does.
void BuildAndTeardown(int rounds) {
  std::vector<double> times;
  long allocations = 0;
  for (int round = 0; round < rounds; ++round) {
    THeadlessPlatform platform;
    TSchemeGuard scheme;
    StopDispatch();
    const long before = Allocations();
    const Clock::time_point t0 = Clock::now();
    std::unique_ptr<TMainScheme> main = MakeMainScheme();
    main.reset();
    times.push_back(Ms(t0, Clock::now()));
    allocations = Allocations() - before;
  }
  const double t = Median(times);
  std::printf("build and teardown: %.2f ms, %ld allocations\n", t, allocations);
  Row("building and tearing down the main scheme (" + std::to_string(allocations) + " allocations)",
      Format("%.2f ms", t), "-", "-", "reported");
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 7;
  std::string only;
  for (int k = 1; k + 1 < argc; k += 2) {
    if (std::strcmp(argv[k], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[k + 1]));
    if (std::strcmp(argv[k], "--only") == 0) only = argv[k + 1];
  }

  THeadlessPlatform platform;
  TBench bench(platform, rounds, only);
  platform.SetUser([&] {
    bench.Run();
    platform.RequestClose(bench.Scheme->Form()->Control());
  });
  const TMainFactory remembering = [&bench]() {
    std::unique_ptr<TMainScheme> scheme = MakeMainScheme();
    bench.Scheme = scheme.get();
    return scheme;
  };
  if (RunProgram(platform, {}, remembering) != 0 || bench.Failed) return 1;
  if (bench.Wanted("build")) BuildAndTeardown(rounds);
  return 0;
}
