#include "ui/combo_box.h"

#include <gtest/gtest.h>

#include <thread>

#include "runtime/number_text.h"
#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

class ComboTest : public UiTest {
 protected:
  std::unique_ptr<THIComboBox> Make(const std::string& lines, uint8_t editable = 0, uint8_t changeMode = 0) {
    auto c = std::make_unique<THIComboBox>(Form());
    c->Strings = lines;
    c->EditText = "ComboBox";
    c->Editable = editable;
    c->ChangeMode = changeMode;
    c->Init();
    c->onChange = changes.Link();
    return c;
  }
  static std::string TextOf(THIComboBox& c) {
    TData v;
    c.Text(v);
    return IsNone(v) ? "(none)" : v.StrValue;
  }
  static void Select(THIComboBox& c, const std::string& text) {
    TData d;
    SetString(d, text);
    c.doSelectText(d);
  }
  TProbe changes;
};

TEST_F(ComboTest, SelectTextTakesTheFirstLineWithThePrefix) {
  struct Case {
    const char* lines;
    const char* wanted;
    const char* selected;
  } cases[] = {
      {"1.0\r\n1.5\r\n15", "1.5", "1.5"},
      {"1.0\r\n1.5\r\n15", "1", "1.0"},
      {"1.0\r\n1.5\r\n15", "15", "15"},
      {"130\r\n240\r\n2400", "240", "240"},
      {"Alpha\r\nbeta", "BE", "beta"},
      {"Alpha\r\n\xC0\xE1\xE2", "\xE0\xC1", "\xC0\xE1\xE2"},  // Cyrillic, any case
      {"1.0\r\n1.5", "x", "(none)"},
      {"1.0\r\n1.5", "1.50", "(none)"},
      {"a\r\nb", "", "a"},
  };
  for (const Case& c : cases) {
    auto list = Make(c.lines);
    Select(*list, c.wanted);
    EXPECT_EQ(TextOf(*list), c.selected) << c.wanted;
    if (std::string(c.selected) != "(none)") {
      EXPECT_EQ(list->Control()->Text(), c.selected);
    }
  }
  EXPECT_TRUE(changes.values.empty()) << "the program's selection fires nothing";
}

TEST_F(ComboTest, SelectTextWithoutAMatchKeepsTheSelection) {
  auto list = Make("820\r\n910\r\n1000");
  Select(*list, "910");
  Select(*list, "5");
  EXPECT_EQ(TextOf(*list), "910");
  TData number;
  SetInteger(number, 1000);
  list->doSelectText(number);
  EXPECT_EQ(TextOf(*list), "1000");
}

TEST_F(ComboTest, PickingFiresIndexOrTextByChangeMode) {
  auto byIndex = Make("130\r\n240\r\n1000", 0, 0);
  platform.Pick(byIndex->Control(), 2);
  platform.Pick(byIndex->Control(), 2);  // the same line again: no change
  platform.Pick(byIndex->Control(), 0);
  ASSERT_EQ(changes.values.size(), 2u);
  EXPECT_EQ(KindOf(changes.values[0]), KindInteger);
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"2", "0"}));
  changes.values.clear();
  auto byText = Make("130\r\n240", 0, 1);
  platform.Pick(byText->Control(), 1);
  ASSERT_EQ(changes.values.size(), 1u);
  EXPECT_EQ(KindOf(changes.values[0]), KindString);
  EXPECT_EQ(changes.values[0].StrValue, "240");
  EXPECT_EQ(TextOf(*byText), "240");
}

TEST_F(ComboTest, PickOnlyListShowsOnlyItsSelection) {
  auto list = Make("130\r\n240");
  EXPECT_EQ(list->Control()->Text(), "");
  EXPECT_EQ(TextOf(*list), "(none)");
  EXPECT_EQ(list->Control()->Kind(), TControlKind::PickList);
}

TEST_F(ComboTest, TypingIntoAnEditableListClearsTheSelection) {
  auto list = Make("820\r\n1000", 1);
  EXPECT_EQ(list->Control()->Kind(), TControlKind::EditList);
  EXPECT_EQ(list->Control()->Text(), "ComboBox");
  EXPECT_EQ(TextOf(*list), "(none)");
  platform.Pick(list->Control(), 1);
  EXPECT_EQ(list->Control()->Text(), "1000");
  EXPECT_EQ(TextOf(*list), "1000");
  platform.TypeText(list->Control(), "5");
  EXPECT_EQ(list->Control()->Text(), "10005");
  EXPECT_EQ(TextOf(*list), "(none)") << "typed text is no selected line";
  platform.PasteText(list->Control(), "1000");
  EXPECT_EQ(TextOf(*list), "(none)") << "not even when it matches a line";
  EXPECT_EQ(changes.values.size(), 1u) << "only the pick fired";
  platform.Pick(list->Control(), 1);
  EXPECT_EQ(changes.values.size(), 2u) << "picking the line again is a change now";
}

// Value reads what the field shows as a number, by the number fields' rule.
TEST_F(ComboTest, ValueIsTheShownTextAsANumber) {
  struct Case {
    const char* typed;
    const char* value;  // "(none)" when it is no number
  } cases[] = {
      {"1200", "1200"}, {"1.2E3", "1200"}, {"470.5", "470.5"}, {"-820", "-820"}, {"0", "0"},
      {"", "(none)"},   {"1e", "(none)"},  {"12k", "(none)"},  {"4,3", "(none)"}, {" 1200", "(none)"},
      {"ComboBox", "(none)"},
  };
  auto list = Make("820\r\n1000", 1);
  for (const Case& c : cases) {
    platform.PasteText(list->Control(), c.typed);
    TData v;
    list->Value(v);
    EXPECT_EQ(IsNone(v) ? std::string("(none)") : RealToText(ToReal(v)), c.value) << c.typed;
    if (!IsNone(v)) {
      EXPECT_EQ(KindOf(v), KindReal) << c.typed;
    }
  }
  platform.Pick(list->Control(), 1);
  TData picked;
  list->Value(picked);
  EXPECT_EQ(ToReal(picked), 1000.0) << "the picked line";
  auto pickOnly = Make("130\r\n240");
  TData nothing;
  pickOnly->Value(nothing);
  EXPECT_TRUE(IsNone(nothing)) << "nothing picked";
  platform.Pick(pickOnly->Control(), 1);
  TData line;
  pickOnly->Value(line);
  EXPECT_EQ(ToReal(line), 240.0);
}

// SelectTyped: a typed text that names a line selects it as a pick does.
TEST_F(ComboTest, TypedTextNamingALineSelectsIt) {
  struct Case {
    const char* typed;
    const char* selected;  // "(none)": no line named
    const char* field;
  } cases[] = {
      {"7812", "7812", "7812"},     {"78l05", "78L05", "78L05"}, {" 7812\t", "7812", "7812"},
      {"781", "(none)", "781"},     {"78120", "(none)", "78120"}, {"", "(none)", ""},
      {"78 L05", "(none)", "78 L05"},
  };
  for (const Case& c : cases) {
    auto list = Make("7805\r\n7812\r\n78L05", 1);
    list->SelectTyped = 1;
    changes.values.clear();
    platform.PasteText(list->Control(), c.typed);
    EXPECT_EQ(TextOf(*list), c.selected) << c.typed;
    EXPECT_EQ(list->Control()->Text(), c.field) << c.typed;
    const bool named = std::string(c.selected) != "(none)";
    ASSERT_EQ(changes.values.size(), named ? 1u : 0u) << c.typed;
    if (named) {
      EXPECT_EQ(changes.values[0].IntValue, list->Control()->Selected()) << c.typed;
    }
  }
  auto keyByKey = Make("7805\r\n7812", 1);
  keyByKey->SelectTyped = 1;
  changes.values.clear();
  platform.PasteText(keyByKey->Control(), "");
  platform.TypeText(keyByKey->Control(), "7812");
  EXPECT_EQ(TextOf(*keyByKey), "7812");
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"1"})) << "once, when the last key completes the name";
  platform.TypeText(keyByKey->Control(), "3");
  EXPECT_EQ(TextOf(*keyByKey), "(none)") << "typing on leaves the line";
}

TEST_F(ComboTest, ListsAreFilledClearedAndRead) {
  auto list = Make("a\r\nb\r\n");
  TProbe cleared;
  list->onClear = cleared.Link();
  TData lines;
  list->Lines(lines);
  EXPECT_EQ(lines.StrValue, "a\r\nb");
  list->AddLine("c");
  list->Lines(lines);
  EXPECT_EQ(lines.StrValue, "a\r\nb\r\nc");
  platform.Pick(list->Control(), 2);
  list->SetStrings("x\ny");
  EXPECT_EQ(list->Control()->Items(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(TextOf(*list), "(none)");
  TData none;
  list->doClear(none);
  EXPECT_EQ(cleared.values.size(), 1u);
  EXPECT_TRUE(list->Control()->Items().empty());
  list->Lines(lines);
  EXPECT_EQ(lines.StrValue, "");
}

TEST_F(ComboTest, SortedListKeepsItsOrder) {
  auto list = std::make_unique<THIComboBox>(Form());
  list->Sort = 1;
  list->Strings = "910\r\n1000\r\n820";
  list->Init();
  EXPECT_EQ(list->Control()->Items(), (std::vector<std::string>{"1000", "820", "910"}));
}

TEST_F(ComboTest, TextFromAWorkerReadsTheElementsCopy) {
  auto list = Make("130\r\n240");
  Select(*list, "240");
  std::string fromWorker;
  std::thread worker([&] { fromWorker = TextOf(*list); });
  worker.join();
  EXPECT_EQ(fromWorker, "240");
  EXPECT_EQ(platform.ThreadViolations(), 0);
}

}  // namespace
