// What the desktops' screenshot steps show of the Parts window: the
// program started as it starts, the first page calculated, then its Parts
// window opened as Ctrl+D opens it, on the installed platform.
#pragma once

#include "pages/main_form.h"
#include "pages/parts_window.h"

// Starts `scheme` (shown, the dispatcher on, the start-up queue run) and
// answers the opened window, or none when the page has no Calculate button.
TPartsWindow* OpenFirstPagesParts(TClassMainForm_2943964& scheme);
