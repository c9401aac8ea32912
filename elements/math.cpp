#include "elements/math.h"

#include <cmath>

#include "runtime/system_ops.h"

namespace {

// Round(a / b) * b with ties to even. A quotient beyond the 64-bit range
// is already a whole number, so it is kept as it is rather than turned
// into the integer-indefinite value.
double RoundToStep(double a, double b) {
  const double q = a / b;
  if (!(std::fabs(q) < 9223372036854775808.0)) return q * b;
  return static_cast<double>(RoundHalfEven(q)) * b;
}

long double IntegerPower(long double base, int64_t exponent) {
  if (exponent < 0) {
    base = 1.0L / base;
    exponent = -exponent;
  }
  long double result = 1.0L;
  while (exponent != 0) {
    if (exponent & 1) result *= base;
    exponent >>= 1;
    if (exponent != 0) base *= base;
  }
  return result;
}

// a raised to b: whole exponents by repeated squaring, others through the
// logarithm, both in extended precision; false when the power is undefined.
bool PowerOf(double a, double b, long double& result) {
  if (b == 0.0) {
    result = 1.0L;
    return true;
  }
  if (a == 0.0) {
    if (b < 0.0) return false;
    result = 0.0L;
    return true;
  }
  // Whole and within 32 bits: there the conversion truncates exactly, and
  // costs less than the library's trunc.
  if (std::fabs(b) <= 2147483647.0 && static_cast<double>(static_cast<int32_t>(b)) == b) {
    result = IntegerPower(a, static_cast<int64_t>(b));
    return true;
  }
  if (a > 0.0) {
    result = std::exp(static_cast<long double>(b) * std::log(static_cast<long double>(a)));
    return true;
  }
  return false;
}

}  // namespace

void THIMath::SetDefault(double value) {
  Default = value;
  ResultValue = value;
  Error = false;
}

void THIMath::SetAngleMode(int mode) { AngleFactor = mode == 0 ? 1.0 : 3.14159265358979323846 / 180.0; }

void THIMath::doOperation(TData& data) {
  const double a = ReadReal(data, Op1, Op1Def);
  const double b = ReadReal(data, Op2, Op2Def);
  bool ok = true;
  double r = 0.0;
  switch (OpType) {
    case MathMultiply:
      r = a * b;
      break;
    case MathDivide:
      if (b == 0.0) ok = false;
      else r = a / b;
      break;
    case MathPower: {
      long double p = 0.0L;
      ok = PowerOf(a, b, p);
      r = static_cast<double>(p);
      break;
    }
    case MathRoundToStep:
      if (b == 0.0) ok = false;
      else r = RoundToStep(a, b);
      break;
    default:
      ok = false;  // an operation this element does not know
      break;
  }
  // An overflow or an undefined operand would otherwise travel on as a
  // number that no label can show.
  if (ok && StopTooLarge && std::isinf(r)) {
    Error = true;
    ResultValue = Default;
    ::StopTooLarge();
    return;
  }
  if (ok && !std::isfinite(r)) ok = false;
  if (!ok) {
    Error = true;
    ResultValue = Default;
    FireNone(onError);
    return;
  }
  Error = false;
  ResultValue = r;
  TData out;
  SetResultInto(out);
  FireEvent(onResult, out);
}

void THIMath::SetResultInto(TData& data) const {
  if (ResultType == 0) {
    // Rounded half to even; the low 32 bits of the 64-bit result.
    SetInteger(data, static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(RoundHalfEven(ResultValue)))));
  } else {
    SetReal(data, ResultValue);
  }
}

void THIMath::Result(TData& data) {
  if (Error) {
    SetNone(data);
    return;
  }
  SetResultInto(data);
}
