// The program's one rule for writing reals as text and reading them back.
// Locale-independent: "." is the separator, no grouping, no exponent on
// output. None of these routines fails.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// 15 significant digits, rounded half to even, trailing zeros removed.
// Infinities are written "INF" / "-INF" and undefined values "NAN".
std::string RealToText(double v);

// Lenient, step-by-step reading: digits, one ".", an optional leading "-",
// "e"/"E" followed by an integer exponent; every other character is skipped.
double TextToReal(const std::string& s);

// Strict syntax check of an edit field's text (already in small letters):
// [sign] mantissa [blanks] [e [blanks] [sign] [blanks] digits]. On success
// `value` is TextToReal of the text.
bool CheckRealText(const std::string& s, double& value);

// The last text a field's value was read from and what it gave: a field
// is read at every "Calculate", several times, mostly with the text it
// had before, and reading is a pure function of the text.
template <typename TValue>
struct TLastReading {
  bool valid = false;
  std::string text;
  bool ok = false;
  TValue value{};

  bool Holds(const std::string& t) const { return valid && text == t; }
  void Keep(const std::string& t, bool readOk, const TValue& v) {
    valid = true;
    text = t;
    ok = readOk;
    value = v;
  }
};

// What a pure function of a real gave for the last real it was asked
// about, for a place given the same value again and again (a result label
// at every "Calculate"). Kept by the real's bits, so -0 and every NaN stay
// apart from their look-alikes.
template <typename T>
class TLastOfReal {
 public:
  template <typename Compute>
  const T& Of(double v, Compute compute) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    if (!valid_ || bits != bits_) {
      result_ = compute(v);
      bits_ = bits;
      valid_ = true;
    }
    return result_;
  }

 private:
  bool valid_ = false;
  uint64_t bits_ = 0;
  T result_{};
};

// The text of the last real written (RealToText).
class TLastRealText {
 public:
  const std::string& Of(double v) { return last_.Of(v, RealToText); }

 private:
  TLastOfReal<std::string> last_;
};

// The same strict syntax read one character at a time, for texts that grow
// (an edit field checks only what was typed). A scan is a small value: keep
// the one after each prefix to go back to any of them.
class TRealTextScan {
 public:
  // Reads the next character (in small letters).
  void Feed(char c);
  // Whether the text read so far has the strict syntax.
  bool Complete() const;
  // Whether no text can follow that would make it complete.
  bool Rejected() const { return state_ == kRejected; }
  uint8_t State() const { return state_; }
  static TRealTextScan FromState(uint8_t state);

 private:
  enum : uint8_t { kStart, kSign, kPoint, kWhole, kFraction, kBlanks, kExponent, kExponentSign, kExponentDigits, kRejected };
  uint8_t state_ = kStart;
};
