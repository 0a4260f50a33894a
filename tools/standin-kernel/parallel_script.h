#pragma once

#include "script_outline.h"

#include <string>
#include <vector>

// A parallel script taken apart into its elements, the way the inspector
// stages them: global prefix, the element's own source and global suffix,
// joined by line feeds.

struct ParallelElement {
    std::string name; // the invocation's argument, batch prefix removed
    std::string logic;
};

// False, with the problem, when the return or a source cannot be resolved.
bool build_parallel_elements(const ScriptOutline& outline, std::vector<ParallelElement>& elements,
                             std::string& problem);
