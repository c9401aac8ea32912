// The engine of kelvane-drive: runs the program on the headless backend
// (the same program run as the desktop) and carries out a script of user
// actions read line by line, printing what it is asked to read. The
// protocol is documented in the README; everything printed is UTF-8, one
// item per line, flushed after every command.
#pragma once

#include <chrono>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "ui/main_scheme.h"

// Runs the program with `args` (the arguments after the program name) and
// the script on `in`; answers the exit status: 0, or 1 when a command
// printed "error:" (or the program could not start). `wait` gives up after
// `waitLimit`.
int RunDrive(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             const TMainFactory& makeMainScheme,
             std::chrono::milliseconds waitLimit = std::chrono::seconds(30));

// A program text (code page 1251) as the driver prints it: UTF-8 in
// double quotes, with \\, \", \r, \n and \t escaped.
std::string QuoteText(const std::string& text);
