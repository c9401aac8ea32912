#include "pages/conv_real.h"

#include <string>

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "runtime/resources.h"

namespace {

class TConvReal : public TScheme {
 public:
  TConvReal(int decimals, int firstName) {
    Bridge = Create<THIEditMultiEx>();
    THIMemory* decimalsMemory = Create<THIMemory>();
    THIMath* power = Create<THIMath>();
    THIMath* multiply = Create<THIMath>();
    THIMath* divide = Create<THIMath>();
    THIGetData* factorReader = Create<THIGetData>();
    THIEventFromData* factorEvent = Create<THIEventFromData>();
    THIDoData* valuePasser = Create<THIDoData>();
    THIIf_else* comparator = Create<THIIf_else>();
    THIHub* entryHub = Create<THIHub>();
    THIDoData* dataReader = Create<THIDoData>();
    THIMemory* valueMemory = Create<THIMemory>();
    THIHub* scaleHub = Create<THIHub>();
    THIGetData* valueReader = Create<THIGetData>();
    THIMath* round = Create<THIMath>();

    const auto name = [firstName](int k) { return LoadTextResource("Str" + std::to_string(firstName + k)); };
    Bridge->SetMethodNames(name(0));
    Bridge->SetEventNames(name(1));
    Bridge->SetVarNames(name(2));
    Bridge->SetDataNames(name(3));

    TData n;
    SetInteger(n, decimals);
    decimalsMemory->SetMemoryDefault(n);
    Configure(power, MathPower, 10.0, 0.0, MathResultInteger);
    Configure(multiply, MathMultiply, 0.0, 0.0, MathResultReal);
    Configure(divide, MathDivide, 0.0, 0.0, MathResultReal);
    Configure(round, MathRoundToStep, 0.0, 1.0, MathResultReal);
    factorReader->Count = 2;
    comparator->Type = CompareGreater;
    entryHub->SetOutCount(2);
    scaleHub->SetOutCount(1);
    valueReader->Count = 2;

    if (!Bridge->Methods.empty()) Entry(Bridge, kRoundDoConvReal) = MakeLink<&THIHub::doEvent>(entryHub);
    entryHub->onEvent[0] = MakeLink<&THIMemory::doValue>(valueMemory);
    entryHub->onEvent[1] = MakeLink<&THIDoData::doData>(dataReader);
    dataReader->Data = Outer(Bridge, kRoundData);
    dataReader->onEventData = MakeLink<&THIIf_else::doCompare>(comparator);
    comparator->Op2 = MakeLink<&THIGetData::Value>(valueReader, 0);
    valueReader->Data = MakeLink<&THIMemory::Value>(valueMemory);
    comparator->onTrue = MakeLink<&THIHub::doEvent>(scaleHub, 0);
    comparator->onFalse = MakeLink<&THIDoData::doData>(valuePasser);
    valuePasser->Data = MakeLink<&THIGetData::Value>(valueReader, 1);
    valuePasser->onEventData = MakeLink<&THIHub::doEvent>(scaleHub, 1);
    scaleHub->onEvent[0] = MakeLink<&THIMath::doOperation>(multiply);
    multiply->Op2 = MakeLink<&THIGetData::Value>(factorReader, 0);
    factorReader->Data = MakeLink<&THIEventFromData::Value>(factorEvent);
    factorEvent->onEvent = MakeLink<&THIMath::doOperation>(power);
    factorEvent->Data = MakeLink<&THIMath::Result>(power);
    power->Op2 = MakeLink<&THIMemory::Value>(decimalsMemory);
    power->onResult = MakeLink<&THIEventFromData::doData>(factorEvent);
    multiply->onResult = MakeLink<&THIMath::doOperation>(round);
    round->onResult = MakeLink<&THIMath::doOperation>(divide);
    divide->Op2 = MakeLink<&THIGetData::Value>(factorReader, 1);
    divide->onResult = Exit(Bridge, kRoundOnResult);
    if (!Bridge->Vars.empty()) Answer(Bridge, kRoundResult) = MakeLink<&THIMath::Result>(divide);
  }

  THIEditMultiEx* Bridge;

 private:
  static void Configure(THIMath* m, uint8_t op, double op1, double op2, uint8_t resultType) {
    m->OpType = op;
    m->Op1Def = op1;
    m->Op2Def = op2;
    m->ResultType = resultType;
    m->SetDefault(0.0);
    m->SetAngleMode(0);
  }
};

}  // namespace

TChildScheme MakeConvReal(TControl*, int decimals, int firstName) {
  return MakeChildScheme<TConvReal>(decimals, firstName);
}
