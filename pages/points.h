// The points of a hosted scheme, typed by their kind: a method, an event, a
// data input or a data output. A sub-scheme's header names its points with
// these types, and both sides reach them only through the functions below,
// so an index of one kind cannot stand for another: a data input's index
// used as an event's does not compile. Points are values; the functions
// hand out links (which own nothing) or the link slots of a host or a
// bridge, which live as long as that element.
#pragma once

#include <cstdint>

#include "runtime/multi_element.h"

template <typename Kind>
struct TPoint {
  uint16_t Index;
};
struct TMethodKind;
struct TEventKind;
struct TDataInKind;
struct TDataOutKind;
using TMethodPoint = TPoint<TMethodKind>;
using TEventPoint = TPoint<TEventKind>;
using TDataInPoint = TPoint<TDataInKind>;
using TDataOutPoint = TPoint<TDataOutKind>;

// --- Outside: the scheme that holds the host -------------------------------
// The link that calls method `m` of the hosted scheme.
template <typename Host>
THI_Event Call(Host* host, TMethodPoint m) {
  return MakeLink<&Host::doMethod>(host, m.Index);
}
// The link that reads data output `o` of the hosted scheme.
template <typename Host>
THI_Event Read(Host* host, TDataOutPoint o) {
  return MakeLink<&Host::Var>(host, o.Index);
}
// Where event `e` of the hosted scheme goes (the host was sized for it).
inline THI_Event& On(TSchemeHost* host, TEventPoint e) { return host->Events[e.Index]; }
// What data input `i` of the hosted scheme reads.
inline THI_Event& In(TSchemeHost* host, TDataInPoint i) { return host->Datas[i.Index]; }

// --- Inside: the hosted scheme, through its bridge ---------------------------
// What method `m` runs (the bridge was sized for it).
inline THI_Event& Entry(THIEditMulti* bridge, TMethodPoint m) { return bridge->Methods[m.Index]; }
// What data output `o` answers.
inline THI_Event& Answer(THIEditMulti* bridge, TDataOutPoint o) { return bridge->Vars[o.Index]; }
// The link that fires event `e` out to the host.
inline THI_Event Exit(THIEditMulti* bridge, TEventPoint e) {
  return MakeLink<&THIEditMulti::onEvent>(bridge, e.Index);
}
// The link that reads data input `i` from the host.
inline THI_Event Outer(THIEditMulti* bridge, TDataInPoint i) {
  return MakeLink<&THIEditMulti::Data>(bridge, i.Index);
}
