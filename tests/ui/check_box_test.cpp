#include "ui/check_box.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

using CheckBoxTest = UiTest;

int32_t CheckedOf(THICheckBox& box) {
  TData d;
  box.Checked(d);
  EXPECT_EQ(KindOf(d), KindInteger);
  return d.IntValue;
}

TEST_F(CheckBoxTest, SetCheckedIsAnOptionIndex) {
  struct Case {
    uint8_t option;
    int32_t checked;
  } cases[] = {{1, 0}, {0, 1}, {2, 0}};
  for (const Case& c : cases) {
    THICheckBox box(Form());
    box.SetChecked(c.option);
    box.Init();
    EXPECT_EQ(CheckedOf(box), c.checked) << int(c.option);
    EXPECT_EQ(box.Control()->Checked(), c.checked == 1);
  }
}

TEST_F(CheckBoxTest, ClicksToggleAndFireBothEventsInOrder) {
  THICheckBox box(Form());
  EXPECT_EQ(box.Control()->Text(), "CheckBox");
  box.SetCaption("Accurate result");
  box.SetChecked(1);
  box.Init();
  std::vector<std::string> order;
  struct TNamed : TElement {
    std::vector<std::string>* order;
    std::string name;
    void doEvent(TData& d) { order->push_back(name + "=" + ToString(d)); }
  } first, second;
  first.order = second.order = &order;
  first.name = "onCheck";
  second.name = "onCheck2";
  box.onCheck = MakeLink<&TNamed::doEvent>(&first);
  box.onCheck2 = MakeLink<&TNamed::doEvent>(&second);
  platform.Click(box.Control());
  EXPECT_EQ(CheckedOf(box), 1);
  platform.Click(box.Control());
  EXPECT_EQ(CheckedOf(box), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"onCheck=1", "onCheck2=1", "onCheck=0", "onCheck2=0"}));
}

TEST_F(CheckBoxTest, CheckedFromAWorkerReadsTheCopy) {
  THICheckBox box(Form());
  box.SetChecked(1);
  box.Init();
  platform.Click(box.Control());
  int32_t fromWorker = -1;
  std::thread worker([&] {
    TData d;
    box.Checked(d);
    fromWorker = d.IntValue;
  });
  worker.join();
  EXPECT_EQ(fromWorker, 1);
  EXPECT_EQ(platform.ThreadViolations(), 0);
}

}  // namespace
