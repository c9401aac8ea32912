#include "runtime/data.h"

#include <cmath>

#include "runtime/number_text.h"
#include "runtime/event.h"

namespace {

// Copies the first value into `first` and advances `data`.
void TakeIncomingInto(TData& first, TData& data) {
  CopySingle(first, data);
  DropFirst(data);
}

TData TakeIncoming(TData& data) {
  TData first;
  TakeIncomingInto(first, data);
  return first;
}

}  // namespace

void SetString(TData& d, const std::string& s) {
  d.Kind = KindString;
  d.StrValue = s;
  d.Next = nullptr;
}

void SetArray(TData& d, TArrayIntf* a) {
  d.Kind = KindArray;
  d.Ref = a;
  d.Next = nullptr;
}

void SetObject(TData& d, TObjectIntf* o) {
  d.Kind = KindObject;
  d.Ref = o;
  d.Next = nullptr;
}

int64_t RoundHalfEvenL(long double x) {
  // Outside the 64-bit range the FPU stores its "integer indefinite".
  if (!(x > -9223372036854775808.0L && x < 9223372036854775808.0L)) return INT64_MIN;
  if (x >= 0.0L && x < 4611686018427387904.0L) {
    // Below 2^62 the integer part converts exactly (truncation is the floor
    // here), the fraction is exact, and one more still fits: the same rule
    // without the library's floor and remainder, which the number texts
    // pay for at every value they write.
    int64_t whole = static_cast<int64_t>(x);
    const long double fraction = x - static_cast<long double>(whole);
    if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) ++whole;
    return whole;
  }
  long double f = std::floor(x);
  long double diff = x - f;
  if (diff > 0.5L || (diff == 0.5L && std::fmod(f, 2.0L) != 0.0L)) f += 1.0L;
  if (f >= 9223372036854775808.0L) return INT64_MIN;
  return static_cast<int64_t>(f);
}

int32_t TextToInteger(const std::string& s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    negative = s[i] == '-';
    ++i;
  }
  uint32_t n = 0;  // unsigned: the accumulation wraps like 32-bit hardware
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) n = n * 10u + static_cast<uint32_t>(s[i] - '0');
  if (negative) n = 0u - n;
  return static_cast<int32_t>(n);
}

std::string IntegerToText(int32_t v) {
  char buf[12];
  int pos = sizeof buf;
  uint32_t mag = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
  do {
    buf[--pos] = static_cast<char>('0' + mag % 10u);
    mag /= 10u;
  } while (mag != 0);
  if (v < 0) buf[--pos] = '-';
  return std::string(buf + pos, sizeof buf - pos);
}

int32_t data_detail::TextToIntegerOf(const TData& d) { return TextToInteger(d.StrValue.c_str()); }

double data_detail::TextToRealOf(const TData& d) { return TextToReal(d.StrValue.c_str()); }


std::string ToString(const TData& d) {
  switch (KindOf(d)) {
    case KindInteger: return IntegerToText(d.IntValue);
    case KindString: return d.StrValue;
    case KindReal: return RealToText(d.RealValue);
    default: return std::string();
  }
}

int32_t ToIndex(const TData& d) {
  switch (KindOf(d)) {
    case KindInteger: return d.IntValue;
    case KindString: {
      // The text ends at its first zero byte.
      std::string s = d.StrValue.c_str();
      if (s.empty()) return -1;
      int32_t v = TextToInteger(s);
      if (v == 0 && s[0] != '0') return -1;
      return v;
    }
    case KindReal: return ToInteger(d);
    default: return -1;
  }
}

bool ToBool(const TData& d) {
  if (KindOf(d) == KindInteger) return d.IntValue != 0;
  return true;
}

TArrayIntf* ToArray(const TData& d) {
  return KindOf(d) == KindArray ? static_cast<TArrayIntf*>(d.Ref) : nullptr;
}

TObjectIntf* ToObject(const TData& d) {
  return KindOf(d) == KindObject ? static_cast<TObjectIntf*>(d.Ref) : nullptr;
}

TData ReadData(TData& data, const THI_Event& link, const TData* def) {
  // One record for every way out, built where the caller wants it: a
  // record carries a text, and moving one costs as much as a small copy.
  TData r;
  if (link.Wired()) {
    FireEvent(link, r);
    r.Next = nullptr;
  } else if (def && KindOf(*def) != KindNone) {
    CopySingle(r, *def);
  } else if (KindOf(data) != KindNone) {
    TakeIncomingInto(r, data);
  } else if (def) {
    CopySingle(r, *def);
  }
  return r;
}

std::string ReadString(TData& data, const THI_Event& link, const std::string& def) {
  return event_detail::ReadAs<std::string, ToString>(data, link, def);
}

TArrayIntf* ReadArray(const THI_Event& link) {
  if (!link.Wired()) return nullptr;
  TData fresh;
  FireEvent(link, fresh);
  return ToArray(fresh);
}

TObjectIntf* ReadObject(const THI_Event& link) {
  if (!link.Wired()) return nullptr;
  TData fresh;
  FireEvent(link, fresh);
  return ToObject(fresh);
}

TData PopFirst(TData& data) {
  if (KindOf(data) != KindNone) return TakeIncoming(data);
  return TData();
}

namespace {

template <typename T>
bool Compare(T x, T y, uint8_t code) {
  switch (code) {
    case CompareEqual: return x == y;
    case CompareLess: return x < y;
    case CompareGreater: return x > y;
    case CompareLessOrEqual: return x <= y;
    case CompareGreaterOrEqual: return x >= y;
    default: return x != y;
  }
}

}  // namespace

bool CompareData(const TData& a, const TData& b, uint8_t code) {
  if (code > CompareNotEqual) return false;
  switch (KindOf(a)) {
    case KindInteger: return Compare(a.IntValue, ToInteger(b), code);
    case KindReal: return Compare(a.RealValue, ToReal(b), code);
    case KindString: {
      // Texts are equal or not by content, but ordered by length.
      const std::string y = ToString(b);
      if (code == CompareEqual) return a.StrValue == y;
      if (code == CompareNotEqual) return a.StrValue != y;
      return Compare(a.StrValue.size(), y.size(), code);
    }
    default: return false;
  }
}
