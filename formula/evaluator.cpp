#include "formula/evaluator.h"

#include <cfloat>
#include <cmath>

#include "runtime/number_text.h"

namespace {

constexpr char kEndMarker = '\x01';
constexpr double kPi = 3.14159265358979323846;
constexpr double kE = 2.718281828459045;

enum TTokenKind : uint8_t {
  Bad = 0,
  Name = 1,
  RealNumber = 2,
  IntegerNumber = 3,
  Delimiter = 4,
  Operator = 5,
  End = 6,
  HexNumber = 7,
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameStart(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || u >= 192;
}
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  return Lower(c) - 'a' + 10;
}

// Rounds half to even into `out`; false when the value has no 64-bit integer.
bool RoundToInt64(double x, int64_t& out) {
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) return false;
  out = RoundHalfEven(x);
  return true;
}

// Truncates toward zero into `out`; false when the value has no 64-bit integer.
bool TruncToInt64(double x, int64_t& out) {
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) return false;
  out = static_cast<int64_t>(x);
  return true;
}

enum TFunctionId : uint8_t {
  FnCos, FnSin, FnTg, FnCtg, FnArccos, FnArcsin, FnArctg, FnArcctg, FnAtan,
  FnCh, FnSh, FnTh, FnCth, FnArcch, FnArcsh, FnArcth, FnArccth,
  FnLog, FnLg, FnLn, FnExp, FnSqr, FnSqrt, FnAbs, FnSign,
  FnRound, FnFrac, FnTrunc, FnMin, FnMax,
};

// How many arguments a function takes.
enum TArity : uint8_t { One, Two, OneOrStep, OneOrMore };

struct TFunction {
  const char* name;
  TFunctionId id;
  TArity arity;
};

const TFunction kFunctions[] = {
    {"cos", FnCos, One},           {"sin", FnSin, One},           {"tg", FnTg, One},
    {"ctg", FnCtg, One},           {"arccos", FnArccos, One},     {"arcsin", FnArcsin, One},
    {"arctg", FnArctg, One},       {"arcctg", FnArcctg, One},     {"atan", FnAtan, Two},
    {"ch", FnCh, One},             {"sh", FnSh, One},             {"th", FnTh, One},
    {"cth", FnCth, One},           {"arcch", FnArcch, One},       {"arcsh", FnArcsh, One},
    {"arcth", FnArcth, One},       {"arccth", FnArccth, One},     {"log", FnLog, Two},
    {"lg", FnLg, One},             {"ln", FnLn, One},             {"exp", FnExp, One},
    {"sqr", FnSqr, One},           {"sqrt", FnSqrt, One},         {"abs", FnAbs, One},
    {"sign", FnSign, One},         {"round", FnRound, OneOrStep}, {"frac", FnFrac, OneOrStep},
    {"trunc", FnTrunc, OneOrStep}, {"min", FnMin, OneOrMore},     {"max", FnMax, OneOrMore},
};

// The state of one evaluation. Every rule returns at once when `error` is
// set, so the first error found is the one reported, at the position reached.
struct TParser {
  const char* text;  // ends with the end marker; scanning never passes it
  size_t pos;        // index of the next character = characters consumed
  TTokenKind kind;
  size_t tokBegin, tokLen;  // the token's characters (names, hex digits, operators, delimiters)
  std::string& number;      // a number token without its blanks
  const TFormulaArgs& args;
  int16_t error;
  bool overflow = false;  // the error is a value beyond the largest double
  int depth;

  TParser(const char* t, std::string& scratch, const TFormulaArgs& a)
      : text(t), pos(0), kind(Bad), tokBegin(0), tokLen(0), number(scratch), args(a), error(kFormulaOk), depth(0) {}

  bool Failed() const { return error != kFormulaOk; }
  double Fail(int16_t code) {
    if (!Failed()) error = code;
    return 0.0;
  }
  // Infinite and undefined values never travel on: they are calculation
  // errors, and one beyond the largest double is an overflow.
  double Finite(double v) {
    if (std::isfinite(v)) return v;
    return Overflow(std::isinf(v));
  }
  double Finite(long double v) {
    if (std::fabs(v) <= DBL_MAX) return static_cast<double>(v);
    return Overflow(!std::isnan(v));
  }
  double Overflow(bool tooLarge) {
    if (!Failed()) overflow = tooLarge;
    return Fail(kCalcError);
  }

  // The parser compares token texts; a bad token has none.
  bool Is(char c) const { return (kind == Delimiter || kind == Operator) && text[tokBegin] == c; }
  bool IsName(const char* name) const {
    if (kind != Name) return false;
    size_t i = 0;
    for (; i < tokLen; ++i) {
      if (name[i] == 0 || Lower(text[tokBegin + i]) != name[i]) return false;
    }
    return name[i] == 0;
  }

  void SkipBlanks() {
    while (IsBlank(text[pos])) ++pos;
  }
  void TakeDigits() {
    while (IsDigit(text[pos])) number += text[pos++];
  }

  // Reads the next token.
  void Next() {
    kind = Bad;
    tokLen = 0;
    number.clear();
    SkipBlanks();
    tokBegin = pos;
    char c = text[pos];
    if (c == kEndMarker) {
      kind = End;  // the position stays, so every later read is End again
    } else if (c == '$' || (c == '0' && text[pos + 1] == 'x')) {
      pos += c == '$' ? 1 : 2;
      tokBegin = pos;
      while (IsHexDigit(text[pos])) ++pos;
      tokLen = pos - tokBegin;
      if (tokLen > 0) kind = HexNumber;
    } else if (IsDigit(c) || c == '.') {
      ScanNumber();
    } else if (IsNameStart(c)) {
      while (IsNameChar(text[pos])) ++pos;
      tokLen = pos - tokBegin;
      kind = Name;
    } else if (c == '%' || c == '(' || c == ')' || c == ',' || c == '[' || c == ']') {
      ++pos;
      tokLen = 1;
      kind = Delimiter;
    } else if (c == '*' || c == '+' || c == '-' || c == '/' || c == '^') {
      ++pos;
      SkipBlanks();
      // An operator may not be followed by a sign: '2*-3' is an error, '2*(-3)' is not.
      if (text[pos] == '+' || text[pos] == '-') return;
      tokLen = 1;
      kind = Operator;
    }
  }

  // Digits [ "." digits ] [ blanks ("E"|"e") blanks [sign] blanks digits ];
  // the blanks are dropped from the token text.
  void ScanNumber() {
    TakeDigits();
    bool point = false;
    if (text[pos] == '.') {
      point = true;
      number += text[pos++];
      TakeDigits();
    }
    if (number.size() == 1 && point) {
      number.clear();
      return;
    }
    kind = point ? RealNumber : IntegerNumber;
    SkipBlanks();
    if (text[pos] != 'e' && text[pos] != 'E') return;
    number += text[pos++];
    SkipBlanks();
    if (text[pos] == '+' || text[pos] == '-') number += text[pos++];
    SkipBlanks();
    if (!IsDigit(text[pos])) {
      kind = Bad;
      number.clear();
      return;
    }
    TakeDigits();
    kind = RealNumber;
  }

  // formula = expression End
  double Formula() {
    double v = Expression();
    if (!Failed() && kind != End) return Fail(kSyntaxError);
    return v;
  }

  // expression = term { ("+" | "-") term }
  double Expression() {
    if (depth >= kMaxFormulaDepth) return Fail(kSyntaxError);
    ++depth;
    double v = Term();
    while (!Failed() && (Is('+') || Is('-'))) {
      bool add = Is('+');
      Next();
      double r = Term();
      if (Failed()) break;
      v = Finite(add ? v + r : v - r);
    }
    --depth;
    return v;
  }

  // term = factor { ("*" | "/" | "div" | "mod") factor }
  double Term() {
    double v = Factor();
    while (!Failed()) {
      char op;
      if (Is('*') || Is('/')) {
        op = text[tokBegin];
      } else if (IsName("div")) {
        op = 'd';
      } else if (IsName("mod")) {
        op = 'm';
      } else {
        break;
      }
      Next();
      double r = Factor();
      if (Failed()) break;
      v = Apply(op, v, r);
    }
    return v;
  }

  double Apply(char op, double a, double b) {
    if (op == '*') return Finite(a * b);
    if (op == '/') return b == 0.0 ? Fail(kCalcError) : Finite(a / b);
    // div and mod work on the operands rounded half to even, as 64-bit integers.
    int64_t x, y;
    if (!RoundToInt64(a, x) || !RoundToInt64(b, y) || y == 0) return Fail(kCalcError);
    return static_cast<double>(op == 'd' ? x / y : x % y);
  }

  // factor = signed { "^" signed }
  double Factor() {
    double v = Signed();
    while (!Failed() && Is('^')) {
      Next();
      double r = Signed();
      if (Failed()) break;
      v = Power(v, r);
    }
    return v;
  }

  // A whole exponent within 32 bits is done by repeated squaring, anything
  // else through exp and ln, which needs a positive base.
  double Power(double a, double b) {
    int64_t n;
    if (RoundToInt64(b, n) && static_cast<double>(n) == b && n >= INT32_MIN && n <= INT32_MAX) {
      if (n < 0 && a == 0.0) return Fail(kCalcError);
      double base = n < 0 ? 1.0 / a : a;
      uint64_t k = static_cast<uint64_t>(n < 0 ? -n : n);
      double r = 1.0;
      while (k != 0) {
        if (k & 1) r *= base;
        k >>= 1;
        if (k != 0) base *= base;
      }
      return Finite(r);
    }
    if (a <= 0.0) return Fail(kCalcError);
    return Finite(std::exp(static_cast<long double>(b) * std::log(static_cast<long double>(a))));
  }

  // signed = [ "-" | "+" ] primary
  double Signed() {
    if (Is('-')) {
      Next();
      return -Primary();
    }
    if (Is('+')) Next();
    return Primary();
  }

  // primary = argument | "(" expression ")" | number | constant | function call
  double Primary() {
    switch (kind) {
      case IntegerNumber:
      case RealNumber: {
        double v = Finite(TextToReal(number));
        if (!Failed()) Next();
        return v;
      }
      case HexNumber: {
        // Digits shift in from the right; higher bits drop off; two's complement.
        uint32_t bits = 0;
        for (size_t i = 0; i < tokLen; ++i) bits = (bits << 4) | static_cast<uint32_t>(HexValue(text[tokBegin + i]));
        Next();
        return bits >= 0x80000000u ? static_cast<double>(bits) - 4294967296.0 : static_cast<double>(bits);
      }
      case Name:
        return Named();
      default:
        break;
    }
    if (Is('%')) return Argument();
    if (!Is('(')) return Fail(kSyntaxError);
    Next();
    double v = Expression();
    if (Failed()) return 0.0;
    if (!Is(')')) return Fail(kSyntaxError);
    Next();
    return v;
  }

  // argument = "%" integer [ "[" expression [ "," expression ] "]" | "(" expression ")" ]
  double Argument() {
    Next();
    if (kind != IntegerNumber) return Fail(kSyntaxError);
    uint32_t n = 0;
    for (char c : number) n = n < 100000000u ? n * 10u + static_cast<uint32_t>(c - '0') : n;
    if (n == 0) {
      Next();
      return Finite(args.lastResult);
    }
    if (args.count <= 0 || n > static_cast<uint32_t>(args.count)) return Fail(kSyntaxError);
    const THI_Event& link = args.links[n - 1];
    Next();
    if (Is('[')) return IndexedArgument(link);
    if (Is('(')) return CalledArgument(link);
    return PlainArgument(n - 1);
  }

  // '%n' is read once per evaluation; the look-ahead has been read already.
  double PlainArgument(uint32_t i) {
    if (args.readFlags[i]) return args.cache[i];
    TData rec = ReadData(*args.request, args.links[i], nullptr);
    // A failed formula element upstream passes its error on.
    if (KindOf(rec) == KindNone && rec.StrValue == kMathParseException) {
      return Fail(rec.IntValue == kSyntaxError ? kSyntaxError : kCalcError);
    }
    double v = ToReal(rec);
    args.cache[i] = v;
    args.readFlags[i] = 1;
    return Finite(v);
  }

  // '%n[i]' reads an array item, '%n[i,j]' an object item; both on every use.
  double IndexedArgument(const THI_Event& link) {
    Next();
    double i = Expression();
    if (Failed()) return 0.0;
    TData item;
    if (Is(',')) {
      TObjectIntf* object = ReadObject(link);
      if (!object) return Fail(kCalcError);
      Next();
      double j = Expression();
      if (Failed()) return 0.0;
      if (!Is(']')) return Fail(kSyntaxError);
      int64_t row, column;
      if (!RoundToInt64(i, row) || !RoundToInt64(j, column) || row < INT32_MIN || row > INT32_MAX ||
          column < INT32_MIN || column > INT32_MAX) {
        return Fail(kCalcError);
      }
      item = object->ReadAt(static_cast<int32_t>(row), static_cast<int32_t>(column));
      if (KindOf(item) == KindNone) return Fail(kCalcError);
    } else {
      TArrayIntf* array = ReadArray(link);
      if (!array) return Fail(kCalcError);
      if (!Is(']')) return Fail(kSyntaxError);
      TData index;
      SetReal(index, i);
      if (!array->Get(index, item)) return Fail(kCalcError);
    }
    double v = Finite(ToReal(item));
    if (!Failed()) Next();
    return v;
  }

  // '%n(x)' hands x to the source, which answers in the same record.
  double CalledArgument(const THI_Event& link) {
    Next();
    double x = Expression();
    if (Failed()) return 0.0;
    if (!Is(')')) return Fail(kSyntaxError);
    TData rec;
    SetReal(rec, x);
    ReadInto(rec, link);
    if (KindOf(rec) == KindNone) return Fail(kCalcError);
    double v = Finite(ToReal(rec));
    if (!Failed()) Next();
    return v;
  }

  // constant = "pi" | "e"
  // function call = name "(" expression { "," expression } ")"
  double Named() {
    if (IsName("pi")) {
      Next();
      return kPi;
    }
    if (IsName("e")) {
      Next();
      return kE;
    }
    const TFunction* f = nullptr;
    for (const TFunction& candidate : kFunctions) {
      if (IsName(candidate.name)) {
        f = &candidate;
        break;
      }
    }
    if (!f) return Fail(kSyntaxError);
    Next();
    if (!Is('(')) return Fail(kSyntaxError);
    Next();
    double x = Expression();
    double y = 1.0;  // the second argument; the step defaults to 1
    if (Failed()) return 0.0;
    switch (f->arity) {
      case One:
        break;
      case Two:
        if (!Is(',')) return Fail(kSyntaxError);
        Next();
        y = Expression();
        break;
      case OneOrStep:
        if (Is(',')) {
          Next();
          y = Expression();
        }
        break;
      case OneOrMore:
        while (!Failed() && Is(',')) {
          Next();
          double z = Expression();
          if (f->id == FnMin ? z < x : z > x) x = z;
        }
        break;
    }
    if (Failed()) return 0.0;
    if (!Is(')')) return Fail(kSyntaxError);
    double v = Call(f->id, x, y);
    if (!Failed()) Next();
    return v;
  }

  // The functions compute in extended precision and round once to a double.
  double Call(TFunctionId id, double xd, double yd) {
    const long double x = xd, y = yd, k = args.angleFactor;
    switch (id) {
      case FnCos: return Finite(std::cos(x * k));
      case FnSin: return Finite(std::sin(x * k));
      case FnTg:
        if (std::cos(x * k) == 0.0L) return Fail(kCalcError);
        return Finite(std::tan(x * k));
      case FnCtg:
        if (std::sin(x * k) == 0.0L) return Fail(kCalcError);
        return Finite(std::cos(x * k) / std::sin(x * k));
      case FnArccos:
        if (x > 1 || x < -1) return Fail(kCalcError);
        return Finite(std::atan2(std::sqrt(1 - x * x), x) / k);
      case FnArcsin:
        if (x > 1 || x < -1) return Fail(kCalcError);
        return Finite(std::atan2(x, std::sqrt(1 - x * x)) / k);
      case FnArctg: return Finite(std::atan2(x, 1.0L) / k);
      case FnArcctg: return Finite(std::atan2(1.0L, x) / k);
      case FnAtan: return Finite(std::atan2(x, y) / k);
      case FnCh: return Finite((std::exp(x) + 1 / std::exp(x)) / 2);
      case FnSh: return Finite((std::exp(x) - 1 / std::exp(x)) / 2);
      case FnTh: return Finite((std::exp(2 * x) - 1) / (std::exp(2 * x) + 1));
      case FnCth:
        if (x == 0) return Fail(kCalcError);
        return Finite((std::exp(2 * x) + 1) / (std::exp(2 * x) - 1));
      case FnArcch:
        if (x < 1) return Fail(kCalcError);
        return Finite(std::log(x + std::sqrt(x * x - 1)));
      case FnArcsh: return Finite(std::log(x + std::sqrt(x * x + 1)));
      case FnArcth:
        if (x >= 1 || x <= -1) return Fail(kCalcError);
        return Finite(std::log((1 + x) / (1 - x)) / 2);
      case FnArccth:
        if (x >= -1 && x <= 1) return Fail(kCalcError);
        return Finite(std::log((x + 1) / (x - 1)) / 2);
      case FnLog:  // log(base, x)
        if (x <= 0 || y <= 0 || x == 1) return Fail(kCalcError);
        return Finite(std::log(y) / std::log(x));
      case FnLg:
        if (x <= 0) return Fail(kCalcError);
        return Finite(std::log10(x));
      case FnLn:
        if (x <= 0) return Fail(kCalcError);
        return Finite(std::log(x));
      case FnExp: return Finite(std::exp(x));
      case FnSqr: return Finite(xd * xd);
      case FnSqrt:
        if (xd < 0) return Fail(kCalcError);
        return std::sqrt(xd);
      case FnAbs: return std::fabs(xd);
      case FnSign: return xd < 0 ? -1.0 : xd > 0 ? 1.0 : xd;
      case FnRound:
      case FnFrac:
      case FnTrunc: return Stepped(id, xd, yd);
      case FnMin:
      case FnMax: return xd;
    }
    return Fail(kSyntaxError);
  }

  // round, frac and trunc of x in units of the step s.
  double Stepped(TFunctionId id, double x, double s) {
    if (s == 0.0) return Fail(kCalcError);
    double q = Finite(x / s);
    if (Failed()) return 0.0;
    int64_t n;
    switch (id) {
      case FnRound:
        if (!RoundToInt64(q, n)) return Fail(kCalcError);
        return Finite(static_cast<double>(n) * s);
      case FnTrunc:
        if (!TruncToInt64(q, n)) return Fail(kCalcError);
        return Finite(static_cast<double>(n) * s);
      default:
        return Finite((q - std::trunc(q)) * s);
    }
  }
};

}  // namespace

TFormula::TFormula() : text_(1, kEndMarker) {}

void TFormula::SetText(const std::string& text) {
  text_ = text;
  text_ += kEndMarker;
}

TFormulaOutcome TFormula::Evaluate(const TFormulaArgs& args) {
  for (int32_t i = 0; i < args.count; ++i) args.readFlags[i] = 0;
  TParser parser(text_.c_str(), number_, args);
  parser.Next();
  TFormulaOutcome outcome;
  outcome.value = parser.Formula();
  outcome.error = parser.error;
  outcome.overflow = parser.Failed() && parser.overflow;
  if (parser.Failed()) outcome.value = 0.0;
  outcome.consumed = parser.pos > INT32_MAX ? INT32_MAX : static_cast<int32_t>(parser.pos);
  return outcome;
}
