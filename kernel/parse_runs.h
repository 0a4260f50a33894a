#pragma once

// Parse runs of the kernel: scripts are staged in "tmp/plim_parse_in", the
// kernel writes its sectioned report to "tmp/plim_parse_out", and every
// script gets one ParseReport back. A run whose files cannot be staged is
// skipped and reads back as a kernel that wrote nothing. Output that cannot be
// cut into its sections (nothing written, lost or swapped tags, too few
// blocks, garbage) gives reports marked `output_unreadable` with the one error
// "KERNEL-PARSE-OUTPUT-UNREADABLE;", never an empty script that assembles.
// Runs on the user-interface thread and blocks it until the kernel has exited.

#include "kernel/parallel_script.h"
#include "model/parse_report.h"
#include "platform/kernel_config.h"
#include "platform/text.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads the script file and parses it. An empty or unreadable file makes no
// run: "SCRIPT-READ-EMPTY!" goes to the trace and the report carries the
// error "SCRIPT-READ-IS-NULL;\n" and no script path.
ParseReport parse_script_file(const KernelSettings& settings, const std::string& path);
// One script in one run; the report keeps `text`, not the staged wrapper.
ParseReport run_parse_logic(const KernelSettings& settings, const std::string& path,
                            const std::string& text);
// Several scripts in one run, one report per script in order; each report's
// script path is the script's name.
std::vector<ParseReport> run_parse_wrapped(const KernelSettings& settings,
                                           const ParallelElementList& scripts);
// Stages `staged_input`, runs the list parse and builds report i from name i,
// text i and output block i; every report is unreadable when any block is.
std::vector<ParseReport> run_parse(const KernelSettings& settings, std::int32_t count,
                                   const TextList& names, const TextList& texts,
                                   const std::string& staged_input);

// Adds one line to the report's errors and raises its error count.
void append_parse_error(ParseReport& report, std::string line);
// DIRECTIVES, PARAMETERS, FUNCTIONS and OPERATIONS joined by line feeds: the
// logic assembled for a script that is not parallel.
std::string parse_statement_text(const ParseReport& report);
