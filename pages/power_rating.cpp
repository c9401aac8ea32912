#include "pages/power_rating.h"

#include <iterator>
#include <vector>

#include "elements/branching.h"
#include "elements/routing.h"
#include "formula/math_parse.h"
#include "pages/calc_scheme.h"

namespace {

struct TStep {
  double bound;
  const char* rating;  // fired when x > bound
};

// First true test wins; the short list is the tail from x > 2.
const TStep kSteps[] = {{40, "50"}, {20, "40"}, {10, "20"}, {5, "10"},    {3, "5"},
                        {2, "3"},   {1, "2"},   {0.5, "1"}, {0.25, "0.5"}, {0.125, "0.25"}};
constexpr size_t kShortListStart = 5;
const char kSmallest[] = "0.125";

class TPowerRating : public TCalcScheme {
 public:
  explicit TPowerRating(const TPowerRatingSetup& setup) {
    const size_t first = setup.LongList ? 0 : kShortListStart;
    const size_t tests = std::size(kSteps) - first;
    Bridge = Create<THIEditMulti>();
    THIMathParse* margin = AddFormula(setup.Formula, 1, TResultKind::Real);
    THIGetData* fan = Create<THIGetData>();
    std::vector<THIIf_else*> comparators;
    std::vector<THIDoData*> senders;
    for (size_t i = 0; i < tests; ++i) comparators.push_back(Create<THIIf_else>());
    for (size_t i = 0; i <= tests; ++i) senders.push_back(Create<THIDoData>());
    THIHub* ratingHub = Create<THIHub>();
    THIHub* ratingSteps = setup.OneMethod ? Create<THIHub>() : nullptr;

    Bridge->SetMethodCount(setup.OneMethod ? 1 : 2);
    Bridge->SetVarCount(0);
    fan->Count = static_cast<int32_t>(tests);
    for (size_t i = 0; i < tests; ++i) {
      comparators[i]->Type = CompareGreater;
      SetReal(comparators[i]->Op2Def, kSteps[first + i].bound);
      SetString(senders[i]->DataDef, kSteps[first + i].rating);
    }
    SetString(senders[tests]->DataDef, kSmallest);
    ratingHub->InCount = static_cast<uint8_t>(tests + 1);
    ratingHub->SetOutCount(1);

    margin->X[0] = Outer(Bridge, kRatingPower);
    fan->Data = MakeLink<&THIMathParse::Result>(margin);
    for (size_t i = 0; i < tests; ++i) {
      comparators[i]->Op1 = MakeLink<&THIGetData::Value>(fan, static_cast<uint16_t>(i));
      comparators[i]->onTrue = MakeLink<&THIDoData::doData>(senders[i]);
      comparators[i]->onFalse = i + 1 < tests ? MakeLink<&THIIf_else::doCompare>(comparators[i + 1])
                                              : MakeLink<&THIDoData::doData>(senders[tests]);
    }
    for (size_t i = 0; i <= tests; ++i)
      senders[i]->onEventData = MakeLink<&THIHub::doEvent>(ratingHub, static_cast<uint16_t>(i));
    ratingHub->onEvent[0] = Exit(Bridge, kRatingOnRating);

    const THI_Event calc = MakeLink<&THIMathParse::doCalc>(margin);
    const THI_Event select = MakeLink<&THIIf_else::doCompare>(comparators[0]);
    if (ratingSteps) {
      ratingSteps->SetOutCount(2);
      ratingSteps->onEvent[0] = calc;
      ratingSteps->onEvent[1] = select;
      Entry(Bridge, kRatingDoCalc) = MakeLink<&THIHub::doEvent>(ratingSteps);
    } else {
      Entry(Bridge, kRatingDoCalc) = calc;
      Entry(Bridge, kRatingDoSelect) = select;
    }
  }

  THIEditMulti* Bridge;
};

}  // namespace

TChildScheme MakePowerRating(TControl*, const TPowerRatingSetup& setup) {
  return MakeChildScheme<TPowerRating>(setup);
}
