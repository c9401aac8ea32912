// The screenshot step on the Win32 backend: DIR/page-N.png for every page
// of the real window, read back from the screen once the page is drawn.
#include <windows.h>

#include <cstdio>

#include "gui/png_file.h"
#include "runtime/data.h"
#include "ui/main_form.h"
#include "ui/win32/control.h"
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

bool LooksBlank(const std::vector<uint8_t>& rgb) {
  // Fewer than 8 colours: nothing but flat areas, no text, no picture.
  std::vector<uint32_t> seen;
  for (size_t i = 0; i + 2 < rgb.size() && seen.size() < 8; i += 3) {
    const uint32_t colour = static_cast<uint32_t>(rgb[i]) << 16 | static_cast<uint32_t>(rgb[i + 1]) << 8 | rgb[i + 2];
    bool known = false;
    for (uint32_t c : seen) known = known || c == colour;
    if (!known) seen.push_back(colour);
  }
  return seen.size() < 8;
}

}  // namespace

int SaveWin32Screens(const std::string& dir, const std::vector<std::string>& args) {
  CreateDirectoryA(dir.c_str(), nullptr);
  int failures = 0;
  const TWin32Session::TResult result = TWin32Session::Run(args, [&](TWin32Session& s) {
    HWND form = static_cast<TWin32Control*>(s.Scheme().Form()->Control())->Window();
    for (int page = 0; page < s.Scheme().PageCount(); ++page) {
      s.SelectTab(page);
      RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      s.Settle();
      GdiFlush();
      Sleep(100);
      s.Settle();
      int w = 0, h = 0;
      const std::vector<uint8_t> rgb = CaptureClient(form, w, h);
      const std::string path = dir + "/page-" + IntegerToText(page) + ".png";
      if (rgb.empty() || !WritePng(path, rgb.data(), w, h)) {
        std::fprintf(stderr, "%s: could not be saved\n", path.c_str());
        ++failures;
      } else if (LooksBlank(rgb)) {
        std::fprintf(stderr, "%s: looks blank\n", path.c_str());
        ++failures;
      } else {
        std::printf("%s %dx%d\n", path.c_str(), w, h);
      }
    }
  });
  if (!result.ScriptRan) ++failures;
  return result.Status == 0 ? failures : failures + 1;
}
