#include "elements/branching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/probe.h"

namespace {

class Branching : public DispatchOn {};

struct IfCase {
  const char* name;
  uint8_t type;
  bool op1Wired;  // Op1 reads op1Source through a link
  TData op1Source, op1Def, op2Def, incoming;
  const char* expected;  // "true <value>" or "false <value>"
};

TEST_F(Branching, IfElseComparesAndContinuesWithTheArrival) {
  const IfCase cases[] = {
      {"greater than the default", 2, false, {}, {}, Int(5), Int(7), "true int 7"},
      {"text compares by length", 2, false, {}, {}, Int(5), Str("7"), "false str 7"},
      {"both unwired: equal to nothing as zero", 0, false, {}, {}, {}, Int(0), "true int 0"},
      {"both unwired: 3 is not nothing", 0, false, {}, {}, {}, Int(3), "false int 3"},
      // The first operand takes the incoming value, so the second gets
      // nothing (0): 5 <> 0 holds. The other order would compare nothing.
      {"first operand takes the incoming value", 5, false, {}, {}, {}, Int(5), "true int 5"},
      {"second operand takes it when the first has a default", 0, false, {}, Int(3), {}, Int(3), "true int 3"},
      {"continues with the arrival, not the operands", 4, true, Int(100), {}, Int(1), Str("x"), "true str x"},
      {"real against integer default", 1, false, {}, {}, Int(2), Real(1.5), "true real 1.5"},
  };
  for (const IfCase& c : cases) {
    SCOPED_TRACE(c.name);
    THIIf_else cmp;
    TSource src;
    TProbe yes, no;
    cmp.Type = c.type;
    src.value = c.op1Source;
    if (c.op1Wired) cmp.Op1 = src.Out();
    cmp.Op1Def = c.op1Def;
    cmp.Op2Def = c.op2Def;
    cmp.onTrue = yes.In();
    cmp.onFalse = no.In();
    TData d = c.incoming;
    FireEvent(MakeLink<&THIIf_else::doCompare>(&cmp), d);
    const std::string got = yes.got.size() == 1 && no.got.empty()   ? "true " + yes.got[0]
                            : no.got.size() == 1 && yes.got.empty() ? "false " + no.got[0]
                                                                    : "both or neither";
    EXPECT_EQ(got, c.expected);
  }
}

// An empty first operand compares false for every code, "not equal" too.
TEST_F(Branching, IfElseWithAnEmptyFirstOperandTakesFalse) {
  for (uint8_t type = 0; type <= 6; ++type) {
    SCOPED_TRACE(int(type));
    THIIf_else cmp;
    TSource empty;
    TProbe yes, no;
    cmp.Type = type;
    cmp.Op1 = empty.Out();
    cmp.Op2Def = Int(1);
    cmp.onTrue = yes.In();
    cmp.onFalse = no.In();
    FireInteger(MakeLink<&THIIf_else::doCompare>(&cmp), 9);
    EXPECT_TRUE(yes.got.empty());
    EXPECT_EQ(no.got, std::vector<std::string>{"int 9"});
  }
}

// The chosen output unwired ends the chain with the arrival in the record.
TEST_F(Branching, IfElseIntoAnUnwiredOutputEndsTheChain) {
  THIIf_else cmp;
  cmp.Type = CompareEqual;
  cmp.Op2Def = Int(4);
  TData d = Int(4);
  FireEvent(MakeLink<&THIIf_else::doCompare>(&cmp), d);
  EXPECT_EQ(d.Kind, KindInteger);
  EXPECT_EQ(d.IntValue, 4);
}

TEST_F(Branching, CaseMatchesItsValue) {
  struct Case {
    const char* name;
    TData value, incoming;
    const char* match;  // what onMatch got, or ""
    const char* next;   // what onNextCase got, or ""
  };
  const Case cases[] = {
      {"nothing matches integer 0", {}, Int(0), "none", ""},
      {"nothing matches real 0.0", {}, Real(0.0), "none", ""},
      {"nothing matches empty text", {}, Str(""), "none", ""},
      {"incoming nothing never matches", {}, {}, "", "none"},
      {"nothing does not match 1", {}, Int(1), "", "int 1"},
      {"text against integer", Int(3), Str("3"), "none", ""},
      {"integer against text", Str("3"), Int(3), "none", ""},
      {"different text", Str("a"), Str("b"), "", "str b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THICase cs;
    TProbe match, next;
    cs.Value = c.value;
    cs.onMatch = match.In();
    cs.onNextCase = next.In();
    TData d = c.incoming;
    FireEvent(MakeLink<&THICase::doCase>(&cs), d);
    EXPECT_EQ(match.got, (*c.match ? std::vector<std::string>{c.match} : std::vector<std::string>{}));
    EXPECT_EQ(next.got, (*c.next ? std::vector<std::string>{c.next} : std::vector<std::string>{}));
  }
}

// The comparison follows the general reading rules exactly, for single and
// chained arrivals, operands wired, defaulted or taking the arrival.
TEST_F(Branching, IfElseFollowsTheReadingRules) {
  const TData second = Int(2);
  struct TArrival {
    const char* name;
    TData first;
    bool chained;
  };
  TData flagged = Real(3);
  flagged.Kind |= KindContinue;
  const TArrival arrivals[] = {{"nothing", TData(), false},     {"integer", Int(2), false},
                               {"text", Str("ab"), false},      {"real with continuation bit", flagged, false},
                               {"integer, then 2", Int(5), true}, {"nothing, then 2", TData(), true}};
  // Each operand: 0 unwired without default, 1 default 2, 2 wired (answers "ab").
  for (const TArrival& a : arrivals)
    for (int op1 = 0; op1 < 3; ++op1)
      for (int op2 = 0; op2 < 3; ++op2)
        for (uint8_t type = CompareEqual; type <= CompareNotEqual; ++type) {
          SCOPED_TRACE(std::string(a.name) + " op1 " + std::to_string(op1) + " op2 " + std::to_string(op2) +
                       " type " + std::to_string(type));
          THIIf_else cmp;
          TSource src;
          src.value = Str("ab");
          cmp.Type = type;
          if (op1 == 1) cmp.Op1Def = Int(2);
          if (op1 == 2) cmp.Op1 = src.Out();
          if (op2 == 1) cmp.Op2Def = Int(2);
          if (op2 == 2) cmp.Op2 = src.Out();
          TData in = a.first;
          if (a.chained) in.Next = &second;
          TData d = in;
          cmp.doCompare(d);
          TData expected = in;
          TData arrived = in;
          const TData x = ReadData(expected, cmp.Op1, &cmp.Op1Def);
          const TData y = ReadData(expected, cmp.Op2, &cmp.Op2Def);
          ContinueData(expected, CompareData(x, y, type) ? cmp.onTrue : cmp.onFalse, arrived);
          EXPECT_EQ(ShowWhole(d), ShowWhole(expected));
        }
}

}  // namespace
