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

#include <deque>

#include "ui/control.h"
#include "ui/main_scheme.h"

// A control, addressed like kelvane-drive addresses it: the page (tab) and
// the Left,Top of the control on the page's group box.
struct TAddress {
  int Page = 0;
  int X = 0;
  int Y = 0;
};
std::string AddressText(const TAddress& a);

struct TSeenBox {
  std::string Caption, Text;  // UTF-8
  uint32_t Style = 0;
  bool OverMainWindow = false;     // centred over the main window
  bool OwnedByMainWindow = false;  // the window manager keeps it above it
};

// The user the steps play, on the real window of one backend.
class TScenarioUser {
 public:
  virtual ~TScenarioUser() = default;

  virtual TMainScheme& Scheme() const = 0;
  // The control at an address, or none.
  TControl* Find(const TAddress& a) const;
  // The first control of that kind on page `page` (searching inside panels).
  TControl* FirstOfKind(int page, TControlKind kind) const;
  // What the control's window shows (UTF-8): a label's or button's text, a
  // field's content, a list's shown line.
  virtual std::string Shown(const TAddress& a) const = 0;
  // The pages whose group box is on screen.
  virtual std::vector<int> VisiblePages() const = 0;

  virtual void SelectTab(int index) = 0;
  // Keys appended at the end of the field.
  virtual void Type(const TAddress& a, const std::string& text) = 0;
  // Everything in the field replaced by `text`.
  virtual void Replace(const TAddress& a, const std::string& text) = 0;
  // Line `line` of the drop-down list picked.
  virtual void Pick(const TAddress& a, int line) = 0;
  // A click in the middle of the control (a failure when it is not usable).
  virtual void Click(TControl* c) = 0;
  // Clicks the Calculate button of the page (its first push button).
  void Calculate(int page);
  // Clicks the check box of the page.
  void Tick(int page);
  // Waits until no worker is busy and what they posted has run.
  virtual void WaitForWorkers() = 0;
  // Right-clicks the control and picks line `line` of the menu it opens
  // (a negative line: dismisses it).
  virtual void Menu(const TAddress& a, int line) = 0;
  // Clicks into the field and selects `count` characters from `from` with
  // the keys (Home, arrows, Shift+arrows).
  virtual void Select(const TAddress& a, int from, int count) = 0;
  // Ctrl+C in the window, the focus where it is.
  virtual void CopyKey() = 0;
  // The desktop's clipboard as UTF-8 with LF line breaks.
  std::string Clipboard() const;

  // How the next boxes are answered (else with their first button), and
  // the boxes seen, in order.
  std::deque<int> Answers;
  std::vector<TSeenBox> Boxes;

 protected:
  // Whether the control is there, on screen and enabled; a failure naming
  // `what` otherwise.
  bool Usable(TControl* c, const std::string& what) const;
  // The usable drop-down list at `a` when it has line `line`; else none,
  // and a failure.
  TControl* ListWithLine(const TAddress& a, int line) const;
  virtual bool OnScreen(TControl* c) const = 0;
  virtual bool Enabled(TControl* c) const = 0;
};

enum class TStepKind {
  Tab, Type, Set, Pick, Calc, Tick, Answer, Wait, Expect, ExpectBox, ExpectPages,
  Menu, Select, CopyKey, ExpectClipboard,
};

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
TStep Menu(TAddress at, int line);  // right click, then line `line` (negative: none)
TStep Select(TAddress at, int from, int count);
TStep CopyKey();
TStep ExpectClipboard(std::string text);  // UTF-8, LF line breaks

struct TScenario {
  const char* Name;
  std::vector<TStep> Steps;
};

// GoogleTest prints a scenario by its name.
inline void PrintTo(const TScenario& s, std::ostream* os) { *os << s.Name; }

// Runs the steps on a session, reporting failed checks through GoogleTest.
// Answers false, running nothing, when a step addresses a page that has no
// controls yet (not built), so the caller can skip the scenario.
bool RunSteps(TScenarioUser& session, const std::vector<TStep>& steps);
