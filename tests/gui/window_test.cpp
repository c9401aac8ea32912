// The main window as the desktop sees it: title, size, place, frame hints,
// icon, class, the tab strip, closing, and the "/ih" box.
#include <gtest/gtest.h>

#include "gui/harness.h"
#include "scenarios/scenario.h"
#include "pages/main_form.h"
#include "runtime/resources.h"
#include "ui/fltk/control.h"
#include "ui/fltk/tab_strip.h"
#include "ui/main_form.h"
#include "ui/program.h"

// Last: the X headers' macros would clash with the names above.
#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

// The values of a 32-bit X property of a window (empty when it is not set).
std::vector<long> CardinalProperty(Window xid, const char* name) {
  Atom atom = XInternAtom(fl_display, name, False);
  Atom type;
  int format;
  unsigned long count, rest;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(fl_display, xid, atom, 0, 1 << 20, False, AnyPropertyType, &type, &format, &count, &rest,
                         &data) == Success &&
      data && format == 32) {
    const long* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

TEST(MainWindow, TitleSizePlaceAndFrame) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    Fl_Window& w = s.Window();
    ASSERT_TRUE(w.shown());
    EXPECT_STREQ(w.label(), "Kelvane v1.3");
    // The outer 445 x 307 less a 3-pixel frame and a 24-pixel caption.
    EXPECT_EQ(w.w(), 445 - 2 * TFltkPlatform::kFrameSide);
    EXPECT_EQ(w.h(), 307 - TFltkPlatform::kFrameTop - TFltkPlatform::kFrameSide);
    // Centred on the 1024 x 768 screen: the outer frame at 290, 231.
    EXPECT_EQ(w.x(), 290 + TFltkPlatform::kFrameSide);
    EXPECT_EQ(w.y(), 231 + TFltkPlatform::kFrameTop);
    const TRect outer = s.Scheme().Form()->Control()->Bounds();
    EXPECT_EQ(outer, (TRect{290, 231, 445, 307}));
  });
}

TEST(MainWindow, CannotBeResizedOrMaximised) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    Fl_Window& w = s.Window();
    // What the window manager is told: the smallest and largest size are
    // the size itself, which leaves no maximise box either.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(fl_display, fl_xid(&w), &hints, &supplied));
    ASSERT_TRUE(hints.flags & PMinSize);
    ASSERT_TRUE(hints.flags & PMaxSize);
    EXPECT_EQ(hints.min_width, w.w());
    EXPECT_EQ(hints.max_width, w.w());
    EXPECT_EQ(hints.min_height, w.h());
    EXPECT_EQ(hints.max_height, w.h());
    const int32_t style = s.Scheme().Form()->Control()->Style();
    EXPECT_EQ(style & kStyleMaximizeBox, 0);
    EXPECT_EQ(style & kStyleSizable, 0);
  });
}

TEST(MainWindow, CarriesTheIconInThreeSizesAndTheDesktopClass) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    Fl_Window& w = s.Window();
    // _NET_WM_ICON: width, height, then width * height pixels, per image.
    const std::vector<long> icon = CardinalProperty(fl_xid(&w), "_NET_WM_ICON");
    std::vector<long> sizes;
    for (size_t i = 0; i + 1 < icon.size();) {
      sizes.push_back(icon[i]);
      EXPECT_EQ(icon[i], icon[i + 1]) << "icons are square";
      i += 2 + static_cast<size_t>(icon[i] * icon[i + 1]);
    }
    EXPECT_EQ(sizes, (std::vector<long>{16, 32, 48}));
    // Taken from the .ico, the images are the PNG copies' pixel for pixel,
    // alpha included (ARGB per pixel, read back as signed 32-bit values).
    std::vector<long> fromPngs;
    for (const char* name : {"ICON0_16", "ICON0_32", "ICON0_48"}) {
      const TResource* r = FindResourceData(name, ResData);
      ASSERT_NE(r, nullptr);
      Fl_PNG_Image png(name, r->data, static_cast<int>(r->size));
      ASSERT_EQ(png.d(), 4) << name;
      fromPngs.push_back(png.w());
      fromPngs.push_back(png.h());
      const auto* px = reinterpret_cast<const unsigned char*>(png.data()[0]);
      for (int i = 0; i < png.w() * png.h(); ++i, px += 4)
        fromPngs.push_back(static_cast<int32_t>(static_cast<uint32_t>(px[3]) << 24 | px[0] << 16 | px[1] << 8 | px[2]));
    }
    EXPECT_EQ(icon, fromPngs);
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(fl_display, fl_xid(&w), &hint));
    // The desktop entry's StartupWMClass names the class.
    EXPECT_STREQ(hint.res_name, "kelvane");
    EXPECT_STREQ(hint.res_class, "Kelvane");
    XFree(hint.res_name);
    XFree(hint.res_class);
  });
}

TEST(MainWindow, TabStripShowsTheTenCaptionsInOrder) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    auto* control = static_cast<TFltkControl*>(s.Scheme().Tabs()->Control());
    auto* tabs = static_cast<TTabs*>(control->Widget());
    const std::vector<std::string> expected = {"LM317 Voltage", "LM317 Current", "L200",         "TL431",
                                               "TL431+LM317",   "M5237",         "78xx Voltage", "78xx Current",
                                               "uA723",         "About"};
    EXPECT_EQ(control->Items(), expected);
    EXPECT_EQ(tabs->Count(), 10);
    EXPECT_EQ(tabs->Selected(), 0);
    // The pages lie over the strip's body, below its captions.
    EXPECT_LE(tabs->y() + tabs->HeaderHeight(), static_cast<TFltkControl*>(s.Scheme().PageBox(0))->Widget()->y());
  });
}

TEST(MainWindow, EscapeLeavesTheWindowOpenAndTheCloseBoxEndsTheProgram) {
  bool stillOpen = false;
  const int status = TGuiSession::Run(&MakeMainScheme, {}, [&](TGuiSession& s) {
    s.PressKey(FL_Escape, "\x1b");
    s.Settle();
    stillOpen = s.Window().shown() != 0;
    s.CloseWindow();
    s.Settle();
    EXPECT_FALSE(s.Window().shown());
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(status, 0);
}

TEST(MainWindow, InfoSwitchShowsOnlyTheInfoBox) {
  std::vector<TSeenBox> boxes;
  bool scriptRan = false;
  const int status =
      TGuiSession::Run(&MakeMainScheme, {"/ih"}, [&](TGuiSession&) { scriptRan = true; }, {}, &boxes);
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(scriptRan);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Wirebench Info");
  EXPECT_EQ(boxes[0].Text, "\xD0\xA1\xD0\xB4\xD0\xB5\xD0\xBB\xD0\xB0\xD0\xBD\xD0\xBE \xD0\xB2 Wirebench.");
  EXPECT_EQ(boxes[0].Style, static_cast<uint32_t>(MbOk));
}

// The pixels of page `tab`'s group box: drawn afresh, or as a partial
// repaint left them on screen.
std::vector<uint8_t> PagePixels(TGuiSession& s, int tab, bool fresh) {
  int w = 0, h = 0;
  const std::vector<uint8_t> all = fresh ? s.Capture(w, h) : s.CaptureAsShown(w, h);
  const Fl_Widget* box = static_cast<TFltkControl*>(s.Scheme().PageBox(tab))->Widget();
  std::vector<uint8_t> rows;
  if (all.empty() || box->x() + box->w() > w || box->y() + box->h() > h) return rows;
  for (int y = box->y(); y < box->y() + box->h(); ++y) {
    const size_t from = (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(box->x())) * 3;
    rows.insert(rows.end(), all.begin() + static_cast<long>(from),
                all.begin() + static_cast<long>(from + static_cast<size_t>(box->w()) * 3));
  }
  return rows;
}

TTabs& TabsOf(TGuiSession& s) {
  return *static_cast<TTabs*>(static_cast<TFltkControl*>(s.Scheme().Tabs()->Control())->Widget());
}

TEST(MainWindow, ScrollingAndPickingTabsKeepThePageDrawn) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    TTabs& tabs = TabsOf(s);
    const std::vector<uint8_t> first = PagePixels(s, 0, true);
    ASSERT_FALSE(first.empty());
    s.ScrollTabs(true);
    ASSERT_EQ(tabs.FirstShown(), 1);
    EXPECT_TRUE(PagePixels(s, 0, false) == first) << "scrolled forward once";
    s.ScrollTabs(true);
    s.ScrollTabs(false);
    s.ScrollTabs(false);
    ASSERT_EQ(tabs.FirstShown(), 0);
    EXPECT_TRUE(PagePixels(s, 0, false) == first) << "scrolled back to the start";

    s.SelectTab(8);  // scrolls with the arrows, then clicks the tab
    const std::vector<uint8_t> last = PagePixels(s, 8, true);
    EXPECT_FALSE(last == first);
    while (tabs.FirstShown() > 0) s.ScrollTabs(false);
    EXPECT_TRUE(PagePixels(s, 8, false) == last) << "scrolled back with another page shown";
    s.SelectTab(8);  // the selected tab again
    EXPECT_TRUE(PagePixels(s, 8, false) == last) << "the selected tab clicked again";
    s.SelectTab(0);
    EXPECT_TRUE(PagePixels(s, 0, false) == first) << "back to the first page";
  });
}

TEST(MainWindow, ControlKeysSwitchPagesAsTabClicksDo) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    TTabs& tabs = TabsOf(s);
    struct TKey {
      int keysym;
      int state;
      int page;
    };
    const TKey keys[] = {
        {FL_Tab, FL_CTRL, 1},           {FL_Page_Down, FL_CTRL, 2}, {FL_Page_Up, FL_CTRL, 1},
        {FL_Tab, FL_CTRL | FL_SHIFT, 0}, {FL_Tab, FL_CTRL | FL_SHIFT, 9},  // wraps to the last page
        {FL_Page_Down, FL_CTRL, 0},      // and on to the first
        {FL_Page_Up, FL_CTRL, 9},
    };
    for (const TKey& k : keys) {
      s.PressKey(k.keysym, k.keysym == FL_Tab ? "\t" : "", k.state);
      s.Settle();
      EXPECT_EQ(s.VisiblePages(), std::vector<int>{k.page}) << "key " << k.keysym << " state " << k.state;
      EXPECT_EQ(tabs.Selected(), k.page);
      int x, y, w, h;
      EXPECT_TRUE(tabs.TabArea(k.page, x, y, w, h)) << "the selected tab is scrolled into view";
    }
    // From inside a field of a page, too; plain Tab only moves the focus.
    s.PressKey(FL_Tab, "\t", FL_CTRL);
    s.Click(s.Find({0, 315, 15}));
    s.PressKey(FL_Tab, "\t", 0);
    s.Settle();
    EXPECT_EQ(s.VisiblePages(), std::vector<int>{0});
    s.PressKey(FL_Page_Down, "", FL_CTRL);
    s.Settle();
    EXPECT_EQ(s.VisiblePages(), std::vector<int>{1});
  });
}

// --- Page switching, as rows ---------------------------------------------------

class PageSwitching : public ::testing::TestWithParam<TScenario> {};


TEST_P(PageSwitching, ShowsExactlyOnePage) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) { EXPECT_TRUE(RunSteps(s, GetParam().Steps)); });
}

const TScenario kSwitching[] = {
    {"StartsOnTheFirstPage", {ExpectPages({0})}},
    {"EveryTabInTurn",
     {Tab(1), ExpectPages({1}), Tab(2), ExpectPages({2}), Tab(3), ExpectPages({3}), Tab(4), ExpectPages({4}),
      Tab(5), ExpectPages({5}), Tab(6), ExpectPages({6}), Tab(7), ExpectPages({7}), Tab(8), ExpectPages({8}),
      Tab(9), ExpectPages({9})}},
    {"BackFromTheLastTab", {Tab(9), Tab(0), ExpectPages({0}), Tab(8), ExpectPages({8}), Tab(2), ExpectPages({2})}},
    {"SameTabAgainChangesNothing", {Tab(3), ExpectPages({3}), Tab(3), ExpectPages({3})}},
};

INSTANTIATE_TEST_SUITE_P(Tabs, PageSwitching, ::testing::ValuesIn(kSwitching),
                         [](const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); });

}  // namespace
