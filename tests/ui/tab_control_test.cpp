#include "ui/tab_control.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

using TabControlTest = UiTest;

int32_t IndexOf(THITabControl& tabs) {
  TData d;
  tabs.Index(d);
  EXPECT_EQ(KindOf(d), KindInteger);
  return d.IntValue;
}

TEST_F(TabControlTest, TabsFromLinesAndTheFirstSelected) {
  THITabControl tabs(Form());
  tabs.Tabs = "LM317 Voltage\r\nLM317 Current\r\nL200\r\n";
  tabs.Init();
  EXPECT_EQ(tabs.Captions(), (std::vector<std::string>{"LM317 Voltage", "LM317 Current", "L200"}));
  EXPECT_EQ(tabs.Control()->Items(), tabs.Captions());
  EXPECT_EQ(IndexOf(tabs), 0);
}

TEST_F(TabControlTest, UserSelectionFiresTheNewIndex) {
  THITabControl tabs(Form());
  tabs.Tabs = "a\r\nb\r\nc";
  tabs.Init();
  TProbe changes;
  tabs.onChange = changes.Link();
  platform.SelectTab(tabs.Control(), 2);
  platform.SelectTab(tabs.Control(), 2);  // the selected tab again: nothing
  platform.SelectTab(tabs.Control(), 0);
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"2", "0"}));
  EXPECT_EQ(KindOf(changes.values[0]), KindInteger);
  EXPECT_EQ(IndexOf(tabs), 0);
  platform.SelectTab(tabs.Control(), 1);
  int32_t fromWorker = -1;
  std::thread worker([&] { fromWorker = IndexOf(tabs); });
  worker.join();
  EXPECT_EQ(fromWorker, 1);
  EXPECT_EQ(platform.ThreadViolations(), 0);
}

TEST_F(TabControlTest, NoTabsNoSelection) {
  THITabControl tabs(Form());
  tabs.Init();
  EXPECT_EQ(IndexOf(tabs), -1);
  EXPECT_FALSE(platform.SelectTab(tabs.Control(), 0));
}

}  // namespace
