// What an FLTK event says, in the terms of the platform interface: virtual
// key codes for keys, and mouse notifications with the button, the
// key-state bits and a position relative to a widget.
#pragma once

#include <FL/Fl_Widget.H>

#include <cstdint>

#include "ui/platform.h"

// The virtual key code of an FLTK key symbol; 0 for keys without one.
int32_t VirtualKey(int keysym);

// Key-state bits from FLTK's event state (buttons held, Shift, Ctrl).
uint32_t KeyState(int eventState);

// The current mouse event relative to `widget`. `pressedButton` is FLTK's
// button number for pushes and releases (1 left, 2 middle, 3 right), 0 for
// moves.
TMouseEvent MouseEventFor(const Fl_Widget& widget, int pressedButton, double scale);
