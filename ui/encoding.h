// Code page 1251 (the program's own text) to and from UTF-8 (what drivers
// and desktop toolkits speak). One table serves every backend. Nothing
// fails: bytes and characters without a counterpart become '?'.
#pragma once

#include <string>

std::string Cp1251ToUtf8(const std::string& text);
// Malformed UTF-8 sequences give one '?' per bad byte.
std::string Utf8ToCp1251(const std::string& text);

// Small and capital letters of code page 1251 (Latin and Cyrillic);
// every other byte is returned unchanged.
char LowerCp1251(char c);
std::string LowerCp1251(const std::string& text);
