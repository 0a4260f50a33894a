#pragma once

// Child processes. Each argument reaches the child as exactly one argv entry;
// no shell is ever involved, so blanks, quotes and "*" pass through intact.

#include "platform/text.h"

#include <cstddef>
#include <cstdint>
#include <string>

// At most this much of a run's standard output is kept: the first part, then
// one line saying how many bytes were dropped. The rest is still read, so the
// child never blocks on a full pipe.
inline constexpr std::size_t k_process_output_limit = 16u * 1024u * 1024u;

// How a child process ended, with what it wrote to standard output.
struct ProcessResult {
    std::string output;
    bool started = false;
    bool exited = false;         // ended by exit, not by a signal
    std::int32_t exit_code = -1; // when it exited
};

// True when the child did not start, was ended by a signal or exited non-zero.
bool process_failed(const ProcessResult& result);

// Runs `executable` with `arguments` and waits until it has ended and both of
// its output streams are drained. The output is everything it wrote to
// standard output, byte for byte (NULs included), up to the limit above;
// standard error is read and dropped, standard input is /dev/null. A bare
// program name is searched on PATH; any other text is the file to run. An
// executable that cannot be started gives the empty text.
// Safe to call from several threads at once: no run holds another's pipes.
ProcessResult run_process_with_status(const std::string& executable, const TextList& arguments);
// The same run for callers that judge it by its output alone.
std::string run_process(const std::string& executable, const TextList& arguments);

// The same run for a caller that must stay responsive while the child runs:
// instead of blocking until it has ended, the calling thread calls
// `while_waiting` about every 10 ms, the first time at once, until the child
// has ended; then the output is drained as above. No call comes from another
// thread, none after the child has been seen to end, and none when it could
// not be started.
ProcessResult run_process_while_waiting(const std::string& executable, const TextList& arguments,
                                        void (*while_waiting)());

// The working directory followed by a line break, as a command processor
// prints it; empty when it cannot be determined.
std::string current_directory();
