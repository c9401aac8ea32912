#include "elements/loops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/probe.h"

namespace {

class Loops : public DispatchOn {};

struct ForCase {
  const char* name;
  int32_t start, end, step;
  bool includeEnd;
  std::vector<int32_t> steps;
  int32_t stop;
};

TEST_F(Loops, ForVisitsTheRange) {
  const ForCase cases[] = {
      {"up, end included", 1, 3, 1, true, {1, 2, 3}, 4},
      {"up, end excluded", 1, 3, 1, false, {1, 2}, 3},
      {"down", 3, 1, -1, true, {3, 2, 1}, 0},
      {"down, end excluded", 3, 1, -1, false, {3, 2}, 1},
      {"step 0 runs nothing", 5, 9, 0, true, {}, 5},
      {"empty range", 5, 1, 1, true, {}, 5},
      {"by two", 1, 6, 2, true, {1, 3, 5}, 7},
      {"single value", 4, 4, 1, true, {4}, 5},
      // The last 32-bit number ends the loop rather than wrapping round.
      {"up to the largest number", INT_MAX - 1, INT_MAX, 1, true, {INT_MAX - 1, INT_MAX}, INT_MIN},
      {"down to the smallest number", INT_MIN + 1, INT_MIN, -1, true, {INT_MIN + 1, INT_MIN}, INT_MAX},
      {"excluded end below the smallest number", INT_MIN, INT_MIN, 1, false, {}, INT_MIN},
  };
  for (const ForCase& c : cases) {
    SCOPED_TRACE(c.name);
    THIFor loop;
    TProbe steps, stop;
    loop.StartDef = c.start;
    loop.EndDef = c.end;
    loop.Step = c.step;
    loop.IncludeEnd = c.includeEnd;
    loop.onEvent = steps.In();
    loop.onStop = stop.In();
    TData d;
    FireEvent(MakeLink<&THIFor::doFor>(&loop), d);
    std::vector<std::string> expected;
    for (int32_t v : c.steps) expected.push_back("int " + std::to_string(v));
    EXPECT_EQ(steps.got, expected);
    EXPECT_EQ(stop.got, std::vector<std::string>{"int " + std::to_string(c.stop)});
  }
}

TEST_F(Loops, ForBoundsFromInputsAndIncomingValue) {
  struct Case {
    const char* name;
    bool useInData;
    int32_t startDef, endDef;
    bool wired;  // Start reads 7, End reads 8
    TData incoming;
    std::vector<std::string> steps;
  };
  const Case cases[] = {
      {"incoming discarded", false, 0, 2, false, Int(1), {"int 0", "int 1", "int 2"}},
      {"incoming used as the start", true, 0, 3, false, Int(2), {"int 2", "int 3"}},
      {"non-zero defaults win", true, 1, 2, false, Int(9), {"int 1", "int 2"}},
      {"inputs win over everything", true, 1, 2, true, Int(9), {"int 7", "int 8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIFor loop;
    TSource start, end;
    TProbe steps;
    start.value = Int(7);
    end.value = Int(8);
    loop.UseInData = c.useInData;
    loop.StartDef = c.startDef;
    loop.EndDef = c.endDef;
    loop.Step = 1;
    loop.IncludeEnd = true;
    if (c.wired) {
      loop.Start = start.Out();
      loop.End = end.Out();
    }
    loop.onEvent = steps.In();
    TData d = c.incoming;
    loop.doFor(d);
    EXPECT_EQ(steps.got, c.steps);
  }
}

// Stops the loop it is wired to when a given step arrives.
struct StopAt : TElement {
  THIFor* loop = nullptr;
  int32_t at = 0;
  std::vector<int32_t> seen;
  void doStep(TData& d) {
    seen.push_back(ToInteger(d));
    if (ToInteger(d) == at) loop->doStop(d);
  }
};

TEST_F(Loops, ForStopEndsAfterTheCurrentStep) {
  THIFor loop;
  StopAt stopper;
  TProbe stop;
  stopper.loop = &loop;
  stopper.at = 5;
  loop.StartDef = 1;
  loop.EndDef = 200000;
  loop.Step = 1;
  loop.IncludeEnd = true;
  loop.onEvent = MakeLink<&StopAt::doStep>(&stopper);
  loop.onStop = stop.In();
  TData d;
  FireEvent(MakeLink<&THIFor::doFor>(&loop), d);
  EXPECT_EQ(stopper.seen, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(stop.got, std::vector<std::string>{"int 6"});
  EXPECT_EQ(Show(d), "int 6");  // onStop continued on the caller's record
}

struct CounterCase {
  const char* name;
  uint8_t direction;
  int32_t min, max, step, start;
  std::vector<int32_t> counts;
};

TEST_F(Loops, CounterWraps) {
  const CounterCase cases[] = {
      {"up", 0, 1, 3, 1, 0, {1, 2, 3, 1, 2}},
      {"down", 1, 1, 3, 1, 0, {3, 2, 1, 3}},
      {"up by two", 0, 0, 5, 2, 0, {2, 4, 0, 2}},
      {"up at the largest number", 0, 1, INT_MAX, 1, INT_MAX - 1, {INT_MAX, 1}},
      {"down at the smallest number", 1, INT_MIN, 0, 1, INT_MIN + 1, {INT_MIN, 0}},
  };
  for (const CounterCase& c : cases) {
    SCOPED_TRACE(c.name);
    THICounter counter;
    TProbe next;
    counter.Direction = c.direction;
    counter.MinValue = c.min;
    counter.Max = c.max;
    counter.Step = c.step;
    counter.CountValue = c.start;
    counter.onNext = next.In();
    std::vector<std::string> expected;
    for (int32_t v : c.counts) {
      TData d = Str("ignored");
      FireEvent(MakeLink<&THICounter::doNext>(&counter), d);
      EXPECT_EQ(Show(d), "int " + std::to_string(v));  // continued with the count
      expected.push_back("int " + std::to_string(v));
    }
    EXPECT_EQ(next.got, expected);
    TData r;
    counter.Count(r);
    EXPECT_EQ(Show(r), expected.back());
  }
}

TEST_F(Loops, CounterResetAndMin) {
  THICounter counter;
  TProbe next;
  counter.onNext = next.In();
  counter.MinValue = 1;
  counter.Max = 200000;
  counter.CountValue = 50;
  TData d;
  counter.Direction = 1;
  counter.doReset(d);
  EXPECT_EQ(counter.CountValue, 200000);
  counter.Direction = 0;
  counter.doReset(d);
  EXPECT_EQ(counter.CountValue, 1);
  EXPECT_TRUE(next.got.empty());  // resetting fires nothing

  d = Int(712);  // unwired input: the incoming value
  counter.doMin(d);
  EXPECT_EQ(counter.MinValue, 712);
  counter.doReset(d);
  EXPECT_EQ(counter.CountValue, 712);

  TSource min;
  min.value = Str("30");
  counter.Min = min.Out();
  d = Int(5);
  counter.doMin(d);
  EXPECT_EQ(counter.MinValue, 30);
}

}  // namespace
