#pragma once

// Builds a script's `ParseReport` from its block of the kernel's parse
// output, and hands parallel scripts to the parallel assembly builder.

#include "kernel/parallel_script.h"
#include "model/parse_report.h"

#include <string>

// Always a valid report: the seven sections and their line counts, the source
// echo, the parallel flag and the parameter set. Problems of a parallel
// script become lines of its errors text, each counted as one error; a
// section the block does not hold intact stays empty with count -1.
ParseReport build_parse_report(const std::string& script_path, const std::string& script_text,
                               const std::string& parse_block);

// The elements of a parallel report (nothing for any other); messages go to
// the trace and the last one into the first entry of `messages`.
ParallelElementList build_parallel_assembly_script(const ParseReport& report, TextList* messages);
ParallelElementList build_parallel_script(const ParseReport& report, TextList* messages);
// Messages go to the trace only.
ParallelElementList build_parallel_script_default(const ParseReport& report);
// The global prefix content of a parallel report; empty for any other.
std::string get_parallel_global_prefix(const ParseReport& report);
