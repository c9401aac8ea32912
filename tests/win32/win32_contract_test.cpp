// The platform contract on the Win32 backend: real windows, under Wine on
// a virtual X display in the tests. The user is played with the messages
// a mouse click or a key press sends; boxes are answered from a timer.
#include <windows.h>
#include <commctrl.h>

#include <chrono>

#include "ui/platform_contract.h"
#include "ui/win32/control.h"
#include "ui/win32/win32_platform.h"
#include "win32/user.h"

namespace {

class TWin32Backend : public TContractBackend {
 public:
  TWin32Backend() : answering_(boxes_) {}

  TPlatform& Platform() override { return platform_; }
  bool PumpUntil(const std::function<bool()>& done) override { return Pump(platform_, done); }
  void Click(TControl* c) override { ClickWindow(static_cast<TWin32Control*>(c)->Window()); }
  void PressTab(bool backward) override { ::PressKey(GetFocus(), VK_TAB, backward); }
  void RightClick(TControl* c) override { RightClickWindow(static_cast<TWin32Control*>(c)->Window()); }
  void AnswerNextMenu(int32_t index) override { AnswerMenuWith(index); }
  void SelectText(TControl* field, int32_t at, int32_t count) override {
    field->SetFocus();
    HWND window = static_cast<TWin32Control*>(field)->FocusWindow();
    SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at + count));
  }
  void PressCtrlC() override { PressControlKey(GetFocus(), 'C'); }
  std::vector<std::string> ShownBoxes() override { return boxes_; }
  void ClickRow(TControl* table, int32_t row) override {
    HWND list = static_cast<TWin32Control*>(table)->Window();
    RECT r = {};
    r.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r))) << "row " << row;
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
  }
  void PressKey(TControl* c, int32_t key) override {
    c->SetFocus();
    ::PressKey(static_cast<TWin32Control*>(c)->FocusWindow(), key);
  }
  void CloseBox(TControl* form) override { SendMessageW(static_cast<TWin32Control*>(form)->Window(), WM_CLOSE, 0, 0); }
  std::optional<TSize> CellPixels(TControl* table, int32_t column) override {
    HWND list = static_cast<TWin32Control*>(table)->Window();
    RECT r = {};
    r.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return TSize{static_cast<int32_t>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)),
                 r.bottom - r.top};
  }
  std::optional<bool> ShownAsOwned(TControl* form, TControl* owner) override {
    HWND window = static_cast<TWin32Control*>(form)->Window();
    const bool appWindow = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    return IsWindowVisible(window) && !appWindow &&
           GetWindow(window, GW_OWNER) == static_cast<TWin32Control*>(owner)->Window();
  }
  std::optional<TRect> OnScreen(TControl* c) override {
    HWND w = static_cast<TWin32Control*>(c)->Window();
    RECT r;
    if (c->Kind() == TControlKind::Form) {
      GetClientRect(w, &r);
      POINT origin = {0, 0};
      ClientToScreen(w, &origin);
      return TRect{origin.x, origin.y, r.right, r.bottom};
    }
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, static_cast<TWin32Control*>(c)->FormOf()->Window(), reinterpret_cast<POINT*>(&r), 2);
    return TRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  std::optional<int> TextPixels(TControl* c) override {
    HFONT f = reinterpret_cast<HFONT>(SendMessageW(static_cast<TWin32Control*>(c)->Window(), WM_GETFONT, 0, 0));
    LOGFONTW face = {};
    if (!f || !GetObjectW(f, sizeof face, &face)) return std::nullopt;
    return face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
  }

 private:
  TWin32Platform platform_;
  std::vector<std::string> boxes_;
  TBoxAnswerer answering_;
};

}  // namespace

static std::unique_ptr<TContractBackend> MakeWin32() { return std::unique_ptr<TContractBackend>(new TWin32Backend); }

KELVANE_PLATFORM_CONTRACT(Win32, (TContractParam{"Win32", &MakeWin32}));
KELVANE_PLATFORM_CONTRACT(Win32AtScale2, (TContractParam{"Win32AtScale2", &MakeWin32, 2.0}));

// --- Moving to a monitor of another DPI ------------------------------------------------

namespace {

struct TDestroyed {
  void operator()(TControl* c) const { TControl::Destroy(c); }
};

// Where a child window is, in its form's client area.
RECT PlaceOf(HWND child, HWND form) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

TEST(Win32MonitorDpi, AFormMovedToAnotherDpiTakesItsScaleAndWhereWindowsSuggests) {
  TWin32Platform platform;
  std::unique_ptr<TControl, TDestroyed> form(platform.CreateControl(TControlKind::Form, nullptr, {}));
  form->SetBounds({40, 40, 400, 300});
  TControl* edit = platform.CreateControl(TControlKind::Edit, form.get(), {});
  edit->SetBounds({7, 9, 80, 24});
  form->SetVisible(true);
  HWND window = static_cast<TWin32Control*>(form.get())->Window();
  HWND field = static_cast<TWin32Control*>(edit)->Window();

  const struct {
    UINT dpi;
    RECT suggested;
    double scale;
    TRect form;
    RECT field;
  } moves[] = {
      {192, {300, 200, 1100, 800}, 2, {150, 100, 400, 300}, {14, 18, 174, 66}},
      {144, {90, 60, 690, 510}, 1.5, {60, 40, 400, 300}, {11, 14, 131, 50}},  // 10.5 and 13.5 round away
      {96, {40, 40, 440, 340}, 1, {40, 40, 400, 300}, {7, 9, 87, 33}},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(testing::Message() << "dpi " << m.dpi);
    RECT suggested = m.suggested;
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(m.dpi, m.dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(platform.Scale(), m.scale);
    EXPECT_EQ(form->Bounds(), m.form);
    EXPECT_EQ(edit->Bounds(), (TRect{7, 9, 80, 24}));
    const RECT at = PlaceOf(field, window);
    EXPECT_EQ(at.left, m.field.left);
    EXPECT_EQ(at.top, m.field.top);
    EXPECT_EQ(at.right, m.field.right);
    EXPECT_EQ(at.bottom, m.field.bottom);
  }
}

TEST(Win32MonitorDpiErrors, AnExplicitScaleIgnoresTheMonitorsDpi) {
  TWin32Platform platform;
  platform.FollowMonitorDpi(false);
  platform.SetScale(1.5);
  std::unique_ptr<TControl, TDestroyed> form(platform.CreateControl(TControlKind::Form, nullptr, {}));
  form->SetBounds({40, 40, 400, 300});
  RECT suggested = {300, 200, 1100, 800};
  SendMessageW(static_cast<TWin32Control*>(form.get())->Window(), 0x02E0, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(platform.Scale(), 1.5);
  EXPECT_EQ(form->Bounds(), (TRect{40, 40, 400, 300}));
}
