#pragma once

#include <ostream>
#include <string>

// Where every trace line of the program goes (standard output). Tests may
// redirect std::cout's buffer to capture it.
extern std::ostream& g_trace_stream;

// Writes one trace line, ends it and flushes, so a crash never loses it.
void trace_line(const std::string& line);
