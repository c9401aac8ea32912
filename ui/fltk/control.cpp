#include "ui/fltk/control.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>

#include <algorithm>

#include "ui/encoding.h"
#include "ui/scale.h"
#include "ui/fltk/colors.h"
#include "ui/fltk/draw.h"
#include <X11/Xatom.h>
#include "ui/fltk/events.h"
#include "ui/fltk/fltk_platform.h"
#include "ui/fltk/fonts.h"
#include "ui/fltk/pictures.h"
#include "ui/fltk/tab_strip.h"

namespace {

// An editable drop-down list whose button is ButtonWidth wide (FLTK's own
// keeps 20 pixels at any size).
class TInputChoice : public Fl_Input_Choice {
 public:
  TInputChoice(int x, int y, int w, int h) : Fl_Input_Choice(x, y, w, h) {}
  int ButtonWidth = TPickChoice::kButtonWidth;
  void resize(int x, int y, int w, int h) override {
    Fl_Input_Choice::resize(x, y, w, h);
    const int dx = Fl::box_dx(box()), dy = Fl::box_dy(box()), inner = std::max(0, w - Fl::box_dw(box()));
    const int button = std::min(ButtonWidth, inner);
    input()->resize(x + dx, y + dy, inner - button, h - Fl::box_dh(box()));
    menubutton()->resize(x + dx + inner - button, y + dy, button, h - Fl::box_dh(box()));
  }
};

using TEditField = TWidget<Fl_Input>;
using TPickList = TWidget<TPickChoice>;
using TEditList = TWidget<TInputChoice>;
using TTabStrip = TWidget<TTabs>;

// Byte offset in UTF-8 text of the character `chars` characters in.
int Utf8Offset(const char* text, int32_t chars) {
  int offset = 0;
  for (int32_t i = 0; i < chars && text[offset]; ++i) {
    ++offset;
    while ((static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) ++offset;
  }
  return offset;
}

// Characters (code page 1251 bytes) in the first `bytes` bytes of UTF-8 text.
int32_t CharsBefore(const char* text, int bytes) {
  int32_t chars = 0;
  for (int i = 0; i < bytes && text[i]; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++chars;
  return chars;
}

Fl_Input* FieldOf(Fl_Widget* w, TControlKind kind) {
  if (kind == TControlKind::Edit) return static_cast<Fl_Input*>(w);
  if (kind == TControlKind::EditList) return static_cast<Fl_Input_Choice*>(w)->input();
  return nullptr;
}

Fl_Cursor FltkCursor(int32_t cursor) {
  switch (cursor) {
    case CursorHand: return FL_CURSOR_HAND;
    case CursorText: return FL_CURSOR_INSERT;
    default: return FL_CURSOR_DEFAULT;
  }
}

// Asks the window manager to leave the window off the task bar: the state
// is read when the window is taken under management, which follows the
// mapping just asked for in the same batch of requests.
void KeepOffTaskBar(Fl_Window& window) {
  const Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
  const Atom skip = XInternAtom(fl_display, "_NET_WM_STATE_SKIP_TASKBAR", False);
  XChangeProperty(fl_display, fl_xid(&window), state, XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(&skip), 1);
}

}  // namespace

int RouteEvent(TFltkControl& control, Fl_Widget& widget, int event, TBaseHandle base) {
  return control.Route(widget, event, base);
}

void NotifyGeometry(TFltkControl& control, bool moved, bool resized) { control.Geometry(moved, resized); }

TFltkControl::TFltkControl(TFltkPlatform& platform, TControlKind kind, TControl* parent, const TCreateOptions& options)
    : TControl(platform, kind, parent, options), fp_(platform) {
  // Widgets made while a group is open would land in it.
  Fl_Group::current(nullptr);
  switch (kind) {
    case TControlKind::Form: {
      auto* window = new TFormWindow(100, 100);
      window->xclass("kelvane");
      widget_ = window;
      break;
    }
    case TControlKind::Button:
      widget_ = new TWidget<Fl_Button>(0, 0, 1, 1);
      break;
    case TControlKind::CheckBox: {
      auto* box = new TWidget<Fl_Check_Button>(0, 0, 1, 1);
      box->box(FL_FLAT_BOX);
      widget_ = box;
      break;
    }
    case TControlKind::GroupBox:
      widget_ = new TFrameGroup(0, 0, 1, 1);
      break;
    case TControlKind::Edit: {
      auto* field = new TEditField(0, 0, 1, 1);
      field->when(FL_WHEN_CHANGED);
      widget_ = field;
      break;
    }
    case TControlKind::Label:
      widget_ = new TLabelWidget(0, 0, 1, 1);
      break;
    case TControlKind::PickList: {
      auto* list = new TPickList(0, 0, 1, 1);
      list->ButtonWidth = ScaleLength(TPickChoice::kButtonWidth, Scale());
      list->when(FL_WHEN_RELEASE_ALWAYS);
      widget_ = list;
      break;
    }
    case TControlKind::EditList: {
      auto* list = new TEditList(0, 0, 1, 1);
      list->ButtonWidth = ScaleLength(TPickChoice::kButtonWidth, Scale());
      list->input()->when(FL_WHEN_CHANGED);
      list->input()->callback(&TFltkControl::FieldChanged, this);
      list->menubutton()->callback(&TFltkControl::LinePicked, this);
      list->menubutton()->when(FL_WHEN_RELEASE_ALWAYS);
      widget_ = list;
      break;
    }
    case TControlKind::TabStrip: {
      auto* tabs = new TTabStrip(0, 0, 1, 1);
      tabs->SetScale(Scale());
      widget_ = tabs;
      break;
    }
    case TControlKind::Panel:
      widget_ = new TPanelGroup(0, 0, 1, 1);
      break;
    case TControlKind::Image:
      widget_ = new TPictureWidget(0, 0, 1, 1);
      break;
    case TControlKind::Table:
      widget_ = new TTableWidget(0, 0, 1, 1);
      break;
  }
  widget_->user_data(this);
  if (kind != TControlKind::EditList) widget_->callback(&TFltkControl::Callback, this);
  ApplyColor();
  fp_.Register(widget_, this);
  if (Fl_Group* host = HostGroup()) host->add(widget_);
  Place();
  ApplyEdge();
  ApplyOptions();
  if (Scale() != 1.0) ScaleDefaultFont();
}

TFltkControl::~TFltkControl() {
  fp_.Unregister(widget_);
  widget_->user_data(nullptr);
  if (map_pending_) fp_.ForgetMap(this);
  if (Kind() == TControlKind::Form) static_cast<Fl_Window*>(widget_)->hide();
  if (Fl_Group* g = widget_->parent()) {
    const int x = widget_->x(), y = widget_->y(), w = widget_->w(), h = widget_->h();
    g->remove(widget_);
    RedrawAround(x, y, w, h);
  }
  delete widget_;
}

// --- Placement -----------------------------------------------------------------

Fl_Group* TFltkControl::HostGroup() const {
  for (TControl* p = Parent(); p; p = p->Parent()) {
    const TControlKind k = p->Kind();
    if (k == TControlKind::Form || k == TControlKind::GroupBox || k == TControlKind::Panel)
      return static_cast<TFltkControl*>(p)->Widget()->as_group();
  }
  return nullptr;
}

void TFltkControl::ParentOrigin(int& x, int& y) const {
  x = y = 0;
  const auto* parent = static_cast<const TFltkControl*>(Parent());
  if (!parent || parent->Kind() == TControlKind::Form) return;
  x = parent->Widget()->x();
  y = parent->Widget()->y();
}

void TFltkControl::RedrawAround(int x, int y, int w, int h) {
  if (Fl_Window* win = Window()) win->damage(FL_DAMAGE_ALL, x, y, w, h);
}

Fl_Window* TFltkControl::Window() const {
  if (Kind() == TControlKind::Form) return static_cast<Fl_Window*>(widget_);
  return widget_->window();
}

void TFltkControl::Place() {
  // The program's own moves are not reported back to it.
  placing_ = true;
  PlaceWidget();
  placing_ = false;
}

double TFltkControl::Scale() const { return Platform().Scale(); }

void TFltkControl::PlaceWidget() {
  if (Kind() == TControlKind::Form) {
    const TRect client = ScaleRect({bounds_.Left + TPlatform::kFrameSide, bounds_.Top + TPlatform::kFrameTop,
                                    std::max(1, bounds_.Width - 2 * TPlatform::kFrameSide),
                                    std::max(1, bounds_.Height - TPlatform::kFrameTop - TPlatform::kFrameSide)},
                                   Scale());
    auto* window = static_cast<Fl_Window*>(widget_);
    window->resize(client.Left, client.Top, client.Width, client.Height);
    if (!(style_ & kStyleSizable)) window->size_range(client.Width, client.Height, client.Width, client.Height);
    return;
  }
  int ox, oy;
  ParentOrigin(ox, oy);
  const int oldX = widget_->x(), oldY = widget_->y(), oldW = widget_->w(), oldH = widget_->h();
  const TRect r = ScaleRect({bounds_.Left, bounds_.Top, std::max(0, bounds_.Width), std::max(0, bounds_.Height)}, Scale());
  widget_->resize(ox + r.Left, oy + r.Top, r.Width, r.Height);
  RedrawAround(oldX, oldY, oldW, oldH);
  widget_->redraw();
}

TRect TFltkControl::Bounds() const {
  if (Kind() != TControlKind::Form) return TControl::Bounds();
  // The window may have been moved by the user.
  const TRect client = UnscaleRect({widget_->x(), widget_->y(), widget_->w(), widget_->h()}, Scale());
  return {client.Left - TPlatform::kFrameSide, client.Top - TPlatform::kFrameTop,
          client.Width + 2 * TPlatform::kFrameSide, client.Height + TPlatform::kFrameTop + TPlatform::kFrameSide};
}

void TFltkControl::ScaleDefaultFont() {
  // A control the program gave no font draws FLTK's default size, scaled.
  const int size = ScaleLength(FL_NORMAL_SIZE, Scale());
  widget_->labelsize(size);
  if (Fl_Input* field = FieldOf(widget_, Kind())) field->textsize(size);
  if (Kind() == TControlKind::PickList) static_cast<Fl_Choice*>(widget_)->textsize(size);
  if (Kind() == TControlKind::EditList) static_cast<Fl_Input_Choice*>(widget_)->menubutton()->textsize(size);
  if (Kind() == TControlKind::Table) static_cast<TTableWidget*>(widget_)->FontChanged();
}

void TFltkControl::Rescale() {
  Place();
  if (font_height_ != 0 || !font_.Name.empty())
    ApplyFont();
  else
    ScaleDefaultFont();
  ApplyOptions();
  ApplyPicture();
  if (Kind() == TControlKind::PickList || Kind() == TControlKind::EditList) {
    const int width = ScaleLength(TPickChoice::kButtonWidth, Scale());
    if (Kind() == TControlKind::PickList)
      static_cast<TPickChoice*>(widget_)->ButtonWidth = width;
    else
      static_cast<TInputChoice*>(widget_)->ButtonWidth = width;
    widget_->resize(widget_->x(), widget_->y(), widget_->w(), widget_->h());
  }
  if (Kind() == TControlKind::TabStrip) static_cast<TTabs*>(widget_)->SetScale(Scale());
  if (Kind() == TControlKind::Table) {
    ApplyColumns();
    ApplySelected();
  }
  widget_->redraw();
}

void TFltkControl::Geometry(bool moved, bool resized) {
  if (placing_) return;
  if (moved) Notify(TNotifyKind::Moved);
  if (resized) Notify(TNotifyKind::Resize);
}

void TFltkControl::Raise() {
  if (Kind() == TControlKind::Form) {
    // A window on screen comes to the front.
    if (static_cast<Fl_Window*>(widget_)->shown() && !map_pending_) widget_->show();
    return;
  }
  Fl_Group* g = widget_->parent();
  if (!g || g->children() == 0 || g->child(g->children() - 1) == widget_) return;
  // FLTK draws later children on top and offers them events first.
  g->remove(widget_);
  g->add(widget_);
  widget_->redraw();
}

// --- Text ------------------------------------------------------------------------

void TFltkControl::ApplyText() {
  const std::string utf8 = Cp1251ToUtf8(text_);
  switch (Kind()) {
    case TControlKind::Edit:
    case TControlKind::EditList:
      FieldOf(widget_, Kind())->value(utf8.c_str());
      SetCaret(static_cast<int32_t>(text_.size()));
      break;
    case TControlKind::PickList:  // shows its selected line only
    case TControlKind::TabStrip:
    case TControlKind::Image:
    case TControlKind::Table:
      break;
    default:
      widget_->copy_label(utf8.c_str());
      widget_->redraw();
      break;
  }
}

std::string TFltkControl::Text() const {
  switch (Kind()) {
    case TControlKind::Edit:
    case TControlKind::EditList:
      return Utf8ToCp1251(FieldOf(widget_, Kind())->value());
    default:
      return TControl::Text();
  }
}

// FLTK scrolls a field to show its caret even without the focus, so a
// field without the focus keeps its caret aside and shows its start, as
// desktop fields do; it gets the caret back with the focus.
void TFltkControl::SetCaret(int32_t pos) {
  Fl_Input* field = FieldOf(widget_, Kind());
  if (!field) return;
  const int offset = Utf8Offset(field->value(), std::max<int32_t>(0, pos));
  if (Fl::focus() == field) {
    field->position(offset);
  } else {
    caret_ = CharsBefore(field->value(), offset);
    field->position(0);
  }
}

bool TFltkControl::HasSelection() const {
  Fl_Input* field = FieldOf(widget_, Kind());
  return field && field->position() != field->mark();
}

int32_t TFltkControl::Caret() const {
  Fl_Input* field = FieldOf(widget_, Kind());
  if (!field) return 0;
  if (Fl::focus() != field) return caret_;
  return CharsBefore(field->value(), field->position());
}

// --- Look ----------------------------------------------------------------------

void TFltkControl::ApplyVisible() {
  if (visible_ && Kind() == TControlKind::Form && !widget_->visible()) {
    // The form is visible from now on, as far as the program can tell: it
    // hears of it now, not again when the window is mapped.
    map_pending_ = true;
    fp_.MapBeforeFrame(this);
    Notify(TNotifyKind::Shown);
  } else if (visible_) {
    widget_->show();
  } else {
    if (map_pending_) {
      map_pending_ = false;
      fp_.ForgetMap(this);
    }
    widget_->hide();
    if (hovered_) {
      hovered_ = false;
      if (Fl_Window* win = Window()) win->cursor(FL_CURSOR_DEFAULT);
    }
  }
}

bool TFltkControl::Visible() const { return map_pending_ || widget_->visible() != 0; }

void TFltkControl::Map() {
  map_pending_ = false;
  mapping_ = true;
  auto* window = static_cast<Fl_Window*>(widget_);
  Fl_Window* owner = Owner() ? static_cast<TFltkControl*>(Owner())->Window() : nullptr;
  const bool owned = owner && owner->shown();
  if (owned) {
    // FLTK makes a non-modal window the transient of the window first in
    // its list when it maps it: the owner, put there now.
    window->set_non_modal();
    Fl::first_window(owner);
  }
  window->show();
  if (owned) KeepOffTaskBar(*window);
  mapping_ = false;
}

void TFltkControl::Reveal() {
  if (font_deferred_) ApplyFont();
  if (menu_deferred_) RebuildMenu();
  TControl::Reveal();
}

void TFltkControl::ApplyEnabled() {
  if (enabled_)
    widget_->activate();
  else
    widget_->deactivate();
}

void TFltkControl::ApplyColor() {
  const Fl_Color c = ToFlColor(color_);
  widget_->color(c);
  if (Kind() == TControlKind::EditList) static_cast<Fl_Input_Choice*>(widget_)->input()->color(c);
  if (Kind() == TControlKind::PickList) widget_->color2(c);
  widget_->redraw();
}

void TFltkControl::ApplyFont() {
  // A picture draws no text: resolving its font would only open a face at
  // a size nothing uses.
  if (Kind() == TControlKind::Image) return;
  // Nor does a control not on screen yet, until it shows.
  font_deferred_ = DeferWhileHidden();
  if (font_deferred_) return;
  const TFltkFont f = ResolveFont(font_, font_height_, Scale());
  const Fl_Color c = ToFlColor(font_.Color);
  switch (Kind()) {
    case TControlKind::Edit: {
      auto* field = static_cast<Fl_Input*>(widget_);
      field->textfont(f.Face);
      field->textsize(f.Size);
      field->textcolor(c);
      break;
    }
    case TControlKind::PickList: {
      auto* list = static_cast<Fl_Choice*>(widget_);
      list->textfont(f.Face);
      list->textsize(f.Size);
      list->textcolor(c);
      break;
    }
    case TControlKind::EditList: {
      auto* list = static_cast<Fl_Input_Choice*>(widget_);
      list->textfont(f.Face);
      list->textsize(f.Size);
      list->textcolor(c);
      list->menubutton()->textfont(f.Face);
      list->menubutton()->textsize(f.Size);
      break;
    }
    case TControlKind::Label:
      static_cast<TLabelWidget*>(widget_)->Look = {f.Underline, f.StrikeOut};
      [[fallthrough]];
    default:
      widget_->labelfont(f.Face);
      widget_->labelsize(f.Size);
      widget_->labelcolor(c);
      break;
  }
  if (Kind() == TControlKind::Table) static_cast<TTableWidget*>(widget_)->FontChanged();
  widget_->redraw();
}

void TFltkControl::ApplyEdge() {
  // 0: the sunken edge of a field; 1: a plain single border.
  const Fl_Boxtype box = edge_ == 0 ? FL_DOWN_BOX : FL_BORDER_BOX;
  if (Kind() == TControlKind::Edit || Kind() == TControlKind::EditList || Kind() == TControlKind::PickList) {
    widget_->box(box);
    widget_->redraw();
  }
  if (Kind() == TControlKind::Table) {
    // The table draws its own cells inside the frame.
    widget_->box(edge_ == 0 ? FL_DOWN_FRAME : FL_BORDER_FRAME);
    widget_->redraw();
  }
}

void TFltkControl::ApplyStyle() {
  if (Kind() != TControlKind::Form) return;
  auto* window = static_cast<Fl_Window*>(widget_);
  if (style_ & kStyleSizable)
    window->size_range(100, 50, 0, 0);
  else
    window->size_range(window->w(), window->h(), window->w(), window->h());
}

void TFltkControl::ShowCursor() {
  if (Kind() == TControlKind::Edit || Kind() == TControlKind::EditList) return;  // the field's own
  if (Fl_Window* win = Window()) win->cursor(hovered_ ? FltkCursor(cursor_) : FL_CURSOR_DEFAULT);
}

void TFltkControl::ApplyAlignment() {
  if (Kind() == TControlKind::Label) static_cast<TLabelWidget*>(widget_)->Alignment = alignment_;
  if (Kind() == TControlKind::Panel) static_cast<TPanelGroup*>(widget_)->Alignment = alignment_;
  widget_->redraw();
}

void TFltkControl::SetFocus() {
  if (Fl_Widget* w = FocusWidget()) w->take_focus();
  fp_.SyncFocus();
}

Fl_Widget* TFltkControl::FocusWidget() const {
  if (Kind() == TControlKind::EditList) return static_cast<Fl_Input_Choice*>(widget_)->input();
  return widget_;
}

// --- Lines -----------------------------------------------------------------------

void TFltkControl::RebuildMenu() {
  if (Kind() == TControlKind::TabStrip) {
    std::vector<std::string> captions;
    for (const std::string& item : items_) captions.push_back(Cp1251ToUtf8(item));
    auto* tabs = static_cast<TTabs*>(widget_);
    tabs->SetTabs(captions);
    tabs->Select(selected_);
    return;
  }
  if (Kind() != TControlKind::PickList && Kind() != TControlKind::EditList) return;
  // A list fills its lines one at a time, and each would build the whole
  // menu again: a list not on screen builds it once, when it first shows.
  menu_deferred_ = DeferWhileHidden();
  if (menu_deferred_) return;
  menu_texts_.clear();
  for (const std::string& item : items_) {
    std::string utf8 = Cp1251ToUtf8(item), escaped;
    // Menus underline the letter after '&'; a line shows its '&' as it is.
    for (char c : utf8) {
      escaped += c;
      if (c == '&') escaped += '&';
    }
    menu_texts_.push_back(escaped);
  }
  menu_.assign(menu_texts_.size() + 1, Fl_Menu_Item());
  for (size_t i = 0; i < menu_texts_.size(); ++i) menu_[i].text = menu_texts_[i].c_str();
  if (Kind() == TControlKind::PickList)
    static_cast<Fl_Choice*>(widget_)->menu(menu_.data());
  else
    static_cast<Fl_Input_Choice*>(widget_)->menubutton()->menu(menu_.data());
  ShowSelectedLine();
}

void TFltkControl::ShowSelectedLine() {
  if (menu_deferred_) return;  // shown with the menu
  if (Kind() == TControlKind::PickList) {
    auto* list = static_cast<Fl_Choice*>(widget_);
    if (selected_ >= 0)
      list->value(selected_);
    else
      list->value(static_cast<const Fl_Menu_Item*>(nullptr));
    list->redraw();
  } else if (Kind() == TControlKind::EditList) {
    auto* button = static_cast<Fl_Input_Choice*>(widget_)->menubutton();
    if (selected_ >= 0)
      button->value(selected_);
    else
      button->value(static_cast<const Fl_Menu_Item*>(nullptr));
  }
}

void TFltkControl::ApplySelected() {
  if (Kind() == TControlKind::TabStrip)
    static_cast<TTabs*>(widget_)->Select(selected_);
  else if (Kind() == TControlKind::Table)
    static_cast<TTableWidget*>(widget_)->Select(selected_);
  else
    ShowSelectedLine();
}

// --- Tables ------------------------------------------------------------------------

void TFltkControl::ApplyColumns() {
  if (Kind() != TControlKind::Table) return;
  std::vector<TTableWidget::TColumn> columns;
  for (const TTableColumn& c : columns_)
    columns.push_back({Cp1251ToUtf8(c.Heading), ScaleLength(std::max<int32_t>(0, c.Width), Scale()), c.Alignment});
  static_cast<TTableWidget*>(widget_)->SetColumns(std::move(columns));
}

void TFltkControl::ApplyRows() {
  if (Kind() != TControlKind::Table) return;
  std::vector<std::vector<std::string>> rows;
  rows.reserve(rows_.size());
  for (const std::vector<std::string>& cells : rows_) {
    std::vector<std::string> utf8;
    for (const std::string& cell : cells) utf8.push_back(Cp1251ToUtf8(cell));
    rows.push_back(std::move(utf8));
  }
  static_cast<TTableWidget*>(widget_)->SetRows(std::move(rows));
}

int32_t TFltkControl::PageRows() const {
  Check();
  return Kind() == TControlKind::Table ? static_cast<TTableWidget*>(widget_)->PageRows() : 1;
}

void TFltkControl::MoveRow(int32_t row) {
  if (row < 0 || row == selected_) return;
  selected_ = row;
  ApplySelected();
  Notify(TNotifyKind::SelectChange);
}

int TFltkControl::RouteTable(Fl_Widget& w, int event) {
  auto& table = static_cast<TTableWidget&>(w);
  switch (event) {
    case FL_PUSH: {
      // The scrollbars scroll; a press anywhere else is the program's.
      if (table.EventOnScrollbar()) return -1;
      const int button = Fl::event_button();
      NotifyMouse(TNotifyKind::MouseDown, MouseEventFor(w, button, Scale()));
      if (Fl::event_clicks() > 0 && button == FL_LEFT_MOUSE) Notify(TNotifyKind::DblClick);
      if (Fl::visible_focus() && Fl::focus() != &w) {
        w.take_focus();
        fp_.SyncFocus();
      }
      if (button == FL_LEFT_MOUSE) MoveRow(table.RowAtEvent());
      table_pressed_ = true;
      return 1;
    }
    case FL_DRAG:
      if (!table_pressed_) return -1;
      NotifyMouse(TNotifyKind::MouseMove, MouseEventFor(w, 0, Scale()));
      return 1;
    case FL_RELEASE:
      if (!table_pressed_) return -1;
      table_pressed_ = false;
      NotifyMouse(TNotifyKind::MouseUp, MouseEventFor(w, Fl::event_button(), Scale()));
      return 1;
    case FL_FOCUS:
    case FL_UNFOCUS:
      // The selected row changes colour with the focus.
      w.redraw();
      return 1;
    case FL_KEYBOARD: {
      int32_t row = -1;
      if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return 0;
      if (!TableRowForKey(VirtualKey(Fl::event_key()), selected_, static_cast<int32_t>(rows_.size()), PageRows(), row))
        return 0;
      MoveRow(row);
      return 1;
    }
    default:
      return -1;
  }
}

void TFltkControl::ApplyChecked() {
  if (Kind() == TControlKind::CheckBox) static_cast<Fl_Check_Button*>(widget_)->value(checked_ ? 1 : 0);
}

bool TFltkControl::Checked() const {
  return Kind() == TControlKind::CheckBox && static_cast<Fl_Check_Button*>(widget_)->value() != 0;
}

void TFltkControl::ApplyOptions() {
  if (Kind() != TControlKind::Panel) return;
  auto* panel = static_cast<TPanelGroup*>(widget_);
  panel->Outer = options_.Border[0];
  panel->Inner = options_.Border[1];
  panel->EdgeWidth = ScaleLength(std::max(0, options_.Border[2]), Scale());
  panel->BorderWidth = ScaleLength(std::max(0, options_.Border[4]), Scale());
  panel->Inset = ScaleLength(4, Scale());
  panel->redraw();
}

// --- Pictures and the window ------------------------------------------------------

void TFltkControl::ApplyPicture() {
  if (Kind() == TControlKind::Image)
    static_cast<TPictureWidget*>(widget_)->SetPicture(picture_, ScaleRect(picture_rect_, Scale()));
}

void TFltkControl::ApplyIcon() {
  if (Kind() != TControlKind::Form) return;
  std::vector<std::unique_ptr<Fl_RGB_Image>> images = LoadIconImages(icon_);
  if (images.empty()) return;
  std::vector<const Fl_RGB_Image*> list;
  for (const auto& image : images) list.push_back(image.get());
  // The window keeps copies.
  static_cast<Fl_Window*>(widget_)->icons(list.data(), static_cast<int>(list.size()));
}

void TFltkControl::ApplyWindowState() {
  // Minimised is the one state FLTK can ask for; maximised stays normal.
  if (Kind() == TControlKind::Form && window_state_ == 1 && static_cast<Fl_Window*>(widget_)->shown())
    static_cast<Fl_Window*>(widget_)->iconize();
}

// --- Events --------------------------------------------------------------------------

bool TFltkControl::Notify(TNotifyKind kind) {
  TNotification n;
  n.Kind = kind;
  return Deliver(n);
}

bool TFltkControl::NotifyMouse(TNotifyKind kind, const TMouseEvent& m) {
  TNotification n;
  n.Kind = kind;
  n.Mouse = m;
  return Deliver(n);
}

bool TFltkControl::IsContainer() const {
  const TControlKind k = Kind();
  return k == TControlKind::Form || k == TControlKind::GroupBox || k == TControlKind::Panel;
}

bool TFltkControl::ClicksItself() const {
  const TControlKind k = Kind();
  return k == TControlKind::Label || k == TControlKind::Image || k == TControlKind::Panel ||
         k == TControlKind::GroupBox;
}

bool TFltkControl::TracksHover() const { return Kind() == TControlKind::Label || Kind() == TControlKind::Image; }

int TFltkControl::Route(Fl_Widget& w, int event, TBaseHandle base) {
  if (Kind() == TControlKind::Table) {
    const int result = RouteTable(w, event);
    if (result >= 0) return result;
  }
  switch (event) {
    case FL_PUSH: {
      const int button = Fl::event_button();
      if (IsContainer()) {
        // A child under the mouse takes the press; the container only sees
        // presses on itself.
        const int taken = base(w, event);
        if (taken && Fl::pushed() && Fl::pushed() != &w) return taken;
      }
      const TMouseEvent m = MouseEventFor(w, button, Scale());
      NotifyMouse(TNotifyKind::MouseDown, m);
      if (Fl::event_clicks() > 0 && button == FL_LEFT_MOUSE) Notify(TNotifyKind::DblClick);
      int result = IsContainer() ? 1 : base(w, event);
      if (ClicksItself() && button == FL_LEFT_MOUSE) {
        pressed_ = true;
        result = 1;
      }
      if (AsksForMenu(Kind()) && button == FL_RIGHT_MOUSE) {
        // Labels, frames and pictures ask for their menu on release over them.
        right_pressed_ = true;
        result = 1;
      }
      return result;
    }
    case FL_RELEASE: {
      NotifyMouse(TNotifyKind::MouseUp, MouseEventFor(w, Fl::event_button(), Scale()));
      if (right_pressed_ && Fl::event_button() == FL_RIGHT_MOUSE) {
        right_pressed_ = false;
        if (Fl::event_inside(&w)) Notify(TNotifyKind::ContextMenu);
        return 1;
      }
      if (pressed_) {
        pressed_ = false;
        if (Fl::event_inside(&w)) Notify(TNotifyKind::Click);
        return 1;
      }
      return base(w, event);
    }
    case FL_DRAG:
      NotifyMouse(TNotifyKind::MouseMove, MouseEventFor(w, 0, Scale()));
      return base(w, event) || pressed_;
    case FL_MOVE: {
      const int result = base(w, event);
      if (!IsContainer() || Fl::belowmouse() == &w) NotifyMouse(TNotifyKind::MouseMove, MouseEventFor(w, 0, Scale()));
      return result || TracksHover();
    }
    case FL_ENTER: {
      int result = base(w, event);
      if (TracksHover()) result = 1;
      if (result && !IsContainer() && !hovered_) {
        hovered_ = true;
        ShowCursor();
        Notify(TNotifyKind::MouseEnter);
      }
      return result;
    }
    case FL_LEAVE: {
      const int result = base(w, event);
      if (hovered_) {
        hovered_ = false;
        ShowCursor();
        Notify(TNotifyKind::MouseLeave);
      }
      return result;
    }
    case FL_SHOW: {
      const int result = base(w, event);
      if (Kind() == TControlKind::Form && !mapping_ && static_cast<Fl_Window&>(w).shown()) Notify(TNotifyKind::Shown);
      return result;
    }
    case FL_KEYBOARD:
      // Containers never move the focus themselves: Tab goes to the form
      // (see TFltkPlatform), arrows stay with the focused control.
      if (IsContainer() || Kind() == TControlKind::EditList) return 0;
      return base(w, event);
    default:
      return base(w, event);
  }
}

void TFltkControl::Callback(Fl_Widget* w, void* data) {
  auto* c = static_cast<TFltkControl*>(data);
  if (!c || c->widget_ != w) return;
  switch (c->Kind()) {
    case TControlKind::Form:
      // Escape does not close a desktop program's main window.
      if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
      if (!c->Handler()) {
        static_cast<Fl_Window*>(w)->hide();
        return;
      }
      c->Notify(TNotifyKind::CloseRequest);
      break;
    case TControlKind::Button:
    case TControlKind::CheckBox:
      c->Notify(TNotifyKind::Click);
      break;
    case TControlKind::Edit:
      c->Notify(TNotifyKind::TextChange);
      break;
    case TControlKind::PickList: {
      const int picked = static_cast<Fl_Choice*>(w)->value();
      if (picked < 0 || picked == c->selected_) return;
      c->selected_ = picked;
      c->Notify(TNotifyKind::SelectChange);
      break;
    }
    case TControlKind::TabStrip: {
      const int picked = static_cast<TTabs*>(w)->Selected();
      if (picked < 0 || picked == c->selected_) return;
      c->selected_ = picked;
      c->Notify(TNotifyKind::SelectChange);
      break;
    }
    default:
      break;
  }
}

void TFltkControl::FieldChanged(Fl_Widget*, void* data) {
  auto* c = static_cast<TFltkControl*>(data);
  // Typing leaves no line selected.
  c->selected_ = -1;
  c->ShowSelectedLine();
  c->Notify(TNotifyKind::TextChange);
}

void TFltkControl::LinePicked(Fl_Widget* w, void* data) {
  auto* c = static_cast<TFltkControl*>(data);
  const int picked = static_cast<Fl_Menu_Button*>(w)->value();
  if (picked < 0 || picked >= static_cast<int>(c->items_.size()) || picked == c->selected_) return;
  c->selected_ = picked;
  c->StoreText(c->items_[static_cast<size_t>(picked)]);
  c->Notify(TNotifyKind::SelectChange);
}
