#include "ui/tab_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

class TabControlTest : public UiTest {
 protected:
  // A strip with these captions; `changes` records its onChange.
  std::unique_ptr<THITabControl> Strip(const std::string& captions) {
    auto tabs = std::make_unique<THITabControl>(Form());
    tabs->Tabs = captions;
    tabs->Init();
    tabs->onChange = changes.Link();
    return tabs;
  }
  TProbe changes;
};

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
  auto strip = Strip("a\r\nb\r\nc");
  THITabControl& tabs = *strip;
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

// Which keys step through the pages, as tab views on the desktop have it.
TEST(TabStepForKey, CtrlTabAndCtrlPageKeys) {
  struct TRow {
    int32_t key;
    uint32_t state;
    int32_t step;
  };
  const TRow rows[] = {
      {VkTab, MkControl, 1},           {VkTab, MkControl | MkShift, -1}, {VkNext, MkControl, 1},
      {VkPrior, MkControl, -1},        {VkTab, 0, 0},                    {VkTab, MkShift, 0},
      {VkNext, 0, 0},                  {VkPrior, MkShift, 0},            {VkNext, MkControl | MkShift, 0},
      {VkPrior, MkControl | MkShift, 0}, {VkReturn, MkControl, 0},       {'A', MkControl, 0},
  };
  for (const TRow& r : rows)
    EXPECT_EQ(TabStepForKey(r.key, r.state), r.step) << "key " << r.key << " state " << r.state;
}

TEST_F(TabControlTest, ControlKeysInTheWindowStepThroughTheTabsAndWrap) {
  auto strip = Strip("a\r\nb\r\nc");
  THITabControl& tabs = *strip;
  EXPECT_TRUE(platform.PressControlKey(VkTab, false));
  EXPECT_TRUE(platform.PressControlKey(VkNext, false));
  EXPECT_TRUE(platform.PressControlKey(VkTab, false));   // past the last: the first
  EXPECT_TRUE(platform.PressControlKey(VkTab, true));    // before the first: the last
  EXPECT_TRUE(platform.PressControlKey(VkPrior, false));
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"1", "2", "0", "2", "1"}));
  EXPECT_EQ(IndexOf(tabs), 1);
  EXPECT_EQ(tabs.Control()->Selected(), 1);
}

TEST_F(TabControlTest, OtherControlKeysAndUnreachableStripsAreLeftAlone) {
  auto strip = Strip("a\r\nb");
  THITabControl& tabs = *strip;
  EXPECT_FALSE(platform.PressControlKey('A', false));
  EXPECT_FALSE(platform.PressControlKey(VkNext, true));
  tabs.Control()->SetEnabled(false);
  EXPECT_FALSE(platform.PressControlKey(VkTab, false));
  tabs.Control()->SetEnabled(true);
  tabs.Control()->SetVisible(false);
  EXPECT_FALSE(platform.PressControlKey(VkTab, false));
  EXPECT_TRUE(changes.values.empty());
  EXPECT_EQ(IndexOf(tabs), 0);
}

TEST_F(TabControlTest, NoTabsNoSelection) {
  THITabControl tabs(Form());
  tabs.Init();
  EXPECT_EQ(IndexOf(tabs), -1);
  EXPECT_FALSE(platform.SelectTab(tabs.Control(), 0));
}

}  // namespace
