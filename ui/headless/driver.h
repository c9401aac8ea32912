// The engine of kelvane-drive: runs the program on the headless backend
// (the same program run as the desktop) and carries out a script of user
// actions read line by line, printing what it is asked to read. The
// protocol is documented in docs/kelvane-drive.md; everything printed is UTF-8, one
// item per line, flushed after every command.
#pragma once

#include <chrono>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "ui/main_scheme.h"

// Exit status when `out` could not be written: the run stops at once.
constexpr int kDriveOutputFailed = 2;

// Runs the program with `args` (the arguments after the program name) and
// the script on `in`; answers the exit status: 0, or 1 when a command
// printed "error:" (or the program could not start), or kDriveOutputFailed.
// `wait` gives up after `waitLimit`.
int RunDrive(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             const TMainFactory& makeMainScheme,
             std::chrono::milliseconds waitLimit = std::chrono::seconds(30));

// A text (meant as UTF-8) as the driver prints it: in double quotes, with
// \\, \", \r, \n and \t escaped, and every other control character and
// every byte that is not part of valid UTF-8 written \xHH (one per byte),
// so the line is valid UTF-8 without control characters.
std::string QuoteUtf8(const std::string& text);
// A program text (code page 1251) quoted the same way after conversion.
std::string QuoteText(const std::string& text);
// A program text as a Linux desktop's clipboard receives it: UTF-8, lines
// broken by LF.
std::string ClipboardUtf8(const std::string& text);
