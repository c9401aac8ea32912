#include "elements/lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/probe.h"

namespace {

class Lists : public DispatchOn {};

TEST_F(Lists, StrListOffersOneArrayBoundToItsLines) {
  THIStrList list;
  list.SetStrings("130\r\n150\r\n160\r\n");
  TData first, second;
  FireEvent(MakeLink<&THIStrList::Array>(&list), first);
  list.Array(second);
  ASSERT_EQ(KindOf(first), KindArray);
  TArrayIntf* arr = ToArray(first);
  ASSERT_NE(arr, nullptr);
  EXPECT_EQ(ToArray(second), arr);
  EXPECT_EQ(arr->Count(), 3);

  TData index = Int(1), value = Str("x"), item;
  arr->Set(index, value);
  ASSERT_TRUE(arr->Get(index, item));
  EXPECT_EQ(Show(item), "str x");
  EXPECT_EQ(list.Strings[1], "x");

  TData number = Real(2.5);
  arr->Add(number);
  EXPECT_EQ(arr->Count(), 4);
  TData last = Int(3);
  ASSERT_TRUE(arr->Get(last, item));
  EXPECT_EQ(Show(item), "str 2.5");

  // Replacing the lines keeps the interface and shows the new lines.
  list.SetStrings("a\rb");
  EXPECT_EQ(arr->Count(), 2);
  list.Array(second);
  EXPECT_EQ(ToArray(second), arr);
}

TEST_F(Lists, StrListIndexesOutOfRangeChangeNothing) {
  THIStrList list;
  list.SetStrings("a\nb");
  TData d;
  list.Array(d);
  TArrayIntf* arr = ToArray(d);
  const TData indexes[] = {Int(2), Int(-1), Str("abc"), Str(""), Str("-0"), TData()};
  for (const TData& i : indexes) {
    SCOPED_TRACE(Show(i));
    TData index = i, item = Str("untouched"), value = Str("new");
    EXPECT_FALSE(arr->Get(index, item));
    EXPECT_EQ(Show(item), "str untouched");
    arr->Set(index, value);
    EXPECT_EQ(list.Strings, (std::vector<std::string>{"a", "b"}));
  }
}

TEST_F(Lists, ArrayRWReadsOneItem) {
  struct Case {
    const char* name;
    TData index;
    bool wired;  // index through the input, else the default
    const char* expected;  // "" when nothing fires
  };
  const Case cases[] = {
      {"first", Int(0), true, "str 130"},
      {"last, from the default", Int(2), false, "str 160"},
      {"text index", Str("1"), true, "str 150"},
      {"real index rounds half to even", Real(2.5), true, "str 160"},
      {"one past the end", Int(3), true, ""},
      {"negative", Int(-1), true, ""},
      {"not a number", Str("abc"), true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THIStrList list;
    THIArrayRW rw;
    TSource index;
    TProbe out;
    list.SetStrings("130\r\n150\r\n160");
    rw.Array = MakeLink<&THIStrList::Array>(&list);
    index.value = c.index;
    if (c.wired) rw.Index = index.Out();
    else rw.IndexDef = c.index;
    rw.onRead = out.In();
    TData d = Int(0);  // a wired or non-empty default index ignores it
    FireEvent(MakeLink<&THIArrayRW::doRead>(&rw), d);
    if (*c.expected) {
      EXPECT_EQ(out.got, std::vector<std::string>{c.expected});
      EXPECT_EQ(Show(rw.Item), c.expected);
      EXPECT_EQ(Show(d), c.expected);  // fired with the caller's record
    } else {
      EXPECT_TRUE(out.got.empty());
    }
  }
}

TEST_F(Lists, ArrayRWTakesTheIncomingIndexWithoutDefault) {
  THIStrList list;
  THIArrayRW rw;
  TProbe out;
  list.SetStrings("a\r\nb");
  rw.Array = MakeLink<&THIStrList::Array>(&list);
  rw.onRead = out.In();
  FireInteger(MakeLink<&THIArrayRW::doRead>(&rw), 1);
  EXPECT_EQ(out.got, std::vector<std::string>{"str b"});
}

TEST_F(Lists, ArrayRWWithoutAnArrayFiresNothing) {
  THIArrayRW rw;
  TSource notAnArray;
  TProbe out;
  rw.onRead = out.In();
  FireInteger(MakeLink<&THIArrayRW::doRead>(&rw), 0);  // unwired
  notAnArray.value = Str("a");
  rw.Array = notAnArray.Out();
  FireInteger(MakeLink<&THIArrayRW::doRead>(&rw), 0);
  EXPECT_TRUE(out.got.empty());
}

}  // namespace
