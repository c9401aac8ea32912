// TFltkControl: one control of the program on an FLTK widget (widgets.h,
// tab_strip.h). The control keeps the properties the interface reads back
// (bounds relative to the parent, font record, colours, lines, the
// selection) and writes each to the widget as it changes; texts are
// converted from code page 1251 to UTF-8 at this edge. FLTK places every
// widget in window coordinates, so the control adds its parent's origin.
// Window thread only.
#pragma once

#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <memory>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/fltk/widgets.h"
#include "ui/platform.h"

class TFltkPlatform;

class TFltkControl : public TControl {
 public:
  TFltkControl(TFltkPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);
  ~TFltkControl() override;

  void SetBounds(const TRect& r) override;
  TRect Bounds() const override;
  void SetClientSize(int32_t w, int32_t h) override;
  void SetText(const std::string& text) override;
  std::string Text() const override;
  void SetVisible(bool v) override;
  bool Visible() const override;
  void SetEnabled(bool e) override;
  bool Enabled() const override;
  void SetColor(uint32_t color) override;
  uint32_t Color() const override { return color_; }
  void SetFont(const TFontRec& font, int32_t height) override;
  TFontRec Font() const override { return font_; }
  int32_t FontHeight() const override { return font_height_; }
  void SetEdge(uint8_t edge) override;
  uint8_t Edge() const override { return edge_; }
  void SetStyle(int32_t style) override;
  int32_t Style() const override { return style_; }
  void SetCursor(int32_t cursor) override;
  int32_t Cursor() const override { return cursor_; }
  void SetAlignment(uint8_t a) override;
  void SetFocus() override;
  void Raise() override;
  void SetCaret(int32_t pos) override;
  int32_t Caret() const override;
  void ClearItems() override;
  void AddItem(const std::string& item) override;
  std::vector<std::string> Items() const override { return items_; }
  void SetSelected(int32_t index) override;
  int32_t Selected() const override { return selected_; }
  void SetChecked(bool checked) override;
  bool Checked() const override;
  void SetOptions(const TCreateOptions& options) override;
  void SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest) override;
  void SetIcon(const std::string& resourceName) override;
  void SetAlpha(uint8_t alpha) override { alpha_ = alpha; }
  void SetWindowState(uint8_t state) override;

  // The widget, and the window it is in (none before it is placed).
  Fl_Widget* Widget() const { return widget_; }
  Fl_Window* Window() const;
  // The widget that takes the keyboard focus for the control.
  Fl_Widget* FocusWidget() const;
  uint8_t Alpha() const { return alpha_; }
  uint8_t WindowState() const { return window_state_; }

  // Forms: whether the window has the keyboard focus; answers whether that
  // changed.
  bool SetActive(bool active) {
    const bool changed = active != active_;
    active_ = active;
    return changed;
  }

  // From the widgets (widgets.h).
  int Route(Fl_Widget& w, int event, TBaseHandle base);
  void Geometry(bool moved, bool resized);

 private:
  static void Callback(Fl_Widget* w, void* data);
  static void FieldChanged(Fl_Widget* w, void* data);
  static void LinePicked(Fl_Widget* w, void* data);

  bool Notify(TNotifyKind kind);
  bool NotifyMouse(TNotifyKind kind, const TMouseEvent& m);
  // The FLTK group the widget goes in, and the window position of the
  // parent's client area.
  Fl_Group* HostGroup() const;
  void ParentOrigin(int& x, int& y) const;
  void Place();
  void PlaceWidget();
  void ApplyFont();
  void ApplyEdge();
  void ApplyCursor();
  void RebuildMenu();
  void ShowSelectedLine();
  bool IsContainer() const;
  bool ClicksItself() const;
  bool TracksHover() const;
  void RedrawAround(int x, int y, int w, int h);

  TFltkPlatform& fp_;
  Fl_Widget* widget_ = nullptr;
  TCreateOptions options_;
  TRect bounds_;
  std::string text_;
  uint32_t color_ = 0;
  TFontRec font_;
  int32_t font_height_ = 0;
  uint8_t edge_ = 0;
  int32_t style_ = 0;
  int32_t cursor_ = 0;
  uint8_t alignment_ = 0;
  std::vector<std::string> items_;
  std::vector<std::string> menu_texts_;  // UTF-8 with '&' doubled, for menu_
  std::vector<Fl_Menu_Item> menu_;
  int32_t selected_ = -1;
  int32_t parked_caret_ = 0;  // the caret of a field without the focus
  uint8_t alpha_ = 255;
  uint8_t window_state_ = 0;
  bool hovered_ = false;
  bool pressed_ = false;
  bool placing_ = false;
  bool active_ = false;
};
