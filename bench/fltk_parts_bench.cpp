// Opening the Parts window in the desktop program, to its first paint, on an
// X display, driven through FLTK's own event handling (the GUI tests'
// harness). After a Calculate on LM317 Voltage, Ctrl+D is pressed in the
// main window and timed from the key until the Parts window is on screen and
// drawn:
//   first open   the window and the device data are built on demand, once
//                per process, so every round is a process of its own (the
//                benchmark forks before anything touches the display);
//   reopen       after closing it with its close box, kReopens per round.
// Floor: an empty FLTK window of the Parts window's size and place (so that
// it comes under the pointer as that one does) in the same process, right
// after: a new one shown, then the same one hidden and shown
// again, timed from show() to the same end.
// The end ("first paint"): the message loop runs as the program's does
// (Fl::wait: the checks, in which the program maps a window it made visible,
// then the frame, then the events) until the window is shown, a frame has
// drawn it (show() marks the whole window damaged; a frame clears that, and
// FLTK draws a new X window only once the server's first Expose for it has
// come, so after the server mapped it), the X server reports it viewable,
// and the server has carried out the drawing (XSync).
// Medians over the rounds; each figure ends as one line "row<TAB>name<TAB>
// figure<TAB>floor<TAB>ratio<TAB>target" for the table script/bench prints.
// Exit status 3 when a figure is above its target.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "gui/harness.h"
#include "pages/main_form.h"
#include "ui/fltk/control.h"

// After our headers: X's macros (None, KeyPress) would clash with their names.
#include <FL/x.H>

namespace {

using Clock = TBenchClock;

constexpr int kReopens = 3;
constexpr double kTargetMs = 50;
constexpr double kGiveUpMs = 10000;
// What one round hands its parent: microseconds, as whole numbers.
constexpr int kFirstFigures = 2;  // the Parts window, the empty window
constexpr int kRoundFigures = kFirstFigures + 2 * kReopens;

bool Viewable(Fl_Window& w) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(fl_display, fl_xid(&w), &attributes) && attributes.map_state == IsViewable;
}

// Runs the message loop until `w` is on screen and drawn (see the top);
// the milliseconds since `from`, or -1 after kGiveUpMs.
double PaintedAfter(Fl_Window& w, Clock::time_point from) {
  for (;;) {
    Fl::wait(0);
    if (w.shown() && w.damage() == 0) {
      XSync(fl_display, False);
      if (Viewable(w)) return Ms(from, Clock::now());
    }
    if (Ms(from, Clock::now()) > kGiveUpMs) return -1;
  }
}

// A user's pause before the next key: what the server still sends about
// the last step (a closed window's last events, the focus moving) is
// handled before the clock starts, not in the next figure.
constexpr double kPauseSeconds = 0.1;
void Pause() {
  XSync(fl_display, False);
  const Clock::time_point t0 = Clock::now();
  while (Ms(t0, Clock::now()) < kPauseSeconds * 1000) Fl::wait(kPauseSeconds);
}

void PressCtrlD(TGuiSession& s) { InjectKey(s.Window(), 'd', "\x04", FL_CTRL); }

// Ctrl+D, timed to the Parts window's first paint; -1 when it did not open
// with the best sets of the calculated page.
double OpenParts(TGuiSession& s, TClassMainForm_2943964& scheme) {
  Pause();
  const Clock::time_point t0 = Clock::now();
  PressCtrlD(s);
  TPartsWindow* parts = scheme.PartsWindow();
  if (!parts || !parts->Form->Control()) return -1;
  Fl_Window* w = static_cast<TFltkControl*>(parts->Form->Control())->Window();
  const double ms = PaintedAfter(*w, t0);
  return parts->IsOpen() && !parts->Sets->Rows().empty() ? ms : -1;
}

// Its close box, as a user closes it.
bool CloseParts(TGuiSession& s, TClassMainForm_2943964& scheme) {
  Fl_Window* w = static_cast<TFltkControl*>(scheme.PartsWindow()->Form->Control())->Window();
  Fl::handle(FL_CLOSE, w);
  s.Settle();
  return !w->shown() && !scheme.PartsWindow()->IsOpen();
}

// The empty window shown, timed to its first paint; -1 when show() did not
// mark it for drawing (the end above would not hold).
double ShowEmpty(Fl_Window& w) {
  Pause();
  const Clock::time_point t0 = Clock::now();
  w.show();
  if (w.damage() == 0) return -1;
  return PaintedAfter(w, t0);
}

// One round in a fresh process; its figures in `out` (kRoundFigures, all
// non-negative when the round went as expected).
void Round(std::vector<double>& out) {
  TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    auto* scheme = dynamic_cast<TClassMainForm_2943964*>(&s.Scheme());
    if (!scheme) return;
    s.Calculate(0);
    s.WaitForWorkers();
    std::vector<double> parts{OpenParts(s, *scheme)};
    if (parts[0] < 0) return;
    Fl_Window* shown = static_cast<TFltkControl*>(scheme->PartsWindow()->Form->Control())->Window();
    const int left = shown->x(), top = shown->y(), width = shown->w(), height = shown->h();
    for (int i = 0; i < kReopens; ++i) {
      if (!CloseParts(s, *scheme)) return;
      parts.push_back(OpenParts(s, *scheme));
    }
    CloseParts(s, *scheme);
    std::vector<double> empty;
    auto floor = std::make_unique<Fl_Double_Window>(left, top, width, height);
    floor->end();
    empty.push_back(ShowEmpty(*floor));
    for (int i = 0; i < kReopens; ++i) {
      floor->hide();
      empty.push_back(ShowEmpty(*floor));
    }
    floor->hide();
    out = {parts[0], empty[0]};
    for (int i = 0; i < kReopens; ++i) {
      out.push_back(parts[1 + i]);
      out.push_back(empty[1 + i]);
    }
  });
}

// Runs Round in a child process; false when it failed.
bool ForkRound(std::vector<double>& figures) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    close(fds[0]);
    std::vector<double> out;
    Round(out);
    bool ok = out.size() == kRoundFigures && std::all_of(out.begin(), out.end(), [](double v) { return v >= 0; });
    if (ok) {
      std::string line;
      for (double ms : out) line += std::to_string(static_cast<long long>(ms * 1000)) + " ";
      if (write(fds[1], line.data(), line.size()) != static_cast<ssize_t>(line.size())) ok = false;
    }
    std::fflush(stdout);
    _exit(ok ? 0 : 1);
  }
  close(fds[1]);
  std::string text;
  char buf[256];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  figures.clear();
  char* at = &text[0];
  for (int i = 0; i < kRoundFigures; ++i) {
    char* end = nullptr;
    const long long us = std::strtoll(at, &end, 10);
    if (end == at) return false;
    figures.push_back(static_cast<double>(us) / 1000);
    at = end;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  if (argc == 3 && std::strcmp(argv[1], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[2]));
  std::vector<double> first, firstFloor, reopen, reopenFloor;
  for (int round = 0; round < rounds; ++round) {
    std::vector<double> f;
    if (!ForkRound(f)) {
      std::fprintf(stderr, "fltk_parts_bench: the Parts window did not open and paint as expected\n");
      return 1;
    }
    first.push_back(f[0]);
    firstFloor.push_back(f[1]);
    for (int i = 0; i < kReopens; ++i) {
      reopen.push_back(f[kFirstFigures + 2 * i]);
      reopenFloor.push_back(f[kFirstFigures + 2 * i + 1]);
    }
  }
  const double o = Median(first), of = Median(firstFloor), r = Median(reopen), rf = Median(reopenFloor);
  std::printf("Parts window to first paint: first open %.1f ms (empty window %.1f ms), reopen %.1f ms "
              "(empty window %.1f ms); %d rounds, first opens %.1f to %.1f ms\n",
              o, of, r, rf, rounds, *std::min_element(first.begin(), first.end()),
              *std::max_element(first.begin(), first.end()));
  Row("opening the Parts window, to first paint", Format("%.1f ms", o), Format("%.1f ms empty window", of),
      Format("%.1f", o / of), Format("<= %.0f ms", kTargetMs));
  Row("reopening the Parts window, to first paint", Format("%.1f ms", r), Format("%.1f ms empty window", rf),
      Format("%.1f", r / rf), Format("<= %.0f ms", kTargetMs));
  return o > kTargetMs || r > kTargetMs ? 3 : 0;
}
