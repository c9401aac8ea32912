#include "scenarios/scenario.h"

#include <gtest/gtest.h>

#include "runtime/data.h"
#include "ui/encoding.h"
#include "ui/platform.h"

TStep Tab(int index) { return {TStepKind::Tab, {}, {}, {}, index, {}}; }
TStep Type(TAddress at, std::string text) { return {TStepKind::Type, at, std::move(text), {}, 0, {}}; }
TStep Set(TAddress at, std::string text) { return {TStepKind::Set, at, std::move(text), {}, 0, {}}; }
TStep Pick(TAddress at, int line) { return {TStepKind::Pick, at, {}, {}, line, {}}; }
TStep Calc(int page) { return {TStepKind::Calc, {}, {}, {}, page, {}}; }
TStep Tick(int page) { return {TStepKind::Tick, {}, {}, {}, page, {}}; }
TStep Answer(int button) { return {TStepKind::Answer, {}, {}, {}, button, {}}; }
TStep Wait() { return {TStepKind::Wait, {}, {}, {}, 0, {}}; }
TStep Expect(TAddress at, std::string shown) { return {TStepKind::Expect, at, std::move(shown), {}, 0, {}}; }
TStep ExpectBox(std::string caption, std::string text, uint32_t style) {
  return {TStepKind::ExpectBox, {}, std::move(caption), std::move(text), static_cast<int>(style), {}};
}
TStep ExpectPages(std::vector<int> pages) { return {TStepKind::ExpectPages, {}, {}, {}, 0, std::move(pages)}; }

TStep Menu(TAddress at, int line) { return {TStepKind::Menu, at, {}, {}, line, {}}; }
TStep Select(TAddress at, int from, int count) { return {TStepKind::Select, at, {}, {}, from, {count}}; }
TStep CopyKey() { return {TStepKind::CopyKey, {}, {}, {}, 0, {}}; }
TStep ExpectClipboard(std::string text) { return {TStepKind::ExpectClipboard, {}, std::move(text), {}, 0, {}}; }

std::string TScenarioUser::Clipboard() const {
  TPlatform* p = Platform();
  std::string text = p ? Cp1251ToUtf8(p->ClipboardText()) : std::string();
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

std::string AddressText(const TAddress& a) {
  return IntegerToText(a.Page) + "@" + IntegerToText(a.X) + "," + IntegerToText(a.Y);
}

namespace {

bool NeedsControl(const TStep& s) {
  return s.Kind == TStepKind::Type || s.Kind == TStepKind::Set || s.Kind == TStepKind::Pick ||
         s.Kind == TStepKind::Expect || s.Kind == TStepKind::Menu || s.Kind == TStepKind::Select;
}

}  // namespace

TControl* TScenarioUser::Find(const TAddress& a) const {
  TMainScheme& scheme = Scheme();
  TControl* box = a.Page >= 0 && a.Page < scheme.PageCount() ? scheme.PageBox(a.Page) : nullptr;
  return ChildAt(box, a.X, a.Y);
}

TControl* TScenarioUser::FirstOfKind(int page, TControlKind kind) const {
  return FindFirstOfKind(Scheme().PageBox(page), kind);
}

bool TScenarioUser::Usable(TControl* c, const std::string& what) const {
  if (!c) {
    ADD_FAILURE() << what << ": no such control";
    return false;
  }
  if (!OnScreen(c)) {
    ADD_FAILURE() << what << " is not on screen";
    return false;
  }
  if (!Enabled(c)) {
    ADD_FAILURE() << what << " is disabled";
    return false;
  }
  return true;
}

TControl* TScenarioUser::ListWithLine(const TAddress& a, int line) const {
  TControl* c = Find(a);
  if (!Usable(c, AddressText(a))) return nullptr;
  if (c->Kind() != TControlKind::PickList && c->Kind() != TControlKind::EditList) {
    ADD_FAILURE() << AddressText(a) << " is not a drop-down list";
    return nullptr;
  }
  if (line < 0 || line >= static_cast<int>(c->Items().size())) {
    ADD_FAILURE() << "no line " << line << " in " << AddressText(a);
    return nullptr;
  }
  return c;
}

void TScenarioUser::Calculate(int page) {
  TControl* button = FirstOfKind(page, TControlKind::Button);
  if (Usable(button, "the Calculate button of page " + IntegerToText(page))) Click(button);
}

void TScenarioUser::Tick(int page) {
  TControl* box = FirstOfKind(page, TControlKind::CheckBox);
  if (Usable(box, "the check box of page " + IntegerToText(page))) Click(box);
}

bool RunSteps(TScenarioUser& s, const std::vector<TStep>& steps) {
  // A page still empty (not built yet) skips the scenario; a built page
  // without the control asked for fails it.
  for (const TStep& step : steps) {
    if (!NeedsControl(step) || s.Find(step.At)) continue;
    TControl* page = s.Scheme().PageBox(step.At.Page);
    if (!page || page->Children().empty()) return false;
    ADD_FAILURE() << "no control at " << AddressText(step.At);
    return true;
  }
  size_t boxesChecked = s.Boxes.size();
  int index = 0;
  for (const TStep& step : steps) {
    ++index;
    SCOPED_TRACE("step " + std::to_string(index));
    switch (step.Kind) {
      case TStepKind::Tab: s.SelectTab(step.Number); break;
      case TStepKind::Type: s.Type(step.At, step.Text); break;
      case TStepKind::Set: s.Replace(step.At, step.Text); break;
      case TStepKind::Pick: s.Pick(step.At, step.Number); break;
      case TStepKind::Calc: s.Calculate(step.Number); break;
      case TStepKind::Tick: s.Tick(step.Number); break;
      case TStepKind::Answer: s.Answers.push_back(step.Number); break;
      case TStepKind::Wait: s.WaitForWorkers(); break;
      case TStepKind::Expect:
        EXPECT_EQ(s.Shown(step.At), step.Text) << "at " << AddressText(step.At);
        break;
      case TStepKind::ExpectBox:
        if (boxesChecked >= s.Boxes.size()) {
          ADD_FAILURE() << "expected the box \"" << step.Detail << "\", none was shown";
          break;
        }
        EXPECT_EQ(s.Boxes[boxesChecked].Caption, step.Text);
        EXPECT_EQ(s.Boxes[boxesChecked].Text, step.Detail);
        EXPECT_EQ(s.Boxes[boxesChecked].Style, static_cast<uint32_t>(step.Number));
        ++boxesChecked;
        break;
      case TStepKind::ExpectPages:
        EXPECT_EQ(s.VisiblePages(), step.Pages);
        break;
      case TStepKind::Menu: s.Menu(step.At, step.Number); break;
      case TStepKind::Select: s.Select(step.At, step.Number, step.Pages.empty() ? 0 : step.Pages[0]); break;
      case TStepKind::CopyKey: s.CopyKey(); break;
      case TStepKind::ExpectClipboard: EXPECT_EQ(s.Clipboard(), step.Text); break;
    }
    // Every box must have been expected by the time the next step runs.
    if (step.Kind != TStepKind::Answer && step.Kind != TStepKind::ExpectBox && index < static_cast<int>(steps.size()) &&
        steps[static_cast<size_t>(index)].Kind != TStepKind::ExpectBox && boxesChecked < s.Boxes.size()) {
      ADD_FAILURE() << "unexpected box \"" << s.Boxes[boxesChecked].Text << "\"";
      boxesChecked = s.Boxes.size();
    }
  }
  for (; boxesChecked < s.Boxes.size(); ++boxesChecked) ADD_FAILURE() << "unexpected box \"" << s.Boxes[boxesChecked].Text << "\"";
  return true;
}
