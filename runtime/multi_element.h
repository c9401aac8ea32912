// Containers: an outer element that hosts a whole child scheme, and the
// bridge element inside that scheme. Points are matched by position: method
// i of the container fires the bridge's Methods[i], event i of the bridge
// fires the container's Events[i], and so on.
// A container owns its child scheme(s); the bridge is owned by its scheme.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

class THIMultiElement;
class THIMultiElementEx;

// Inner side of a THIMultiElement. The child scheme sizes and wires
// Methods and Vars, and stores itself in Scheme.
class THIEditMulti : public TElement {
 public:
  THIMultiElement* Owner = nullptr;
  TScheme* Scheme = nullptr;
  std::vector<THI_Event> Methods;
  std::vector<THI_Event> Vars;

  void SetMethodCount(int n) { Methods.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetVarCount(int n) { Vars.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }

  // Event point i: fires the container's Events[i] with the same record.
  void onEvent(TData& data, uint16_t index);
  // Data output i: reads through the container's Datas[i].
  void Data(TData& data, uint16_t index);
};

// Inner side of a THIMultiElementEx; its method and variable counts come
// from name lists (one name per line).
class THIEditMultiEx : public TElement {
 public:
  THIMultiElementEx* Owner = nullptr;
  TScheme* Scheme = nullptr;
  std::vector<THI_Event> Methods;
  std::vector<THI_Event> Vars;

  void SetMethodNames(const std::string& names);
  void SetEventNames(const std::string&) {}  // the outer scheme sizes Events
  void SetVarNames(const std::string& names);
  void SetDataNames(const std::string&) {}   // the outer scheme sizes Datas

  void onEvent(TData& data, uint16_t index);
  void Data(TData& data, uint16_t index);
};

class THIMultiElement : public TElement {
 public:
  using TFactory = std::function<THIEditMulti*(TControl* parent)>;

  explicit THIMultiElement(TControl* parent = nullptr) : ParentControl(parent) {}
  ~THIMultiElement() override;

  THIEditMulti* Child = nullptr;
  TFactory Factory;
  TControl* ParentControl = nullptr;
  uint8_t Mode = 0;  // 0: child made by SetFactory; else on first use
  std::vector<THI_Event> Events;
  std::vector<THI_Event> Datas;

  // Stores the factory; in mode 0 builds the child at once (without running
  // the start-up queue).
  void SetFactory(TFactory factory);
  void SetEventCount(int n) { Events.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetDataCount(int n) { Datas.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }

  // Method point i and data output i of the container.
  void doMethod(TData& data, uint16_t index);
  void Var(TData& data, uint16_t index);

 private:
  void EnsureChild(bool runInits);
};

class THIMultiElementEx : public TElement {
 public:
  using TFactory = std::function<THIEditMultiEx*(TControl* parent)>;

  explicit THIMultiElementEx(TControl* parent = nullptr) : ParentControl(parent) {}
  ~THIMultiElementEx() override;

  std::list<THIEditMultiEx*> Instances;  // mode 1 children
  THIEditMultiEx* Child = nullptr;
  TFactory Factory;
  TControl* ParentControl = nullptr;
  uint8_t Mode = 0;  // 0: one child for life; 1: Instances; 2: a child per call
  std::vector<THI_Event> Events;
  std::vector<THI_Event> Datas;

  void SetFactory(TFactory factory);
  void SetEventCount(int n) { Events.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }
  void SetDataCount(int n) { Datas.assign(static_cast<size_t>(n > 0 ? n : 0), THI_Event()); }

  void doMethod(TData& data, uint16_t index);

 private:
  THIEditMultiEx* CreateChild(bool runInits);
};
