#include "ui/fltk/events.h"

#include <FL/Fl.H>

#include <algorithm>

#include "ui/scale.h"

namespace {

struct TKeyPair {
  int keysym;
  int32_t vk;
};

const TKeyPair kKeys[] = {
    {FL_BackSpace, 8},   {FL_Tab, 9},          {FL_Enter, 13},      {FL_KP_Enter, 13},   {FL_Shift_L, 16},
    {FL_Shift_R, 16},    {FL_Control_L, 17},   {FL_Control_R, 17},  {FL_Alt_L, 18},      {FL_Alt_R, 18},
    {FL_Pause, 19},      {FL_Caps_Lock, 20},   {FL_Escape, 27},     {' ', 32},           {FL_Page_Up, 33},
    {FL_Page_Down, 34},  {FL_End, 35},         {FL_Home, 36},       {FL_Left, 37},       {FL_Up, 38},
    {FL_Right, 39},      {FL_Down, 40},        {FL_Print, 44},      {FL_Insert, 45},     {FL_Delete, 46},
    {FL_Meta_L, 91},     {FL_Meta_R, 92},      {FL_Menu, 93},       {FL_KP + '*', 106},  {FL_KP + '+', 107},
    {FL_KP + '-', 109},  {FL_KP + '.', 110},   {FL_KP + '/', 111},  {FL_Num_Lock, 144},  {FL_Scroll_Lock, 145},
    {';', 186},          {'=', 187},           {',', 188},          {'-', 189},          {'.', 190},
    {'/', 191},          {'`', 192},           {'[', 219},          {'\\', 220},         {']', 221},
    {'\'', 222},
};

}  // namespace

int32_t VirtualKey(int keysym) {
  if (keysym >= 'a' && keysym <= 'z') return keysym - 'a' + 'A';
  if (keysym >= '0' && keysym <= '9') return keysym;
  if (keysym >= FL_KP + '0' && keysym <= FL_KP + '9') return 96 + (keysym - FL_KP - '0');
  if (keysym >= FL_F + 1 && keysym <= FL_F + 24) return 111 + (keysym - FL_F);
  for (const TKeyPair& k : kKeys)
    if (k.keysym == keysym) return k.vk;
  return 0;
}

uint32_t KeyState(int eventState) {
  uint32_t bits = 0;
  if (eventState & FL_BUTTON1) bits |= MkLButton;
  if (eventState & FL_BUTTON3) bits |= MkRButton;
  if (eventState & FL_BUTTON2) bits |= MkMButton;
  if (eventState & FL_SHIFT) bits |= MkShift;
  if (eventState & FL_CTRL) bits |= MkControl;
  return bits;
}

TMouseEvent MouseEventFor(const Fl_Widget& widget, int pressedButton, double scale) {
  TMouseEvent m;
  // The platform numbers buttons 1 left, 2 right, 3 middle.
  static const uint8_t kButtons[] = {0, 1, 3, 2};
  m.Button = pressedButton >= 1 && pressedButton <= 3 ? kButtons[pressedButton] : 0;
  m.Shift = KeyState(Fl::event_state());
  // In the layout's pixels, as the control's place is.
  const int x = UnscaleLength(Fl::event_x() - widget.x(), scale), y = UnscaleLength(Fl::event_y() - widget.y(), scale);
  m.X = static_cast<int16_t>(std::max(-32768, std::min(32767, x)));
  m.Y = static_cast<int16_t>(std::max(-32768, std::min(32767, y)));
  return m;
}
