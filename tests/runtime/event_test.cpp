#include "runtime/event.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Firing : public ::testing::Test {
 protected:
  void SetUp() override { StartDispatch(); }
  void TearDown() override { StopDispatch(); }
};

// Records every call into a shared log.
struct Probe {
  std::string name;
  std::vector<std::string>* log;
  THI_Event next;
  void Call(TData& d, uint16_t index) { log->push_back(name + ":" + ToString(d) + "#" + std::to_string(index)); }
  // Ends in a continuation that passes value+1 on.
  void Continue(TData& d) {
    log->push_back(name + ":" + ToString(d));
    ContinueInteger(d, next, ToInteger(d) + 1);
  }
  // Fires `next` with a fresh value (a nested call).
  void Nest(TData& d) {
    log->push_back(name + ":" + ToString(d));
    FireInteger(next, 100);
    log->push_back(name + ":back");
  }
};

TEST_F(Firing, PointIndexesPassUnchanged) {
  std::vector<std::string> log;
  Probe p{"p", &log, {}};
  for (uint16_t index : {0, 3, 65535}) FireNone(MakeLink<&Probe::Call>(&p, index));
  EXPECT_EQ(log, (std::vector<std::string>{"p:#0", "p:#3", "p:#65535"}));
}

TEST_F(Firing, UnwiredLinksDoNothing) {
  THI_Event unwired;
  TData d;
  SetInteger(d, 5);
  FireEvent(unwired, d);
  EXPECT_EQ(d.IntValue, 5);
  FireNone(unwired);
  FireString(unwired, "x");
}

TEST_F(Firing, ContinuationRunsOnTheSameRecord) {
  std::vector<std::string> log;
  Probe a{"a", &log, {}}, b{"b", &log, {}}, c{"c", &log, {}};
  a.next = MakeLink<&Probe::Continue>(&b);
  b.next = MakeLink<&Probe::Continue>(&c);  // c continues into an unwired link
  TData d;
  SetInteger(d, 1);
  FireEvent(MakeLink<&Probe::Continue>(&a), d);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:2", "c:3"}));
  // The chain ended at c's unwired link: flag cleared, value kept.
  EXPECT_EQ(d.Kind, KindInteger);
  EXPECT_EQ(d.IntValue, 4);
}

TEST_F(Firing, NestedFiringRunsToItsEndFirst) {
  std::vector<std::string> log;
  Probe outer{"outer", &log, {}}, inner{"inner", &log, {}}, tail{"tail", &log, {}};
  outer.next = MakeLink<&Probe::Continue>(&inner);
  inner.next = MakeLink<&Probe::Call>(&tail, 7);
  FireInteger(MakeLink<&Probe::Nest>(&outer), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"outer:1", "inner:100", "tail:101#7", "outer:back"}));
}

TEST(Dispatcher, OffBeforeStartAndAfterStop) {
  std::vector<std::string> log;
  Probe p{"p", &log, {}};
  THI_Event link = MakeLink<&Probe::Call>(&p);
  EXPECT_FALSE(DispatchRunning());
  FireInteger(link, 1);
  StartDispatch();
  EXPECT_TRUE(DispatchRunning());
  FireInteger(link, 2);
  StopDispatch();
  FireInteger(link, 3);
  EXPECT_EQ(log, (std::vector<std::string>{"p:2#0"}));
}

// Halts a chain from inside it and hands nothing on: what the rest of the
// chain fires does not run.
struct Halter {
  std::vector<std::string>* log;
  void Halt(TData&) {
    log->push_back("halt");
    HaltChain();
  }
};

TEST_F(Firing, HaltEndsTheWholeChainUntilItsOriginEndsIt) {
  std::vector<std::string> log;
  Probe a{"a", &log, {}}, b{"b", &log, {}}, c{"c", &log, {}};
  Halter h{&log};
  // a nests the halting step, then b would run after it.
  a.next = MakeLink<&Halter::Halt>(&h);
  b.next = MakeLink<&Probe::Call>(&c);
  FireInteger(MakeLink<&Probe::Nest>(&a), 1);
  FireInteger(MakeLink<&Probe::Nest>(&b), 2);
  EXPECT_FALSE(DispatchRunning());
  EXPECT_TRUE(EndHalt());
  EXPECT_FALSE(EndHalt());  // once
  EXPECT_TRUE(DispatchRunning());
  FireInteger(MakeLink<&Probe::Call>(&c), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "halt", "a:back", "c:3#0"}));
}

TEST(Dispatcher, EndingAHaltKeepsAStoppedDispatcherStopped) {
  std::vector<std::string> log;
  Probe p{"p", &log, {}};
  const THI_Event link = MakeLink<&Probe::Call>(&p);
  StartDispatch();
  HaltChain();
  StopDispatch();
  EXPECT_TRUE(EndHalt());
  EXPECT_FALSE(DispatchRunning());
  FireInteger(link, 1);
  // Started while halted, it runs once the halt ends.
  HaltChain();
  StartDispatch();
  EXPECT_FALSE(DispatchRunning());
  EXPECT_TRUE(EndHalt());
  EXPECT_TRUE(DispatchRunning());
  FireInteger(link, 2);
  StopDispatch();
  EXPECT_EQ(log, (std::vector<std::string>{"p:2#0"}));
}

TEST(Dispatcher, ContinueDataCopiesTheValue) {
  TData value;
  SetString(value, "v");
  TData other;
  value.Next = &other;
  THI_Event link;
  TData d;
  SetInteger(d, 1);
  ContinueData(d, link, value);
  EXPECT_EQ(d.Kind, KindString | KindContinue);
  EXPECT_EQ(d.StrValue, "v");
  EXPECT_EQ(d.Next, nullptr);
  EXPECT_EQ(d.ContinueLink, &link);
}

struct Counter {
  std::vector<int>* order;
  int id;
  void Run() { order->push_back(id); }
};

TEST(InitQueue, RunsLastFirstOnceAndRestarts) {
  std::vector<int> order;
  Counter a{&order, 1}, b{&order, 2}, c{&order, 3};
  AddInit<&Counter::Run>(&a);
  AddInit<&Counter::Run>(&b);
  RunInits();
  RunInits();
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
  AddInit<&Counter::Run>(&c);
  RunInits();
  EXPECT_EQ(order, (std::vector<int>{2, 1, 3}));
  RunInits();
  EXPECT_EQ(order.size(), 3u);
}

struct Reentrant {
  std::vector<int>* order;
  void Run() {
    order->push_back(0);
    RunInits();  // ignored: the queue is already running
  }
};

TEST(InitQueue, RunInitsInsideARunDoesNothing) {
  std::vector<int> order;
  Reentrant r{&order};
  Counter c{&order, 5};
  AddInit<&Counter::Run>(&c);
  AddInit<&Reentrant::Run>(&r);
  RunInits();
  EXPECT_EQ(order, (std::vector<int>{0, 5}));
}

}  // namespace
