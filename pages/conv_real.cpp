#include "pages/conv_real.h"

#include <string>

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "runtime/resources.h"

namespace {

constexpr double kWholeFrom = 9007199254740992.0;  // 2^53

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
    THIMath* asReal = Create<THIMath>();
    THIIf_else* aboveLowest = Create<THIIf_else>();
    THIIf_else* belowHighest = Create<THIIf_else>();

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
    Configure(asReal, MathMultiply, 0.0, 1.0, MathResultReal);
    factorReader->Count = 2;
    comparator->Type = CompareGreater;
    // From 2^53 on every double is whole: such a value is already rounded
    // and passes as it is (taken as a real first, as the scaling takes it),
    // where scaling it could overflow or lose bits.
    aboveLowest->Type = CompareGreater;
    SetReal(aboveLowest->Op2Def, -kWholeFrom);
    belowHighest->Type = CompareLess;
    SetReal(belowHighest->Op2Def, kWholeFrom);
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
    const THI_Event result = Exit(Bridge, kRoundOnResult);
    scaleHub->onEvent[0] = MakeLink<&THIMath::doOperation>(asReal);
    asReal->onResult = MakeLink<&THIIf_else::doCompare>(aboveLowest);
    aboveLowest->onTrue = MakeLink<&THIIf_else::doCompare>(belowHighest);
    aboveLowest->onFalse = result;
    belowHighest->onTrue = MakeLink<&THIMath::doOperation>(multiply);
    belowHighest->onFalse = result;
    multiply->Op2 = MakeLink<&THIGetData::Value>(factorReader, 0);
    factorReader->Data = MakeLink<&THIEventFromData::Value>(factorEvent);
    factorEvent->onEvent = MakeLink<&THIMath::doOperation>(power);
    factorEvent->Data = MakeLink<&THIMath::Result>(power);
    power->Op2 = MakeLink<&THIMemory::Value>(decimalsMemory);
    power->onResult = MakeLink<&THIEventFromData::doData>(factorEvent);
    multiply->onResult = MakeLink<&THIMath::doOperation>(round);
    round->onResult = MakeLink<&THIMath::doOperation>(divide);
    divide->Op2 = MakeLink<&THIGetData::Value>(factorReader, 1);
    divide->onResult = result;
    if (!Bridge->Vars.empty()) Answer(Bridge, kRoundResult) = MakeLink<&THIMath::Result>(divide);
  }

  THIEditMultiEx* Bridge;

 private:
  static void Configure(THIMath* m, uint8_t op, double op1, double op2, uint8_t resultType) {
    m->OpType = op;
    m->Op1Def = op1;
    m->Op2Def = op2;
    m->ResultType = resultType;
    // A scaling step beyond the largest double ends the calculation with
    // the "too large" warning.
    m->StopTooLarge = true;
    m->SetDefault(0.0);
    m->SetAngleMode(0);
  }
};

}  // namespace

TChildScheme MakeConvReal(TControl*, int decimals, int firstName) {
  return MakeChildScheme<TConvReal>(decimals, firstName);
}
