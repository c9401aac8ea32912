#include "pages/calc_scheme.h"

namespace {

void SetBox(THIMessage* message, const std::string& text, const char* caption, uint8_t icon) {
  message->Message = text;
  message->CaptionDef = caption;
  message->Buttons = MessageOk;
  message->Icon = icon;
}

}  // namespace

void SetWarning(THIMessage* message, const std::string& text) {
  SetBox(message, text, "Warning!", MessageIconWarning);
}

THIMathParse* TCalcScheme::AddFormula(const std::string& text, int32_t args, TResultKind kind) {
  THIMathParse* formula = Create<THIMathParse>();
  formula->SetDataCount(args);
  formula->SetMathStr(text);
  formula->ResultType = kind == TResultKind::Real ? ParseResultReal : ParseResultInteger;
  formula->SetDefault(0.0);
  formula->SetAngleMode(false);
  // A result the page cannot carry ends the calculation with a warning
  // rather than showing a wrapped or stale value.
  formula->StopTooLarge = true;
  return formula;
}

void TCalcScheme::Feed(THIMathParse* formula, std::initializer_list<THI_Event> args) {
  size_t i = 0;
  for (const THI_Event& arg : args) formula->X[i++] = arg;
}

THI_Event TCalcScheme::AddSteps(std::initializer_list<THI_Event> steps) {
  THIHub* hub = Create<THIHub>();
  hub->SetOutCount(static_cast<int>(steps.size()));
  size_t i = 0;
  for (const THI_Event& step : steps) hub->onEvent[i++] = step;
  return MakeLink<&THIHub::doEvent>(hub);
}

THIMath* TCalcScheme::AddDivision(double dividend, double divisor) {
  THIMath* math = Create<THIMath>();
  math->OpType = MathDivide;
  math->Op1Def = dividend;
  math->Op2Def = divisor;
  math->ResultType = MathResultReal;
  return math;
}

THIMessage* TCalcScheme::AddWarning(const std::string& text) {
  THIMessage* box = Create<THIMessage>();
  SetWarning(box, text);
  return box;
}

THIMessage* TCalcScheme::AddError(const std::string& text) {
  THIMessage* box = Create<THIMessage>();
  SetBox(box, text, "Error!", MessageIconError);
  return box;
}

THI_Event TCalcScheme::AddWarningOf(const std::string& mask, THI_Event arg) {
  THIFormatStr* text = Create<THIFormatStr>();
  THIMessage* box = AddWarning("");
  text->SetArgCount(1);
  text->Mask = mask;
  text->SkipInserted = 1;
  text->Args[0] = std::move(arg);
  text->onFString = MakeLink<&THIMessage::doMessage>(box);
  return MakeLink<&THIFormatStr::doString>(text);
}

THIIf_else* TCalcScheme::AddCheck(uint8_t compare, const TData& bound, THIMessage* box, bool passWhenTrue) {
  THIIf_else* check = Create<THIIf_else>();
  check->Type = compare;
  check->Op2Def = bound;
  if (box) (passWhenTrue ? check->onFalse : check->onTrue) = MakeLink<&THIMessage::doMessage>(box);
  return check;
}
