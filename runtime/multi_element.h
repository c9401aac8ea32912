// Containers: an outer element that hosts a whole child scheme, and the
// bridge element inside that scheme. Points are matched by position: method
// i of the container fires the bridge's Methods[i], event i of the bridge
// fires the container's Events[i], data output i of the container reads the
// bridge's Vars[i] and data output i of the bridge reads the container's
// Datas[i].
// A factory hands the container the child scheme it built, and the
// container owns it from then on and destroys it with itself; the bridge is
// an element of the child scheme, so it lives exactly as long. A missing
// factory, or one that gives nothing, leaves the container without a
// child: its points then do nothing and read none.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

class TSchemeHost;

// Inner side of a container. The child scheme creates it, sizes Methods and
// Vars (by number, or for the named container by name lists with one name
// per line) and wires them.
class THIEditMulti : public TElement {
 public:
  TSchemeHost* Owner = nullptr;  // set when the container takes the child
  std::vector<THI_Event> Methods;
  std::vector<THI_Event> Vars;

  void SetMethodCount(int n) { Methods.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetVarCount(int n) { Vars.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetMethodNames(const std::string& names);
  void SetEventNames(const std::string&) {}  // the outer scheme sizes Events
  void SetVarNames(const std::string& names);
  void SetDataNames(const std::string&) {}  // the outer scheme sizes Datas

  // Event point i: fires the container's Events[i] with the same record.
  void onEvent(TData& data, uint16_t index);
  // Data output i: reads through the container's Datas[i].
  void Data(TData& data, uint16_t index);
};
// The named container's bridge is the same element, sized by name lists.
using THIEditMultiEx = THIEditMulti;

// What a factory hands over: the child scheme, and its bridge inside it.
struct TChildScheme {
  std::unique_ptr<TScheme> Scheme;
  THIEditMulti* Bridge = nullptr;
};

// Builds a child scheme of class S from `args`; S makes its bridge in its
// constructor and keeps it in its `Bridge` member.
template <typename S, typename... Args>
TChildScheme MakeChildScheme(Args&&... args) {
  auto scheme = std::make_unique<S>(std::forward<Args>(args)...);
  THIEditMulti* bridge = scheme->Bridge;
  return {std::move(scheme), bridge};
}

// What the two container kinds share: the factory, the outer links and the
// child it holds.
class TSchemeHost : public TElement {
 public:
  using TFactory = std::function<TChildScheme(TControl* parent)>;

  explicit TSchemeHost(TControl* parent) : ParentControl(parent) {}
  ~TSchemeHost() override;

  TFactory Factory;
  TControl* ParentControl = nullptr;  // handed to the factory
  uint8_t Mode = 0;
  std::vector<THI_Event> Events;
  std::vector<THI_Event> Datas;

  void SetEventCount(int n) { Events.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetDataCount(int n) { Datas.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }

  // The current child's bridge and scheme, or none.
  THIEditMulti* Child() const { return child_.Bridge; }
  TScheme* ChildScheme() const { return child_.Scheme.get(); }

 protected:
  // A child from the factory, taken by this container; then, when asked,
  // the start-up calls its elements registered. Empty without one.
  TChildScheme Build(bool runInits);
  void Fire(const THIEditMulti* bridge, TData& data, uint16_t index);
  void Read(TData& data, uint16_t index);

  TChildScheme child_;
};

// How a container kind keeps its child.
enum class TChildRule : uint8_t {
  // Mode 0: built when the factory is set; any other mode: built on the
  // first method call or data read. Kept for the container's life.
  Kept,
  // Mode 0: built when the factory is set and kept; mode 2: a fresh child
  // for every method call, destroyed after it; other modes: no child.
  PerCall,
};

template <TChildRule Rule>
class TMultiElement : public TSchemeHost {
 public:
  explicit TMultiElement(TControl* parent = nullptr) : TSchemeHost(parent) {}

  // Stores the factory; in mode 0 builds the child at once (without running
  // the start-up queue).
  void SetFactory(TFactory factory);

  // Method point i and data output i of the container.
  void doMethod(TData& data, uint16_t index);
  void Var(TData& data, uint16_t index);
};

// The container whose point counts the two schemes give as numbers.
using THIMultiElement = TMultiElement<TChildRule::Kept>;
// The named container (point counts from name lists), one child per call
// in mode 2.
using THIMultiElementEx = TMultiElement<TChildRule::PerCall>;

extern template class TMultiElement<TChildRule::Kept>;
extern template class TMultiElement<TChildRule::PerCall>;
