// The screenshot step on the Win32 backend: DIR/page-N.png for every page
// of the real window, read back from the screen once the page is drawn.
#include <windows.h>

#include <cstdio>

#include "pages/main_form.h"
#include "runtime/event.h"
#include "scenarios/screenshots.h"
#include "scenarios/parts_screen.h"
#include "scenarios/table_sample.h"
#include "ui/button.h"
#include "ui/main_form.h"
#include "ui/scale.h"
#include "ui/win32/control.h"
#include "ui/win32/win32_platform.h"
#include "win32/screens.h"
#include "win32/session.h"

namespace {

// The form's client area as RGB rows, as the screen shows it.
std::vector<uint8_t> CaptureClient(HWND form, int& w, int& h) {
  RECT r;
  GetClientRect(form, &r);
  w = r.right;
  h = r.bottom;
  std::vector<uint8_t> rgb;
  if (w <= 0 || h <= 0) return rgb;
  HDC screen = GetDC(form);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (bits && BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY)) {
    GdiFlush();
    const auto* bgrx = static_cast<const uint8_t*>(bits);
    rgb.reserve(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (size_t i = 0; i < static_cast<size_t>(w) * static_cast<size_t>(h); ++i) {
      rgb.push_back(bgrx[i * 4 + 2]);
      rgb.push_back(bgrx[i * 4 + 1]);
      rgb.push_back(bgrx[i * 4]);
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(form, screen);
  return rgb;
}

}  // namespace

int SaveWin32Screens(const std::string& dir, const std::vector<std::string>& args) {
  CreateDirectoryA(dir.c_str(), nullptr);
  int failures = 0;
  const TWin32Session::TResult result = TWin32Session::Run(args, [&](TWin32Session& s) {
    HWND form = static_cast<TWin32Control*>(s.Scheme().Form()->Control())->Window();
    failures = SavePageScreens(s, dir, [&](int& w, int& h) {
      RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      s.Settle();
      GdiFlush();
      Sleep(100);
      s.Settle();
      return CaptureClient(form, w, h);
    });
  });
  if (!result.ScriptRan) ++failures;
  return result.Status == 0 ? failures : failures + 1;
}

namespace {

// Draws `form` until the desktop has painted it, gives `focus` the focus
// first, and saves its client area as the PNG `path`; 0 when saved and
// not blank.
int SaveFormScreen(TWin32Platform& platform, TControl* formControl, TControl* focus, const std::string& path) {
  HWND form = static_cast<TWin32Control*>(formControl)->Window();
  // The selected row as the user sees it in a window they work in.
  if (focus) focus->SetFocus();
  for (int round = 0; round < 5; ++round) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 50 && platform.PumpPending(); ++i) {
    }
    GdiFlush();
    Sleep(50);
  }
  int w = 0, h = 0;
  const std::vector<uint8_t> rgb = CaptureClient(form, w, h);
  if (rgb.empty() || !WritePng(path, rgb.data(), w, h)) {
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
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos) CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

}  // namespace

int SaveWin32TableScreen(const std::string& path, const std::vector<std::string>& args) {
  MakeFolderOf(path);
  TWin32Platform platform;
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TTableSample sample = MakeTableSample();
  RunInits();
  StartDispatch();
  sample.Form->ShowApplication();
  const int status = SaveFormScreen(platform, sample.Form->Control(), sample.Table->Control(), path);
  StopDispatch();
  return status;
}

int SaveWin32PartsScreen(const std::string& path, const std::vector<std::string>& args) {
  MakeFolderOf(path);
  TWin32Platform platform;
  platform.SetScale(ScaleArgument(args).value_or(1.0));
  TClassMainForm_2943964 scheme;
  TPartsWindow* parts = OpenFirstPagesParts(scheme);
  const int status = parts ? SaveFormScreen(platform, parts->Form->Control(), parts->Sets->Control(), path) : 1;
  StopDispatch();
  return status;
}
