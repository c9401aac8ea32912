// THIEdit: a single-line edit field that keeps its text a valid value as
// the user types. Every change is read by ValueReader: a valid text is
// remembered, an unfinished one ("", "-", "1.", "1e-") gives no value, an
// invalid one is replaced at once by the last good text and caret. The last
// good text starts as the initial Text when that is valid.
// Value may be read from a worker holding the scheme lock: it then reads
// the element's copy of the text and never touches the control.
#pragma once

#include <string>

#include "ui/win.h"

class THIEdit : public THIWin {
 public:
  explicit THIEdit(TControl* parent);

  // Text readers: true and `value` set when `lowered` (the text in small
  // letters) is accepted.
  using TValueReader = bool (THIEdit::*)(const std::string& lowered, TData& value);
  // Real numbers by the strict real-number check.
  bool ReadRealText(const std::string& lowered, TData& value);
  // [+|-]digits (decimal, wrapping), $hex or 0xhex (32 bits).
  bool ReadIntegerText(const std::string& lowered, TData& value);

  TValueReader ValueReader = nullptr;  // none: any text, as a string value
  uint8_t Option1 = 0;  // creation option bit 6, passed through
  std::string Text;     // initial text
  int32_t StartFlag = 0;  // not 0: the first change is not reported
  uint8_t Option2 = 0;  // creation option bit 7, passed through
  THI_Event onEnter, onChange;

  void Init() override;

  // Data output: the text's value, none when it does not convert.
  void Value(TData& data);

  int32_t EditState() const { return edit_state_; }
  const std::string& LastGoodText() const { return last_good_text_; }

 protected:
  bool HandleKeyDown(int32_t key) override;
  bool HandleMessage(const TNotification& n) override;

 private:
  bool Accepts(const std::string& text, TData& value);
  // The reading steps: true with `value` when the text converts; restores
  // invalid text (window thread only).
  bool ReadText(TData& value);

  std::string last_good_text_;
  int32_t last_good_caret_ = 0;
  int32_t edit_state_ = 0;
  uint8_t clear_after_enter_ = 0;
  std::string text_copy_;  // the control's text, for readers off the window thread
};
