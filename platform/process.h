#pragma once

// Child processes. Each argument reaches the child as exactly one argv entry;
// no shell is ever involved, so blanks, quotes and "*" pass through intact.

#include "platform/text.h"

#include <string>

// Runs `executable` with `arguments` and waits until it has ended and both of
// its output streams are drained. Returns everything it wrote to standard
// output, byte for byte (NULs included); standard error is read and dropped,
// standard input is /dev/null and the exit code is not looked at. A bare
// program name is searched on PATH; any other text is the file to run. An
// executable that cannot be started gives the empty text.
// Safe to call from several threads at once: no run holds another's pipes.
std::string run_process(const std::string& executable, const TextList& arguments);

// The working directory followed by a line break, as a command processor
// prints it; empty when it cannot be determined.
std::string current_directory();
