// TFltkControl: one control of the program on an FLTK widget (widgets.h,
// tab_strip.h). The base control keeps the properties the interface reads
// back; this one writes each to the widget as it changes (its Apply hooks)
// and reads from the widget what the user changes on screen (a field's
// text and caret, a window's place, a check box). Texts are converted from
// code page 1251 to UTF-8 at this edge. FLTK places every widget in window
// coordinates, so the control adds its parent's origin. Places, sizes and
// fonts are multiplied by the platform's scale on their way to the widget
// and divided on their way back (ui/scale.h). Window thread only.
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

  TRect Bounds() const override;
  std::string Text() const override;
  bool Visible() const override;
  void SetFocus() override;
  void Raise() override;
  void SetCaret(int32_t pos) override;
  int32_t Caret() const override;
  bool Checked() const override;
  void Rescale() override;
  bool HasSelection() const override;
  int32_t PageRows() const override;

  // The widget, and the window it is in (none before it is placed).
  Fl_Widget* Widget() const { return widget_; }
  Fl_Window* Window() const;
  // The widget that takes the keyboard focus for the control.
  Fl_Widget* FocusWidget() const;
  // Forms: whether the window has the keyboard focus; answers whether that
  // changed.
  bool SetActive(bool active) {
    const bool changed = active != active_;
    active_ = active;
    return changed;
  }

  // Forms: maps the window made visible (TFltkPlatform::MapBeforeFrame);
  // an owned form is mapped as its owner's transient, off the task bar.
  void Map();

  // From the widgets (widgets.h).
  int Route(Fl_Widget& w, int event, TBaseHandle base);
  void Geometry(bool moved, bool resized);

 protected:
  void ApplyBounds() override { Place(); }
  void ApplyText() override;
  void ApplyVisible() override;
  void ApplyEnabled() override;
  void ApplyColor() override;
  void ApplyFont() override;
  void ApplyEdge() override;
  void ApplyStyle() override;
  void ApplyCursor() override {
    if (hovered_) ShowCursor();
  }
  void ApplyAlignment() override;
  void ApplyItems() override { RebuildMenu(); }
  void ApplySelected() override;
  void ApplyChecked() override;
  void ApplyOptions() override;
  void ApplyPicture() override;
  void ApplyIcon() override;
  void ApplyWindowState() override;
  void ApplyColumns() override;
  void ApplyRows() override;
  void Reveal() override;

 private:
  static void Callback(Fl_Widget* w, void* data);
  static void FieldChanged(Fl_Widget* w, void* data);
  static void LinePicked(Fl_Widget* w, void* data);

  bool Notify(TNotifyKind kind);
  // A table's mouse presses and keys: answers what handle() answers, or
  // -1 to handle the event as any control does.
  int RouteTable(Fl_Widget& w, int event);
  // The user moved the table's selection to `row`: shown, told when new.
  void MoveRow(int32_t row);
  bool NotifyMouse(TNotifyKind kind, const TMouseEvent& m);
  // The FLTK group the widget goes in, and the window position of the
  // parent's client area.
  Fl_Group* HostGroup() const;
  void ParentOrigin(int& x, int& y) const;
  void Place();
  void PlaceWidget();
  void ShowCursor();
  void RebuildMenu();
  void ShowSelectedLine();
  bool IsContainer() const;
  bool ClicksItself() const;
  bool TracksHover() const;
  void RedrawAround(int x, int y, int w, int h);
  double Scale() const;
  void ScaleDefaultFont();

  TFltkPlatform& fp_;
  Fl_Widget* widget_ = nullptr;
  std::vector<std::string> menu_texts_;  // UTF-8 with '&' doubled, for menu_
  std::vector<Fl_Menu_Item> menu_;
  bool hovered_ = false;
  bool pressed_ = false;
  bool right_pressed_ = false;  // a label took the right button
  bool table_pressed_ = false;  // a table took a press on its rows
  bool placing_ = false;
  bool active_ = false;
  bool font_deferred_ = false;  // the font waits for the control to show
  bool menu_deferred_ = false;  // lists: so do the lines' menu and its selection
  bool map_pending_ = false;    // forms: visible, to be mapped before the next frame
  bool mapping_ = false;        // forms: Map is showing the window
};
