// The screenshot step on the Win32 backend: DIR/page-N.png for every page
// of the real window, read back from the screen once the page is drawn.
#include <windows.h>

#include <cstdio>

#include "pages/main_form.h"
#include "scenarios/screenshots.h"
#include "scenarios/window_screens.h"
#include "ui/main_form.h"
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
// first, and reads its client area back as RGB rows.
std::vector<uint8_t> CaptureForm(TWin32Platform& platform, TControl* formControl, TControl* focus, int& w, int& h) {
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
  return CaptureClient(form, w, h);
}

TFormCapture CaptureOn(TWin32Platform& platform) {
  return [&platform](TControl* form, TControl* focus, int& w, int& h) {
    return CaptureForm(platform, form, focus, w, h);
  };
}

}  // namespace

int SaveWin32TableScreen(const std::string& path, const std::vector<std::string>& args) {
  TWin32Platform platform;
  return SaveTableSampleScreen(platform, path, args, CaptureOn(platform));
}

int SaveWin32PartsScreen(const std::string& path, const std::vector<std::string>& args) {
  TWin32Platform platform;
  return SavePartsWindowScreen(platform, path, args, CaptureOn(platform));
}
