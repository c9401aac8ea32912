#include "pages/sense_rows.h"

#include "elements/branching.h"
#include "pages/choice_check.h"
#include "pages/power_rating.h"

namespace {

constexpr TRowGrid kGrid{315, 60, 325, 380, 15, kCharSetDefault, true};
const char kRatingHint[] =
    "power of the resistor R3 calculated with the requirements of reliability, driven in nearest standard value";

}  // namespace

THIEdit* TSensePage::MakeSensePage(TControl* parent, const TSensePageSetup& setup) {
  MakePage(parent, 1, kGrid);
  AddSchematic(Box(), {10, 19, 250, 199}, setup.Schematic);
  THIEdit* vout = AddVoutRow(20);
  iout_ = AddEditRow(45, {"Iout:", 25}, setup.Iout, setup.IoutUnit);
  THIComboBox* r1 = AddR1ListRow(70, setup.R1List);
  const TResultRow r2 = AddResultRow(95, {"R2=", 35}, {"", 50}, {"kOm", 33, 20}, {"", kResistorRow});
  r3_ = AddResultRow(115, {"R3=", 35}, {"", 50}, {"Om", 26, 20}, {"", kResistorRow});
  power_ = AddResultRow(135, {"P(R3)=", 35}, {"", 45}, {"W", 18});
  rating_ = AddRatingRow(160, {"(R3power=", 50}, {"", 20}, {" W)", 20}, kRatingHint, "R3 power rating", false);
  Describe(setup.Title);

  calcHub_ = Create<THIHub>();
  calcHub_->SetOutCount(2);
  THIMathParse* r2Calc = AddFormula(setup.R2Formula, 2, TResultKind::Integer);
  THIMultiElement* voutCheck = AddVoutR1Checks(setup.VoutRange, vout, r1, MakeLink<&THIHub::doEvent>(calcHub_));
  // R2 is shown before the current is checked, so a current warning leaves
  // the new R2 beside the earlier R3 results.
  calcHub_->onEvent[0] = MakeLink<&THIMathParse::doCalc>(r2Calc);
  Feed(r2Calc, {Read(voutCheck, kRangeValue), MakeLink<&THIComboBox::Value>(r1)});
  r2.Show(r2Calc->onResult, 3, setup.R2Names, TScale::Thousands);
  return iout_;
}

void TSensePage::AddSenseSteps(const TCurrentLimit& limit, const TShownStep& r3, const TShownStep& power,
                               THI_Event powerValue) {
  THIIf_else* currentCheck =
      AddCheck(CompareLessOrEqual, IntegerValue(limit.Limit), AddWarning(limit.Warning), true);
  THIHub* stepHub = Create<THIHub>();
  THIMultiElement* powerRating = AddPowerRating({"%1/0.7", false, false});

  stepHub->SetOutCount(4);
  calcHub_->onEvent[1] = MakeLink<&THIIf_else::doCompare>(currentCheck);
  currentCheck->Op1 = MakeLink<&THIEdit::Value>(iout_);
  currentCheck->onTrue = MakeLink<&THIHub::doEvent>(stepHub);
  stepHub->onEvent[0] = r3.Start;
  stepHub->onEvent[1] = power.Start;
  stepHub->onEvent[2] = Call(powerRating, kRatingDoCalc);
  stepHub->onEvent[3] = Call(powerRating, kRatingDoSelect);
  r3_.Show(*r3.Result, r3.Decimals, r3.Names);
  power_.Show(*power.Result, power.Decimals, power.Names);
  In(powerRating, kRatingPower) = std::move(powerValue);
  On(powerRating, kRatingOnRating) = MakeLink<&THILabel::doText>(rating_);
}
