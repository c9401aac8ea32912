#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pages/parts/device_table.h"
#include "runtime/resources.h"

namespace {

std::vector<std::string> ResourceLines(const char* name) {
  std::vector<std::string> out;
  const std::string t = LoadTextResource(name);
  size_t from = 0;
  while (from <= t.size()) {
    size_t at = t.find("\r\n", from);
    if (at == std::string::npos) at = t.size();
    out.push_back(t.substr(from, at - from));
    from = at + 2;
  }
  return out;
}

bool Ordered(const TSpread& s) {
  return (std::isnan(s.Min) || s.Min <= s.Typ) && (std::isnan(s.Max) || s.Typ <= s.Max);
}

TEST(DeviceTable, TheProgramsTableParsesAndEveryRowNamesItsSource) {
  const TDeviceTable& t = DeviceTable();
  ASSERT_EQ(t.Error, "");
  for (const char* name : {"LM317", "L200", "TL431", "M5237", "uA723"}) EXPECT_NE(t.Find(name), nullptr) << name;
  for (const TDeviceRow& r : t.Rows) {
    SCOPED_TRACE(r.Name);
    EXPECT_FALSE(r.Source.empty());
    EXPECT_FALSE(r.Grade.empty());
    EXPECT_TRUE(Ordered(r.Reference));
    EXPECT_TRUE(Ordered(r.Current));
    EXPECT_TRUE(Ordered(r.Sense));
  }
  // Parsed once: the same table every time.
  EXPECT_EQ(&DeviceTable(), &t);
}

TEST(DeviceTable, TypicalsAreThePagesConstants) {
  const TDeviceTable& t = DeviceTable();
  // LM317: the LM317 Voltage page's accurate search, 1.253 V and 47.5 uA.
  // The table is read with the program's number reader, as the pages'
  // formulas read their constants: equal to the last bit or two.
  EXPECT_DOUBLE_EQ(t.Find("LM317")->Reference.Typ, 1.253);
  EXPECT_DOUBLE_EQ(t.Find("LM317")->Current.Typ, 47.5e-6);
  EXPECT_DOUBLE_EQ(t.Find("L200")->Reference.Typ, 2.77);
  EXPECT_DOUBLE_EQ(t.Find("L200")->Sense.Typ, 0.45);
  EXPECT_DOUBLE_EQ(t.Find("TL431")->Reference.Typ, 2.495);
  EXPECT_DOUBLE_EQ(t.Find("M5237")->Reference.Typ, 1.26);
  EXPECT_DOUBLE_EQ(t.Find("uA723")->Sense.Typ, 0.7);
  // Every type of the 78xx pages' list has its row with the list's voltage,
  // but 78S75: the list says 75, the part is the 7.5 V type.
  const std::vector<std::string> types = ResourceLines("Str30"), volts = ResourceLines("Str25");
  ASSERT_EQ(types.size(), 53u);
  for (size_t i = 0; i < types.size(); ++i) {
    SCOPED_TRACE(types[i]);
    const TDeviceRow* r = t.Find(types[i]);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->CurrentKind, "Iq");
    EXPECT_DOUBLE_EQ(r->Current.Typ, 0.0033);
    const double listed = std::stod(volts[i]);
    EXPECT_DOUBLE_EQ(r->Reference.Typ, types[i] == "78S75" ? 7.5 : listed);
  }
}

TEST(DeviceTable, MalformedTablesGiveAnErrorAndNoRows) {
  const std::string good = "X | 1 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | TO-220 | some datasheet | C grade";
  const struct {
    const char* what;
    std::string text;
    const char* error;
  } cases[] = {
      {"empty", "", "no rows"},
      {"comments only", "# nothing\n\n", "no rows"},
      {"a field short", "X | 1 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | TO-220 | src", "line 1: expected 10 fields"},
      {"a word for a number", "X | 1 two 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P | s | g", "line 1: expected three numbers or '-'"},
      {"min above typ", "X | 3 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P | s | g", "line 1: min <= typ <= max does not hold"},
      {"no typical", "X | 1 - 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P | s | g", "line 1: a spread without a typical value"},
      {"no reference", "X | - - - | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P | s | g", "line 1: no reference voltage"},
      {"two thermal figures needed", "X | 1 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 | P | s | g",
       "line 1: dropout, Tj max and the two thermal resistances are numbers or '-'"},
      {"no source", "X | 1 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P |  | g", "line 1: every row names its source and grade"},
      {"a device twice", good + "\n" + good, "line 2: X twice"},
      {"a bad line after good ones", "# head\n" + good + "\nY | 1 2 3", "line 3: expected 10 fields"},
      {"two words for a name", "X Y | 1 2 3 | Iq 1 2 3 | - - - | 2 | 125 | 5 50 | P | s | g", "line 1: a device name is one word"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TDeviceTable t = ParseDeviceTable(c.text);
    EXPECT_EQ(t.Error, c.error);
    EXPECT_TRUE(t.Rows.empty());
  }
  // The good row itself, read back: currents in mA become amperes, '-' NaN.
  const TDeviceTable t = ParseDeviceTable("# c\r\n" + good + "\r\n");
  ASSERT_EQ(t.Error, "");
  ASSERT_EQ(t.Rows.size(), 1u);
  EXPECT_DOUBLE_EQ(t.Rows[0].Current.Max, 0.003);
  EXPECT_TRUE(std::isnan(t.Rows[0].Sense.Typ));
  EXPECT_EQ(t.Rows[0].ThetaJa, 50);
  EXPECT_EQ(t.Rows[0].Grade, "C grade");
}

}  // namespace
