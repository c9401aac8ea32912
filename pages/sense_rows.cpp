#include "pages/sense_rows.h"

#include "elements/routing.h"
#include "elements/system.h"
#include "pages/power_rating.h"

namespace {

const TPageFonts kFonts = PageFonts(1);
const char kRatingHint[] =
    "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";

}  // namespace

TSensePage::TSenseRows TSensePage::AddSenseRows() {
  TSenseRows rows;
  THILabel* r2Caption = AddLabel(Box(), {280, 95, 35, 15}, "R2=", kFonts.Caption);
  rows.R2 = AddLabel(Box(), {325, 95, 50, 15}, "0", kFonts.Result, "", true);
  THILabel* r2Unit = AddLabel(Box(), {380, 95, 33, 20}, "kOm", kFonts.Caption);
  THILabel* r3Caption = AddLabel(Box(), {280, 115, 35, 15}, "R3=", kFonts.Caption);
  rows.R3 = AddLabel(Box(), {325, 115, 50, 15}, "0", kFonts.Result, "", true);
  THILabel* r3Unit = AddLabel(Box(), {380, 115, 26, 20}, "Om", kFonts.Caption);
  THILabel* powerCaption = AddLabel(Box(), {280, 135, 35, 15}, "P(R3)=", kFonts.Caption);
  rows.Power = AddLabel(Box(), {325, 135, 45, 15}, "0", kFonts.Result, "", true);
  THILabel* powerUnit = AddLabel(Box(), {380, 135, 18, 15}, "W", kFonts.Caption);
  THILabel* ratingCaption = AddLabel(Box(), {280, 160, 50, 15}, "(R3power=", kFonts.SmallCaption, kRatingHint);
  rows.Rating = AddLabel(Box(), {345, 160, 20, 15}, "0", kFonts.SmallResult, kRatingHint);
  THILabel* ratingUnit = AddLabel(Box(), {380, 160, 20, 15}, " W)", kFonts.SmallCaption, kRatingHint);
  rows.Items = {{r2Caption, rows.R2, r2Unit, "", true},
                {r3Caption, rows.R3, r3Unit, "", true},
                {powerCaption, rows.Power, powerUnit, ""},
                {ratingCaption, rows.Rating, ratingUnit, "R3 power rating"}};
  return rows;
}

THIIf_else* TSensePage::AddSenseSteps(const TSenseSteps& steps, const TSenseRows& rows) {
  THIIf_else* currentCheck = Create<THIIf_else>();
  THIMessage* currentWarning = Create<THIMessage>();
  THIHub* stepHub = Create<THIHub>();
  THIMultiElement* powerRating =
      AddHost(Box(), [](TControl* p) { return MakePowerRating(p, {"%1/0.7", false, false}); }, 1, 1);

  currentCheck->Type = CompareLessOrEqual;
  SetInteger(currentCheck->Op2Def, steps.Limit);
  SetMessage(currentWarning, steps.Warning, "Warning!", 5);
  stepHub->SetOutCount(4);

  currentCheck->Op1 = steps.Current;
  currentCheck->onTrue = MakeLink<&THIHub::doEvent>(stepHub);
  currentCheck->onFalse = MakeLink<&THIMessage::doMessage>(currentWarning);
  stepHub->onEvent[0] = steps.R3;
  stepHub->onEvent[1] = steps.Power;
  stepHub->onEvent[2] = Call(powerRating, kRatingDoCalc);
  stepHub->onEvent[3] = Call(powerRating, kRatingDoSelect);
  ShowRounded(*steps.R3Result, rows.R3, steps.R3Decimals, steps.R3Names);
  ShowRounded(*steps.PowerResult, rows.Power, 2, steps.PowerNames);
  In(powerRating, kRatingPower) = steps.PowerValue;
  On(powerRating, kRatingOnRating) = MakeLink<&THILabel::doText>(rows.Rating);
  return currentCheck;
}
