#include "platform/trace.h"

#include <iostream>

std::ostream& g_trace_stream = std::cout;

void trace_line(const std::string& line)
{
    g_trace_stream << line << std::endl;
}
