#include "elements/text.h"

#include "runtime/number_text.h"

void THIFormatStr::SetArgCount(int n) {
  if (n < 0) n = 0;
  Count = n;
  Args.assign(static_cast<size_t>(n), THI_Event());
}

void THIFormatStr::doString(TData& data) {
  // `done` is the text scanned; `rest` what is still to scan, last character
  // first, so that a value to scan again goes in front of it in the time of
  // its own length and the whole call stays linear in the text it makes.
  std::string done;
  std::string rest(Mask.rbegin(), Mask.rend());
  int replacements = 0;
  // The last character of the text is never taken for a "%".
  while (Count > 0 && rest.size() > 1) {
    const char c = rest.back();
    rest.pop_back();
    if (c != '%') {
      done += c;
      continue;
    }
    if (rest.back() == '%') {  // "%%": one "%" stays and is not scanned again
      done += '%';
      rest.pop_back();
      continue;
    }
    std::string placeholder = "%";
    uint16_t n = 0;  // sixteen bits: longer numbers wrap
    while (!rest.empty() && rest.back() >= '0' && rest.back() <= '9') {
      n = static_cast<uint16_t>(n * 10 + (rest.back() - '0'));
      placeholder += rest.back();
      rest.pop_back();
    }
    const bool fills = n >= 1 && n <= Count;
    if (!fills || replacements == kMaxReplacements) {
      done += placeholder;
      if (fills) break;  // the limit: the rest stays as it is
      continue;
    }
    ++replacements;
    static const THI_Event unwired;
    const THI_Event& arg = static_cast<size_t>(n) <= Args.size() ? Args[n - 1] : unwired;
    const std::string v = ReadString(data, arg, std::string());
    if (SkipInserted == 1)
      done += v;
    else
      rest.append(v.rbegin(), v.rend());
  }
  done.append(rest.rbegin(), rest.rend());
  FireString(onFString, done);
}

void THIConvertor::doConvert(TData& data) {
  // Read as ReadString reads, then written out as text.
  const TData value = ReadData(data, Data, nullptr);
  if (Mode == ConvertToReal && KindOf(value) == KindReal) {
    // A real's text, read back, depends on its bits alone.
    FireReal(onResult, last_read_back_.Of(value.RealValue, [](double v) { return TextToReal(RealToText(v)); }));
    return;
  }
  // The text ends at its first zero byte, as for every other conversion.
  const std::string s = ToString(value).c_str();
  switch (Mode) {
    case ConvertToInteger:
      FireInteger(onResult, TextToInteger(s));
      break;
    case ConvertToReal:
      FireReal(onResult, TextToReal(s));
      break;
    default:
      break;
  }
}
