#include "elements/branching.h"

namespace {

// What ReadData gives for one operand when the arrival is a single value,
// without a copy: the value read through the link (into `fresh`), the
// default, or the arrival itself, which only one operand can take.
const TData& Operand(const TData& arrival, bool& taken, const THI_Event& link, const TData& def, TData& fresh) {
  if (link.Wired()) {
    FireEvent(link, fresh);
    return fresh;
  }
  if (KindOf(def) != KindNone) return def;
  if (!taken && KindOf(arrival) != KindNone) {
    taken = true;
    return arrival;
  }
  return def;
}

}  // namespace

void THIIf_else::doCompare(TData& data) {
  if (!data.Next) {
    // Nothing reached by the reads holds this record, so it is still the
    // arrival when the comparison is made, and continues as it came.
    bool taken = false;
    TData fresh1, fresh2;
    const TData& a = Operand(data, taken, Op1, Op1Def, fresh1);
    const TData& b = Operand(data, taken, Op2, Op2Def, fresh2);
    ContinueAsIs(data, CompareData(a, b, Type) ? onTrue : onFalse);
    return;
  }
  TData arrived;
  CopyWhole(arrived, data);
  const TData a = ReadData(data, Op1, &Op1Def);
  const TData b = ReadData(data, Op2, &Op2Def);
  ContinueData(data, CompareData(a, b, Type) ? onTrue : onFalse, arrived);
}

void THICase::doCase(TData& data) {
  TData arrived = data;
  const TData v = PopFirst(data);
  if (CompareData(v, Value, 0)) {
    FireNone(onMatch);
  } else {
    FireEvent(onNextCase, arrived);
  }
}
