#include "support/probe.h"

#include <cstdio>

#include "runtime/number_text.h"

std::string Show(const TData& d) {
  switch (KindOf(d)) {
    case KindNone: return "none";
    case KindInteger: return "int " + IntegerToText(d.IntValue);
    case KindString: return "str " + d.StrValue;
    case KindReal: return "real " + RealToText(d.RealValue);
    case KindArray: return "array";
    case KindObject: return "object";
    default: return "kind " + IntegerToText(KindOf(d));
  }
}

std::string ShowWhole(const TData& d) {
  char pointers[96];
  std::snprintf(pointers, sizeof pointers, " ref=%p continue=%p next=%p", d.Ref, static_cast<const void*>(d.ContinueLink),
                static_cast<const void*>(d.Next));
  return "kind=" + IntegerToText(d.Kind) + " int=" + IntegerToText(d.IntValue) + " str=\"" + d.StrValue +
         "\" real=" + RealToText(d.RealValue) + pointers;
}
