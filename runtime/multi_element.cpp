#include "runtime/multi_element.h"

#include "runtime/lines.h"

namespace {

const THI_Event kUnwired;

const THI_Event& At(const std::vector<THI_Event>& links, uint16_t index) {
  return index < links.size() ? links[index] : kUnwired;
}

}  // namespace

void THIEditMulti::SetMethodNames(const std::string& names) {
  Methods.assign(SplitLines(names).size(), THI_Event());
}

void THIEditMulti::SetVarNames(const std::string& names) { Vars.assign(SplitLines(names).size(), THI_Event()); }

void THIEditMulti::onEvent(TData& data, uint16_t index) {
  if (Owner) FireEvent(At(Owner->Events, index), data);
}

void THIEditMulti::Data(TData& data, uint16_t index) {
  ReadInto(data, Owner ? At(Owner->Datas, index) : kUnwired);
}

// --- TSchemeHost ----------------------------------------------------------------

TSchemeHost::~TSchemeHost() {
  // The container forgets the child before its elements go.
  TChildScheme doomed = std::move(child_);
  child_.Bridge = nullptr;
}

TChildScheme TSchemeHost::Build(bool runInits) {
  if (!Factory) return {};
  TChildScheme child = Factory(ParentControl);
  if (!child.Scheme || !child.Bridge) return {};
  child.Bridge->Owner = this;
  if (runInits) RunInits();
  return child;
}

void TSchemeHost::Fire(const THIEditMulti* bridge, TData& data, uint16_t index) {
  if (bridge) FireEvent(At(bridge->Methods, index), data);
}

void TSchemeHost::Read(TData& data, uint16_t index) {
  ReadInto(data, child_.Bridge ? At(child_.Bridge->Vars, index) : kUnwired);
}

// --- The two kinds -----------------------------------------------------------------

template <TChildRule Rule>
void TMultiElement<Rule>::SetFactory(TFactory factory) {
  Factory = std::move(factory);
  if (Mode == 0 && !child_.Scheme) child_ = Build(false);
}

template <TChildRule Rule>
void TMultiElement<Rule>::doMethod(TData& data, uint16_t index) {
  if constexpr (Rule == TChildRule::Kept) {
    if (!child_.Scheme) child_ = Build(true);
  } else if (!child_.Scheme && Mode == 2) {
    // Lives for this call only.
    TChildScheme fresh = Build(true);
    Fire(fresh.Bridge, data, index);
    return;
  }
  Fire(child_.Bridge, data, index);
}

template <TChildRule Rule>
void TMultiElement<Rule>::Var(TData& data, uint16_t index) {
  if constexpr (Rule == TChildRule::Kept) {
    if (!child_.Scheme) child_ = Build(true);
  }
  Read(data, index);
}

template class TMultiElement<TChildRule::Kept>;
template class TMultiElement<TChildRule::PerCall>;
