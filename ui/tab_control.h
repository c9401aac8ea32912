// THITabControl: the strip of tabs. The tabs do not own the pages: the
// scheme wires onChange (the newly selected index, fired only when the
// user selects another tab) to whatever shows the matching page. Index may
// be read from a worker holding the scheme lock (it answers a copy).
#pragma once

#include <string>
#include <vector>

#include "ui/win.h"

// Keyboard page switching as tab views on the desktop have it: Ctrl+Tab and
// Ctrl+PgDn step to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp to the
// previous one. Answers the step (1 or -1), 0 for any other key.
int32_t TabStepForKey(int32_t key, uint32_t keyState);

class THITabControl : public THIWin {
 public:
  explicit THITabControl(TControl* parent) : THIWin(parent) {}

  std::string Tabs;           // captions, one per line
  uint8_t Options[6] = {};    // stored only
  THI_Event onChange;

  // Makes the strip with one tab per line of Tabs; the first is selected.
  void Init() override;

  // Data output: the selected tab, from 0.
  void Index(TData& data);

  // Selects the tab `by` places on (back when negative), wrapping around,
  // the way a click on it does: onChange fires.
  void Step(int32_t by);

  const std::vector<std::string>& Captions() const { return captions_; }

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  std::vector<std::string> captions_;
  int32_t index_ = 0;
};
