#pragma once

#include "evaluator.h"

#include <string>

// The profiling text an "-assemble-ppd" run puts in the mesh name: one line
// per function ("#PLIM" line), then one line of nanoseconds per OPERATIONS
// statement, then summary lines. The inspector reads lines F to F + O - 1.
// `spoil` is "short" (too few lines) or "junk" (statement lines that are no
// numbers), as `stub("ppd", ...)` asks.
std::string profile_text(const Evaluation& evaluation, int execute_mode, const std::string& spoil);
