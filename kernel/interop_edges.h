#pragma once

// Edge lists of 32-bit interop files: decoding them from their compressed
// index groups and removing edges that another list already holds.

#include "kernel/interop_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Expands a group into its vertex indices, item by item. Returns false, with
// `out` unspecified, when the group does not hold together: missing header
// entries, local counts that do not add up to the local indices, a local
// index outside its item, an item running past the values, or a decoded index
// not below `vertex_count`. A group without local indices gives no entries.
bool decode_index_group(const InteropIndexGroup& group, std::size_t vertex_count,
                        std::vector<std::uint32_t>& out);

// Every pair of list 3 is kept; a pair of list 1, then of list 2, is kept
// only when neither it nor its reverse was seen before. Lists hold pairs
// (entries 2m and 2m + 1); the caller has checked they are of even length.
void remove_duplicate_edges(std::vector<std::uint32_t>& edges_1,
                            std::vector<std::uint32_t>& edges_2,
                            const std::vector<std::uint32_t>& edges_3);
