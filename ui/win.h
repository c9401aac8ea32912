// THIWin, the base of every window element, and the font record routine.
// An element owns one platform control, applies its properties to it in
// Init, and turns the control's notifications into its event points. The
// control is none when no platform is installed or after a parent control
// took it down; every operation then does nothing and reads give empty
// values. Controls that hold others (forms, group boxes, panels), buttons,
// check boxes and images are made by the constructors, so elements placed
// on a container can be made right after it; edits, lists, labels and tab
// strips are made by Init. Window thread only, except where a class says
// otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/event.h"
#include "ui/platform.h"

// The font record a scheme stores in an element.
TFontRec MakeFontRec(const std::string& name, uint8_t size, uint8_t style, uint8_t charSet, uint32_t color);

class THIWin : public TElement, public TControlHandler {
 public:
  // `parent`: the control the element's control is placed on (none for forms).
  explicit THIWin(TControl* parent);
  ~THIWin() override;

  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Align = 0;      // docking; only 0 (none) is supported
  int32_t TabOrder = 0;   // > 0: a tab stop with this order
  uint32_t Color = 0;     // background; the constructor copies the parent's
  uint8_t EdgeStyle = 1;  // 0 sunken edge, 1 plain border
  std::string Hint;       // tooltip; empty: none
  TFontRec Font;
  uint8_t ParentFont = 0;
  uint8_t ParentPaint = 0;  // stored only
  uint8_t Visible = 1;
  uint8_t Enabled = 1;
  int32_t Cursor = 0;
  uint8_t MouseCapture = 0;
  uint8_t Flat = 0;

  THI_Event onKeyDown, onKeyUp, onMouseDown, onMouseMove, onMouseUp;
  THI_Event onSetFocus, onKillFocus, onDblClick, onResize;

  TMouseEvent LastMouse;

  // Called once by the scheme after the properties are written: makes the
  // control where the class has not, then applies the properties.
  virtual void Init();

  TControl* Control() const { return control_; }
  TControl* ParentControl() const { return parent_; }

  // The one entry of every notification (already under the scheme lock):
  // first HandleMessage, then the key and mouse handlers.
  bool HandleNotification(const TNotification& n) final;

 protected:
  // Answer true when the key was consumed.
  virtual bool HandleKeyDown(int32_t key);
  virtual void HandleKeyUp(int32_t key);
  virtual void HandleMouseDown(const TMouseEvent& m);
  virtual void HandleMouseMove(const TMouseEvent& m);
  virtual void HandleMouseUp(const TMouseEvent& m);
  // Answer true when the notification was handled and goes no further.
  virtual bool HandleMessage(const TNotification& n);

  // Makes the control unless there is one (or no platform).
  void MakeControl(TControlKind kind, const TCreateOptions& options = TCreateOptions());
  // The steps of Init for a control that exists.
  void ApplyProperties();
  void ApplyFont();
  // True on the window thread (and when there is no platform at all).
  static bool OnUIThread();

  TControl* control_ = nullptr;

 private:
  TControl* parent_;
};
