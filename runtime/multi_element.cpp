#include "runtime/multi_element.h"

#include "runtime/lines.h"

namespace {

const THI_Event kUnwired;

const THI_Event& At(const std::vector<THI_Event>& links, uint16_t index) {
  return index < links.size() ? links[index] : kUnwired;
}

}  // namespace

void THIEditMulti::onEvent(TData& data, uint16_t index) {
  if (Owner) FireEvent(At(Owner->Events, index), data);
}

void THIEditMulti::Data(TData& data, uint16_t index) {
  ReadInto(data, Owner ? At(Owner->Datas, index) : kUnwired);
}

void THIEditMultiEx::SetMethodNames(const std::string& names) {
  Methods.assign(SplitLines(names).size(), THI_Event());
}

void THIEditMultiEx::SetVarNames(const std::string& names) {
  Vars.assign(SplitLines(names).size(), THI_Event());
}

void THIEditMultiEx::onEvent(TData& data, uint16_t index) {
  if (Owner) FireEvent(At(Owner->Events, index), data);
}

void THIEditMultiEx::Data(TData& data, uint16_t index) {
  ReadInto(data, Owner ? At(Owner->Datas, index) : kUnwired);
}

THIMultiElement::~THIMultiElement() {
  if (Child) {
    TScheme* scheme = Child->Scheme;
    Child = nullptr;
    delete scheme;
  }
}

void THIMultiElement::SetFactory(TFactory factory) {
  Factory = std::move(factory);
  if (Mode == 0) EnsureChild(false);
}

void THIMultiElement::EnsureChild(bool runInits) {
  if (Child || !Factory) return;
  THIEditMulti* bridge = Factory(ParentControl);
  if (!bridge) return;
  bridge->Owner = this;
  if (runInits) RunInits();
  Child = bridge;
}

void THIMultiElement::doMethod(TData& data, uint16_t index) {
  EnsureChild(true);
  if (Child) FireEvent(At(Child->Methods, index), data);
}

void THIMultiElement::Var(TData& data, uint16_t index) {
  EnsureChild(true);
  ReadInto(data, Child ? At(Child->Vars, index) : kUnwired);
}

THIMultiElementEx::~THIMultiElementEx() {
  if (Mode == 0 && Child) {
    TScheme* scheme = Child->Scheme;
    Child = nullptr;
    delete scheme;
  } else if (Mode == 1) {
    for (THIEditMultiEx* bridge : Instances) delete bridge->Scheme;
    Instances.clear();
  }
}

void THIMultiElementEx::SetFactory(TFactory factory) {
  Factory = std::move(factory);
  if (Mode == 0 && !Child) Child = CreateChild(false);
}

THIEditMultiEx* THIMultiElementEx::CreateChild(bool runInits) {
  if (!Factory) return nullptr;
  THIEditMultiEx* bridge = Factory(ParentControl);
  if (!bridge) return nullptr;
  bridge->Owner = this;
  if (runInits) RunInits();
  return bridge;
}

void THIMultiElementEx::doMethod(TData& data, uint16_t index) {
  if (Child) {
    FireEvent(At(Child->Methods, index), data);
  } else if (Mode == 2) {
    THIEditMultiEx* bridge = CreateChild(true);
    if (!bridge) return;
    FireEvent(At(bridge->Methods, index), data);
    delete bridge->Scheme;
  }
}
