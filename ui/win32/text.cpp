#include "ui/win32/text.h"

#include <windows.h>

namespace {
constexpr UINT kCodePage = 1251;
}  // namespace

std::wstring WidenCp1251(const std::string& text, bool crlf) {
  std::string source;
  const std::string* in = &text;
  if (crlf) {
    source.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        source += "\r\n";
        ++i;
      } else if (c == '\r' || c == '\n') {
        source += "\r\n";
      } else {
        source += c;
      }
    }
    in = &source;
  }
  if (in->empty()) return std::wstring();
  const int size = static_cast<int>(in->size());
  const int n = MultiByteToWideChar(kCodePage, 0, in->data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kCodePage, 0, in->data(), size, &out[0], n);
  return out;
}

std::string NarrowCp1251(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(kCodePage, 0, text.data(), size, nullptr, 0, "?", nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kCodePage, 0, text.data(), size, &out[0], n, "?", nullptr);
  return out;
}
