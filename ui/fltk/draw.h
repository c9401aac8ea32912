// FLTK's drawing functions. On X11 their header brings in the X headers,
// whose macros take names the platform interface uses as well; those are
// undone here, so backend files include this instead of <FL/fl_draw.H>.
#pragma once

#include <FL/fl_draw.H>

#undef None
#undef FocusIn
#undef FocusOut
#undef CursorShape
