// Test elements: a probe that records what reaches it, a source that
// answers a fixed value when read, a fixture that switches the dispatcher
// on, value makers, and Show, a compact text of a value ("int 5",
// "str ab", "real 2.5", "none") for comparing logs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

std::string Show(const TData& d);
// Every field of the record, raw (the continuation bit, the chain link and
// the continuation named by address), for comparing two ways of building it.
std::string ShowWhole(const TData& d);

struct TProbe : TElement {
  std::vector<std::string> got;  // Show of every value that arrived
  void doIn(TData& d) { got.push_back(Show(d)); }
  THI_Event In() { return MakeLink<&TProbe::doIn>(this); }
};

struct TSource : TElement {
  TData value;
  int reads = 0;
  void Value(TData& d) {
    ++reads;
    CopySingle(d, value);
  }
  THI_Event Out() { return MakeLink<&TSource::Value>(this); }
};

// Switches the dispatcher on for the life of a test fixture.
class DispatchOn : public ::testing::Test {
 protected:
  void SetUp() override { StartDispatch(); }
  void TearDown() override { StopDispatch(); }
};

inline TData Int(int32_t v) {
  TData d;
  SetInteger(d, v);
  return d;
}
inline TData Str(const std::string& s) {
  TData d;
  SetString(d, s);
  return d;
}
inline TData Real(double v) {
  TData d;
  SetReal(d, v);
  return d;
}
