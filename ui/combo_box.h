// THIWinList, the base of list elements, and THIComboBox, a drop-down list
// (pick-only, or with a field the user may type into). The lines and the
// selection live in the control; the element keeps a copy, kept up to date
// on the window thread, so that Text, Lines and the selection can be read
// from a worker holding the scheme lock without touching the control.
// Program changes (SetStrings, doSelectText ...) never fire onChange: only
// the user's selection does.
#pragma once

#include <string>
#include <vector>

#include "runtime/number_text.h"
#include "ui/win.h"

class THIWinList : public THIWin {
 public:
  explicit THIWinList(TControl* parent) : THIWin(parent) {}

  THI_Event onClear;

  // Replaces the lines with those of `text` (split at line breaks).
  virtual void SetStrings(const std::string& text);
  virtual void AddLine(const std::string& text);
  // Empties the list, then fires onClear.
  virtual void doClear(TData& data);
  // Data output: every line, joined by CR LF.
  virtual void Lines(TData& data);

 protected:
  // Brings the copy in line with the control (window thread).
  void SyncCopy();

  std::vector<std::string> lines_;
  int32_t selected_ = -1;

 private:
  bool lines_synced_ = false;
  uint32_t lines_revision_ = 0;  // of the control's lines last copied
};

class THIComboBox : public THIWinList {
 public:
  explicit THIComboBox(TControl* parent) : THIWinList(parent) {}

  uint8_t Editable = 0;    // 1: the field may be typed into
  std::string EditText;    // editable lists show it until a line is selected
  uint8_t ChangeMode = 0;  // onChange carries 1: the line's text, 0: its index
  std::string Strings;     // the initial lines
  uint8_t Sort = 0;        // 1: the control keeps the lines sorted
  // 1: a typed text equal to a line, case and blanks around it aside,
  // selects that line as a pick does (onChange fires).
  uint8_t SelectTyped = 0;
  THI_Event onChange;

  void Init() override;

  // Selects the first line that begins with the value's text, compared
  // without regard to case; no such line leaves the selection alone.
  // Window thread only, like SetStrings, AddLine and doClear.
  void doSelectText(TData& data);
  // Data output: the selected line, none when no line is selected.
  void Text(TData& data);
  // Data output: what the field shows (the selected line, or what the user
  // typed) read as a real by the number fields' rule; none when it is not
  // a number.
  void Value(TData& data);

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  // The line the field's text names, or -1 (SelectTyped's rule).
  int32_t LineNamedByField() const;
  void FireSelection();

  std::string field_;  // the field's text, kept like the lines' copy
  TLastReading<double> last_reading_;  // of field_, by Value
};
