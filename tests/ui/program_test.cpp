#include "ui/program.h"

#include <gtest/gtest.h>

#include "runtime/event.h"
#include "runtime/scheme_lock.h"
#include "support/sample_scheme.h"
#include "ui/headless/headless.h"

namespace {

TEST(ProgramRun, InfoSwitchShowsOnlyTheBox) {
  THeadlessPlatform platform;
  bool built = false;
  const TMainFactory factory = [&]() -> std::unique_ptr<TMainScheme> {
    built = true;
    return nullptr;
  };
  EXPECT_EQ(RunProgram(platform, {"/ih"}, factory), 0);
  EXPECT_FALSE(built);
  const auto boxes = platform.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "\xD1\xE4\xE5\xEB\xE0\xED\xEE \xE2 Wirebench.");
  EXPECT_EQ(boxes[0].Caption, "Wirebench Info");
  EXPECT_EQ(boxes[0].Style, 0u);
  EXPECT_FALSE(boxes[0].Owned);
}

TEST(ProgramRun, OtherArgumentsStartTheCalculator) {
  const std::vector<std::vector<std::string>> cases = {{}, {"/IH"}, {"/ih2"}, {"x", "/ih"}, {" /ih"}};
  for (const auto& args : cases) {
    THeadlessPlatform platform;
    TSampleScheme::TCounters counters;
    EXPECT_EQ(RunProgram(platform, args, SampleFactory(&counters)), 0);
    EXPECT_TRUE(platform.Boxes().empty());
    EXPECT_EQ(counters.destroyed, 1) << (args.empty() ? "(none)" : args[0]);
  }
}

TEST(ProgramRun, StartUpLoopCloseAndTeardownInOrder) {
  THeadlessPlatform platform;
  TSampleScheme::TCounters counters;
  bool visibleInLoop = false, dispatchInLoop = false, lockFreeInLoop = false;
  TRect placed;
  std::vector<std::string> orderInLoop;
  platform.SetUser([&] {
    TControl* form = platform.ApplicationForm();
    visibleInLoop = form && form->Visible();
    placed = form ? form->Bounds() : TRect();
    dispatchInLoop = DispatchRunning();
    lockFreeInLoop = !SchemeLock().HeldByMe();
    orderInLoop = counters.order;
    platform.RequestClose(form);
  });
  EXPECT_EQ(RunProgram(platform, {}, SampleFactory(&counters)), 0);
  EXPECT_TRUE(visibleInLoop);
  EXPECT_EQ(placed, (TRect{290, 231, 445, 307}));
  EXPECT_TRUE(dispatchInLoop);
  EXPECT_TRUE(lockFreeInLoop);
  EXPECT_EQ(orderInLoop, (std::vector<std::string>{"create", "show"}));
  EXPECT_EQ(counters.order, (std::vector<std::string>{"create", "show", "close"}));
  EXPECT_TRUE(counters.dispatchAtClose) << "onClose fires before the dispatcher stops";
  EXPECT_FALSE(DispatchRunning());
  EXPECT_EQ(counters.destroyed, 1);
}

TEST(ProgramRun, TabNavigationIsOnInTheRun) {
  THeadlessPlatform platform;
  TSampleScheme::TCounters counters;
  TControl* focused = nullptr;
  TSampleScheme* scheme = nullptr;
  const TMainFactory factory = [&]() -> std::unique_ptr<TMainScheme> {
    auto s = std::make_unique<TSampleScheme>(&counters);
    scheme = s.get();
    return s;
  };
  TControl* expected = nullptr;
  platform.SetUser([&] {
    platform.PressTab(false);
    focused = platform.Focused();
    expected = scheme->edit->Control();  // TabOrder 1, made before the Calculate button
  });
  RunProgram(platform, {}, factory);
  EXPECT_NE(focused, nullptr);
  EXPECT_EQ(focused, expected);
}

TEST(ProgramRun, ClosingDuringAWorkerEndsPromptly) {
  THeadlessPlatform platform;
  TSampleScheme::TCounters counters;
  TSampleScheme* scheme = nullptr;
  const TMainFactory factory = [&]() -> std::unique_ptr<TMainScheme> {
    auto s = std::make_unique<TSampleScheme>(&counters, 100000000);
    scheme = s.get();
    return s;
  };
  platform.SetUser([&] {
    platform.SelectTab(scheme->tabs->Control(), 1);
    platform.Click(scheme->work->Control());
    platform.RequestClose(platform.ApplicationForm());
  });
  EXPECT_EQ(RunProgram(platform, {}, factory), 0);
  EXPECT_EQ(counters.destroyed, 1);
  EXPECT_EQ(BusyWorkers(), 0);
  EXPECT_EQ(platform.ThreadViolations(), 0);
}

TEST(ProgramRunErrors, NoSchemeNoRun) {
  THeadlessPlatform platform;
  bool userRan = false;
  platform.SetUser([&] { userRan = true; });
  EXPECT_EQ(RunProgram(platform, {}, [] { return std::unique_ptr<TMainScheme>(); }), 1);
  EXPECT_EQ(RunProgram(platform, {}, TMainFactory()), 1);
  EXPECT_FALSE(userRan);
  EXPECT_FALSE(DispatchRunning());
}

}  // namespace
