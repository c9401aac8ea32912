#include "runtime/multi_element.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/resources.h"

namespace {

class Containers : public ::testing::Test {
 protected:
  void SetUp() override { StartDispatch(); }
  void TearDown() override { StopDispatch(); }
};

// Inner elements of the test child scheme.
struct Store : TElement {
  TData value;
  int inits = 0;
  void doValue(TData& d) { value = PopFirst(d); }
  void Value(TData& d) { d = value; }
  void Init() { ++inits; }
};

struct Relay : TElement {
  THI_Event onOut;  // sent out through the bridge
  THI_Event In;     // read through the bridge
  void doRelay(TData& d) {
    TData v = ReadData(d, In, nullptr);
    FireEvent(onOut, v);
  }
};

int live_children = 0;

// Child: method 0 stores, method 1 relays the outer data input out; var 0
// reads the store.
class Child : public TScheme {
 public:
  explicit Child(TControl*) {
    ++live_children;
    Bridge = Create<THIEditMulti>();
    store = Create<Store>();
    relay = Create<Relay>();
    Bridge->SetMethodCount(2);
    Bridge->SetVarCount(1);
    Bridge->Methods[0] = MakeLink<&Store::doValue>(store);
    Bridge->Methods[1] = MakeLink<&Relay::doRelay>(relay);
    Bridge->Vars[0] = MakeLink<&Store::Value>(store);
    relay->In = MakeLink<&THIEditMulti::Data>(Bridge, 0);
    relay->onOut = MakeLink<&THIEditMulti::onEvent>(Bridge, 0);
    AddInit<&Store::Init>(store);
  }
  ~Child() override { --live_children; }
  THIEditMulti* Bridge;
  Store* store;
  Relay* relay;
};

struct Outer {
  std::vector<std::string> got;
  void onOut(TData& d) { got.push_back(ToString(d)); }
  void Source(TData& d) { SetString(d, "outside"); }
};

TChildScheme MakeChild(TControl* parent) { return MakeChildScheme<Child>(parent); }

TEST_F(Containers, ModeZeroBuildsTheChildAtOnce) {
  live_children = 0;
  {
    THIMultiElement host;
    host.SetEventCount(1);
    host.SetDataCount(1);
    host.SetFactory(MakeChild);
    ASSERT_NE(host.Child(), nullptr);
    EXPECT_EQ(host.Child()->Owner, &host);
    EXPECT_EQ(live_children, 1);
    RunInits();  // the child's start-up call waits for the program's run

    Outer outer;
    host.Events[0] = MakeLink<&Outer::onOut>(&outer);
    host.Datas[0] = MakeLink<&Outer::Source>(&outer);
    TData v;
    SetInteger(v, 42);
    host.doMethod(v, 0);
    TData read;
    host.Var(read, 0);
    EXPECT_EQ(read.IntValue, 42);

    TData empty;
    host.doMethod(empty, 1);
    EXPECT_EQ(outer.got, (std::vector<std::string>{"outside"}));
    TData none;
    host.doMethod(none, 7);  // no inner wiring: nothing happens
  }
  EXPECT_EQ(live_children, 0);
}

TEST_F(Containers, OtherModesBuildOnFirstUseAndRunTheQueue) {
  live_children = 0;
  THIMultiElement host;
  host.Mode = 1;
  host.SetFactory(MakeChild);
  EXPECT_EQ(host.Child(), nullptr);
  TData read;
  host.Var(read, 0);
  ASSERT_NE(host.Child(), nullptr);
  EXPECT_EQ(static_cast<Child*>(host.ChildScheme())->store->inits, 1);
  EXPECT_TRUE(IsNone(read));
  EXPECT_EQ(live_children, 1);
}

// Named variant: a child whose memory survives only in mode 0.
struct Counting : TElement {
  int count = 0;
  THI_Event onCount;
  void doCount(TData&) { FireInteger(onCount, ++count); }
};

class NamedChild : public TScheme {
 public:
  explicit NamedChild(TControl*) {
    ++live_children;
    Bridge = Create<THIEditMultiEx>();
    counter = Create<Counting>();
    Bridge->SetMethodNames("doCount");
    Bridge->SetEventNames("onCount");
    Bridge->SetVarNames("");
    Bridge->SetDataNames("");
    Bridge->Methods[0] = MakeLink<&Counting::doCount>(counter);
    counter->onCount = MakeLink<&THIEditMultiEx::onEvent>(Bridge, 0);
  }
  ~NamedChild() override { --live_children; }
  THIEditMultiEx* Bridge;
  Counting* counter;
};

TEST_F(Containers, NamedContainerModes) {
  live_children = 0;
  std::vector<std::string> got;
  struct Sink {
    std::vector<std::string>* got;
    void onCount(TData& d) { got->push_back(ToString(d)); }
  } sink{&got};
  auto factory = [](TControl* p) { return MakeChildScheme<NamedChild>(p); };

  THIMultiElementEx kept;
  kept.SetEventCount(1);
  kept.Events[0] = MakeLink<&Sink::onCount>(&sink);
  kept.SetFactory(factory);
  TData d;
  kept.doMethod(d, 0);
  kept.doMethod(d, 0);
  EXPECT_EQ(got, (std::vector<std::string>{"1", "2"}));

  got.clear();
  THIMultiElementEx fresh;
  fresh.Mode = 2;
  fresh.SetEventCount(1);
  fresh.Events[0] = MakeLink<&Sink::onCount>(&sink);
  fresh.SetFactory(factory);
  EXPECT_EQ(fresh.Child(), nullptr);
  fresh.doMethod(d, 0);
  fresh.doMethod(d, 0);
  EXPECT_EQ(got, (std::vector<std::string>{"1", "1"}));
  EXPECT_EQ(live_children, 1);  // only the mode-0 child is alive

  THIMultiElementEx idle;
  idle.Mode = 1;
  idle.SetFactory(factory);
  idle.doMethod(d, 0);
  EXPECT_EQ(live_children, 1);
}

TEST(NameLists, CountLines) {
  THIEditMultiEx bridge;
  const std::pair<const char*, size_t> cases[] = {
      {"", 0}, {"doConvReal", 1}, {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"a\r\n\r\nb", 3}};
  for (const auto& c : cases) {
    bridge.SetMethodNames(c.first);
    bridge.SetVarNames(c.first);
    EXPECT_EQ(bridge.Methods.size(), c.second) << c.first;
    EXPECT_EQ(bridge.Vars.size(), c.second) << c.first;
  }
}

// --- Text resources ------------------------------------------------------

const unsigned char kList[] = "doConvReal\r\nonResult\0ignored";
const unsigned char kBlob[] = {1, 2, 3};
const TResource kItems[] = {
    {"STR5", ResText, kList, sizeof kList},
    {"BITMAP9", ResBitmap, kBlob, sizeof kBlob},
};
const TResourceTable kTable = {kItems, 2};

TEST(Resources, TextByCaseInsensitiveNameUpToZeroByte) {
  const TResourceTable* previous = SetResourceTable(&kTable);
  EXPECT_EQ(LoadTextResource("Str5"), "doConvReal\r\nonResult");
  EXPECT_EQ(LoadTextResource("str5"), "doConvReal\r\nonResult");
  EXPECT_EQ(LoadTextResource("Str6"), "");
  EXPECT_EQ(LoadTextResource("bitmap9"), "");  // wrong type
  ASSERT_NE(FindResourceData("Bitmap9", ResBitmap), nullptr);
  EXPECT_EQ(FindResourceData("Bitmap9", ResBitmap)->size, 3u);

  // A child scheme sized from a missing resource has no points.
  THIEditMultiEx bridge;
  bridge.SetMethodNames(LoadTextResource("Str404"));
  EXPECT_TRUE(bridge.Methods.empty());
  bridge.SetMethodNames(LoadTextResource("STR5"));
  EXPECT_EQ(bridge.Methods.size(), 2u);
  SetResourceTable(previous);
}

}  // namespace
