// One control of a platform and the values it deals in: rectangles,
// fonts, colours, mouse and key notifications, the kinds of control. The
// window elements own controls; a backend derives from TControl
// (ui/platform.h makes them).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/system_ops.h"

// Colours are 0x00BBGGRR, or 0xFF000000 plus a system colour index.
constexpr uint32_t kColorWindow = 0xFF000005;
constexpr uint32_t kColorButtonFace = 0xFF00000F;
constexpr bool IsSystemColor(uint32_t c) { return (c & 0xFF000000u) == 0xFF000000u; }

// Font style bits.
enum : uint8_t { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

// A font as schemes describe it: face, size in points, style bits, text
// colour and character set (1 default, 204 Cyrillic).
struct TFontRec {
  std::string Name;
  uint8_t Size = 0;
  uint8_t Style = 0;
  uint32_t Color = 0;
  uint8_t CharSet = 0;
};
bool operator==(const TFontRec& a, const TFontRec& b);
inline bool operator!=(const TFontRec& a, const TFontRec& b) { return !(a == b); }

// Fonts are handed to controls with a pixel height: positive is the cell
// height (size + 6 by the elements' rule), negative the character height
// (the default font of forms, group boxes and panels is -11).
constexpr int32_t kDefaultFontHeight = -11;

// Cursor numbers the elements use; backends show the class cursor for any
// number they do not know.
enum : int32_t { CursorDefault = 0, CursorText = 19, CursorHand = 45 };

// Virtual key codes the elements look at.
enum : int32_t { VkTab = 9, VkReturn = 13, VkShift = 16, VkEscape = 27, VkPrior = 33, VkNext = 34 };
// And the ones that move a table's selection (TableRowForKey).
enum : int32_t { VkEnd = 35, VkHome = 36, VkUp = 38, VkDown = 40 };

// Key-state bits of a mouse notification.
enum : uint32_t { MkLButton = 1, MkRButton = 2, MkShift = 4, MkControl = 8, MkMButton = 0x10 };

struct TRect {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};
bool operator==(const TRect& a, const TRect& b);
inline bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }

struct TSize {
  int32_t Width = 0, Height = 0;
};

// A mouse notification: button 1 left, 2 right, 3 middle (0 on moves),
// key-state bits, position in the control.
struct TMouseEvent {
  uint8_t Button = 0;
  uint8_t Flags = 0;
  uint32_t Shift = 0;
  int16_t X = 0, Y = 0;
};

enum class TControlKind : uint8_t {
  Form,
  Button,
  CheckBox,
  GroupBox,
  Edit,
  Label,
  PickList,  // drop-down list the user can only pick from
  EditList,  // drop-down list with a field the user may type into
  TabStrip,
  Panel,
  Image,
  Table,  // read-only rows of texts under column headings; one row selected or none
};

// A column of a table: its heading, its width in layout pixels and where
// its texts (heading included) sit: 0 left, 1 centre, 2 right.
struct TTableColumn {
  std::string Heading;
  int32_t Width = 0;
  uint8_t Alignment = 0;
};
bool operator==(const TTableColumn& a, const TTableColumn& b);
inline bool operator!=(const TTableColumn& a, const TTableColumn& b) { return !(a == b); }

// What a control tells its handler. Only user and system actions notify:
// the program's own writes (SetText, SetSelected, SetChecked ...) never do.
// Focus changes notify whatever caused them.
enum class TNotifyKind : uint8_t {
  MouseDown,
  MouseMove,
  MouseUp,
  DblClick,
  MouseEnter,
  MouseLeave,
  KeyDown,       // Key; answer true when the key was consumed
  KeyUp,
  FocusIn,
  FocusOut,
  Resize,
  Moved,
  Destroyed,     // a parent took the control down; forget it, do not destroy it
  CloseRequest,  // forms: answer true to refuse the close
  Click,         // buttons, check boxes (state already toggled), labels, images, panels
  TextChange,    // edits and the field of editable lists: one per user change
  SelectChange,  // tab strips, lists and tables: the user selected another item (row)
  Shown,         // forms: the window became visible
  Activate,
  Deactivate,
  TabKey,        // forms: Tab (Backward: Shift+Tab) was pressed in the window
  ControlKey,    // forms: a key pressed with Ctrl held (Key, KeyState), before
                 // the focused control sees it; answer true when consumed
  ContextMenu,   // labels, group boxes and images (AsksForMenu): the right
                 // button was released over it
  Revealed,      // a control that put work off (DeferWhileHidden) shows now
  EscapeKey,     // forms: Escape was pressed in the window and the focused
                 // control left it (an open list closes itself instead);
                 // answer true when consumed
};

struct TNotification {
  TNotifyKind Kind = TNotifyKind::Click;
  TMouseEvent Mouse;
  int32_t Key = 0;
  uint32_t KeyState = 0;  // ControlKey: MkControl, and MkShift when held
  bool Backward = false;
  // TextChange, when the backend knows what changed: `Removed` bytes at
  // `At` were replaced by `Inserted`. At -1: read the whole text again.
  int32_t At = -1;
  int32_t Removed = 0;
  std::string Inserted;
};

// Implemented by the window elements. Backends never call it directly:
// they call TControl::Deliver, which holds the scheme lock around it.
class TControlHandler {
 public:
  virtual ~TControlHandler() = default;
  // Answers whether the notification was handled (see TNotifyKind).
  virtual bool HandleNotification(const TNotification& n) = 0;
};

// Settings a control is made with (or given by SetOptions right after).
struct TCreateOptions {
  uint8_t EditOptions = 0;  // edits: option bits 6 and 7, passed through
  bool Sorted = false;      // drop-down lists keep their lines sorted
  // Panels: outer edge, inner edge, edge width, border flag, border width.
  int32_t Border[5] = {0, 0, 0, 0, 0};
};

class TPlatform;
struct TRgbImage;

// One control of the platform. The element that created it owns it and
// ends it with TControl::Destroy; destroying a control first destroys its
// children, each of which tells its handler (Destroyed) so that the owning
// element forgets it. Every operation is for the window thread only (the
// platform counts calls from other threads). Operations that do not apply
// to a control's kind do nothing and read empty values.
//
// The control stores every property it is given and reads it back; a
// backend derives from it and shows a change in its Apply hook (called
// after the stored value changed), overriding a read only where the user
// can change the value on screen (a field's text, a window's position).
class TControl {
 public:
  TControl(TPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options);
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  // Destroys `c` and everything under it (see above); none does nothing.
  static void Destroy(TControl* c);

  TPlatform& Platform() const { return platform_; }
  TControlKind Kind() const { return kind_; }
  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Children() const { return children_; }
  // A number naming the control for WindowStyleOf and friends; never 0.
  int32_t Handle() const { return handle_; }

  void SetHandler(TControlHandler* h) { handler_ = h; }
  TControlHandler* Handler() const { return handler_; }
  // Hands a notification to the handler with the scheme lock held; answers
  // the handler's answer, false without a handler.
  bool Deliver(const TNotification& n);

  // Tab-key navigation: greater than 0 makes the control a tab stop.
  void SetTabOrder(int32_t order);
  int32_t TabOrder() const { return tab_order_; }
  // Orders stops of equal TabOrder: the order in which they became stops.
  int64_t TabSerial() const { return tab_serial_; }

  // On screen: visible itself and every parent visible.
  bool Showing() const;
  // Work only a shown control needs: where the platform defers it
  // (TPlatform::DefersHiddenWork) and the control is not showing, answers
  // true and has the control told (Reveal) before the next frame in which
  // it shows; else answers false, and the caller does the work now.
  bool DeferWhileHidden();
  // Usable: enabled itself and every parent enabled.
  bool EnabledTree() const;

  // Position in the parent's client area (forms: on the screen, outer size).
  void SetBounds(const TRect& r);
  virtual TRect Bounds() const;
  // Forms: sizes the window so that its client area is w x h.
  void SetClientSize(int32_t w, int32_t h);
  // Caption of forms, buttons, check boxes, labels, group boxes, panels;
  // content of edits and of a list's field. Puts the caret at the end. A
  // pick-only list shows its selected line and ignores it.
  virtual void SetText(const std::string& text);
  virtual std::string Text() const;
  // The control's own visibility flag (forms start hidden, children shown).
  void SetVisible(bool v);
  virtual bool Visible() const;
  void SetEnabled(bool e);
  bool Enabled() const;
  void SetColor(uint32_t color);
  uint32_t Color() const;
  void SetFont(const TFontRec& font, int32_t height);
  TFontRec Font() const;
  int32_t FontHeight() const;
  // 0 sunken edge, 1 plain single border.
  void SetEdge(uint8_t edge);
  uint8_t Edge() const;
  // Window style word (the kStyle bits).
  void SetStyle(int32_t style);
  int32_t Style() const;
  void SetCursor(int32_t cursor);
  int32_t Cursor() const;
  // Text alignment of labels and panels: 0 left, 1 centre, 2 right.
  void SetAlignment(uint8_t a);
  uint8_t Alignment() const;
  // Moves the keyboard focus here (the platform tells both controls).
  virtual void SetFocus();
  // Puts the control above its siblings.
  virtual void Raise() {}
  // The platform's scale has changed: shows the stored place, font and
  // picture again (parents are told before their children).
  virtual void Rescale() {}

  // Edits and list fields: caret position in bytes from the start.
  virtual void SetCaret(int32_t pos);
  virtual int32_t Caret() const;
  // Edits and list fields: replaces `count` bytes at `at` (both clipped to
  // the text) with `text`, caret after it; a program write like SetText.
  // Backends that can do it in place override it; this one rewrites all.
  virtual void ReplaceText(int32_t at, int32_t count, const std::string& text);
  // Edits and list fields: whether the user has text selected in the field
  // (Ctrl+C then copies it). The program's own writes select nothing.
  virtual bool HasSelection() const { return false; }

  // Tab strip captions and drop-down lines. Selected -1 is none; selecting
  // a line shows it in the list's field, and the user's typing into the
  // field leaves no line selected. Clearing the lines leaves the field of
  // an editable list as it is. Sorted lists insert in order.
  void ClearItems();
  void AddItem(const std::string& item);
  std::vector<std::string> Items() const;
  // Counts the changes of the lines: equal counts, equal lines.
  uint32_t ItemsRevision() const;
  void SetSelected(int32_t index);
  int32_t Selected() const;

  void SetChecked(bool checked);
  virtual bool Checked() const;

  // Tables: the columns, then the rows, each a text per column (a row with
  // fewer shows the rest empty; more are kept, not shown). Nothing on
  // screen edits a text, moves or sizes a column. Selected() is the
  // selected row, -1 for none; SetSelected picks one (out of range: none)
  // and scrolls it into view. New rows select none. The user picks a row
  // with the left button or moves with the keys TableRowForKey knows (a
  // key the handler consumed as KeyDown moves nothing), SelectChange each
  // time the row changes; the user never selects none.
  void SetColumns(std::vector<TTableColumn> columns);
  std::vector<TTableColumn> Columns() const;
  void SetRows(std::vector<std::vector<std::string>> rows);
  std::vector<std::vector<std::string>> Rows() const;
  int32_t RowCount() const;
  // The text at `row`, `column`; empty outside the table or a short row.
  std::string Cell(int32_t row, int32_t column) const;
  // Tables: the whole rows shown at once under the headings (at least 1),
  // the step of the page keys.
  virtual int32_t PageRows() const { return 1; }

  // Applies the settings of a control made without them (panels are made
  // before their edge values are known); only panels and edits use it.
  void SetOptions(const TCreateOptions& options);
  const TCreateOptions& Options() const { return options_; }

  // Image areas: draws `picture` scaled into `dest` (which may reach past
  // the control: it is clipped) over a background of the control's colour.
  void SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest);
  std::shared_ptr<const TRgbImage> Picture() const { return picture_; }
  TRect PictureRect() const { return picture_rect_; }

  // Forms: the form of the control given as the parent when this one was
  // made, none for a form of its own. An owned form stays above its
  // owner and has no task-bar entry of its own where the desktop has task
  // bars; destroying the owner destroys it first, as it does children.
  TControl* Owner() const { return owner_; }

  // Forms: icon from the resources of that name (see FindIconResources),
  // opacity 0..255, state at first show (0 normal, 1 minimised, 2 maximised).
  void SetIcon(const std::string& resourceName);
  const std::string& Icon() const { return icon_; }
  void SetAlpha(uint8_t alpha);
  uint8_t Alpha() const { return alpha_; }
  void SetWindowState(uint8_t state);
  uint8_t WindowState() const { return window_state_; }

 protected:
  // Counts a call made off the window thread.
  void Check() const;
  // Stores a field's text with the caret after it, and shows it.
  void StoreText(const std::string& text);

  // The control put work off (DeferWhileHidden) and is showing now. This
  // one tells the handler (Revealed); a backend doing work of its own does
  // it first.
  virtual void Reveal();

  // Hooks: the stored value has changed; show it.
  virtual void ApplyBounds() {}
  virtual void ApplyText() {}
  virtual void ApplyVisible() {}
  virtual void ApplyEnabled() {}
  virtual void ApplyColor() {}
  virtual void ApplyFont() {}
  virtual void ApplyEdge() {}
  virtual void ApplyStyle() {}
  virtual void ApplyCursor() {}
  virtual void ApplyAlignment() {}
  virtual void ApplyItems() {}     // lines cleared or added
  virtual void ApplySelected() {}  // the selected line or tab
  virtual void ApplyChecked() {}
  virtual void ApplyOptions() {}
  virtual void ApplyPicture() {}
  virtual void ApplyIcon() {}
  virtual void ApplyWindowState() {}
  virtual void ApplyColumns() {}
  virtual void ApplyRows() {}      // rows replaced (the selection is none)

  // The stored properties; a backend's simulated or real user writes them
  // too (a click toggles the check, typing changes the text).
  TCreateOptions options_;
  TRect bounds_;
  std::string text_;
  bool visible_;
  bool enabled_ = true;
  uint32_t color_;
  TFontRec font_;
  int32_t font_height_ = 0;
  uint8_t edge_ = 0;
  int32_t style_;
  int32_t cursor_ = 0;
  uint8_t alignment_ = 0;
  int32_t caret_ = 0;
  std::vector<std::string> items_;
  uint32_t items_revision_ = 0;
  int32_t selected_ = -1;
  bool checked_ = false;
  std::shared_ptr<const TRgbImage> picture_;
  TRect picture_rect_;
  std::string icon_;
  uint8_t alpha_ = 255;
  uint8_t window_state_ = 0;
  std::vector<TTableColumn> columns_;
  std::vector<std::vector<std::string>> rows_;

 private:
  TPlatform& platform_;
  TControlKind kind_;
  TControl* parent_;
  TControl* owner_;  // forms only
  std::vector<TControl*> children_;
  TControlHandler* handler_ = nullptr;
  int32_t handle_;
  int32_t tab_order_ = 0;
  int64_t tab_serial_ = 0;
  bool deferred_ = false;  // waiting in the platform's list to be revealed
  friend class TPlatform;
};

// The next tab stop under `root` after `from` (before it when `backward`),
// wrapping around: stops are controls with TabOrder > 0 that are showing
// and usable, in TabOrder order and then in the order they became stops
// (the order the scheme initialised them). `from` outside the sequence
// gives the first (last) stop. None when there are no stops.
TControl* NextTabStop(TControl* root, TControl* from, bool backward);

// Where a key moves a table's selection from `selected` (-1: none) among
// `rows` rows, `page` of which show at once: Up and Down one row, PageUp
// and PageDown a page, Home and End the first and the last row, each
// stopping at the ends; with none selected, End selects the last row and
// the others the first. Answers whether `key` is one of them; `row` is
// then the row to select (-1 in an empty table).
bool TableRowForKey(int32_t key, int32_t selected, int32_t rows, int32_t page, int32_t& row);

// Whether controls of `kind` tell ContextMenu: labels, group boxes, images.
bool AsksForMenu(TControlKind kind);

// The first control of `kind` under `root`, depth first in creation order;
// none when there is none (or no root).
TControl* FindFirstOfKind(TControl* root, TControlKind kind);
// The child of `parent` whose Left and Top are those; none when none is.
// The driver and the tests address controls this way, by where the
// layout put them.
TControl* ChildAt(const TControl* parent, int32_t left, int32_t top);
