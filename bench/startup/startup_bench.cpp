// startup_bench [--runs N] PROGRAM FLOOR
// Starts each program N times in turn on the current X display and
// measures the time from the fork to the map of its first top-level
// window, and its peak resident memory (the whole run, until the window
// is closed through the window manager's close message). Prints the
// medians and PROGRAM's ratios to FLOOR; the target is 1.5 on both. Both
// ratios end as lines "row<TAB>name<TAB>figure<TAB>floor<TAB>ratio<TAB>
// target" for the table script/bench prints.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct TRun {
  double mapMs = 0;
  long maxRssKb = 0;
  bool ok = false;
};

// The next event, or false once `deadline` has passed.
bool NextEvent(Display* d, XEvent& e, Clock::time_point deadline) {
  while (!XPending(d)) {
    if (Clock::now() >= deadline) return false;
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(d), &fds);
    timeval tv{0, 10000};
    select(ConnectionNumber(d) + 1, &fds, nullptr, nullptr, &tv);
  }
  XNextEvent(d, &e);
  return true;
}

void AskToClose(Display* d, Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &e);
  XFlush(d);
}

TRun RunOnce(Display* d, const char* program) {
  TRun run;
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, True);  // drop what came before
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    std::perror(program);
    _exit(127);
  }
  XEvent e;
  Window mapped = 0;
  const Clock::time_point deadline = start + std::chrono::seconds(20);
  while (!mapped && NextEvent(d, e, deadline))
    if (e.type == MapNotify) mapped = e.xmap.window;
  if (mapped) {
    run.mapMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Let it draw its first frame before it is asked to close.
    usleep(200000);
    AskToClose(d, mapped);
  }
  int status = 0;
  rusage usage{};
  const Clock::time_point exitDeadline = Clock::now() + std::chrono::seconds(10);
  pid_t done = 0;
  while ((done = wait4(child, &status, WNOHANG, &usage)) == 0 && Clock::now() < exitDeadline) usleep(5000);
  if (done == 0) {
    kill(child, SIGKILL);
    wait4(child, &status, 0, &usage);
    std::fprintf(stderr, "%s did not close; killed\n", program);
    return run;
  }
  run.maxRssKb = usage.ru_maxrss;
  run.ok = mapped != 0 && WIFEXITED(status);
  return run;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 11;
  int arg = 1;
  if (arg + 1 < argc && std::strcmp(argv[arg], "--runs") == 0) {
    runs = std::max(1, std::atoi(argv[arg + 1]));
    arg += 2;
  }
  if (argc - arg != 2) {
    std::fprintf(stderr, "usage: %s [--runs N] PROGRAM FLOOR\n", argv[0]);
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
    return 2;
  }
  const char* programs[2] = {argv[arg], argv[arg + 1]};
  std::vector<double> ms[2], rss[2];
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < 2; ++p) {
      const TRun r = RunOnce(d, programs[p]);
      if (!r.ok) {
        std::fprintf(stderr, "%s: run %d failed\n", programs[p], i + 1);
        return 1;
      }
      ms[p].push_back(r.mapMs);
      rss[p].push_back(static_cast<double>(r.maxRssKb));
    }
  }
  XCloseDisplay(d);
  const double msRatio = Median(ms[0]) / Median(ms[1]);
  const double rssRatio = Median(rss[0]) / Median(rss[1]);
  std::printf("%-12s %10s %12s   (medians of %d runs)\n", "", "to map", "peak memory", runs);
  for (int p = 0; p < 2; ++p)
    std::printf("%-12s %7.1f ms %9.0f KiB   %s\n", p == 0 ? "program" : "floor", Median(ms[p]), Median(rss[p]),
                programs[p]);
  std::printf("%-12s %8.2f x %10.2f x   (target: at most 1.5 x)\n", "ratio", msRatio, rssRatio);
  // The lines of script/bench's table.
  std::printf("row\tstart-up of the desktop program, to the window mapped\t%.1f ms\t%.1f ms empty window\t%.2f\t<= 1.5\n",
              Median(ms[0]), Median(ms[1]), msRatio);
  std::printf("row\tpeak memory of the desktop program\t%.0f KiB\t%.0f KiB empty window\t%.2f\t<= 1.5\n",
              Median(rss[0]), Median(rss[1]), rssRatio);
  return msRatio <= 1.5 && rssRatio <= 1.5 ? 0 : 3;
}
