// THIEdit: a single-line edit field that keeps its text a valid value as
// the user types. Every change is read by ValueReader: a valid text is
// remembered, an unfinished one ("", "-", "1.", "1e-") gives no value, an
// invalid one is replaced at once by the last good text and caret. The last
// good text starts as the initial Text when that is valid.
// Value may be read from a worker holding the scheme lock: it then reads
// the element's copy of the text and never touches the control.
// A change the platform describes is checked only where it touched the
// text, so typing costs the same per character however long the text is
// (the value itself is converted only when it is read or onChange fires).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/number_text.h"
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
  std::string LastGoodText() const;

 protected:
  bool HandleKeyDown(int32_t key) override;
  bool HandleMessage(const TNotification& n) override;

 private:
  bool Accepts(const std::string& text, TData& value);
  // The reading steps: true with `value` when the text converts; restores
  // invalid text (window thread only). `wanted` false skips converting.
  bool ReadText(TData& value, bool wanted = true);
  // Brings the copy of the text up to date with the control: applies the
  // change a notification describes, or reads the whole text.
  void TakeChange(const TNotification* n);
  // Keeps the last good text when a change is about to touch it.
  void DetachLastGood(size_t changedFrom);
  // Scan states after each prefix of the copy, from `from` on.
  void Rescan(size_t from);
  // Whether the copy is accepted / could still become so.
  bool CopyAccepted();
  bool CopyUnfinished();
  void RestoreLastGood();

  // The last good text: the first good_prefix_ bytes of the copy, or
  // last_good_text_ when it is not a prefix of it (kDetached).
  static constexpr size_t kDetached = static_cast<size_t>(-1);
  size_t good_prefix_ = kDetached;
  std::vector<uint8_t> scan_;  // the reader's scan state after each prefix of text_copy_
  const void* scan_syntax_ = nullptr;  // the syntax those states are of
  std::string last_good_text_;
  int32_t last_good_caret_ = 0;
  int32_t edit_state_ = 0;
  uint8_t clear_after_enter_ = 0;
  std::string text_copy_;  // the control's text, for readers off the window thread
  TValueReader last_reader_ = nullptr;  // the reader last_reading_ is of
  TLastReading<TData> last_reading_;
};
