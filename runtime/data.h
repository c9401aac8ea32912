// TData: the tagged value carried by every event and returned by every data
// read, with its setters, conversions and the operand-reading rules.
// Records are plain values; they own their string and never own `Next`.
#pragma once

#include <cstdint>
#include <string>

struct THI_Event;
struct TData;

// Kind codes are fixed numbers; the codes between them have no meaning.
enum : uint8_t {
  KindNone = 0,
  KindInteger = 1,
  KindString = 2,
  KindReal = 7,
  KindArray = 13,
  KindObject = 16,
};
// Bit 7 of Kind: "fire ContinueLink next", meaningful only while dispatching.
constexpr uint8_t KindContinue = 128;

// A list offered as a value. The providing element owns it for its own
// lifetime; readers only borrow it. Get answers false and leaves `item`
// untouched when the index is out of range.
class TArrayIntf {
 public:
  virtual ~TArrayIntf() = default;
  virtual void Set(TData& index, TData& value) { (void)index, (void)value; }
  virtual bool Get(TData& index, TData& item) = 0;
  virtual int32_t Count() = 0;
  virtual void Add(TData& value) { (void)value; }
};

// An object read by two indices (the formula form %n[i,j]). No element of
// the program produces one; a KindNone answer means "no such item".
class TObjectIntf {
 public:
  virtual ~TObjectIntf() = default;
  virtual TData ReadAt(int32_t i, int32_t j) = 0;
};

struct TData {
  uint8_t Kind = KindNone;
  int32_t IntValue = 0;      // the integer; for arrays/objects see Ref
  std::string StrValue;      // code page 1251 bytes
  double RealValue = 0.0;
  void* Ref = nullptr;       // the array interface or object (pointers do not fit 32 bits)
  const THI_Event* ContinueLink = nullptr;
  const TData* Next = nullptr;  // next value of a chain; never owned
};

// Setters: overwrite kind and value and clear Next. Only SetString touches
// the string. The small ones are inline: every hop of a click sets or
// copies a record or two, and a call costs as much as the work.
inline void SetNone(TData& d) {
  d.Kind = KindNone;
  d.Next = nullptr;
}
inline void SetInteger(TData& d, int32_t v) {
  d.Kind = KindInteger;
  d.IntValue = v;
  d.Next = nullptr;
}
void SetString(TData& d, const std::string& s);
inline void SetReal(TData& d, double v) {
  d.Kind = KindReal;
  d.RealValue = v;
  d.Next = nullptr;
}
void SetArray(TData& d, TArrayIntf* a);
void SetObject(TData& d, TObjectIntf* o);
inline void CopySingle(TData& dst, const TData& src) {
  if (&dst == &src) {
    dst.Next = nullptr;
    return;
  }
  dst.Kind = src.Kind;
  dst.IntValue = src.IntValue;
  // Most records carry numbers and no text: two empty texts need no copy,
  // and every step of a search copies a dozen records.
  if (!src.StrValue.empty() || !dst.StrValue.empty()) dst.StrValue = src.StrValue;
  dst.RealValue = src.RealValue;
  dst.Ref = src.Ref;
  dst.ContinueLink = src.ContinueLink;
  dst.Next = nullptr;
}
// Makes `d` what a fresh record is (its text emptied, its capacity kept),
// so a reader can answer into a record it already has.
inline void ResetData(TData& d) {
  d.Kind = KindNone;
  d.IntValue = 0;
  d.StrValue.clear();
  d.RealValue = 0.0;
  d.Ref = nullptr;
  d.ContinueLink = nullptr;
  d.Next = nullptr;
}
// The whole record, its chain link too (as assignment does), without
// touching two empty texts.
inline void CopyWhole(TData& dst, const TData& src) {
  const TData* next = src.Next;
  CopySingle(dst, src);
  dst.Next = next;
}

// Rounds half to even and converts to 64 bits. Values outside the 64-bit
// range (and NaN) give INT64_MIN, the "integer indefinite" of the FPU.
inline int64_t RoundHalfEven(double x) {
  // The same rule without the extended-precision floor: below 2^52 adding
  // and taking away 2^52 rounds to a whole number half to even (the
  // processor's default rounding), and from 2^52 on every double is whole.
  // Both steps are exact apart from that one rounding, so the result is
  // RoundHalfEvenL's. Inline: every integer result of an arithmetic hop
  // is rounded.
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) return INT64_MIN;
  constexpr double kTwo52 = 4503599627370496.0;
  if (x >= 0.0) {
    if (x < kTwo52) x = (x + kTwo52) - kTwo52;
  } else if (x > -kTwo52) {
    x = (x - kTwo52) + kTwo52;
  }
  return static_cast<int64_t>(x);
}
int64_t RoundHalfEvenL(long double x);

// Conversions: read the record, change nothing.
inline uint8_t KindOf(const TData& d) { return d.Kind & 0x7F; }
inline bool IsNone(const TData& d) { return KindOf(d) == KindNone; }
namespace data_detail {
int32_t TextToIntegerOf(const TData& d);
double TextToRealOf(const TData& d);
}  // namespace data_detail
inline int32_t ToInteger(const TData& d) {
  switch (KindOf(d)) {
    case KindInteger: return d.IntValue;
    case KindString: return data_detail::TextToIntegerOf(d);
    case KindReal: return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(RoundHalfEven(d.RealValue))));
    default: return 0;
  }
}
inline double ToReal(const TData& d) {
  switch (KindOf(d)) {
    case KindInteger: return d.IntValue;
    case KindString: return data_detail::TextToRealOf(d);
    case KindReal: return d.RealValue;
    default: return 0.0;
  }
}
std::string ToString(const TData& d);
int32_t ToIndex(const TData& d);
bool ToBool(const TData& d);
TArrayIntf* ToArray(const TData& d);    // none unless KindArray
TObjectIntf* ToObject(const TData& d);  // none unless KindObject

// Integer text rule: optional leading sign, digits up to the first
// non-digit, 32-bit wrapping accumulation. Anything else gives 0.
int32_t TextToInteger(const std::string& s);
// Decimal text of an integer; INT32_MIN is written correctly.
std::string IntegerToText(int32_t v);

// Operand readers: a wired link is read with a fresh record; else a
// non-empty default wins; else the incoming value is taken and `data`
// advances; else the (empty) default.
// ReadInteger, ReadReal and ReadInto, which every arithmetic hop calls, are
// inline in runtime/event.h, next to the firing they use.
TData ReadData(TData& data, const THI_Event& link, const TData* def);
std::string ReadString(TData& data, const THI_Event& link, const std::string& def);
TArrayIntf* ReadArray(const THI_Event& link);
TObjectIntf* ReadObject(const THI_Event& link);
// The first value of `data`; `data` advances.
TData PopFirst(TData& data);
// Advances `data` to its next chained value, or to none.
inline void DropFirst(TData& data) {
  if (data.Next) {
    const TData* next = data.Next;
    data = *next;
  } else {
    data.Kind = KindNone;
  }
}

// Comparison codes (the numbers are fixed: schemes store them).
enum : uint8_t {
  CompareEqual = 0,
  CompareLess = 1,
  CompareGreater = 2,
  CompareLessOrEqual = 3,
  CompareGreaterOrEqual = 4,
  CompareNotEqual = 5,
};
// `a` code `b`; an unknown code answers false. The kind of `a` decides how
// both are compared; strings compare by length except for = and <>.
bool CompareData(const TData& a, const TData& b, uint8_t code);
