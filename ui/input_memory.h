// What the user typed and picked on every page, kept between runs: the
// text of each page's fields, the line of each list and the state of each
// check box, addressed by the page and Left,Top in its group box (and in
// each control in between, joined by '/'):
//
//   Kelvane inputs 1
//   0 315,15 edit 12
//   0 315,45 list #3 240
//   0 10,215/3,3 check 1
//
// The file is UTF-8; a field's text is kept only when it is a number by
// the fields' own rule, and a list's line only with its text, so that a
// restored page holds nothing a user could not have typed or picked there.
// Both functions run on the window thread with the scheme built; restoring
// goes through the controls' notifications, as a user's typing does.
#pragma once

#include <string>

#include "ui/main_scheme.h"

std::string SaveInputs(TMainScheme& scheme);

// Puts the inputs of `text` back; "" when done, else why the text was
// refused ("line 3: ..."), with nothing changed.
std::string RestoreInputs(TMainScheme& scheme, const std::string& text);

// Where the desktop programs keep the inputs between runs.
class TInputStore {
 public:
  virtual ~TInputStore() = default;
  // The text the last run kept; false when there is none (nothing to say)
  // or it could not be read (said through Note).
  virtual bool Load(std::string& text) = 0;
  virtual void Save(const std::string& text) = 0;  // failures said through Note
  virtual void Note(const std::string& line) = 0;  // one line for the user
};
