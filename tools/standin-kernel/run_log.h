#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What every run shares: its record for the PLIM_STANDIN_LOG file, the
// PLIM_STANDIN_FAULT setting and the simulated crash.

struct RunRecord {
    std::vector<std::string> args;
    std::int64_t start_ms = 0;
    std::size_t bytes_read = 0;
};

std::int64_t wall_clock_ms();

// Appends "pid=P start_ms=S end_ms=E read_bytes=B args=A..." and a line feed
// to the file named by PLIM_STANDIN_LOG, in one write so that concurrent runs
// never interleave.
void append_run_log(const RunRecord& record);

// The fault that PLIM_STANDIN_FAULT ("parse:NAME", "assemble:NAME" or
// "ccpp:NAME") sets for runs of this kind, or an empty text.
std::string environment_fault(const std::string& kind);

// Prints the partial text without finishing the line, logs the run and dies
// by SIGABRT without a core file.
[[noreturn]] void crash_run(const RunRecord& record, std::string partial_output);

// Sleeps, bounded by the stand-in's longest delay.
void delay_run(long long ms);
