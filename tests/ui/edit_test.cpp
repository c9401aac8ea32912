#include "ui/edit.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/ui_fixture.h"
#include "support/ui_probe.h"

namespace {

class EditTest : public UiTest {
 protected:
  std::unique_ptr<THIEdit> Make(const std::string& initial, THIEdit::TValueReader reader = &THIEdit::ReadRealText) {
    auto e = std::make_unique<THIEdit>(Form());
    e->Text = initial;
    e->ValueReader = reader;
    e->Init();
    e->onChange = changes.Link();
    return e;
  }
  static std::string ValueText(THIEdit& e) {
    TData v;
    e.Value(v);
    return IsNone(v) ? "(none)" : ToString(v);
  }
  TProbe changes;
};

TEST_F(EditTest, TypingKeepsTheTextValid) {
  struct Case {
    const char* initial;
    const char* typed;    // after emptying the field
    const char* shown;
    const char* value;
    int32_t caret;
  } cases[] = {
      {"5", "12a", "12", "12", 2},        // the stray letter goes at once
      {"5", "1,", "1", "1", 1},           // '1,' is invalid even with '0' appended
      {"5", "1e", "1e", "(none)", 2},     // unfinished exponent
      {"5", "1e5", "1e5", "100000", 3},
      {"5", "1e-", "1e-", "(none)", 3},
      {"5", "-", "-", "(none)", 1},
      {"5", "1.", "1.", "1", 2},          // a final point is a number already
      {"5", ".", ".", "(none)", 1},
      {"5", "-2.5", "-2.5", "-2.5", 4},
      {"5", "2.5.", "2.5", "2.5", 3},
      {"5", "", "", "(none)", 0},
      {"5", " 7", "57", "57", 2},         // a leading blank is refused: back to 5
      {"5", "1E3", "1E3", "1000", 3},     // read in small letters
  };
  for (const Case& c : cases) {
    auto e = Make(c.initial);
    platform.PasteText(e->Control(), "");
    platform.TypeText(e->Control(), c.typed);
    EXPECT_EQ(e->Control()->Text(), c.shown) << c.typed;
    EXPECT_EQ(e->Control()->Caret(), c.caret) << c.typed;
    EXPECT_EQ(ValueText(*e), c.value) << c.typed;
  }
}

TEST_F(EditTest, RestoreBringsTheCaretBackWhereItWas) {
  auto e = Make("5");
  platform.PasteText(e->Control(), "123");
  // The user moves the caret after the "1"; the next read remembers it.
  e->Control()->SetCaret(1);
  EXPECT_EQ(ValueText(*e), "123");
  platform.PasteText(e->Control(), "1x23");
  EXPECT_EQ(e->Control()->Text(), "123");
  EXPECT_EQ(e->Control()->Caret(), 1);
  // Typing goes on from there.
  platform.PasteText(e->Control(), "");
  platform.TypeText(e->Control(), "9");
  EXPECT_EQ(e->Control()->Text(), "9");
}

TEST_F(EditTest, AFreshFieldRestoresItsInitialText) {
  auto typed = Make("5");
  platform.TypeText(typed->Control(), "a");
  EXPECT_EQ(typed->Control()->Text(), "5");
  EXPECT_EQ(typed->Control()->Caret(), 1);
  EXPECT_EQ(ValueText(*typed), "5");
  auto pasted = Make("1.5");
  platform.PasteText(pasted->Control(), "abc");
  EXPECT_EQ(pasted->Control()->Text(), "1.5");
  EXPECT_EQ(pasted->LastGoodText(), "1.5");
  // An invalid initial text is no good text: the field empties instead.
  auto bad = Make("abc");
  platform.TypeText(bad->Control(), "x");
  EXPECT_EQ(bad->Control()->Text(), "");
  EXPECT_EQ(ValueText(*bad), "(none)");
}

// Each typed character is checked where it was typed: the work per
// character does not grow with the text already in the field, whether the
// character is taken, unfinished or refused (which cuts it off again).
TEST_F(EditTest, TypingCostsTheSameHoweverLongTheText) {
  struct Case {
    const char* what;
    THIEdit::TValueReader reader;
    const char* typed;
    const char* shownAfter;  // appended to the long text
  } cases[] = {
      {"digits taken", &THIEdit::ReadRealText, "123456789", "123456789"},
      {"junk refused", &THIEdit::ReadRealText, "xyz,;", ""},
      {"exponent left unfinished, then refused", &THIEdit::ReadRealText, "e-x", ""},
      {"integer digits, then a point refused", &THIEdit::ReadIntegerText, "42.", "42"},
      {"any text without a reader", nullptr, "a b", "a b"},
  };
  for (const Case& c : cases) {
    size_t work[2] = {0, 0};
    const size_t lengths[2] = {1000, 100000};
    for (int k = 0; k < 2; ++k) {
      auto e = Make("5", c.reader);
      const std::string start(lengths[k], '7');
      platform.PasteText(e->Control(), start);
      const size_t before = platform.TextBytesCopied();
      platform.TypeText(e->Control(), c.typed);
      work[k] = platform.TextBytesCopied() - before;
      EXPECT_TRUE(e->Control()->Text() == start + c.shownAfter) << c.what;  // too long to print
    }
    EXPECT_EQ(work[0], work[1]) << c.what;
  }
  // Reading the value afterwards reads the whole text once.
  auto e = Make("5");
  platform.PasteText(e->Control(), "0." + std::string(4998, '5'));
  const size_t before = platform.TextBytesCopied();
  EXPECT_EQ(ValueText(*e), "0.555555555555556");
  EXPECT_EQ(platform.TextBytesCopied() - before, 5000u);
}

// Typing in the middle of a good text (the caret put back there by a
// refused character) keeps the right last good text to come back to.
TEST_F(EditTest, TypingBeforeTheEndKeepsTheLastGoodText) {
  auto e = Make("5");
  platform.PasteText(e->Control(), "123");
  e->Control()->SetCaret(1);
  EXPECT_EQ(ValueText(*e), "123");   // remembers the caret after the "1"
  platform.TypeText(e->Control(), "4x");  // "1234" is good, then "1234x" is refused
  EXPECT_EQ(e->Control()->Text(), "1234");
  EXPECT_EQ(e->LastGoodText(), "1234");
  platform.PasteText(e->Control(), "9.5");
  platform.PasteText(e->Control(), "9.5.");
  EXPECT_EQ(e->Control()->Text(), "9.5");
  EXPECT_EQ(e->Control()->Caret(), 3);
}

// A reader chosen after Init is the one the next change is checked by.
// A text the control got without a change notice is read at the next
// value: only what differs from the copy is scanned again, and the last
// good text is still the one to come back to when the new text is refused.
TEST_F(EditTest, TextChangedWithoutNoticeIsReadAtTheNextValue) {
  struct Case {
    const char* written;
    const char* value;
    const char* shownAfter;
    const char* valueAfterTyping1;  // typed at the end afterwards
  } cases[] = {
      {"12.5", "12.5", "12.5", "12.51"},        // the same text
      {"12.75", "12.75", "12.75", "12.751"},    // the end changed
      {"12", "12", "12", "121"},                // shortened
      {"92.5", "92.5", "92.5", "92.51"},        // the first character changed
      {"12.5x", "(none)", "12.5", "12.51"},     // refused after the good text
      {"1x", "(none)", "12.5", "12.51"},        // refused inside the good text
      {"12.5e", "(none)", "12.5e", "125"},      // unfinished: kept, waiting for more
      {"", "(none)", "", "1"},
  };
  for (const Case& c : cases) {
    auto e = Make("12.5");
    e->Control()->SetText(c.written);
    EXPECT_EQ(ValueText(*e), c.value) << c.written;
    EXPECT_EQ(e->Control()->Text(), c.shownAfter) << c.written;
    // The next edit starts from what the control now shows.
    platform.TypeText(e->Control(), "1");
    EXPECT_EQ(ValueText(*e), c.valueAfterTyping1) << c.written;
  }
}

TEST_F(EditTest, ReaderSetAfterInitChecksTheNextChange) {
  auto e = Make("12", nullptr);
  platform.TypeText(e->Control(), "a");
  EXPECT_EQ(e->Control()->Text(), "12a");
  e->ValueReader = &THIEdit::ReadIntegerText;
  platform.TypeText(e->Control(), "3");
  EXPECT_EQ(e->Control()->Text(), "12a") << "12a3 is refused: back to the last good text";
  platform.PasteText(e->Control(), "7");
  e->ValueReader = &THIEdit::ReadRealText;
  platform.TypeText(e->Control(), ".5");
  EXPECT_EQ(ValueText(*e), "7.5");
}

TEST_F(EditTest, TheSameTextReadAgainGivesTheCurrentReadersValue) {
  // A value read twice from an unchanged text is the same value; a reader
  // changed in between reads it its own way.
  auto e = Make("12");
  TData v;
  e->Value(v);
  EXPECT_EQ(KindOf(v), KindReal);
  e->Value(v);
  EXPECT_EQ(KindOf(v), KindReal);
  EXPECT_EQ(ToReal(v), 12.0);
  e->ValueReader = &THIEdit::ReadIntegerText;
  e->Value(v);
  EXPECT_EQ(KindOf(v), KindInteger);
  EXPECT_EQ(ToInteger(v), 12);
  e->ValueReader = nullptr;
  e->Value(v);
  EXPECT_EQ(KindOf(v), KindString);
  EXPECT_EQ(ToString(v), "12");
  e->ValueReader = &THIEdit::ReadRealText;
  platform.PasteText(e->Control(), "1e");
  EXPECT_EQ(ValueText(*e), "(none)");
  EXPECT_EQ(ValueText(*e), "(none)") << "an unfinished text stays refused when read again";
  platform.TypeText(e->Control(), "2");
  EXPECT_EQ(ValueText(*e), "100");
}

TEST_F(EditTest, IntegerMode) {
  struct Case {
    const char* typed;
    const char* shown;
    const char* value;
  } cases[] = {
      {"$1F", "$1F", "31"},
      {"0x10", "0x10", "16"},
      {"0X1a", "0X1a", "26"},
      {"-12", "-12", "-12"},
      {"+7", "+7", "7"},
      {"$FFFFFFFF", "$FFFFFFFF", "-1"},
      {"4294967297", "4294967297", "1"},  // wraps like every integer text
      {"1.5", "15", "15"},                // the "." is refused, the 5 goes on
      {"$", "$", "(none)"},
      {"0x", "0x", "(none)"},
      {"-", "-", "(none)"},
      {"0x1g", "0x1", "1"},
      {"$-1", "01", "1"},                 // "$-" is refused: back to the initial 0
      {"12e", "12", "12"},
  };
  for (const Case& c : cases) {
    auto e = Make("0", &THIEdit::ReadIntegerText);
    platform.PasteText(e->Control(), "");
    platform.TypeText(e->Control(), c.typed);
    EXPECT_EQ(e->Control()->Text(), c.shown) << c.typed;
    EXPECT_EQ(ValueText(*e), c.value) << c.typed;
  }
}

TEST_F(EditTest, ChangeFiresOncePerValidChange) {
  auto e = Make("5");
  platform.TypeText(e->Control(), "1");   // 51
  platform.TypeText(e->Control(), "e");   // 51e: unfinished
  platform.TypeText(e->Control(), "x");   // 51ex: restored to 51
  platform.TypeText(e->Control(), "2");   // 512
  platform.PasteText(e->Control(), "7.25");
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"51", "512", "7.25"}));
  EXPECT_EQ(KindOf(changes.values.back()), KindReal);
}

TEST_F(EditTest, StartFlagSkipsTheFirstChange) {
  auto e = std::make_unique<THIEdit>(Form());
  e->Text = "1";
  e->ValueReader = &THIEdit::ReadRealText;
  e->StartFlag = 1;
  e->Init();
  e->onChange = changes.Link();
  EXPECT_EQ(e->EditState(), 0);
  platform.TypeText(e->Control(), "2");
  platform.TypeText(e->Control(), "3");
  EXPECT_EQ(changes.Texts(), (std::vector<std::string>{"123"}));
  EXPECT_EQ(e->EditState(), 1);
}

TEST_F(EditTest, WithoutReaderTheTextIsTheValue) {
  auto e = Make("abc", nullptr);
  platform.TypeText(e->Control(), ",!");
  EXPECT_EQ(e->Control()->Text(), "abc,!");
  TData v;
  e->Value(v);
  EXPECT_EQ(KindOf(v), KindString);
  EXPECT_EQ(v.StrValue, "abc,!");
}

TEST_F(EditTest, EnterFiresTheValueAndClearsTheField) {
  auto e = Make("5");
  TProbe entered, keys;
  e->onEnter = entered.Link();
  e->onKeyDown = keys.Link();
  platform.PressKey(e->Control(), VkReturn);
  EXPECT_EQ(entered.Texts(), (std::vector<std::string>{"5"}));
  EXPECT_EQ(e->Control()->Text(), "");
  EXPECT_TRUE(keys.values.empty()) << "Enter is consumed";
  EXPECT_TRUE(changes.values.empty()) << "clearing is the program's own change";
  // Nothing to send: no onEnter, still consumed.
  platform.PressKey(e->Control(), VkReturn);
  EXPECT_EQ(entered.values.size(), 1u);
  EXPECT_TRUE(keys.values.empty());
  // Other keys go to onKeyDown.
  platform.PressKey(e->Control(), 'A');
  EXPECT_EQ(keys.Texts(), (std::vector<std::string>{"65"}));
}

TEST_F(EditTest, EnterWithoutOnEnterIsAnOrdinaryKey) {
  auto e = Make("5");
  TProbe keys;
  e->onKeyDown = keys.Link();
  platform.PressKey(e->Control(), VkReturn);
  EXPECT_EQ(keys.Texts(), (std::vector<std::string>{"13"}));
  EXPECT_EQ(e->Control()->Text(), "5");
}

TEST_F(EditTest, InitAppliesTheEditLook) {
  auto e = std::make_unique<THIEdit>(Form());
  e->Text = "100";
  e->EdgeStyle = 0;
  e->Cursor = CursorText;
  e->Option1 = 1;
  e->Init();
  THeadlessControl* c = H(e.get());
  EXPECT_EQ(c->Kind(), TControlKind::Edit);
  EXPECT_EQ(c->Text(), "100");
  EXPECT_EQ(c->Edge(), 0);
  EXPECT_EQ(c->Cursor(), CursorText);
  EXPECT_EQ(c->Options().EditOptions, 0x40);
}

TEST_F(EditTest, ValueFromAWorkerReadsTheLastTextWithoutTheControl) {
  auto e = Make("5");
  platform.PasteText(e->Control(), "2.5");
  std::string fromWorker;
  std::thread worker([&] { fromWorker = ValueText(*e); });
  worker.join();
  EXPECT_EQ(fromWorker, "2.5");
  EXPECT_EQ(platform.ThreadViolations(), 0);
}

}  // namespace
