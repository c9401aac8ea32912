#include "gui/screens.h"

#include <sys/stat.h>
#include <zlib.h>

#include <FL/Fl.H>

#include <chrono>
#include <cstdio>

#include "gui/harness.h"
#include "runtime/event.h"
#include "scenarios/screenshots.h"
#include "pages/main_form.h"
#include "scenarios/parts_screen.h"
#include "scenarios/table_sample.h"
#include "ui/button.h"
#include "ui/fltk/control.h"
#include "ui/fltk/draw.h"
#include "ui/scale.h"

namespace {

// The Linux screenshots are compressed: zlib is there.
std::vector<uint8_t> Compressed(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return {};
  packed.resize(size);
  return packed;
}

}  // namespace

int SaveScreens(const TMainFactory& factory, const std::string& dir, const std::vector<std::string>& args) {
  mkdir(dir.c_str(), 0755);
  int failures = 0;
  const int status = TGuiSession::Run(factory, args, [&](TGuiSession& s) {
    failures = SavePageScreens(s, dir, [&s](int& w, int& h) { return s.Capture(w, h); }, &Compressed);
  });
  return status == 0 ? failures : failures + 1;
}

namespace {

// Waits until `form`'s window is on screen, gives `focus` the focus, and
// saves the window as the PNG `path`; 0 when saved and not blank.
int SaveFormScreen(TFltkPlatform& platform, TControl* form, TControl* focus, const std::string& path) {
  Fl_Window& window = *static_cast<TFltkControl*>(form)->Window();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    platform.BeforeFrame();
    XWindowAttributes attributes{};
    if (window.shown() && XGetWindowAttributes(fl_display, fl_xid(&window), &attributes) &&
        attributes.map_state == IsViewable)
      break;
    if (std::chrono::steady_clock::now() >= deadline) break;
    Fl::wait(0.01);
  }
  // The selected row as the user sees it in a window they work in.
  if (focus) focus->SetFocus();
  window.redraw();
  for (int i = 0; i < 4; ++i) Fl::check();
  Fl::flush();
  XSync(fl_display, False);
  const int w = window.w(), h = window.h();
  window.make_current();
  uchar* pixels = fl_read_image(nullptr, 0, 0, w, h);
  std::vector<uint8_t> rgb;
  if (pixels) rgb.assign(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
  delete[] pixels;
  if (rgb.empty() || !WritePng(path, rgb.data(), w, h, &Compressed)) {
    std::fprintf(stderr, "%s: could not be saved\n", path.c_str());
    return 1;
  }
  if (LooksBlank(rgb)) {
    std::fprintf(stderr, "%s: looks blank\n", path.c_str());
    return 1;
  }
  std::printf("%s %dx%d\n", path.c_str(), w, h);
  return 0;
}

void MakeFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos) mkdir(path.substr(0, slash).c_str(), 0755);
}

}  // namespace

int SaveTableScreen(const std::string& path, const std::vector<std::string>& args) {
  MakeFolderOf(path);
  TFltkPlatform platform;
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TTableSample sample = MakeTableSample();
  RunInits();
  StartDispatch();
  sample.Form->ShowApplication();
  const int status = SaveFormScreen(platform, sample.Form->Control(), sample.Table->Control(), path);
  StopDispatch();
  return status;
}

int SavePartsScreen(const std::string& path, const std::vector<std::string>& args) {
  MakeFolderOf(path);
  TFltkPlatform platform;
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TClassMainForm_2943964 scheme;
  TPartsWindow* parts = OpenFirstPagesParts(scheme);
  const int status = parts ? SaveFormScreen(platform, parts->Form->Control(), parts->Sets->Control(), path) : 1;
  StopDispatch();
  return status;
}
