#include "elements/branching.h"

void THIIf_else::doCompare(TData& data) {
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
