// Code page 1251 (the program's own text) to and from UTF-8 (what drivers
// and desktop toolkits speak). One table serves every backend. Nothing
// fails: bytes and characters without a counterpart become '?'.
#pragma once

#include <cstddef>
#include <string>

std::string Cp1251ToUtf8(const std::string& text);
// Malformed UTF-8 sequences give one '?' per bad byte.
std::string Utf8ToCp1251(const std::string& text);

// The length of the valid UTF-8 sequence that starts at text[i]; 0 when
// the byte there starts none (a stray continuation byte, an overlong form,
// a surrogate, a value past U+10FFFF, a sequence cut short).
size_t Utf8SequenceLength(const std::string& text, size_t i);
// Whether the valid sequence at text[i] is a control character: C0
// (0x00..0x1F), DEL, or C1 (U+0080..U+009F).
bool IsControlCharacterAt(const std::string& text, size_t i);
// Valid UTF-8 without control characters: a clean line of output.
bool IsCleanUtf8(const std::string& text);

// Small and capital letters of code page 1251 (Latin and Cyrillic);
// every other byte is returned unchanged.
char LowerCp1251(char c);
std::string LowerCp1251(const std::string& text);
