// Starting a command line on Linux and other POSIX systems, shared by the
// backends: no shell ever sees the text, and nothing waits for the command.
#pragma once

#include <string>
#include <vector>

// The program and arguments of a command line: blanks separate words and
// double quotes group them (the quotes are dropped). "explorer" (or
// "explorer.exe", any case) followed by an address becomes
// "xdg-open ADDRESS", the address being the rest of the line.
std::vector<std::string> CommandArgv(const std::string& commandLine);

// Starts argv[0] (looked up in PATH when it has no '/') with stdin on
// /dev/null, detached so that it is never waited for. Answers
// kCommandStarted once the program is running, 2 when it cannot be found
// or run, 0 when the system refuses to start a process.
int StartDetached(const std::vector<std::string>& argv);

// CommandArgv, then StartDetached.
int StartPosixCommand(const std::string& commandLine);
