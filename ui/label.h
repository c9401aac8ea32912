// THILabel: a static text. It sizes itself to its text unless the scheme
// marks it fixed (FixedSize = 1: Width and Height hold). Optional hover
// effects (colour, cursor, underline) apply while the mouse is over it.
// doText may be called from a worker thread holding the scheme lock: the
// newest value is then kept and one update is posted to the window thread,
// which shows it; the worker never touches the control nor waits.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "runtime/number_text.h"
#include "ui/win.h"

class THILabel : public THIWin {
 public:
  explicit THILabel(TControl* parent);
  ~THILabel() override;

  THI_Event onClick;
  THI_Event onContextMenu;    // the user right-clicked the label
  uint32_t HoverColor = 0;    // 0: no change
  int32_t HoverCursor = 0;    // 0: no change
  uint8_t HoverUnderline = 0;
  std::string Caption;        // initial text
  THI_Event Text;             // when wired, doText reads its text here
  uint8_t FixedSize = 0;      // 1: keeps Width and Height whatever the text

  // 0 left, 1 centre, 2 right.
  void SetAlignment(uint8_t alignment);

  void Init() override;

  // Shows ReadString of the Text link or the received value (reals by the
  // number-text rule).
  void doText(TData& data);

  // What the label shows, or last asked to show from a worker.
  std::string Shown() const;

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  // Worker texts waiting for the window thread; shared with the posted
  // update, which finds the label gone once `alive` is false.
  struct TPending {
    std::mutex m;
    TData value;  // the newest value; written out when shown
    bool hasText = false;
    bool posted = false;
    bool alive = true;
  };

  void ShowText(const std::string& text, bool newerThanPending = false);
  // Sizes the control to the text it was given (unless FixedSize).
  void Fit();
  static void ApplyPending(const std::shared_ptr<TPending>& pending, THILabel* label);

  std::shared_ptr<TPending> pending_ = std::make_shared<TPending>();
  uint8_t alignment_ = 0;
  bool hovering_ = false;
  TFontRec own_font_;  // the font Init applied, restored after hovering
  std::string shown_;
  TLastRealText last_real_;  // the text of the last real shown
  // What the control was last given, and the size measured for it.
  struct TApplied {
    bool valid = false;
    bool measured = false;
    std::string text;
    TFontRec font;
    int32_t height = 0;
    double scale = 0.0;
    TSize size;
  } applied_;
};
