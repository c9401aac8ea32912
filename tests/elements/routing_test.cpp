#include "elements/routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/probe.h"

namespace {

class Routing : public DispatchOn {};

// Logs arrivals and overwrites the record it was given.
struct Scribbler : TElement {
  Scribbler(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  std::vector<std::string>* log;
  std::string name;
  void doIn(TData& d) {
    log->push_back(name + " " + Show(d));
    SetString(d, "scribbled");
  }
};

TEST_F(Routing, HubGivesEveryOutputTheArrivingValue) {
  THIHub hub;
  THIMemory memory;
  THIDoData replace;  // memory's continuation rewrites output 0's record
  std::vector<std::string> log;
  Scribbler second{&log, "out1"}, third{&log, "out2"};
  hub.SetOutCount(3);
  hub.onEvent[0] = MakeLink<&THIMemory::doValue>(&memory);
  memory.onData = MakeLink<&THIDoData::doData>(&replace);
  replace.DataDef = Int(99);
  hub.onEvent[1] = MakeLink<&Scribbler::doIn>(&second);
  hub.onEvent[2] = MakeLink<&Scribbler::doIn>(&third);
  TData d = Int(7);
  FireEvent(MakeLink<&THIHub::doEvent>(&hub, 5), d);
  EXPECT_EQ(Show(memory.ValueValue), "int 7");
  EXPECT_EQ(log, (std::vector<std::string>{"out1 int 7", "out2 int 7"}));
  EXPECT_EQ(Show(d), "int 7");  // the hub's own record is left alone
}

// Each output's whole chain runs before the next output starts.
TEST_F(Routing, HubRunsOutputsDepthFirst) {
  THIHub outer, inner;
  std::vector<std::string> log;
  Scribbler a{&log, "a"}, b{&log, "b"}, c{&log, "c"};
  outer.SetOutCount(2);
  inner.SetOutCount(2);
  outer.onEvent[0] = MakeLink<&THIHub::doEvent>(&inner);
  outer.onEvent[1] = MakeLink<&Scribbler::doIn>(&c);
  inner.onEvent[0] = MakeLink<&Scribbler::doIn>(&a);
  inner.onEvent[1] = MakeLink<&Scribbler::doIn>(&b);
  FireString(MakeLink<&THIHub::doEvent>(&outer), "v");
  EXPECT_EQ(log, (std::vector<std::string>{"a str v", "b str v", "c str v"}));
}

TEST_F(Routing, HubWithoutOutputsDoesNothing) {
  THIHub hub;
  hub.SetOutCount(0);
  TData d = Int(1);
  hub.doEvent(d, 0);
  EXPECT_EQ(Show(d), "int 1");
  EXPECT_EQ(hub.OutCount, 0);
}

TEST_F(Routing, DoDataContinuesWithItsOwnValue) {
  struct Case {
    const char* name;
    bool wired;
    TData def, incoming;
    const char* expected;
  };
  const Case cases[] = {
      {"unwired, no default: nothing, whatever arrived", false, TData(), Int(5), "none"},
      {"unwired, default", false, Str("240"), Int(5), "str 240"},
      {"wired source wins over the default", true, Str("240"), Int(5), "real 1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIDoData dd;
    TSource src;
    TProbe out;
    src.value = Real(1.5);
    if (c.wired) dd.Data = src.Out();
    dd.DataDef = c.def;
    dd.onEventData = out.In();
    TData d = c.incoming;
    FireEvent(MakeLink<&THIDoData::doData>(&dd), d);
    EXPECT_EQ(out.got, std::vector<std::string>{c.expected});
    EXPECT_EQ(Show(d), c.expected);  // continued on the caller's record
  }
}

TEST_F(Routing, GetDataReadsThroughToItsSource) {
  THIGetData fan;
  TSource src;
  src.value = Str("abc");
  TData d = Int(3);
  fan.Value(d, 0);
  EXPECT_EQ(Show(d), "none");  // unwired
  fan.Data = src.Out();
  for (uint16_t index : {0, 1, 3}) {
    TData r;
    FireEvent(MakeLink<&THIGetData::Value>(&fan, index), r);
    EXPECT_EQ(Show(r), "str abc");
  }
  EXPECT_EQ(src.reads, 3);
}

// Reading Value runs the chain behind onEvent, which stores through doData.
TEST_F(Routing, EventFromDataComputesOnRead) {
  THIEventFromData efd;
  TSource src;
  src.value = Int(11);
  efd.Data = src.Out();
  efd.onEvent = MakeLink<&THIEventFromData::doData>(&efd);
  TData r;
  FireEvent(MakeLink<&THIEventFromData::Value>(&efd), r);
  EXPECT_EQ(Show(r), "int 11");
  src.value = Int(12);
  efd.Value(r);
  EXPECT_EQ(Show(r), "int 12");
}

TEST_F(Routing, EventFromDataWithoutChainAnswersTheStoredValue) {
  THIEventFromData efd;
  TData in = Str("kept");
  efd.doData(in);  // unwired input: takes the incoming value
  EXPECT_EQ(Show(in), "none");
  TData r = Int(1);
  efd.Value(r);
  EXPECT_EQ(Show(r), "str kept");
  efd.Value(r);
  EXPECT_EQ(Show(r), "str kept");
}

TEST_F(Routing, MemoryStoresWhateverArrives) {
  struct Case {
    const char* name;
    TData incoming;
    const char* expected;
  };
  const Case cases[] = {
      {"integer", Int(4), "int 4"},
      {"text", Str("x"), "str x"},
      {"real", Real(0.25), "real 0.25"},
      {"nothing replaces the default too", TData(), "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIMemory memory;
    TProbe out;
    memory.onData = out.In();
    memory.SetMemoryDefault(Int(-1));
    TData before;
    memory.Value(before);
    EXPECT_EQ(Show(before), "int -1");
    TData d = c.incoming;
    FireEvent(MakeLink<&THIMemory::doValue>(&memory), d);
    EXPECT_EQ(out.got, std::vector<std::string>{c.expected});
    TData after = Int(77);
    memory.Value(after);
    EXPECT_EQ(Show(after), c.expected);
    EXPECT_EQ(Show(memory.Default), "int -1");
  }
}

// Arrivals for the rule tables below: single values of every kind, a value
// with a leftover text, and chains.
struct TArrival {
  const char* name;
  TData first;
  bool chained;  // a second value follows
};

std::vector<TArrival> Arrivals() {
  TData leftover = Real(2.5);
  leftover.StrValue = "old text";
  leftover.IntValue = 9;
  TData flagged = Int(6);
  flagged.Kind |= KindContinue;
  return {{"nothing", TData(), false},    {"integer", Int(4), false},         {"text", Str("x"), false},
          {"real", Real(0.25), false},    {"real with a leftover text", leftover, false},
          {"continuation bit", flagged, false}, {"integer, then text", Int(4), true},
          {"nothing, then text", TData(), true}};
}

// The record an element continues with, and what reached the next element.
struct TContinued : TElement {
  std::vector<std::string> got;
  void doIn(TData& d) { got.push_back(ShowWhole(d)); }
};

// DoData and Memory give exactly what the general reading rules
// (runtime/data.h) give, for every arrival: the same record continued, the
// same stored value, a fresh record to the source.
TEST_F(Routing, DoDataAndMemoryFollowTheReadingRules) {
  for (const TArrival& a : Arrivals()) {
    for (int source = 0; source < 3; ++source) {  // unwired, wired (answers a real), default text
      SCOPED_TRACE(std::string(a.name) + " / source " + std::to_string(source));
      const TData second = Str("second");
      TData in = a.first;
      if (a.chained) in.Next = &second;
      TSource src;
      src.value = Real(1.5);
      THIDoData dd;
      TContinued out, expectedOut;
      if (source == 1) dd.Data = src.Out();
      if (source == 2) dd.DataDef = Str("240");
      dd.onEventData = MakeLink<&TContinued::doIn>(&out);
      TData d = in;
      dd.doData(d);
      // The rule: what arrived is dropped, the input is read as an operand.
      TData expected = in;
      SetNone(expected);
      const TData v = ReadData(expected, dd.Data, &dd.DataDef);
      ContinueData(expected, dd.onEventData, v);
      EXPECT_EQ(ShowWhole(d), ShowWhole(expected));
      EXPECT_EQ(d.StrValue.empty(), source != 2);
    }

    SCOPED_TRACE(a.name);
    const TData second = Str("second");
    TData in = a.first;
    if (a.chained) in.Next = &second;
    THIMemory memory;
    memory.SetMemoryDefault(Int(-1));
    TData d = in;
    memory.doValue(d);
    TData expected = in;
    const TData kept = PopFirst(expected);
    ContinueData(expected, memory.onData, kept);
    EXPECT_EQ(ShowWhole(d), ShowWhole(expected));
    EXPECT_EQ(ShowWhole(memory.ValueValue), ShowWhole(kept));
  }
}

// A wired input is read into a fresh record, whatever the arriving one held.
TEST_F(Routing, DoDataReadsIntoAFreshRecord) {
  struct TPeek : TElement {
    std::string seen;
    void Value(TData& d) {
      seen = ShowWhole(d);
      SetInteger(d, 3);
    }
  } peek;
  THIDoData dd;
  dd.Data = MakeLink<&TPeek::Value>(&peek);
  TData d = Str("arrived");
  d.RealValue = 7;
  d.IntValue = 8;
  dd.doData(d);
  EXPECT_EQ(peek.seen, ShowWhole(TData()));
  EXPECT_EQ(Show(d), "int 3");
  EXPECT_EQ(d.StrValue, "");
  EXPECT_EQ(d.RealValue, 0.0);
}

}  // namespace
