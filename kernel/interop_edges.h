#pragma once

// Edge lists of 32-bit interop files: decoding them from their compressed
// index groups where those lie in the file, and removing edges that another
// list already holds.

#include <cstddef>
#include <cstdint>
#include <vector>

// A compressed index group as it lies in the file, little-endian: `values`
// opens with item_count + 1 header entries (entry k + 1: value count of item
// k), then the items' value tables back to back; `local_counts` entry k + 1
// is the number of local indices of item k; each local index points into its
// own item's value table.
struct IndexGroupBytes {
    std::int32_t item_count = 0;
    const std::uint8_t* values = nullptr; // u32 entries
    std::size_t value_count = 0;
    const std::uint8_t* local_counts = nullptr; // u32 entries
    std::size_t local_count_entries = 0;
    const std::uint8_t* local_indices = nullptr; // u16 entries
    std::size_t local_total = 0;
};

// Expands a group into its vertex indices, item by item. Returns false, with
// `out` unspecified, when the group does not hold together: missing header
// entries, local counts that do not add up to the local indices, a local
// index outside its item, an item running past the values, or a decoded index
// not below `vertex_count`. A group without local indices gives no entries.
bool decode_index_group(const IndexGroupBytes& group, std::size_t vertex_count,
                        std::vector<std::uint32_t>& out);

// Every pair of list 3 is kept; a pair of list 1, then of list 2, is kept
// only when neither it nor its reverse was seen before. Lists hold pairs
// (entries 2m and 2m + 1); the caller has checked they are of even length.
void remove_duplicate_edges(std::vector<std::uint32_t>& edges_1,
                            std::vector<std::uint32_t>& edges_2,
                            const std::vector<std::uint32_t>& edges_3);
