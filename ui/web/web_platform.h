// The browser backend: every control is a real HTML element (an input, a
// select, a button, a check box, a span, the tab strip as buttons with
// role=tab, a canvas for pictures) placed absolutely at the layout's
// position inside its parent's element, so that the browser's own focus,
// selection, copy and paste, screen readers and mobile keyboards work.
// The elements live in dom.js (loaded before the program); this side hands
// them the stored properties as they change (the Apply hooks) and takes
// the user's actions back through the exported kelvane_* entry points,
// which deliver them like any backend's events. Texts cross this edge as
// UTF-8 and are code page 1251 inside.
//
// Layout pixels are CSS pixels: the browser already multiplies them by
// the device pixel ratio for text and borders, so the program leaves the
// platform's scale at 1; pictures are drawn into canvases whose backing
// store is the ratio rounded by the scale rules (ui/scale.h), so they stay
// sharp. A scale set all the same zooms the page's windows by it.
//
// The build has no threads: a worker's body runs on the window thread in
// slices (TPlatform::TWorkerMode::InSlices), each in a task of its own, so
// the page answers clicks and paints while a long search goes on; the
// message loop is the browser's. Boxes show as in-page modals and answer at once when their
// answer is known before the click (a box with one button); popup menus
// answer by replay (see PopupMenu).
//
// A table is an HTML <table role=grid> in a scrolling box, its headings
// staying on top. A form made over another (an owned window) is an in-page
// window over the page, with its caption and a close box; it stands where
// the program places it, in the page's coordinates, which are what a
// form's Bounds() reads back.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/platform.h"

class TWebPlatform;

class TWebControl : public TControl {
 public:
  TWebControl(TWebPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);
  ~TWebControl() override;

  void SetFocus() override;
  void Raise() override;
  // Forms on the page: where the page has them (the main window stands in
  // the page's flow, not where the program put it).
  TRect Bounds() const override;
  // Tables: the whole rows the box shows under its headings.
  int32_t PageRows() const override;
  // Fields: whether the user has text selected in the element (Ctrl+C is
  // then the browser's, copying it).
  bool HasSelection() const override;

  // From the page: the user changed the field to `text` (program text),
  // picked line `index` of a list or tab strip, toggled a check box.
  void UserText(const std::string& text);
  void UserPick(int32_t index);
  void UserChecked(bool checked);
  // A table's row `row` picked with the mouse, or moved to with a key
  // (`mouse` false): shown, and told when it is another.
  void UserRow(int32_t row, bool mouse);

 protected:
  void ApplyBounds() override;
  void ApplyText() override;
  void ApplyVisible() override;
  void ApplyEnabled() override;
  void ApplyColor() override;
  void ApplyFont() override;
  void ApplyEdge() override;
  void ApplyCursor() override;
  void ApplyAlignment() override;
  void ApplyItems() override;
  void ApplySelected() override;
  void ApplyChecked() override;
  void ApplyOptions() override { ApplyEdge(); }
  void ApplyPicture() override;
  void ApplyColumns() override;
  void ApplyRows() override;

 private:
  // A table's heights: its headings' line and each row's.
  int32_t TableHeadHeight() const;
  int32_t TableRowHeight() const;

  // The picture whose pixels the page has (it keeps them for redraws).
  const TRgbImage* sent_ = nullptr;
};

class TWebPlatform : public TPlatform {
 public:
  TWebPlatform();
  ~TWebPlatform() override;

  // TSystemOps. Commands that name a web address open it in a new tab;
  // anything else cannot start in a browser.
  int StartCommand(const std::string& commandLine, int showMode) override;
  void PostToUIThread(std::function<void()> fn) override;
  // Each slice in a task of its own (dom.js KV.soon).
  void PostSlice(std::function<void()> slice) override;

  // TPlatform
  TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) override;
  TSize ScreenSize() override;
  TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) override;
  void SetClipboardText(const std::string& text) override;
  // What the page copied last: the program's text, or what the user copied
  // from a field with the browser's own Ctrl+C (dom.js hears its copy).
  std::string ClipboardText() override;
  // A menu cannot wait for its click without stopping the browser. The
  // first call shows the menu and answers kNoMenuItem; when the user picks
  // a line, the notification that asked for the menu (ContextMenu on `at`)
  // is delivered again, and the same menu asked for again answers the
  // picked line at once without showing.
  int32_t PopupMenu(TControl* at, const std::vector<std::string>& items) override;
  bool PopupMenuWaits() const override { return false; }
  // The browser's loop runs the page: this hands the program over to it
  // and never answers (the program's state lives on).
  void RunMessageLoop() override;
  void QuitMessageLoop() override {}

  // The browser keeps Ctrl+`key` (a capital letter) for itself, as Ctrl+D
  // bookmarks the page: Alt+`alt` gives the program that key with Ctrl
  // instead, and Ctrl+`key` is left to the browser.
  void MoveControlKeyToAlt(int32_t key, int32_t alt);
  // Whether the browser keeps Ctrl+`key` (see MoveControlKeyToAlt).
  bool BrowserKeeps(int32_t key) const;
  // The Ctrl key Alt+`alt` stands for; 0 for none.
  int32_t ControlKeyForAlt(int32_t alt) const;

  // Runs when the page is hidden or left: the last moment the program is
  // sure to run, since a browser ends a page without closing its window.
  std::function<void()> OnPageHidden;

  // From the page.
  void UserFocus(TControl* c) { FocusMoved(c); }
  void UserMenuPick(int32_t index);
  void RunPosted();
  void RunSlice();

 protected:
  // Hints show as the elements' titles and name them for screen readers.
  std::unique_ptr<TTooltips> CreateTooltips() override;
  void ApplyScale() override;
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  // There is one thread: work handed over runs at once.
  bool HandOver(const std::function<void()>& fn) override {
    fn();
    return true;
  }

 private:
  struct TMenuAsked {
    TControl* At = nullptr;
    std::vector<std::string> Items;
    int32_t Picked = kNoMenuItem;
  };
  TMenuAsked menu_;
  bool replaying_ = false;
  struct TMovedKey {
    int32_t Key, Alt;
  };
  std::vector<TMovedKey> moved_keys_;
  std::deque<std::function<void()>> posted_;
  std::deque<std::function<void()>> slices_;
};

// The CSS font of a font record at a height (control.h): family list,
// size in pixels and style, as the desktop draws it.
std::string CssFont(const TFontRec& font, int32_t height);
// The CSS colour of a colour (0x00BBGGRR or a system colour).
std::string CssColor(uint32_t color);
