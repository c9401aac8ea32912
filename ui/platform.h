// What the program needs from the desktop, and nothing more. TSystemOps
// (runtime/system_ops.h) is the part the logic elements use; TPlatform adds
// the controls the window elements own. Every backend (headless, desktop)
// implements both; no element or page includes a toolkit header.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "runtime/system_ops.h"
#include "ui/control.h"

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
// Controls must all be destroyed before it. The platform keeps what every
// backend shares: the focus and capture bookkeeping, the thread rules for
// boxes and hand-overs, the window style words and the command line.
class TPlatform : public TSystemOps {
 public:
  TPlatform();
  ~TPlatform() override;

  // Frame of a form: a 24-pixel caption bar and 3-pixel borders around the
  // client area.
  static constexpr int32_t kFrameSide = 3;
  static constexpr int32_t kFrameTop = 24;

  // A new control of that kind under `parent` (none for forms); the
  // caller owns it.
  virtual TControl* CreateControl(TControlKind kind, TControl* parent, const TCreateOptions& options) = 0;

  virtual TSize ScreenSize() = 0;
  // Size of `text` (CR, LF and CR LF break lines) drawn in that font.
  virtual TSize MeasureText(const std::string& text, const TFontRec& font, int32_t height) = 0;

  // The desktop's clipboard, in program text: code page 1251, lines broken
  // by CR LF. A backend hands the desktop its own encoding and line breaks
  // and reads them back the same way.
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() = 0;
  // A popup menu of `items` at the mouse over `at` (a control on screen);
  // runs until the user picks a line (its index) or dismisses the menu
  // (kNoMenuItem). Window thread only.
  static constexpr int32_t kNoMenuItem = -1;
  virtual int32_t PopupMenu(TControl* at, const std::vector<std::string>& items) = 0;
  // Whether PopupMenu waits for the pick; a platform that cannot wait
  // answers when the request that asked for the menu is delivered again.
  virtual bool PopupMenuWaits() const { return true; }

  // Runs until QuitMessageLoop; then answers.
  virtual void RunMessageLoop() = 0;
  virtual void QuitMessageLoop() = 0;

  void SetCapture(TControl* c);
  void ReleaseCapture();
  TControl* Captured() const { return capture_; }
  // The control with the keyboard focus, or none.
  virtual TControl* Focused() { return focus_; }

  // TSystemOps. A box asked for off the window thread is posted there and
  // answers IdOk at once; a hand-over from the window thread runs at once.
  int ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) final;
  bool IsUIThread() final;
  bool RunOnUIThread(const std::function<void()>& fn) final;

  // How this platform runs a worker's body: on a thread of its own; or (a
  // build without threads) on the calling thread, to the end of the body
  // before StartWorker answers, or in slices, the first before StartWorker
  // answers and each next one handed to PostSlice, so that the window goes
  // on answering between them. The elements do not know which; a doStart
  // behaves the same either way once the body has ended.
  enum class TWorkerMode { OwnThread, ToTheEnd, InSlices };
  TWorkerMode WorkerMode() const { return worker_mode_; }
  void SetWorkerMode(TWorkerMode mode) { worker_mode_ = mode; }
  std::unique_ptr<TWorkerRun> StartWorker(TWorkerBody body) override;
  // Runs the next slice of a worker's body on the window thread after the
  // window's own work (input, painting) due now. Queued as posted work
  // unless the backend has a quicker way.
  virtual void PostSlice(std::function<void()> slice) { PostToUIThread(std::move(slice)); }

  // Control operations made off the window thread (a fault of the caller).
  int ThreadViolations() const { return thread_violations_.load(); }

  // The shared tooltip manager, made on first use.
  TTooltips& Tooltips();
  bool HasTooltips() const { return tooltips_ != nullptr; }

  // The control behind a handle, or none.
  TControl* FromHandle(int32_t handle) const;
  int32_t WindowStyleOf(int32_t handle) override;
  void SetWindowStyleOf(int32_t handle, int32_t style) override;
  void RedrawMenuBar(int32_t handle) override;

  // The application window belongs to the first form: claiming answers
  // true when there was none, and the claim lasts until released.
  bool ClaimApplicationWindow(TControl* form);
  void ReleaseApplicationWindow(TControl* form);
  TControl* ApplicationForm() const { return app_form_; }
  // Readable from any thread.
  bool HasApplicationWindow() const { return has_app_window_.load(std::memory_order_acquire); }

  // Screen pixels per pixel of the layout (ui/scale.h), 1 until a desktop
  // backend is given its screen's. Setting another shows every control
  // there is again at the new scale; Bounds() and every other read stay in
  // the layout's pixels.
  double Scale() const { return scale_; }
  void SetScale(double scale);

  // Whether controls put off what only a shown control needs (a desktop
  // measures texts and opens faces at a cost) until they first show. The
  // headless backend does all of it at once, so that every control reads
  // back its final size whether shown or not.
  virtual bool DefersHiddenWork() const { return false; }
  // Reveals every deferred control now showing (TControl::DeferWhileHidden).
  // A backend calls it before it draws. Window thread only.
  void RunDeferred();

  // Command line: argument 0 is the program, then the arguments.
  void SetCommandLine(const std::string& program, const std::vector<std::string>& args);
  int ParamCount() const { return static_cast<int>(args_.size()); }
  std::string ParamStr(int i) const;

 protected:
  virtual std::unique_ptr<TTooltips> CreateTooltips() { return std::make_unique<TTooltips>(); }
  // The scale has changed: what the backend draws by itself (tooltips)
  // follows it. Controls are told one by one (TControl::Rescale).
  virtual void ApplyScale() {}
  // Shows a box on the window thread and answers the pressed button.
  virtual int ShowBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) = 0;
  // From another thread: queues `fn` for the window thread and waits until
  // it ran (true) or was dropped because the loop ended (false).
  virtual bool HandOver(const std::function<void()>& fn) = 0;
  // Counts a call made off the window thread.
  void CheckThread();
  // Records that the focus is now on `c` (none: nowhere) and tells the
  // control that lost it and the one that gained it; a handler that moves
  // the focus again wins, and the later control is not told FocusIn.
  void FocusMoved(TControl* c);
  TControl* RecordedFocus() const { return focus_; }

 private:
  friend class TControl;
  // A control is about to go: forget it as focus or capture.
  void ControlDestroyed(TControl* c);
  void Defer(TControl* c);
  void ForgetDeferred(TControl* c);

  const std::thread::id ui_thread_;
  std::atomic<int> thread_violations_{0};
  TControl* focus_ = nullptr;
  TControl* capture_ = nullptr;
  std::map<int32_t, TControl*> controls_;
  int32_t next_handle_ = 0x100;
  int64_t next_tab_serial_ = 1;
  std::unique_ptr<TTooltips> tooltips_;
  // Controls waiting to be revealed; worth a look only after something was
  // deferred or made visible since the last look.
  std::vector<TControl*> deferred_;
  std::vector<TControl*> revealing_;  // taken out of deferred_, being told
  bool deferred_stale_ = false;
  TControl* app_form_ = nullptr;
  std::atomic<bool> has_app_window_{false};
  double scale_ = 1.0;
  TWorkerMode worker_mode_ = kBuildHasThreads ? TWorkerMode::OwnThread : TWorkerMode::ToTheEnd;
  std::string program_;
  std::vector<std::string> args_;
  TPlatform* previous_;
  TSystemOps* previous_ops_;
};

// The installed backend, or none.
TPlatform* Platform();
