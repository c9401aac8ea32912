// What the screenshots must show, checked on every page: each control
// inside its page, each caption fitting its control, and no text running
// into another control. The pages' geometry is fixed and was laid out for
// the same font metrics, so a caption may overrun by up to kSlack pixels
// (a colon under the edge of the next field) but not more.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/harness.h"
#include "pages/main_form.h"
#include "support/sample_scheme.h"
#include "ui/fltk/control.h"

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include "ui/fltk/draw.h"

namespace {

constexpr int kSlack = 2;

struct TBox {
  int x, y, w, h;
};

bool Overlap(const TBox& a, const TBox& b, int tolerance) {
  const int dx = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
  const int dy = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
  return dx > tolerance && dy > tolerance;
}

// Where a control's caption is drawn, in window coordinates, and whether
// the control has one.
bool CaptionBox(TControl* c, TBox& box) {
  Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
  const char* text = w->label();
  if (!text || !*text) return false;
  int extra = 0;
  switch (c->Kind()) {
    case TControlKind::Label: break;
    case TControlKind::CheckBox: extra = 20; break;  // the box and its gap
    case TControlKind::Button: extra = 8; break;     // the button's edges
    default: return false;
  }
  fl_font(w->labelfont(), w->labelsize());
  int tw = 0, th = 0;
  fl_measure(text, tw, th, 0);
  box = {w->x(), w->y(), tw + extra, th};
  return true;
}

void CheckPage(TGuiSession& s, int page) {
  SCOPED_TRACE("page " + std::to_string(page));
  TControl* pageBox = s.Scheme().PageBox(page);
  ASSERT_NE(pageBox, nullptr);
  Fl_Widget* pw = static_cast<TFltkControl*>(pageBox)->Widget();
  std::vector<TControl*> controls;
  for (TControl* c : pageBox->Children())
    if (static_cast<TFltkControl*>(c)->Widget()->visible()) controls.push_back(c);
  for (TControl* c : controls) {
    Fl_Widget* w = static_cast<TFltkControl*>(c)->Widget();
    const std::string where = "control at " + std::to_string(c->Bounds().Left) + "," + std::to_string(c->Bounds().Top);
    EXPECT_TRUE(w->x() >= pw->x() && w->y() >= pw->y() && w->x() + w->w() <= pw->x() + pw->w() &&
                w->y() + w->h() <= pw->y() + pw->h())
        << where << " sticks out of its page";
    TBox caption;
    if (CaptionBox(c, caption)) {
      EXPECT_LE(caption.w, w->w() + kSlack) << where << ": \"" << w->label() << "\" is clipped";
      for (TControl* other : controls) {
        if (other == c) continue;
        Fl_Widget* o = static_cast<TFltkControl*>(other)->Widget();
        EXPECT_FALSE(Overlap(caption, {o->x(), o->y(), o->w(), o->h()}, kSlack))
            << where << ": \"" << w->label() << "\" runs into the control at " << other->Bounds().Left << ","
            << other->Bounds().Top;
      }
    }
  }
}

TEST(Layout, EveryPageOfTheProgramFits) {
  TGuiSession::Run(&MakeMainScheme, {}, [](TGuiSession& s) {
    for (int page = 0; page < s.Scheme().PageCount(); ++page) {
      s.SelectTab(page);
      CheckPage(s, page);
    }
  });
}

TEST(Layout, EveryPageOfTheSampleFits) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(SampleFactory(&counters), {}, [](TGuiSession& s) {
    for (int page = 0; page < s.Scheme().PageCount(); ++page) {
      s.SelectTab(page);
      CheckPage(s, page);
    }
  });
}

TEST(Layout, TextLongerThanAFixedLabelIsReportedClipped) {
  TSampleScheme::TCounters counters;
  TGuiSession::Run(SampleFactory(&counters), {}, [](TGuiSession& s) {
    auto& sample = static_cast<TSampleScheme&>(s.Scheme());
    TData long_text;
    SetString(long_text, "0.123456789012345");
    sample.result->doText(long_text);
    TBox caption;
    ASSERT_TRUE(CaptionBox(sample.result->Control(), caption));
    EXPECT_GT(caption.w, static_cast<TFltkControl*>(sample.result->Control())->Widget()->w());
  });
}

}  // namespace
