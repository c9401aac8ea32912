// The program run, the same for every backend: the "/ih" switch, building
// the main scheme, showing it, the start-up queue, the message loop, and
// the teardown once the main window has closed.
#pragma once

#include <string>
#include <vector>

#include "ui/input_memory.h"
#include "ui/main_scheme.h"
#include "ui/platform.h"

// The box "/ih" shows (code page 1251).
extern const char kInfoBoxText[];
extern const char kInfoBoxCaption[];

// `args` are the command-line arguments after the program's name. Answers
// the process exit status: 0, or 1 when the main scheme could not be built.
// Waits (at most 10 s, then tears down anyway) for busy worker threads after
// the loop; they find the dispatcher off and end their step at once.
// With `inputs`, the pages start with the inputs it kept (unless "--fresh"
// is among the arguments; a text it cannot use is said through its Note
// and the pages start as always), and it keeps them when the main window
// closes.
int RunProgram(TPlatform& platform, const std::vector<std::string>& args, const TMainFactory& makeMainScheme,
               TInputStore* inputs = nullptr);
