#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "pages/main_form.h"
#include "runtime/scheme_lock.h"
#include "support/page_drive.h"
#include "support/search_hold.h"
#include "ui/headless/driver.h"
#include "ui/headless/headless.h"

namespace {

// The results: R2 (kOm), Rload (kOm) and Iload (mA).
#define READ_RESULTS "get 0@310,75\nget 0@310,100\nget 0@310,125\n"
#define RESULTS(r2, rload, iload) "0@310,75 \"" r2 "\"\n0@310,100 \"" rload "\"\n0@310,125 \"" iload "\"\n"
#define VOUT_WARNING "box \"Warning!\" \"Output Voltage can not be less than 1.5 V.\" 48\n"
#define INPUTS(vout, r1) "set 0@315,15 " vout "\npick 0@315,45 " r1 "\n"

// Expected values are worked by hand from the page's formulas:
//   R2 = round(((V - 0.000059*(V/1.25-1)*R1)/1.25 - 1)*R1)        (estimate)
//   search: smallest n > estimate with 1.253*(1+n/R1) + 0.0000475*n > V
//   Imin = 10 - V/(R1+R2)*1000, Rload = round(V/Imin*1000), Iload = V/Rload*1000
// every rounding half to even, labels at 3 decimals.
//
// Vout 5, R1 240: estimate 711.84384 -> 712; Imin = 10 - 5000/952 = 4.7479 mA,
// Rload = 1053.10 -> 1053, Iload = 4.7483. The search: Vout(713) = 5.00932 > 5,
// so R2 = 713, Imin = 4.75341, Rload = 1051.88 -> 1052, Iload = 4.75285.
#define WORKED_FAST RESULTS("0.712", "1.053", "4.748")
#define WORKED_ACCURATE RESULTS("0.713", "1.052", "4.753")
// Vout 5, R1 3000: estimate 7725.6 -> 7726, Imin = 9.53384, Rload 524.45 -> 524,
// Iload 9.54198; Vout(n) first exceeds 5 at n = 8056 (5.000383; 8055 gives
// 4.999918), after 330 steps: Imin 9.54776, Rload 523.68 -> 524 again.
#define LATE_FAST RESULTS("7.726", "0.524", "9.542")
#define LATE_ACCURATE RESULTS("8.056", "0.524", "9.542")
// Vout 50, R1 3000: estimate 100432.8 -> 100433 (Rload 5254, Iload 9.51656);
// the search needs 4362 steps: n = 104795 (50.000141), Imin 9.53616,
// Rload 5243.18 -> 5243, Iload 9.53652.
#define LONG_FAST RESULTS("100.433", "5.254", "9.517")
#define LONG_ACCURATE RESULTS("104.795", "5.243", "9.537")
// Vout 100, R1 3000: the estimate 203440.8 -> 203441 lies above the
// counter's Max of 200000, so every step wraps back to it; Vout(203441) =
// 95.887 never exceeds 100 and the search runs all 200000 steps.
#define ENDLESS INPUTS("100", "3000")
// Imin = 10 - 100000/206441 = 9.5156, Rload 10509.06 -> 10509, Iload 9.51565.
#define ENDLESS_RESULTS RESULTS("203.441", "10.509", "9.516")

TEST(LM317VoltagePage, StartsWithR1SelectedAndNothingCalculated) {
  const TScenario scenarios[] = {
      {"initial texts", "get 0@315,15\nget 0@315,45\n" READ_RESULTS,
       "0@315,15 \"5\"\n0@315,45 \"240\"\n" RESULTS("0", "0", "0")},
      {"captions as stored",
       "get 0@280,20\nget 0@280,50\nget 0@280,75\nget 0@280,100\nget 0@280,125\nget 0@375,75\nget 0@375,125\n",
       "0@280,20 \"Vout\"\n0@280,50 \"R1\"\n0@280,75 \"R2=\"\n0@280,100 \"R\xD0\xBD<\"\n0@280,125 \"(I\xD0\xBD>\"\n"
       "0@375,75 \"kOm\"\n0@375,125 \"mA)\"\n"},
      // Edits and lists keep their size; labels measure their text (Arial 10
      // bold: 16 pixels high, 9 wide per character) except the fixed Rload.
      {"inputs", "info 0@315,15\ninfo 0@315,45\n",
       "info 0@315,15 kind=edit rect=315,15,55,21 visible=1 enabled=1 tab=1 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Output voltage\"\n"
       "info 0@315,45 kind=combo rect=315,45,55,21 visible=1 enabled=1 tab=0 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Choose value of the resistor R1.\"\n"},
      {"result labels before and after a calculation",
       "info 0@280,100\ninfo 0@310,75\ninfo 0@310,100\ninfo 0@310,125\ncalc 0\ninfo 0@310,75\ninfo 0@310,100\n"
       "info 0@310,125\n",
       "info 0@280,100 kind=label rect=280,100,27,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00800000,204 "
       "hint=\"maximal value of load resistance\"\n"
       "info 0@310,75 kind=label rect=310,75,9,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,204 "
       "hint=\"calculated value of the resistor R2\"\n"
       "info 0@310,100 kind=label rect=310,100,55,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00000000,204 "
       "hint=\"maximal value of load resistance\"\n"
       "info 0@310,125 kind=label rect=310,125,9,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00000000,204 "
       "hint=\"minimum load current\"\n"
       "info 0@310,75 kind=label rect=310,75,45,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,5,0x00000000,204 "
       "hint=\"calculated value of the resistor R2\"\n"
       "info 0@310,100 kind=label rect=310,100,55,15 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00000000,204 "
       "hint=\"maximal value of load resistance\"\n"
       "info 0@310,125 kind=label rect=310,125,45,16 visible=1 enabled=1 tab=0 font=\"Arial\",10,1,0x00000000,204 "
       "hint=\"minimum load current\"\n"},
      {"panels", "info 0@279,150\ninfo 0@273,195\n",
       "info 0@279,150 kind=panel rect=279,150,127,23 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 "
       "hint=\"\"\n"
       "info 0@273,195 kind=panel rect=273,195,130,32 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 "
       "hint=\"\"\n"},
      {"hidden behind another tab", "tab 1\ninfo 0@315,15\n",
       "info 0@315,15 kind=edit rect=315,15,55,21 visible=0 enabled=1 tab=1 font=\"Arial\",9,1,0x00000000,204 "
       "hint=\"Output voltage\"\n"},
  };
  CheckScenarios(scenarios);
}

TEST(LM317VoltagePage, CalculatesTheEstimate) {
  const TScenario scenarios[] = {
      {"worked example", "calc 0\n" READ_RESULTS, WORKED_FAST},
      // Vout 1.5, R1 240: estimate 47.456 -> 47; Imin = 10 - 1500/287 =
      // 4.77352, Rload 314.23 -> 314, Iload 4.77707.
      {"Vout exactly 1.5 passes", INPUTS("1.5", "240") "calc 0\n" READ_RESULTS, RESULTS("0.047", "0.314", "4.777")},
      // Vout 1.5, R1 130: estimate 25.84 -> 26; Imin = 10 - 1500/156 =
      // 0.384615, Rload 3900 (3900.0000000000136), Iload 0.384615.
      {"smallest R1", INPUTS("1.5", "130") "calc 0\n" READ_RESULTS, RESULTS("0.026", "3.9", "0.385")},
      {"largest R1", INPUTS("5", "3000") "calc 0\n" READ_RESULTS, LATE_FAST},
      {"a large Vout", INPUTS("50", "3000") "calc 0\n" READ_RESULTS, LONG_FAST},
      {"a stray letter brings back the last good text",
       "type 0@315,15 x\nget 0@315,15\ncalc 0\n" READ_RESULTS, "0@315,15 \"5\"\n" WORKED_FAST},
      {"typed digits extend the value", "type 0@315,15 0\npick 0@315,45 3000\ncalc 0\n" READ_RESULTS, LONG_FAST},
      {"each calculation replaces the last", INPUTS("50", "3000") "calc 0\n" INPUTS("5", "240") "calc 0\n" READ_RESULTS,
       WORKED_FAST},
  };
  CheckScenarios(scenarios);
}

TEST(LM317VoltagePage, WarnsBelow1_5VAndKeepsEarlierResults) {
  const TScenario scenarios[] = {
      {"1.49", "set 0@315,15 1.49\ncalc 0\n" READ_RESULTS, VOUT_WARNING RESULTS("0", "0", "0")},
      {"empty Vout reads as no value", "set 0@315,15 \ncalc 0\n", VOUT_WARNING},
      {"an unfinished number reads as no value", "set 0@315,15 -\ncalc 0\n", VOUT_WARNING},
      {"negative", "set 0@315,15 -5\ncalc 0\n", VOUT_WARNING},
      {"a stopped calculation leaves the results, one box per stop",
       "calc 0\nset 0@315,15 1.49\ncalc 0\n" READ_RESULTS "calc 0\n" READ_RESULTS,
       VOUT_WARNING WORKED_FAST VOUT_WARNING WORKED_FAST},
  };
  CheckScenarios(scenarios);
}

// The search runs on its worker; `wait` lets it finish.
const TScenario kAccurateSearch[] = {
      {"worked example", "accurate on\ncalc 0\nwait\n" READ_RESULTS, WORKED_ACCURATE},
      {"overshoot after 330 steps", INPUTS("5", "3000") "accurate on\ncalc 0\nwait\n" READ_RESULTS, LATE_ACCURATE},
      {"overshoot after 4362 steps", INPUTS("50", "3000") "accurate on\ncalc 0\nwait\n" READ_RESULTS, LONG_ACCURATE},
      // Vout 1.5, R1 240: Vout(48) = 1.50588 > 1.5; Imin = 10 - 1500/288 =
      // 4.79167, Rload 313.04 -> 313, Iload 4.79233.
      {"lowest Vout", INPUTS("1.5", "240") "accurate on\ncalc 0\nwait\n" READ_RESULTS,
       RESULTS("0.048", "0.313", "4.792")},
      // Vout 94.5, R1 3000: the estimate 192109.92 -> 192110 is below the
      // counter's Max; Vout(200000) = 94.29 stays below 94.5, so the count
      // wraps from 200000 to 192110 every 7891 steps and the loop ends after
      // 200000 steps on 192110 + (200000 mod 7891) - 1 = 194835, with no
      // second round of dependent results.
      {"no overshoot: the last count stays, Rload and Iload from the estimate",
       INPUTS("94.5", "3000") "accurate on\ncalc 0\nwait\n" READ_RESULTS,
       RESULTS("194.835", "9.931", "9.516")},
      {"a second search starts again from the estimate",
       "accurate on\ncalc 0\nwait\ncalc 0\nwait\n" READ_RESULTS, WORKED_ACCURATE},
      {"searches for new inputs", INPUTS("50", "3000") "accurate on\ncalc 0\nwait\n" INPUTS("5", "240")
       "calc 0\nwait\n" READ_RESULTS, WORKED_ACCURATE},
      {"unticked again: the estimate", "accurate on\ncalc 0\nwait\naccurate off\ncalc 0\n" READ_RESULTS,
       WORKED_FAST},
      {"a stopped calculation leaves the accurate results",
       "accurate on\ncalc 0\nwait\nset 0@315,15 1.49\ncalc 0\nwait\n" READ_RESULTS, VOUT_WARNING WORKED_ACCURATE},
      // The longest search there is: all 200000 steps, every one wrapping
      // back to the estimate 203441 (see ENDLESS), so Rload and Iload stay
      // the estimate's: Imin = 10 - 100000/206441 = 9.51560, Rload
      // 10509.06 -> 10509, Iload 9.51565.
      {"the longest search", ENDLESS "accurate on\ncalc 0\nwait\n" READ_RESULTS,
       RESULTS("203.441", "10.509", "9.516")},
};

TEST(LM317VoltagePage, AccurateSearch) { CheckScenarios(kAccurateSearch); }

// Where the platform runs the search body on the window thread to its end
// (a build without threads), the results are the same, to the digit.
TEST(LM317VoltagePage, AccurateSearchRunToTheEndOnTheWindowThread) {
  CheckScenarios(kAccurateSearch,
                 [](THeadlessPlatform& p) { p.SetWorkerMode(TPlatform::TWorkerMode::ToTheEnd); });
}

// Where the platform runs the search body in slices between the window's
// turns (a browser), the results are the same, to the digit.
TEST(LM317VoltagePage, AccurateSearchInSlicesOnTheWindowThread) {
  CheckScenarios(kAccurateSearch,
                 [](THeadlessPlatform& p) { p.SetWorkerMode(TPlatform::TWorkerMode::InSlices); });
}

// No worker can be started (a desktop out of threads): the search runs on
// the window thread instead, so the estimate never stands in for the
// accurate result.
TEST(LM317VoltagePage, AccurateSearchWhenNoWorkerCanStart) {
  CheckScenarios(kAccurateSearch, [](THeadlessPlatform& p) { p.WorkersStart = false; });
}

// Serves a script to the driver part by part. Before handing out each part
// after the first it waits (on the window thread, where the driver reads,
// holding nothing) until the search worker has posted a label update: the
// search has then run at least one step and is still running, so the
// part's actions land in the middle of it.
class TDuringSearch : public std::streambuf {
 public:
  explicit TDuringSearch(std::vector<std::string> parts) : parts_(std::move(parts)) {}
  bool TimedOut = false;
  // Controls touched off the window thread so far (the worker must not).
  int ThreadViolations = 0;

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    auto* platform = dynamic_cast<THeadlessPlatform*>(SystemOps());
    if (platform) ThreadViolations = platform->ThreadViolations();
    if (next_ >= parts_.size()) return traits_type::eof();
    if (next_ > 0) {
      // A bound only, so that a broken search fails the test instead of hanging it.
      if (!platform || !platform->WaitForWork(std::chrono::seconds(60))) TimedOut = true;
    }
    current_ = parts_[next_++];
    setg(&current_[0], &current_[0], &current_[0] + current_.size());
    return current_.empty() ? underflow() : traits_type::to_int_type(current_[0]);
  }

 private:
  std::vector<std::string> parts_;
  size_t next_ = 0;
  std::string current_;
};

struct TSearchScenario {
  const char* what;
  std::vector<std::string> parts;  // the second and later parts run during the search
  const char* expected;
};

void CheckDuringSearch(const std::vector<TSearchScenario>& scenarios) {
  for (const TSearchScenario& s : scenarios) {
    TDuringSearch script(s.parts);
    std::istream in(&script);
    std::ostringstream out;
    const int status = RunDrive({}, in, out, &MakeMainScheme);
    EXPECT_EQ(out.str(), s.expected) << s.what;
    EXPECT_EQ(status, 0) << s.what;
    EXPECT_FALSE(script.TimedOut) << s.what << ": the search never posted a step";
    EXPECT_EQ(script.ThreadViolations, 0) << s.what;
    // Whatever the user did, no worker outlives the program.
    EXPECT_EQ(BusyWorkers(), 0) << s.what;
  }
}

TEST(LM317VoltagePage, UserActionsDuringASearch) {
  CheckDuringSearch({
      // The new calculation's fast part runs at once, ends the running
      // search and starts its own, which runs to its end.
      {"Calculate again: the search for the new inputs",
       {ENDLESS "accurate on\ncalc 0\n", "set 0@315,15 5\ncalc 0\nwait\n" READ_RESULTS "calc 0\nwait\n" READ_RESULTS},
       LATE_ACCURATE LATE_ACCURATE},
      {"a stopped calculation does not touch the search",
       {INPUTS("50", "3000") "accurate on\ncalc 0\n", "set 0@315,15 1.49\ncalc 0\nwait\n" READ_RESULTS},
       VOUT_WARNING LONG_ACCURATE},
      {"switching tabs and calculating on another page",
       {INPUTS("50", "3000") "accurate on\ncalc 0\n",
        "tab 1\npages\ncalc 1\nget 1@330,55\nwait\n" READ_RESULTS "tab 0\npages\n" READ_RESULTS},
       "visible 1\n1@330,55 \"0.83\"\n" LONG_ACCURATE "visible 0\n" LONG_ACCURATE},
      {"quitting", {ENDLESS "accurate on\ncalc 0\n", "quit\n"}, ""},
      {"closing at the end of the script", {ENDLESS "accurate on\ncalc 0\n", "tab 2\n"}, ""},
  });
}

// Serves the script's second part only once the first search worker is
// held at the end of its run, so the second "Calculate" lands in exactly
// that moment.
class TAtSearchEnd : public std::streambuf {
 public:
  explicit TAtSearchEnd(std::vector<std::string> parts) : parts_(std::move(parts)) {}
  bool TimedOut = false;
  TSearchEndHold Hold;

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (next_ >= parts_.size()) {
      Hold.Release();  // the program may now close
      return traits_type::eof();
    }
    // A bound only, so that a broken search fails the test instead of hanging it.
    if (next_ > 0 && !Hold.WaitHeld(std::chrono::seconds(60))) TimedOut = true;
    current_ = parts_[next_++];
    setg(&current_[0], &current_[0], &current_[0] + current_.size());
    return current_.empty() ? underflow() : traits_type::to_int_type(current_[0]);
  }

 private:
  std::vector<std::string> parts_;
  size_t next_ = 0;
  std::string current_;
};

// "Calculate" while the last search is at its very end: the running search
// ends and the new one runs to its own end (a second worker gets there), so
// R2 is the accurate result for the inputs of the second press.
TEST(LM317VoltagePage, CalculateAgainAtTheEndOfASearch) {
  const TSearchScenario scenarios[] = {
      {"the worst case pressed twice",
       {ENDLESS "accurate on\ncalc 0\n", "calc 0\nwait\n" READ_RESULTS}, ENDLESS_RESULTS},
      {"new inputs on the second press",
       {ENDLESS "accurate on\ncalc 0\n", INPUTS("5", "240") "calc 0\nwait\n" READ_RESULTS}, WORKED_ACCURATE},
      {"a search that overshot, then new inputs",
       {INPUTS("50", "3000") "accurate on\ncalc 0\n", INPUTS("5", "3000") "calc 0\nwait\n" READ_RESULTS},
       LATE_ACCURATE},
  };
  for (const TSearchScenario& s : scenarios) {
    TAtSearchEnd script(s.parts);
    std::istream in(&script);
    std::ostringstream out;
    const int status = RunDrive({}, in, out, &MakeMainScheme, std::chrono::seconds(20));
    EXPECT_EQ(out.str(), s.expected) << s.what;
    EXPECT_EQ(status, 0) << s.what;
    EXPECT_FALSE(script.TimedOut) << s.what << ": the search never got to its end";
    EXPECT_EQ(script.Hold.Ended(), 2) << s.what << ": the second search did not run to its end";
    EXPECT_EQ(BusyWorkers(), 0) << s.what;
  }
}

}  // namespace
