// Small elements for window tests: TProbe records what reaches it, TSource
// answers a fixed value when read.
#pragma once

#include <string>
#include <vector>

#include "runtime/data.h"
#include "runtime/element.h"
#include "runtime/event.h"

class TProbe : public TElement {
 public:
  std::vector<TData> values;
  void doEvent(TData& data) {
    TData copy;
    CopySingle(copy, data);
    values.push_back(copy);
  }
  THI_Event Link() { return MakeLink<&TProbe::doEvent>(this); }
  // The values as text ("" for none), for compact comparisons.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const TData& d : values) out.push_back(ToString(d));
    return out;
  }
};

class TSource : public TElement {
 public:
  TData value;
  void Data(TData& data) { CopySingle(data, value); }
  THI_Event Link() { return MakeLink<&TSource::Data>(this); }
};
