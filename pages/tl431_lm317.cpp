#include "pages/tl431_lm317.h"

#include "elements/branching.h"
#include "elements/math.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "elements/text.h"
#include "formula/math_parse.h"
#include "pages/calc_panel.h"
#include "pages/range_check.h"

namespace {

// The capacitor choice: doChoose reads the output voltage through the
// data input Vout, takes its integer part and fires the C1 limits of its
// band as texts: picofarads on onLow, then microfarads on onHigh. Bands:
// up to 3 V, 4 to 8 V, above 8 V.
constexpr TMethodPoint kCapacitorDoChoose{0};
constexpr TDataInPoint kCapacitorVout{0};
constexpr TEventPoint kCapacitorOnLow{0};
constexpr TEventPoint kCapacitorOnHigh{1};

// The C1 limits of one band, as texts: picofarads, then microfarads.
struct TCapacitorBand {
  const char* Low;
  const char* High;
};
constexpr int32_t kCapacitorBandCount = 3;
constexpr TCapacitorBand kCapacitorBands[kCapacitorBandCount] = {{"6200", "3.3"}, {"27000", "1.5"}, {"33000", "0.082"}};

class TClassMultiElement_28E9C80 : public TCalcScheme {
 public:
  TClassMultiElement_28E9C80() {
    Bridge = Create<THIEditMulti>();
    Bridge->SetMethodCount(1);
    Bridge->SetVarCount(0);
    THIConvertor* voutToInt = Create<THIConvertor>();
    voutToInt->Mode = ConvertToInteger;
    voutToInt->Digits = 2;
    THIIf_else* upto3 = AddCheck(CompareLessOrEqual, IntegerValue(3), nullptr, true);
    THIIf_else* upto8 = AddCheck(CompareLessOrEqual, IntegerValue(8), nullptr, true);
    THIHub* lowHub = AddMerge(kCapacitorBandCount, Exit(Bridge, kCapacitorOnLow));
    THIHub* highHub = AddMerge(kCapacitorBandCount, Exit(Bridge, kCapacitorOnHigh));
    THI_Event band[kCapacitorBandCount];
    for (int32_t i = 0; i < kCapacitorBandCount; ++i) {
      const auto in = static_cast<uint16_t>(i);
      band[i] = AddBand(kCapacitorBands[i], MakeLink<&THIHub::doEvent>(lowHub, in),
                        MakeLink<&THIHub::doEvent>(highHub, in));
    }

    Entry(Bridge, kCapacitorDoChoose) = MakeLink<&THIConvertor::doConvert>(voutToInt);
    voutToInt->Data = Outer(Bridge, kCapacitorVout);
    voutToInt->onResult = MakeLink<&THIIf_else::doCompare>(upto3);
    upto3->onTrue = band[0];
    upto3->onFalse = MakeLink<&THIIf_else::doCompare>(upto8);
    upto8->onTrue = band[1];
    upto8->onFalse = band[2];
  }

  THIEditMulti* Bridge;

 private:
  // A hub that `ins` links enter, each going on to `out`.
  THIHub* AddMerge(int32_t ins, THI_Event out) {
    THIHub* hub = Create<THIHub>();
    hub->InCount = static_cast<uint8_t>(ins);
    hub->SetOutCount(1);
    hub->onEvent[0] = std::move(out);
    return hub;
  }

  // Fires the band's low limit on `onLow`, then its high limit on `onHigh`;
  // answers the link that does so.
  THI_Event AddBand(const TCapacitorBand& limits, THI_Event onLow, THI_Event onHigh) {
    THIDoData* low = Create<THIDoData>();
    THIDoData* high = Create<THIDoData>();
    SetString(low->DataDef, limits.Low);
    SetString(high->DataDef, limits.High);
    low->onEventData = std::move(onLow);
    high->onEventData = std::move(onHigh);
    return AddSteps({MakeLink<&THIDoData::doData>(low), MakeLink<&THIDoData::doData>(high)});
  }
};

TChildScheme MakeCapacitorChoice(TControl*) { return MakeChildScheme<TClassMultiElement_28E9C80>(); }

}  // namespace

TClassChildGroupBox_28BC1D8::TClassChildGroupBox_28BC1D8(TControl* parent) {
  MakePage(parent, 1, kGrid);
  AddSchematic(Box(), {10, 19, 250, 200}, kTl431Lm317Schematic);
  const TInputs in = AddInputRows(20, &THIEdit::ReadIntegerText);
  const TResultRow r1 = AddR1Row(95);
  const TDividerRows dividerRows = AddDividerRows(115);
  const TResultRow c1Low = AddResultRow(155, {"C1:", 25}, {"", 45}, {"<pF", 23});
  const TResultRow c1High = AddResultRow(175, c1Low.Caption, {"", 45}, {">uF", 23});
  Describe("TL431+LM317");

  THIMultiElement* calcPanel = AddCalcPanel(kPanelPlace);
  THIMultiElement* voutCheck = AddVoutCheck();
  const TDivider divider =
      AddDivider(in.Ratio, voutCheck, dividerRows, {TRoundingNames::Tl431Lm317R3, TRoundingNames::Tl431Lm317R2});
  THIMathParse* r1Calc = AddFormula("1.25/((%1+1)/1000)", 1, TResultKind::Real);
  THIMultiElement* capChoice = AddHost(Box(), &MakeCapacitorChoice, 2, 1);

  On(calcPanel, kPanelOnCalculate) = Call(voutCheck, kRangeDoCheck);
  In(voutCheck, kRangeVoltage) = MakeLink<&THIEdit::Value>(in.Vout);
  const THI_Event calculate =
      AddSteps({MakeLink<&THIMathParse::doCalc>(divider.R3), MakeLink<&THIMathParse::doCalc>(divider.R2),
                MakeLink<&THIMathParse::doCalc>(r1Calc), Call(capChoice, kCapacitorDoChoose)});
  On(voutCheck, kRangeOnValid) = AddRatioCheck(in.Ratio, AddCurrentCheck(in.Iout, calculate));
  r1Calc->X[0] = MakeLink<&THIEdit::Value>(in.Iout);
  r1.Show(r1Calc->onResult, 2, TRoundingNames::Tl431Lm317R1);
  In(capChoice, kCapacitorVout) = MakeLink<&THIEdit::Value>(in.Vout);
  On(capChoice, kCapacitorOnLow) = MakeLink<&THILabel::doText>(c1Low.Value);
  On(capChoice, kCapacitorOnHigh) = MakeLink<&THILabel::doText>(c1High.Value);
}
