#include "kernel/interop_edges.h"

#include <algorithm>

namespace {

// A pair and its reverse share one key: smaller index high, larger low.
std::uint64_t edge_key(std::uint32_t a, std::uint32_t b)
{
    const auto low = static_cast<std::int32_t>(std::min(a, b));
    const auto high = static_cast<std::int32_t>(std::max(a, b));
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(low)) << 32) |
           static_cast<std::uint32_t>(high);
}

// Open-addressing set of edge keys, sized up front to at most half full so
// probing always ends; one flat array instead of a node per edge.
struct EdgeKeySet {
    std::vector<std::uint64_t> slots;
    std::size_t mask = 0;
};

// No key has all bits set: indices are below 2^31, so the high word never is.
constexpr std::uint64_t k_empty_slot = ~std::uint64_t{0};

EdgeKeySet make_edge_key_set(std::size_t expected_keys)
{
    std::size_t capacity = 16;
    while (capacity < 2 * expected_keys)
        capacity *= 2;
    return EdgeKeySet{std::vector<std::uint64_t>(capacity, k_empty_slot), capacity - 1};
}

// True when the key was not in the set yet.
bool insert_edge_key(EdgeKeySet& set, std::uint64_t key)
{
    std::uint64_t hash = key * 0x9E3779B97F4A7C15ull;
    std::size_t slot = static_cast<std::size_t>(hash ^ (hash >> 29)) & set.mask;
    while (set.slots[slot] != k_empty_slot) {
        if (set.slots[slot] == key) return false;
        slot = (slot + 1) & set.mask;
    }
    set.slots[slot] = key;
    return true;
}

void keep_unseen_pairs(std::vector<std::uint32_t>& edges, EdgeKeySet& seen)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
        if (!insert_edge_key(seen, edge_key(edges[i], edges[i + 1]))) continue;
        edges[kept++] = edges[i];
        edges[kept++] = edges[i + 1];
    }
    edges.resize(kept);
}

} // namespace

bool decode_index_group(const InteropIndexGroup& group, std::size_t vertex_count,
                        std::vector<std::uint32_t>& out)
{
    out.clear();
    const std::size_t local_total = group.local_indices.size();
    if (local_total == 0) return true;
    if (group.item_count < 0) return false;
    const auto items = static_cast<std::size_t>(group.item_count);
    if (group.local_counts.size() != items + 1 || group.values.size() < items + 1) return false;

    out.reserve(local_total);
    std::uint64_t base = items + 1;
    std::uint64_t position = 0;
    for (std::size_t k = 0; k < items; ++k) {
        const std::uint64_t own_locals = group.local_counts[k + 1];
        const std::uint64_t own_values = group.values[k + 1];
        if (position + own_locals > local_total || base + own_values > group.values.size())
            return false;
        for (std::uint64_t j = 0; j < own_locals; ++j) {
            const std::uint16_t local = group.local_indices[position + j];
            if (local >= own_values) return false;
            const std::uint32_t vertex = group.values[base + local];
            if (vertex >= vertex_count) return false;
            out.push_back(vertex);
        }
        base += own_values;
        position += own_locals;
    }
    return position == local_total;
}

void remove_duplicate_edges(std::vector<std::uint32_t>& edges_1,
                            std::vector<std::uint32_t>& edges_2,
                            const std::vector<std::uint32_t>& edges_3)
{
    EdgeKeySet seen = make_edge_key_set((edges_1.size() + edges_2.size() + edges_3.size()) / 2);
    for (std::size_t i = 0; i + 1 < edges_3.size(); i += 2)
        insert_edge_key(seen, edge_key(edges_3[i], edges_3[i + 1]));
    keep_unseen_pairs(edges_1, seen);
    keep_unseen_pairs(edges_2, seen);
}
