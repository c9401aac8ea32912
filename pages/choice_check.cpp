#include "pages/choice_check.h"

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "pages/calc_scheme.h"

const char kR1ListHint[] = "Choose value of the resistor R1.";

namespace {

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
      usable->Type = CompareGreater;
      SetInteger(usable->Op2Def, 0);
    } else {
      usable->Type = CompareNotEqual;
      SetString(usable->Op2Def, "");
    }
    SetWarning(warning, setup.Message);

    Entry(Bridge, kChoiceDoCheck) = MakeLink<&THIIf_else::doCompare>(usable);
    usable->Op1 = Outer(Bridge, kChoiceChoice);
    usable->onTrue = MakeLink<&THIDoData::doData>(passEvent);
    usable->onFalse = MakeLink<&THIMessage::doMessage>(warning);
    passEvent->onEventData = Exit(Bridge, kChoiceOnValid);
  }

  THIEditMulti* Bridge;
};

}  // namespace

TChildScheme MakeChoiceCheck(TControl*, const TChoiceCheckSetup& setup) {
  return MakeChildScheme<TChoiceCheck>(setup);
}

TChildScheme MakeR1Check(TControl* parent) {
  return MakeChoiceCheck(parent, {TChoiceKind::PositiveNumber, kR1ListHint});
}

TChildScheme MakeTypeCheck(TControl* parent) {
  return MakeChoiceCheck(parent, {TChoiceKind::Line, "Choose the regulator type from the list."});
}
