#include "ui/table.h"

#include <gtest/gtest.h>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

const std::vector<TTableColumn> kColumns = {{"R1", 60, 2}, {"R2", 60, 2}, {"Vout, V", 70, 2}, {"Error, %", 60, 2}};

// The best sets of a page, as the window lists them.
const std::vector<std::vector<std::string>> kSets = {
    {"510", "1500", "5.01", "+0.2"}, {"240", "750", "5.16", "+3.1"}, {"220", "680", "5.11", "+2.2"}};

TData Integer(int32_t v) {
  TData d;
  SetInteger(d, v);
  return d;
}
TData Text(const std::string& v) {
  TData d;
  SetString(d, v);
  return d;
}
TData Real(double v) {
  TData d;
  SetReal(d, v);
  return d;
}

class TableTest : public UiTest {
 protected:
  std::unique_ptr<THITable> Make(std::vector<std::vector<std::string>> rows = kSets) {
    auto t = std::make_unique<THITable>(Form());
    t->Width = 300;
    t->Height = 120;
    t->Columns = kColumns;
    t->SetRows(std::move(rows));
    t->Init();
    t->onChange = changes.Link();
    return t;
  }
  static std::string Read(void (THITable::*output)(TData&), THITable& t) {
    TData d;
    (t.*output)(d);
    return IsNone(d) ? "(none)" : ToString(d);
  }
  TProbe changes;
};

TEST_F(TableTest, InitGivesTheControlTheColumnsAndTheRowsSetBefore) {
  auto table = Make();
  TControl* c = table->Control();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Kind(), TControlKind::Table);
  EXPECT_EQ(c->Columns(), kColumns);
  EXPECT_EQ(c->Rows(), kSets);
  EXPECT_EQ(c->Bounds(), (TRect{0, 0, 300, 120}));
  EXPECT_EQ(c->Selected(), -1);
  EXPECT_EQ(Read(&THITable::Index, *table), "-1");
}

TEST_F(TableTest, OnlyTheUsersSelectionFiresOnChange) {
  auto table = Make();
  TData row;
  SetInteger(row, 2);
  table->doSelect(row);
  EXPECT_EQ(table->Control()->Selected(), 2);
  EXPECT_TRUE(changes.values.empty()) << "the program's selection is not the user's";
  ASSERT_TRUE(platform.PickRow(table->Control(), 0));
  platform.PressKey(table->Control(), VkDown);
  platform.PressKey(table->Control(), VkDown);
  platform.PressKey(table->Control(), VkDown);  // at the end: no change
  platform.PickRow(table->Control(), 2);       // the selected row again
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(Read(&THITable::Index, *table), "2");
}

TEST_F(TableTest, OutputsGiveTheSelectedRowAndTheWholeTable) {
  auto table = Make();
  EXPECT_EQ(Read(&THITable::Text, *table), "(none)");
  platform.PickRow(table->Control(), 1);
  EXPECT_EQ(Read(&THITable::Text, *table), "240\t750\t5.16\t+3.1");
  EXPECT_EQ(Read(&THITable::Lines, *table),
            "R1\tR2\tVout, V\tError, %\r\n"
            "510\t1500\t5.01\t+0.2\r\n"
            "240\t750\t5.16\t+3.1\r\n"
            "220\t680\t5.11\t+2.2");
  table->SetRows({{"\xCE\xEC", "5"}, {}});  // a short row, an empty one
  EXPECT_EQ(Read(&THITable::Lines, *table), "R1\tR2\tVout, V\tError, %\r\n\xCE\xEC\t5\r\n");
  EXPECT_EQ(Read(&THITable::Text, *table), "(none)") << "new rows select none";
}

TEST_F(TableTest, SelectingOutOfRangeOrClearingSelectsNone) {
  auto table = Make();
  const struct {
    TData value;
    int32_t row;
  } cases[] = {{Integer(1), 1}, {Integer(3), -1}, {Integer(2), 2}, {Integer(-1), -1}, {Text("2"), 2}, {Real(1.0), 1}};
  for (const auto& c : cases) {
    TData value;
    CopySingle(value, c.value);
    table->doSelect(value);
    EXPECT_EQ(table->Selected(), c.row) << ToString(c.value);
    EXPECT_EQ(table->Control()->Selected(), c.row) << ToString(c.value);
  }
  TData none;
  table->doClear(none);
  EXPECT_TRUE(table->Rows().empty());
  EXPECT_EQ(table->Control()->RowCount(), 0);
  EXPECT_EQ(table->Selected(), -1);
  EXPECT_TRUE(changes.values.empty());
}

TEST_F(TableTest, WithoutAPlatformTheElementKeepsItsRows) {
  THITable table(nullptr);
  table.Columns = kColumns;
  table.SetRows(kSets);
  TData row;
  SetInteger(row, 1);
  table.doSelect(row);
  EXPECT_EQ(table.Control(), nullptr);
  EXPECT_EQ(table.Selected(), 1);
  EXPECT_EQ(Read(&THITable::Text, table), "240\t750\t5.16\t+3.1");
}

TEST_F(TableTest, KeysReachOnKeyDownAndMoveTheRow) {
  auto table = Make();
  TProbe keys;
  table->onKeyDown = keys.Link();
  platform.PressKey(table->Control(), VkEnd);
  EXPECT_EQ(keys.Texts(), (std::vector<std::string>{"35"}));
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"2"})) << "End selects the last row";
}

}  // namespace
