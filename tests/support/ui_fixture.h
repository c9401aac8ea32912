// Fixture for window element tests: a headless platform, a main form whose
// start-up step has already run, and the dispatcher on.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "runtime/event.h"
#include "ui/headless/headless.h"
#include "ui/main_form.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<THIMainForm>();
    form->Width = 445;
    form->Height = 307;
    form->Init();
    RunInits();  // the form's start-up step, while nothing is wired
    form->ShowApplication();
    StartDispatch();
  }
  void TearDown() override {
    StopDispatch();
    form.reset();
  }

  TControl* Form() { return form->Control(); }
  static THeadlessControl* H(TControl* c) { return static_cast<THeadlessControl*>(c); }
  template <typename E>
  static THeadlessControl* H(E* element) {
    return static_cast<THeadlessControl*>(element->Control());
  }

  THeadlessPlatform platform;
  std::unique_ptr<THIMainForm> form;
};
