// Texts at the Win32 edge: the program's code page 1251 bytes to the UTF-16
// the wide functions take, and back, through the system's own tables for
// code page 1251 so that Cyrillic shows on every system locale.
#pragma once

#include <string>

// Code page 1251 to UTF-16. With `crlf`, a lone CR or a lone LF becomes
// CR LF (message boxes and multi-line drawing break only at CR LF).
std::wstring WidenCp1251(const std::string& text, bool crlf = false);
// UTF-16 to code page 1251; characters it has no byte for become '?'.
std::string NarrowCp1251(const std::wstring& text);
