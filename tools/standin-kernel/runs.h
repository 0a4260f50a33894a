#pragma once

#include "command_line.h"
#include "run_log.h"

// One function per kind of run; each returns the exit code and fills the
// record's byte count.

int run_parse(const RunRequest& request, RunRecord& record);
int run_assemble(const RunRequest& request, RunRecord& record);
// Both steps of the constant-cost parallel prefix.
int run_ccpp_parse(const RunRequest& request, RunRecord& record);
int run_compute(const RunRequest& request, RunRecord& record);
