#include "support/probe.h"

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
