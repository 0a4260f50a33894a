#pragma once

// Takes a parallel script apart into its elements. Such a script has one
// top-level statement, a return listing sub-element invocations, plus
// directive lines for a global prefix, a global suffix and the sub-element
// source definitions ("#PLIM(name){ ... };"). Each element's logic is the
// prefix, its own source and the suffix joined by line feeds.

#include "platform/text.h"

#include <string>
#include <vector>

struct ParallelElement {
    // The invocation's argument text, trimmed, batch prefix ("2 | name")
    // included until extract_batch_prefixes cuts it.
    std::string name;
    // Empty when no source was found for the element.
    std::string logic;
};

using ParallelElementList = std::vector<ParallelElement>;

// Builds the elements from a parse report's DIRECTIVES, FUNCTIONS and
// OPERATIONS texts. Every message goes to the trace and, when `messages`
// holds an entry, replaces its first entry, so the caller sees the last one.
// A fatal message ends the build with an empty list.
ParallelElementList build_parallel_elements(const std::string& directives_text,
                                            const std::string& functions_text,
                                            const std::string& operations_text, TextList* messages);

// Content of the global prefix line the build would use; empty when there is
// none or it is malformed. Reports nothing.
std::string parallel_global_prefix(const std::string& directives_text,
                                   const std::string& functions_text);
