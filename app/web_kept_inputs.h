// The browser program's kept inputs (see ui/input_memory.h): one item of
// the page's local storage, per site, holding the text the desktop
// programs keep in their file. Notes go to the browser's console, each
// line starting with the program's name. Window thread only.
#pragma once

#include <string>
#include <utility>

#include "ui/input_memory.h"

// The item's name.
extern const char kWebInputItem[];

class TWebInputStore : public TInputStore {
 public:
  TWebInputStore(std::string item, std::string program) : item_(std::move(item)), program_(std::move(program)) {}
  // False without a note when the site has kept nothing; with a note when
  // the browser refuses its storage (turned off, a private window's rule).
  bool Load(std::string& text) override;
  void Save(const std::string& text) override;
  void Note(const std::string& line) override;

 private:
  std::string item_, program_;
};
