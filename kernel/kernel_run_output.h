#pragma once

// What the console shows of the last parse or assemble run: its standard
// output on the kernel channel, the script, file-io and error channels
// emptied. The ccpp runs and the parallel element runs leave them alone.

#include <string>

void set_kernel_trace_texts(const std::string& kernel_output);
