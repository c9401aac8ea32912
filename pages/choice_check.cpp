#include "pages/choice_check.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "pages/window_scheme.h"

const char kR1ListHint[] = "Choose value of the resistor R1.";

namespace {

// Comparison codes of THIIf_else.
constexpr uint8_t kGreater = 2;
constexpr uint8_t kNotEqual = 5;

class TChoiceCheck : public TScheme {
 public:
  explicit TChoiceCheck(const TChoiceCheckSetup& setup) {
    Bridge = Create<THIEditMulti>();
    THIIf_else* usable = Create<THIIf_else>();
    THIDoData* passEvent = Create<THIDoData>();
    THIMessage* warning = Create<THIMessage>();

    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(0);
    // None compares false either way; a selected line is never empty. The
    // bounds 0 and "" count as no default, so Op2 reads the empty record
    // the check is called with: the same 0 and "".
    if (setup.Kind == TChoiceKind::PositiveNumber) {
      usable->Type = kGreater;
      SetInteger(usable->Op2Def, 0);
    } else {
      usable->Type = kNotEqual;
      SetString(usable->Op2Def, "");
    }
    SetMessage(warning, setup.Message, "Warning!", 5);

    Bridge->Methods[0] = MakeLink<&THIIf_else::doCompare>(usable);
    usable->Op1 = MakeLink<&THIEditMulti::Data>(Bridge, 0);
    usable->onTrue = MakeLink<&THIDoData::doData>(passEvent);
    usable->onFalse = MakeLink<&THIMessage::doMessage>(warning);
    passEvent->onEventData = MakeLink<&THIEditMulti::onEvent>(Bridge, 0);
    Bridge->Scheme = this;
  }

  THIEditMulti* Bridge;
};

}  // namespace

THIEditMulti* MakeChoiceCheck(TControl*, const TChoiceCheckSetup& setup) {
  return (new TChoiceCheck(setup))->Bridge;
}

THIEditMulti* MakeR1Check(TControl* parent) {
  return MakeChoiceCheck(parent, {TChoiceKind::PositiveNumber, kR1ListHint});
}

THIEditMulti* MakeTypeCheck(TControl* parent) {
  return MakeChoiceCheck(parent, {TChoiceKind::Line, "Choose the regulator type from the list."});
}
