// What the logic elements need of the desktop: message boxes, starting a
// command, the main window's style word and the hand-over to the window
// thread. The window layer's platform implements it; logic never sees a
// control, a toolkit or the window layer itself.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
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

// Pressed-button identifiers returned by ShowMessageBox.
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

// Whether this build can start threads: a WebAssembly build without
// shared memory cannot, and runs a worker's body another way.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool kBuildHasThreads = false;
#else
constexpr bool kBuildHasThreads = true;
#endif

// A worker's body as a platform runs it: each call goes on from where the
// last one left off and answers true once the body has ended. The body
// leaves off early only inside a slice (TWorkerSlice), so on a thread of
// its own, or run to its end, one call does all of it.
using TWorkerBody = std::function<bool()>;

// A worker's body once started (TSystemOps::StartWorker). Join answers once
// the body has ended: it waits for the body's thread, or runs whatever is
// left of a body run in slices, to its end, on the calling thread. The
// destructor of a run not yet ended joins it.
class TWorkerRun {
 public:
  virtual ~TWorkerRun() = default;
  virtual void Join() = 0;
};

// The three ways a worker's body runs: on a thread of its own (none
// answered when the system cannot make one; the body then never runs); at
// once on the calling thread to its end, before the call answers; or in
// slices on the calling thread, the first at once and each next one handed
// to `post` (which runs it later on the same thread), until the body ends.
std::unique_ptr<TWorkerRun> StartThreadWorker(TWorkerBody body);
std::unique_ptr<TWorkerRun> RunWorkerInline(TWorkerBody body);
// The time a slice of a worker's body may take: well under a frame's
// budget of the window thread, so that input and painting go on between.
constexpr std::chrono::milliseconds kWorkerSliceTime{8};
using TPostSlice = std::function<void(std::function<void()> slice)>;
std::unique_ptr<TWorkerRun> RunWorkerInSlices(TWorkerBody body, TPostSlice post,
                                              std::chrono::steady_clock::duration sliceTime = kWorkerSliceTime);

// A slice of a worker's body run on the window thread: open while its
// object lives, on the thread that made it (slices nest; the innermost
// counts). RunWorkerInSlices opens one around each call of the body.
class TWorkerSlice {
 public:
  explicit TWorkerSlice(std::chrono::steady_clock::duration time);
  ~TWorkerSlice();
  TWorkerSlice(const TWorkerSlice&) = delete;
  TWorkerSlice& operator=(const TWorkerSlice&) = delete;

 private:
  friend bool SliceOver();
  std::chrono::steady_clock::time_point end_;
  uint32_t asked_ = 0;
  bool over_ = false;
  TWorkerSlice* outer_;
};

// True once the time of the slice open on this thread has run out, so a
// body should leave off at its next step and answer; false outside a slice.
// Cheap: reads the clock on every few calls only.
bool SliceOver();

// Installed once per process by the window layer (or by a test's fake);
// every operation may be called from any thread unless it says otherwise.
class TSystemOps {
 public:
  virtual ~TSystemOps() = default;

  // Modal box with `text` and `caption` (code page 1251; CR and CR LF break
  // lines); `owned` puts it over the main window. Returns the pressed
  // button's identifier. Called off the window thread it must not wait for
  // that thread: the box is shown later and the call answers IdOk.
  virtual int ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) = 0;

  // Starts a command line without waiting, never through a shell; answers
  // kCommandStarted when started, anything else when not.
  virtual int StartCommand(const std::string& commandLine, int showMode) = 0;

  // Style word of the window behind a handle read from the main form;
  // unknown handles read 0 and ignore writes.
  virtual int32_t WindowStyleOf(int32_t handle) = 0;
  virtual void SetWindowStyleOf(int32_t handle, int32_t style) = 0;
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

  // Starts a worker's body the way this platform runs work: a thread of its
  // own where the build has threads, else on the calling thread to its end.
  // None when no worker could be started: the body never runs, and the
  // caller must not take its work for done.
  virtual std::unique_ptr<TWorkerRun> StartWorker(TWorkerBody body);
};

// One screen frame: the least time between two turns of the window thread
// that run posted work while more keeps coming.
constexpr std::chrono::milliseconds kUIThreadTurnPeriod{16};

// The installed operations, or none (then boxes answer IdOk, nothing is
// started and hand-overs do nothing).
// The warning that ends a calculation whose result cannot be carried (an
// integer beyond 32 bits, a value beyond the largest double): the box
// kTooLargeText, "Warning!", OK with the exclamation icon, then the chain
// is halted (runtime/event.h).
extern const char kTooLargeText[];
void StopTooLarge();

TSystemOps* SystemOps();
// Installs `ops` (none to remove) and returns the previous ones.
TSystemOps* SetSystemOps(TSystemOps* ops);
