// Table-driven GUI scenarios: a scenario is a list of steps, each a user
// action or a check of what the window shows, run in one session of the
// real program. Adding a case for a page means adding a row:
//   {"L200Default", {Tab(2), Pick({2, 315, 65}, 2), Calc(2),
//                    Expect({2, 325, 95}, "0.805")}}
// Boxes must be expected (ExpectBox) in the order they come; a box nobody
// expected fails the scenario. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "gui/harness.h"

enum class TStepKind { Tab, Type, Set, Pick, Calc, Tick, Answer, Wait, Expect, ExpectBox, ExpectPages };

struct TStep {
  TStepKind Kind;
  TAddress At;
  std::string Text;        // typed text, expected text, box caption
  std::string Detail;      // box text
  int Number = 0;          // tab, line, page, button, box style
  std::vector<int> Pages;  // ExpectPages
};

TStep Tab(int index);
TStep Type(TAddress at, std::string text);  // keys appended at the end
TStep Set(TAddress at, std::string text);   // everything replaced
TStep Pick(TAddress at, int line);
TStep Calc(int page);
TStep Tick(int page);
TStep Answer(int button);  // for the next box; else its first button
TStep Wait();              // until the workers are done
TStep Expect(TAddress at, std::string shown);
TStep ExpectBox(std::string caption, std::string text, uint32_t style);
TStep ExpectPages(std::vector<int> pages);

struct TScenario {
  const char* Name;
  std::vector<TStep> Steps;
};

// GoogleTest prints a scenario by its name.
inline void PrintTo(const TScenario& s, std::ostream* os) { *os << s.Name; }

// Runs the steps on a session, reporting failed checks through GoogleTest.
// Answers false, running nothing, when a step addresses a page that has no
// controls yet (not built), so the caller can skip the scenario.
bool RunSteps(TGuiSession& session, const std::vector<TStep>& steps);
