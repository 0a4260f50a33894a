#pragma once

// Batch ids of parallel elements. An invocation's argument text may open with
// a batch prefix: within its first 9 characters, decimal digits and blanks
// ending in '|' ("2 | cube"). Elements sharing an id are assembled together.

#include "kernel/parallel_script.h"

#include <cstdint>
#include <string>
#include <vector>

// The argument text without its batch prefix, trimmed: the name that the
// element's source definition carries.
std::string sub_element_name(const std::string& argument_text);

// One id per element, in order, cutting the prefixes from the names. An
// element with an empty name or a one-character logic gets -1; every other
// element without a prefix becomes a batch of its own, numbered on from the
// largest prefix id seen (from 0 when none was seen).
std::vector<std::int32_t> extract_batch_prefixes(ParallelElementList& elements);

// The selected elements with an id other than -1, grouped by id: each batch
// lists its element indices ascending, the batches ordered by id. Ids and
// mask of different lengths, or empty, give no batches.
std::vector<std::vector<std::int32_t>>
group_parallel_batches(const std::vector<std::int32_t>& batch_ids,
                       const std::vector<bool>& selected);
