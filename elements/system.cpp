#include "elements/system.h"

#include "runtime/system_ops.h"

uint32_t THIMessage::Style() const {
  static const uint32_t kButtons[] = {MbOk, MbOkCancel, MbYesNo, MbYesNoCancel, MbRetryCancel, MbAbortRetryIgnore};
  // The warning icon is the exclamation mark: the platform has one style for both.
  static const uint32_t kIcons[] = {0, MbIconError, MbIconQuestion, MbIconWarning, MbIconInformation, MbIconWarning};
  const uint32_t buttons = Buttons < 6 ? kButtons[Buttons] : MbOk;
  const uint32_t icon = Icon < 6 ? kIcons[Icon] : 0;
  return buttons | icon;
}

void THIMessage::doMessage(TData& data) {
  const std::string text = ReadString(data, Text, Message);
  const std::string caption = ReadString(data, Caption, CaptionDef);
  TSystemOps* ops = SystemOps();
  const int pressed = ops ? ops->ShowMessageBox(true, text, caption, Style()) : IdOk;
  FireInteger(onMessage, pressed);
}

THIWinExec::THIWinExec()
    : StartRoutine([this](const std::string& file, const std::string& params) { StartCommandLine(file, params); }) {}

void THIWinExec::doExec(TData& data) {
  const std::string file = ReadString(data, FileName, FileNameDef);
  const std::string params = ReadString(data, Param, ParamDef);
  if (StartRoutine) StartRoutine(file, params);
}

void THIWinExec::StartCommandLine(const std::string& file, const std::string& params) {
  TSystemOps* ops = SystemOps();
  if (!ops) return;
  const size_t dot = file.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : file.substr(dot);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (ext == ".cpl") {
    // Whether a control-panel item opened is not examined.
    ops->StartCommand("rundll32.exe shell32.dll,Control_RunDLL " + file, 1);
    return;
  }
  if (ops->StartCommand(file + " " + params, ShowMode) == kCommandStarted) FireNone(onExec);
}

void THISysMenu::doRemoveMaximize(TData& data) {
  HandleValue = ReadInteger(data, Handle, 0);
  if (HandleValue == 0) return;
  TSystemOps* ops = SystemOps();
  if (!ops) return;
  Style = ops->WindowStyleOf(HandleValue);
  ops->SetWindowStyleOf(HandleValue, Style & ~kStyleMaximizeBox);
  ops->RedrawMenuBar(HandleValue);
}
