// The desktop programs' kept inputs on disk (see ui/input_memory.h): one
// small text file in the user's configuration folder, read whole and
// written so that a reader never sees half a file (a temporary file beside
// it, then a rename over the old one). Paths are UTF-8 on every system.
// Plain functions and a plain object, used on the window thread.
#pragma once

#include <string>
#include <utility>

#include "ui/input_memory.h"

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

// A store in one file, written atomically; notes go to standard error,
// each line starting with `program`.
class TFileInputStore : public TInputStore {
 public:
  TFileInputStore(std::string path, std::string program) : path_(std::move(path)), program_(std::move(program)) {}
  bool Load(std::string& text) override;
  void Save(const std::string& text) override;
  void Note(const std::string& line) override;

 private:
  std::string path_, program_;
};

// The file the desktop programs use: "designs.txt" in the user's
// configuration folder for Kelvane; "" when there is none.
std::string DefaultInputFile();
