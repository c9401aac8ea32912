#include "elements/text.h"

#include "runtime/number_text.h"

void THIFormatStr::SetArgCount(int n) {
  if (n < 0) n = 0;
  Count = n;
  Args.assign(static_cast<size_t>(n), THI_Event());
}

void THIFormatStr::doString(TData& data) {
  std::string s = Mask;
  int replacements = 0;
  // i is the scan position; the last character is never taken for a "%".
  size_t i = 0;
  while (Count > 0 && i + 1 < s.size()) {
    if (s[i] != '%') {
      ++i;
      continue;
    }
    const size_t start = i++;
    if (s[i] == '%') {
      s.erase(start, 1);  // i now points just past the remaining "%"
      continue;
    }
    uint16_t n = 0;  // sixteen bits: longer numbers wrap
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) n = static_cast<uint16_t>(n * 10 + (s[i] - '0'));
    if (n < 1 || n > Count) continue;
    if (replacements == kMaxReplacements) break;
    ++replacements;
    s.erase(start, i - start);
    static const THI_Event unwired;
    const THI_Event& arg = static_cast<size_t>(n) <= Args.size() ? Args[n - 1] : unwired;
    const std::string v = ReadString(data, arg, std::string());
    s.insert(start, v);
    i = start + (SkipInserted == 1 ? v.size() : 0);
  }
  FireString(onFString, s);
}

void THIConvertor::doConvert(TData& data) {
  // The text ends at its first zero byte, as for every other conversion.
  const std::string s = ReadString(data, Data, std::string()).c_str();
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
