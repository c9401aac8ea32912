// Whole small text files: read at once, and written so that a reader
// never sees half a file (a temporary file beside it, then a rename over
// the old one). Paths are UTF-8 on every system. Plain functions, safe
// from any thread for different paths.
#pragma once

#include <string>

// The file's bytes; false with the reason in `why` ("" when the file does
// not exist) when it cannot be read. Files above `limit` bytes are refused.
bool ReadTextFile(const std::string& path, std::string& text, std::string& why, size_t limit = 1 << 20);

// Replaces the file with `text`, making the folders it needs; false with
// the reason in `why`, the old file left as it was.
bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& why);

// Where the user's settings for `program` live: $XDG_CONFIG_HOME/program
// (else ~/.config/program) on Linux, %APPDATA%\Program on Windows; "" when
// the environment gives no home at all.
std::string UserConfigFolder(const std::string& program);
