#include "kernel/interop_edges.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <span>

namespace {

// The lists in the order their pairs are judged: list 3, then 1, then 2.
using EdgeLists = std::array<const std::vector<std::uint32_t>*, 3>;

// One pair with its place in the judging order; the counts of each list come
// from an int32 field, so every place fits 32 bits. A pair and its reverse
// share one (low, high), so sorting brings duplicates together, earliest
// first.
struct EdgeEntry {
    std::uint32_t low;
    std::uint32_t high;
    std::uint32_t order;

    auto operator<=>(const EdgeEntry&) const = default;
};

EdgeEntry edge_entry(const std::vector<std::uint32_t>& edges, std::size_t i, std::size_t order)
{
    return EdgeEntry{std::min(edges[i], edges[i + 1]), std::max(edges[i], edges[i + 1]),
                     static_cast<std::uint32_t>(order)};
}

// Entries are spread into buckets by their low index before sorting: for a
// mesh the buckets hold a few entries each and every pass walks memory in
// mesh order instead of hopping across one large table, while no input can
// make the work worse than one sort of all pairs.
struct EdgeBuckets {
    std::unique_ptr<EdgeEntry[]> entries;
    // After the spread, entry b is where bucket b ends (and b + 1 begins).
    std::vector<std::uint32_t> ends;
};

template <typename Visit> void for_each_pair(const EdgeLists& lists, Visit visit)
{
    std::size_t order = 0;
    for (const std::vector<std::uint32_t>* edges : lists) {
        for (std::size_t i = 0; i + 1 < edges->size(); i += 2)
            visit(edge_entry(*edges, i, order++));
    }
}

// A counting sort on the bucket: the entries of one bucket end up together
// and keep the judging order among themselves.
EdgeBuckets spread_into_buckets(const EdgeLists& lists, std::size_t pair_count)
{
    const std::size_t mask = std::bit_ceil(pair_count / 2 + 1) - 1;
    std::vector<std::uint32_t> starts(mask + 2, 0);
    for_each_pair(lists, [&](const EdgeEntry& entry) { ++starts[(entry.low & mask) + 1]; });
    for (std::size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    // The spread writes every slot exactly once, so none is zero-filled first.
    auto entries = std::make_unique_for_overwrite<EdgeEntry[]>(pair_count);
    for_each_pair(lists,
                  [&](const EdgeEntry& entry) { entries[starts[entry.low & mask]++] = entry; });
    starts.pop_back();
    return EdgeBuckets{std::move(entries), std::move(starts)};
}

// Per pair in judging order: true when no earlier pair has the same key.
std::vector<bool> first_sightings(const EdgeLists& lists, std::size_t pair_count)
{
    EdgeBuckets buckets = spread_into_buckets(lists, pair_count);
    std::vector<bool> first(pair_count, true);
    std::size_t begin = 0;
    for (const std::uint32_t end : buckets.ends) {
        const auto bucket = std::span(buckets.entries.get() + begin, end - begin);
        std::sort(bucket.begin(), bucket.end());
        for (std::size_t i = 1; i < bucket.size(); ++i) {
            if (bucket[i].low == bucket[i - 1].low && bucket[i].high == bucket[i - 1].high)
                first[bucket[i].order] = false;
        }
        begin = end;
    }
    return first;
}

void keep_first_sightings(std::vector<std::uint32_t>& edges, const std::vector<bool>& first,
                          std::size_t order)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2, ++order) {
        if (!first[order]) continue;
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
    const std::size_t pairs_3 = edges_3.size() / 2;
    const std::size_t pairs_1 = edges_1.size() / 2;
    const std::vector<bool> first =
        first_sightings({&edges_3, &edges_1, &edges_2}, pairs_3 + pairs_1 + edges_2.size() / 2);
    keep_first_sightings(edges_1, first, pairs_3);
    keep_first_sightings(edges_2, first, pairs_3 + pairs_1);
}
