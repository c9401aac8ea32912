// The desktop backend on FLTK 1.3: TPlatform with real windows. Making it
// opens the display (FLTK ends the program with a message when there is
// none), takes FLTK's lock for the window thread (workers never touch
// widgets: they post work, see wake_queue.h) and sets the look: the light
// grey button face, Liberation fonts, tooltips with the hint texts.
// Keys reach the focused control as key-down and key-up notifications
// before FLTK sees them; Tab and Shift+Tab go to the form, which moves the
// focus itself. A form's outer size includes a frame of kFrameSide pixels
// and a kFrameTop-pixel caption, so its client area is the window FLTK
// makes; the window manager draws the real frame around it. The platform
// starts at scale 1; DesktopScale says what the desktop asks for.
#pragma once

#include <FL/Fl.H>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/wake_queue.h"
#include "ui/platform.h"

class TFltkControl;

class TFltkPlatform : public TPlatform {
 public:
  TFltkPlatform();
  ~TFltkPlatform() override;

  // TSystemOps
  int StartCommand(const std::string& commandLine, int showMode) override;
  void PostToUIThread(std::function<void()> fn) override;

  // The scale the desktop asks for: its X resource Xft.dpi over 96
  // (ScaleOfDpiText), 1 when the resource is not set.
  static double DesktopScale();

  // TPlatform
  TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) override;
  TSize ScreenSize() override;
  TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) override;
  // Both the clipboard and the primary selection get the text (UTF-8, LF
  // line breaks); reading asks for the clipboard and waits up to 2 s.
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() override;
  // FLTK's own popup menu, at the mouse when it is over `at`, else at the
  // control's middle.
  int32_t PopupMenu(TControl* at, const std::vector<std::string>& items) override;
  // Runs FLTK's loop until QuitMessageLoop or until no window is shown;
  // then work still queued for the window thread is dropped and waiting
  // hand-overs answer false.
  void RunMessageLoop() override;
  void QuitMessageLoop() override { quit_ = true; }
  // The control FLTK has given the keyboard focus.
  TControl* Focused() override;
  // A hidden control neither opens its face nor measures its texts: a page
  // costs nothing until it is first shown.
  bool DefersHiddenWork() const override { return true; }

  // The backend's own bookkeeping.
  void Register(const Fl_Widget* w, TFltkControl* c) { widgets_[w] = c; }
  void Unregister(const Fl_Widget* w) { widgets_.erase(w); }
  // The control of `w` or of its nearest parent that has one.
  TFltkControl* ControlOf(const Fl_Widget* w) const;
  // Tells the controls that lost and gained FLTK's keyboard focus.
  void SyncFocus();
  // Wake-ups asked of FLTK so far (coalesced; see wake_queue.h).
  int WakeUps() const { return queue_.WakeUps(); }
  // Whether work posted by other threads waits for the window thread (at
  // most a turn period while posts keep coming).
  bool WorkQueued() { return queue_.Queued(); }
  // A window made visible is mapped before the next frame, after what
  // shows in it has done the work it put off (RunDeferred): a form's
  // start-up may still hide pages before that. Forget drops a window made
  // hidden or destroyed before then.
  void MapBeforeFrame(TFltkControl* form);
  void ForgetMap(TFltkControl* form);
  // Runs before FLTK draws (and at the start of the loop): reveals, then maps.
  void BeforeFrame();

 protected:
  std::unique_ptr<TTooltips> CreateTooltips() override;
  void ApplyScale() override;
  int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) override;
  bool HandOver(const std::function<void()>& fn) override { return queue_.RunAndWait(fn); }

 private:
  static int Dispatch(int event, Fl_Window* window);
  static void OnWake(void*);
  static void OnCheck(void*);
  static TFltkPlatform* Current();
  // Answers 1 or 0 when the event was dealt with, -1 to leave it to FLTK.
  int Intercept(int event, Fl_Window* window);

  TWakeQueue queue_;
  bool quit_ = false;
  bool syncing_focus_ = false;
  std::map<const Fl_Widget*, TFltkControl*> widgets_;
  std::vector<TFltkControl*> to_map_;
  Fl_Event_Dispatch previous_dispatch_ = nullptr;
};
