// FLTK's drawing functions and offscreens. On X11 their headers bring in
// the X headers, whose macros take names the platform interface uses as
// well; those are undone here, so backend files include this instead of
// <FL/fl_draw.H> and <FL/x.H>.
#pragma once

#include <FL/fl_draw.H>
#include <FL/x.H>

#undef None
#undef FocusIn
#undef FocusOut
#undef CursorShape
#undef Bool
#undef Status
