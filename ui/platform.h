// What the program needs from the desktop, and nothing more. TSystemOps is
// the part the logic elements use (message boxes, starting a command, the
// main window's style word, the hand-over to the window thread); TPlatform
// adds the controls the window elements own. Every backend (headless,
// desktop) implements both; no element or page includes a toolkit header.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Message box style values: buttons or'ed with an icon.
enum : uint32_t {
  MbOk = 0,
  MbOkCancel = 1,
  MbAbortRetryIgnore = 2,
  MbYesNoCancel = 3,
  MbYesNo = 4,
  MbRetryCancel = 5,
  MbIconError = 16,
  MbIconQuestion = 32,
  MbIconWarning = 48,
  MbIconInformation = 64,
};

// Pressed-button identifiers returned by MessageBox.
enum : int { IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7 };

// The buttons of a box style, in the order the box shows them.
std::vector<int> BoxButtons(uint32_t style);
// The button a box answers when nothing else is asked for: its first one.
int FirstButtonOf(uint32_t style);

// The status StartCommand returns for a command that was started.
constexpr int kCommandStarted = 33;

// Window style bits of a form. A form starts with all four frame bits set.
constexpr int32_t kStyleMaximizeBox = 0x00010000;
constexpr int32_t kStyleMinimizeBox = 0x00020000;
constexpr int32_t kStyleSizable = 0x00040000;
constexpr int32_t kStyleSysMenu = 0x00080000;
constexpr int32_t kStyleCaption = 0x00C00000;
constexpr int32_t kStyleFormDefault = kStyleCaption | kStyleSysMenu | kStyleSizable | kStyleMinimizeBox | kStyleMaximizeBox;
// Style bit of the flat look of push buttons.
constexpr int32_t kStyleFlat = 0x00008000;

class TSystemOps {
 public:
  virtual ~TSystemOps() = default;

  // Modal box with `text` and `caption` (code page 1251; CR and CR LF break
  // lines); `owned` puts it over the main window. Returns the pressed
  // button's identifier. Called off the window thread it must not wait for
  // that thread: the box is shown later and the call answers IdOk.
  virtual int MessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) = 0;

  // Starts a command line without waiting, never through a shell; answers
  // kCommandStarted when started, anything else when not.
  virtual int StartCommand(const std::string& commandLine, int showMode) = 0;

  // Style word of the window behind a handle read from the main form;
  // unknown handles read 0 and ignore writes.
  virtual int32_t GetWindowStyle(int32_t handle) = 0;
  virtual void SetWindowStyle(int32_t handle, int32_t style) = 0;
  virtual void RedrawMenuBar(int32_t handle) = 0;

  virtual bool IsUIThread() = 0;

  // Runs `fn` on the window thread and waits until it has run. Answers
  // false, without running it, when there is no application window. The
  // caller must not hold the scheme lock.
  virtual bool RunOnUIThread(const std::function<void()>& fn) = 0;

  // Queues `fn` to run on the window thread soon; never waits. While work
  // keeps coming, the window thread takes it at most once per
  // kUIThreadTurnPeriod: a worker posting a label text every step then
  // only updates the text waiting for the next turn.
  virtual void PostToUIThread(std::function<void()> fn) = 0;
};

// One screen frame: the least time between two turns of the window thread
// that run posted work while more keeps coming.
constexpr std::chrono::milliseconds kUIThreadTurnPeriod{16};

// The installed operations, or none (then boxes answer IdOk, nothing is
// started and hand-overs do nothing).
TSystemOps* SystemOps();
// Installs `ops` (none to remove) and returns the previous ones.
TSystemOps* SetSystemOps(TSystemOps* ops);

// ---------------------------------------------------------------------------
// Controls

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
};

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
  SelectChange,  // tab strips and lists: the user selected another item
  Shown,         // forms: the window became visible
  Activate,
  Deactivate,
  TabKey,        // forms: Tab (Backward: Shift+Tab) was pressed in the window
  ControlKey,    // forms: a key pressed with Ctrl held (Key, KeyState), before
                 // the focused control sees it; answer true when consumed
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
// element forgets it. Every operation is for the window thread only.
// Operations that do not apply to a control's kind do nothing and read
// empty values.
class TControl {
 public:
  TControl(TPlatform& platform, TControlKind kind, TControl* parent);
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  // Destroys `c` and everything under it (see above); none does nothing.
  static void Destroy(TControl* c);

  TPlatform& Platform() const { return platform_; }
  TControlKind Kind() const { return kind_; }
  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Children() const { return children_; }
  // A number naming the control for GetWindowStyle and friends; never 0.
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
  // Usable: enabled itself and every parent enabled.
  bool EnabledTree() const;

  // Position in the parent's client area (forms: on the screen, outer size).
  virtual void SetBounds(const TRect& r) = 0;
  virtual TRect Bounds() const = 0;
  // Forms: sizes the window so that its client area is w x h.
  virtual void SetClientSize(int32_t w, int32_t h) = 0;
  // Caption of forms, buttons, check boxes, labels, group boxes, panels;
  // content of edits and of a list's field. Puts the caret at the end.
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  // The control's own visibility flag (forms start hidden, children shown).
  virtual void SetVisible(bool v) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool e) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetColor(uint32_t color) = 0;
  virtual uint32_t Color() const = 0;
  virtual void SetFont(const TFontRec& font, int32_t height) = 0;
  virtual TFontRec Font() const = 0;
  virtual int32_t FontHeight() const = 0;
  // 0 sunken edge, 1 plain single border.
  virtual void SetEdge(uint8_t edge) = 0;
  virtual uint8_t Edge() const = 0;
  // Window style word (the kStyle bits).
  virtual void SetStyle(int32_t style) = 0;
  virtual int32_t Style() const = 0;
  virtual void SetCursor(int32_t cursor) = 0;
  virtual int32_t Cursor() const = 0;
  // Text alignment of labels and panels: 0 left, 1 centre, 2 right.
  virtual void SetAlignment(uint8_t a) = 0;
  virtual void SetFocus() = 0;
  // Puts the control above its siblings.
  virtual void Raise() = 0;

  // Edits and list fields: caret position in bytes from the start.
  virtual void SetCaret(int32_t pos) = 0;
  virtual int32_t Caret() const = 0;
  // Edits and list fields: replaces `count` bytes at `at` (both clipped to
  // the text) with `text`, caret after it; a program write like SetText.
  // Backends that can do it in place override it; this one rewrites all.
  virtual void ReplaceText(int32_t at, int32_t count, const std::string& text);

  // Tab strip captions and drop-down lines. Selected -1 is none; selecting
  // a line shows it in the list's field, and the user's typing into the
  // field leaves no line selected. Clearing the lines leaves the field of
  // an editable list as it is.
  virtual void ClearItems() = 0;
  virtual void AddItem(const std::string& item) = 0;
  virtual std::vector<std::string> Items() const = 0;
  virtual void SetSelected(int32_t index) = 0;
  virtual int32_t Selected() const = 0;

  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;

  // Applies the settings of a control made without them (panels are made
  // before their edge values are known); only panels and edits use it.
  virtual void SetOptions(const TCreateOptions& options) = 0;

  // Image areas: draws `picture` scaled into `dest` (which may reach past
  // the control: it is clipped) over a background of the control's colour.
  virtual void SetPicture(std::shared_ptr<const TRgbImage> picture, const TRect& dest) = 0;

  // Forms: icon from the resources of that name (see FindIconResources),
  // opacity 0..255, state at first show (0 normal, 1 minimised, 2 maximised).
  virtual void SetIcon(const std::string& resourceName) = 0;
  virtual void SetAlpha(uint8_t alpha) = 0;
  virtual void SetWindowState(uint8_t state) = 0;

 private:
  TPlatform& platform_;
  TControlKind kind_;
  TControl* parent_;
  std::vector<TControl*> children_;
  TControlHandler* handler_ = nullptr;
  int32_t handle_;
  int32_t tab_order_ = 0;
  int64_t tab_serial_ = 0;
};

// The next tab stop under `root` after `from` (before it when `backward`),
// wrapping around: stops are controls with TabOrder > 0 that are showing
// and usable, in TabOrder order and then in the order they became stops
// (the order the scheme initialised them). `from` outside the sequence
// gives the first (last) stop. None when there are no stops.
TControl* NextTabStop(TControl* root, TControl* from, bool backward);

// The one tooltip manager of a platform: one text per registered control.
// Backends derive from it to show the texts.
class TTooltips {
 public:
  virtual ~TTooltips() = default;
  virtual void Add(TControl* c, const std::string& text) { texts_[c] = text; }
  virtual void Remove(TControl* c) { texts_.erase(c); }
  std::string Text(TControl* c) const;

 private:
  std::map<TControl*, std::string> texts_;
};

// A backend. Its constructor installs it (as Platform() and as SystemOps())
// for its lifetime; the thread that creates it is the window thread.
// Controls must all be destroyed before it.
class TPlatform : public TSystemOps {
 public:
  TPlatform();
  ~TPlatform() override;

  // A new control of that kind under `parent` (none for forms); the
  // caller owns it.
  virtual TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) = 0;

  virtual TSize ScreenSize() = 0;
  // Size of `text` (CR, LF and CR LF break lines) drawn in that font.
  virtual TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) = 0;

  // Runs until QuitMessageLoop; then answers.
  virtual void RunMessageLoop() = 0;
  virtual void QuitMessageLoop() = 0;

  virtual void SetCapture(TControl* c) = 0;
  virtual void ReleaseCapture() = 0;
  virtual TControl* Captured() = 0;
  virtual TControl* Focused() = 0;

  // The shared tooltip manager, made on first use.
  TTooltips& Tooltips();
  bool HasTooltips() const { return tooltips_ != nullptr; }

  // The control behind a handle, or none.
  TControl* FromHandle(int32_t handle) const;
  int32_t GetWindowStyle(int32_t handle) override;
  void SetWindowStyle(int32_t handle, int32_t style) override;
  void RedrawMenuBar(int32_t handle) override;

  // The application window belongs to the first form: claiming answers
  // true when there was none, and the claim lasts until released.
  bool ClaimApplicationWindow(TControl* form);
  void ReleaseApplicationWindow(TControl* form);
  TControl* ApplicationForm() const { return app_form_; }
  // Readable from any thread.
  bool HasApplicationWindow() const { return has_app_window_.load(std::memory_order_acquire); }

  // Command line: argument 0 is the program, then the arguments.
  void SetCommandLine(const std::string& program, const std::vector<std::string>& args);
  int ParamCount() const { return static_cast<int>(args_.size()); }
  std::string ParamStr(int i) const;

 protected:
  virtual std::unique_ptr<TTooltips> CreateTooltips() { return std::make_unique<TTooltips>(); }
  // A control is about to go: forget it as focus or capture.
  virtual void ControlDestroyed(TControl* c) = 0;

 private:
  friend class TControl;
  std::map<int32_t, TControl*> controls_;
  int32_t next_handle_ = 0x100;
  int64_t next_tab_serial_ = 1;
  std::unique_ptr<TTooltips> tooltips_;
  TControl* app_form_ = nullptr;
  std::atomic<bool> has_app_window_{false};
  std::string program_;
  std::vector<std::string> args_;
  TPlatform* previous_;
  TSystemOps* previous_ops_;
};

// The installed backend, or none.
TPlatform* Platform();
