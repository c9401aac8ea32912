#include "gui/screens.h"

#include <sys/stat.h>
#include <zlib.h>

#include <FL/Fl.H>

#include <chrono>
#include <cstdio>

#include "gui/harness.h"
#include "scenarios/screenshots.h"
#include "scenarios/window_screens.h"
#include "ui/fltk/control.h"
#include "ui/fltk/draw.h"

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
// reads the window back as RGB rows.
std::vector<uint8_t> CaptureForm(TFltkPlatform& platform, TControl* form, TControl* focus, int& w, int& h) {
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
  w = window.w();
  h = window.h();
  window.make_current();
  uchar* pixels = fl_read_image(nullptr, 0, 0, w, h);
  std::vector<uint8_t> rgb;
  if (pixels) rgb.assign(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
  delete[] pixels;
  return rgb;
}

TFormCapture CaptureOn(TFltkPlatform& platform) {
  return [&platform](TControl* form, TControl* focus, int& w, int& h) {
    return CaptureForm(platform, form, focus, w, h);
  };
}

}  // namespace

int SaveTableScreen(const std::string& path, const std::vector<std::string>& args) {
  TFltkPlatform platform;
  return SaveTableSampleScreen(platform, path, args, CaptureOn(platform), &Compressed);
}

int SavePartsScreen(const std::string& path, const std::vector<std::string>& args) {
  TFltkPlatform platform;
  return SavePartsWindowScreen(platform, path, args, CaptureOn(platform), &Compressed);
}
