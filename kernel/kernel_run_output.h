#pragma once

// What the console shows of the last parse or assemble run: its standard
// output on the kernel channel, the script, file-io and error channels
// emptied. The ccpp runs and the parallel element runs leave them alone,
// except that every run adds the cause of a failure it detects (a staging
// file it could not write, an output file it could not read) to the error
// channel, so the person sees why nothing came back.

#include <string>

void set_kernel_trace_texts(const std::string& kernel_output);
// Adds the cause as a line of the error text; the caller writes the trace.
void note_kernel_run_failure(const std::string& cause);
