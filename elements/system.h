// Elements that reach the desktop through the platform operations
// (runtime/system_ops.h): a modal message box, starting a command line, and
// removing the main window's maximise box. Without installed operations a
// box answers OK and nothing is started or changed. None reports failures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/element.h"
#include "runtime/event.h"

// Buttons and Icon codes of a box.
enum : uint8_t {
  MessageOk = 0,
  MessageOkCancel = 1,
  MessageYesNo = 2,
  MessageYesNoCancel = 3,
  MessageRetryCancel = 4,
  MessageAbortRetryIgnore = 5,
};
enum : uint8_t {
  MessageIconNone = 0,
  MessageIconError = 1,
  MessageIconQuestion = 2,
  MessageIconExclamation = 3,
  MessageIconInformation = 4,
  MessageIconWarning = 5,
};

// Shows Text (else Message, else the incoming value) under Caption in a
// modal box owned by the main window and fires onMessage with the
// identifier of the pressed button.
class THIMessage : public TElement {
 public:
  std::string Message;
  std::string CaptionDef;
  uint8_t Buttons = MessageOk;
  uint8_t Icon = MessageIconNone;
  THI_Event Text;
  THI_Event Caption;
  THI_Event onMessage;

  // The platform style word for the current Buttons and Icon.
  uint32_t Style() const;
  void doMessage(TData& data);
};

// The window show command a started program is given.
enum : uint8_t { ShowModeNormal = 1 };

// Starts FileName with Param as a command line, without waiting; fires
// onExec (no value) only when the platform reports the start. A
// control-panel file (".cpl") is opened through the control-panel runner.
class THIWinExec : public TElement {
 public:
  using TStartRoutine = std::function<void(const std::string& file, const std::string& params)>;

  THIWinExec();

  std::string ParamDef;
  std::string FileNameDef;
  uint8_t ShowMode = 0;  // window show command: ShowModeNormal, or 0
  TStartRoutine StartRoutine;  // starts as this element's own StartCommandLine
  THI_Event Param;
  THI_Event FileName;
  THI_Event onExec;

  void doExec(TData& data);
  void StartCommandLine(const std::string& file, const std::string& params);
};

// Clears the maximise-box bit of the window whose handle it reads; a zero
// handle (unwired input, no window yet) does nothing.
class THISysMenu : public TElement {
 public:
  int32_t HandleValue = 0;
  int32_t Style = 0;
  THI_Event Handle;

  void doRemoveMaximize(TData& data);
};
