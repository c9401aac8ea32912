// TWin32Control: one control of the program on a Win32 window. Standard
// classes where Windows has one ("BUTTON", "EDIT", "STATIC", "COMBOBOX",
// "SysTabControl32", and a report-style "SysListView32" for tables, whose
// mouse presses and keys the control takes itself so that the list never
// changes what it shows on its own), the program's own "obj_..." classes
// for forms, panels and image areas. A form made over another is owned by
// its window: above it, and without a task-bar button of its own. Every window is subclassed with one procedure
// (win32_platform.cpp), which also takes the notifications a parent gets
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...) back to the control that sent
// them, so a control inside a group box works as one on a form does. The
// base control keeps the properties; this one writes them to the window
// in the Apply hooks and takes back what the user changes. Places, sizes,
// fonts and pictures are multiplied by the platform's scale on their way
// to the window and divided on their way back (ui/scale.h). Window thread
// only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

// The handle types of <windows.h>, named without including it.
struct HWND__;
class TWin32Platform;

// Deletes a GDI object (a font or a brush) made for one control.
struct TGdiDeleter {
  void operator()(void* object) const;
};
using TGdiObject = std::unique_ptr<void, TGdiDeleter>;

class TWin32Control : public TControl {
 public:
  TWin32Control(TWin32Platform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);
  ~TWin32Control() override;

  int32_t Caret() const override;
  bool HasSelection() const override;
  void SetCaret(int32_t pos) override;
  void SetFocus() override;
  void Raise() override;
  void Rescale() override;
  int32_t PageRows() const override;

  // The control of a window, or of its nearest ancestor that has one.
  static TWin32Control* Of(HWND__* window);
  // The window, and the one that takes the keyboard focus for the control
  // (an editable list's field).
  HWND__* Window() const { return window_; }
  HWND__* FocusWindow() const;
  // The window procedure of every window of the control; answers whether
  // it dealt with the message (then `result` holds the answer).
  bool Route(HWND__* window, unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
  // The control's form.
  TWin32Control* FormOf();

 protected:
  void ApplyBounds() override;
  void ApplyText() override;
  void ApplyVisible() override;
  void ApplyEnabled() override;
  void ApplyColor() override;
  void ApplyFont() override;
  void ApplyEdge() override;
  void ApplyStyle() override;
  void ApplyAlignment() override;
  void ApplyItems() override;
  void ApplySelected() override;
  void ApplyChecked() override;
  void ApplyPicture() override;
  void ApplyIcon() override;
  void ApplyWindowState() override;
  void ApplyColumns() override;
  void ApplyRows() override;

 private:
  // What a parent receives about this control, taken back to it.
  bool Command(unsigned code);
  bool Notify(unsigned code);
  intptr_t ControlColor(void* dc);
  bool Key(unsigned message, uintptr_t key, intptr_t& result);
  bool Mouse(unsigned message, uintptr_t wParam, intptr_t lParam);
  // A table's presses: the row under a left press is selected.
  void TableMouse(unsigned message, intptr_t lParam);
  // The user moved a table's selection to `row`: shown, told when new.
  void MoveRow(int32_t row);
  // A table's text colours from the control's colour and font.
  void ApplyTableColors();
  void Paint();
  bool Tell(TNotifyKind kind);
  // The text the window shows, in code page 1251.
  std::string WindowText() const;
  void WriteWindowText(const std::string& text);
  void FillList();
  void PlaceForm();
  // The opacity SetAlpha stored, applied when the form is shown.
  void ApplyAlpha();
  double Scale() const;
  // A form was moved to a monitor of `dpi`: Windows suggests `rect`.
  void DpiChanged(unsigned dpi, const void* rect);

  TWin32Platform& wp_;
  HWND__* window_ = nullptr;
  HWND__* field_ = nullptr;  // an editable list's inner edit
  TGdiObject font_object_;
  TGdiObject brush_;
  // The picture as drawn: resampled to its place on screen, as a DIB.
  std::vector<uint8_t> picture_dib_;
  TRect picture_dib_rect_;
  const void* picture_dib_of_ = nullptr;
  // Set while the program itself writes to the window: the notifications
  // that causes are not the user's.
  int writing_ = 0;
  bool hovered_ = false;
  bool pressed_ = false;
  bool tracking_ = false;
  bool control_char_taken_ = false;  // the form took a Ctrl key: not its character
};
