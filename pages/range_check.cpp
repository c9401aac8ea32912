#include "pages/range_check.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "pages/calc_scheme.h"

namespace {

class TRangeCheck : public TScheme {
 public:
  explicit TRangeCheck(const TRangeCheckSetup& setup) {
    const bool twoBounds = setup.Shape != TRangeShape::LowOnly;
    const bool device = setup.Shape == TRangeShape::Device;
    Bridge = Create<THIEditMulti>();
    THIIf_else* high = twoBounds ? Create<THIIf_else>() : nullptr;
    THIConvertor* converter = Create<THIConvertor>();
    THIDoData* passEvent = Create<THIDoData>();
    THIMemory* accepted = Create<THIMemory>();
    THIHub* passHub = Create<THIHub>();
    THIMessage* warning = Create<THIMessage>();
    THIHub* warningHub = twoBounds ? Create<THIHub>() : nullptr;
    THIIf_else* low = Create<THIIf_else>();
    THIFormatStr* text = device ? Create<THIFormatStr>() : nullptr;

    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(1);
    if (high) {
      high->Type = CompareGreater;
      high->Op2Def = setup.High;
    }
    converter->Mode = ConvertToReal;
    converter->Digits = 2;
    passHub->SetOutCount(2);
    SetWarning(warning, device ? std::string() : setup.Message);
    if (warningHub) warningHub->SetOutCount(1);
    low->Type = CompareLess;
    low->Op2Def = setup.Low;
    if (text) {
      text->SetArgCount(1);
      text->Mask = setup.Message;
      text->SkipInserted = 1;
    }

    Entry(Bridge, kRangeDoCheck) = MakeLink<&THIConvertor::doConvert>(converter);
    converter->Data = Outer(Bridge, kRangeVoltage);
    const THI_Event showWarning = text ? MakeLink<&THIFormatStr::doString>(text)
                                       : MakeLink<&THIMessage::doMessage>(warning);
    if (high) {
      converter->onResult = MakeLink<&THIIf_else::doCompare>(high);
      high->onTrue = MakeLink<&THIHub::doEvent>(warningHub, 0);
      high->onFalse = MakeLink<&THIIf_else::doCompare>(low);
      low->onTrue = MakeLink<&THIHub::doEvent>(warningHub, 1);
      warningHub->onEvent[0] = showWarning;
    } else {
      converter->onResult = MakeLink<&THIIf_else::doCompare>(low);
      low->onTrue = showWarning;
    }
    low->onFalse = MakeLink<&THIHub::doEvent>(passHub);
    if (text) {
      text->Args[0] = Outer(Bridge, kRangeMinVoltage);
      text->onFString = MakeLink<&THIMessage::doMessage>(warning);
    }
    passHub->onEvent[0] = MakeLink<&THIMemory::doValue>(accepted);
    passHub->onEvent[1] = MakeLink<&THIDoData::doData>(passEvent);
    passEvent->onEventData = Exit(Bridge, kRangeOnValid);
    Answer(Bridge, kRangeValue) = MakeLink<&THIMemory::Value>(accepted);
  }

  THIEditMulti* Bridge;
};

}  // namespace

TChildScheme MakeRangeCheck(TControl*, const TRangeCheckSetup& setup) {
  return MakeChildScheme<TRangeCheck>(setup);
}

TData TextValue(const std::string& text) {
  TData d;
  SetString(d, text);
  return d;
}

TData IntegerValue(int32_t value) {
  TData d;
  SetInteger(d, value);
  return d;
}
