#pragma once

// The console of the current environment: the main log of progress lines and
// the four trace channels (kernel, script, file-io, error) that keep apart
// what a kernel run reports. The kernel and script channels show only the
// latest run; the file-io and error channels accumulate.

#include <cstdint>
#include <string>

#include "model/console_state.h"

struct Application;

// Appends one line to the main log, "hh:mm:ss | " first when stamped and the
// time service is installed, and hands the log to the console text widget.
void console_log(Application& app, const std::string& text, bool stamp);

void console_show_kernel_trace(Application& app, const std::string& text);
void console_show_script_trace(Application& app, const std::string& text);
// A one-line text carries the local time as prefix; a longer one does not.
void console_append_file_io_trace(Application& app, const std::string& text);
void console_append_error_trace(Application& app, const std::string& text);
// The four writers in their order with the texts the last kernel run left.
void console_show_kernel_run(Application& app);
// After a run that ended the kernel before it finished: the channels go on
// showing the trace they hold, and only the run's error text is added to
// the error channel, so the cause of the failure is not lost.
void console_append_kernel_run_errors(Application& app);

// Back to 64 empty lines with zero metrics.
void reset_console_channel(ConsoleState& console, std::int32_t channel);
// Splits the text at line feeds (a final one opens no further line); a
// single line keeps its line feed and takes the prefix, several do not.
void append_console_channel(ConsoleState& console, std::int32_t channel, const std::string& text,
                            const std::string& prefix);
