#include "kernel/interop_edges.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>

#include "kernel/byte_cursor.h"

namespace {

// The lists in the order their pairs are judged: list 3, then 1, then 2.
using EdgeLists = std::array<const std::vector<std::uint32_t>*, 3>;

// A pair with its two indices in order, so that a pair and its reverse match.
struct Edge {
    std::uint32_t low;
    std::uint32_t high;

    bool operator==(const Edge&) const = default;
};

template <typename Visit> void for_each_edge(const EdgeLists& lists, Visit visit)
{
    for (const std::vector<std::uint32_t>* edges : lists) {
        const std::uint32_t* at = edges->data();
        for (std::size_t i = 0; i + 1 < edges->size(); i += 2)
            visit(Edge{std::min(at[i], at[i + 1]), std::max(at[i], at[i + 1])});
    }
}

// The largest index of all lists.
std::uint32_t largest_index(const EdgeLists& lists)
{
    std::uint32_t largest = 0;
    for (const std::vector<std::uint32_t>* edges : lists)
        for (const std::uint32_t index : *edges)
            largest = std::max(largest, index);
    return largest;
}

// Buckets by the low index: as many as there are indices when that is fewer
// than the pairs (every bucket then holds one vertex's edges, a handful for
// a mesh), else a power of two near half the pairs, so no input makes the
// table larger than the pairs.
std::uint32_t bucket_mask(std::uint32_t largest, std::size_t pair_count)
{
    const std::uint64_t wanted =
        std::min<std::uint64_t>(pair_count / 2 + 1, std::uint64_t{largest} + 1);
    return static_cast<std::uint32_t>(std::bit_ceil(wanted) - 1);
}

// What a bucket keeps of an edge: the high index alone when each bucket
// stands for one low index (half the memory), else the whole edge.
inline std::uint32_t slot_of(const Edge& edge, std::uint32_t)
{
    return edge.high;
}
inline Edge slot_of(const Edge& edge, Edge)
{
    return edge;
}
inline std::uint64_t key_of(std::uint32_t high)
{
    return high;
}
inline std::uint64_t key_of(const Edge& edge)
{
    return (std::uint64_t{edge.low} << 32) | edge.high;
}

// A bucket of a mesh holds a few edges: comparing each with those before it
// is fastest. Larger buckets (a vertex of very many edges, or a hostile file)
// are sorted, so no input makes the work quadratic.
constexpr std::size_t kScannedBucket = 24;

template <typename Slot>
void mark_repeats_in_bucket(const Slot* slots, std::size_t count, std::uint8_t* repeated)
{
    if (count <= kScannedBucket) {
        for (std::size_t i = 1; i < count; ++i)
            repeated[i] = std::find(slots, slots + i, slots[i]) != slots + i;
        return;
    }
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(count);
    for (std::size_t i = 0; i < count; ++i)
        keyed[i] = {key_of(slots[i]), static_cast<std::uint32_t>(i)};
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 1; i < count; ++i)
        repeated[keyed[i].second] = keyed[i].first == keyed[i - 1].first;
}

// Spreads the pairs into their buckets in judging order (a counting sort,
// so each bucket keeps that order among its pairs) and flags, by the place
// of each pair in the spread, those seen before. Returns the buckets' starts.
template <typename Slot>
std::vector<std::uint32_t> mark_repeats(const EdgeLists& lists, std::size_t pair_count,
                                        std::uint32_t mask, std::vector<std::uint8_t>& repeated)
{
    std::vector<std::uint32_t> starts(std::size_t{mask} + 2, 0);
    for_each_edge(lists, [&](const Edge& edge) { ++starts[(edge.low & mask) + 1]; });
    for (std::size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    // Every slot is written exactly once, so none is zero-filled first.
    const auto slots = std::make_unique_for_overwrite<Slot[]>(pair_count);
    std::vector<std::uint32_t> fill(starts.begin(), starts.end() - 1);
    for_each_edge(lists, [&](const Edge& edge) { slots[fill[edge.low & mask]++] = slot_of(edge, Slot{}); });
    for (std::size_t b = 0; b + 1 < starts.size(); ++b)
        mark_repeats_in_bucket(slots.get() + starts[b], starts[b + 1] - starts[b],
                               repeated.data() + starts[b]);
    starts.pop_back();
    return starts;
}

// Keeps the pairs of `edges` whose slots are not repeats; `fill` follows
// each bucket through its slots in judging order.
void keep_first_sightings(std::vector<std::uint32_t>& edges, std::uint32_t mask,
                          std::vector<std::uint32_t>& fill, const std::vector<std::uint8_t>& repeated)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
        const std::uint32_t low = std::min(edges[i], edges[i + 1]);
        if (repeated[fill[low & mask]++] != 0) continue;
        edges[kept++] = edges[i];
        edges[kept++] = edges[i + 1];
    }
    edges.resize(kept);
}

} // namespace

bool decode_index_group(const IndexGroupBytes& group, std::size_t vertex_count,
                        std::vector<std::uint32_t>& out)
{
    out.clear();
    const std::size_t local_total = group.local_total;
    if (local_total == 0) return true;
    if (group.item_count < 0) return false;
    const auto items = static_cast<std::size_t>(group.item_count);
    if (group.local_count_entries != items + 1 || group.value_count < items + 1) return false;

    out.reserve(local_total);
    std::uint64_t base = items + 1;
    std::uint64_t position = 0;
    for (std::size_t k = 0; k < items; ++k) {
        const std::uint64_t own_locals = load_little_endian<std::uint32_t>(group.local_counts, k + 1);
        const std::uint64_t own_values = load_little_endian<std::uint32_t>(group.values, k + 1);
        if (position + own_locals > local_total || base + own_values > group.value_count)
            return false;
        for (std::uint64_t j = 0; j < own_locals; ++j) {
            const std::uint16_t local =
                load_little_endian<std::uint16_t>(group.local_indices, position + j);
            if (local >= own_values) return false;
            const std::uint32_t vertex = load_little_endian<std::uint32_t>(group.values, base + local);
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
    const EdgeLists lists = {&edges_3, &edges_1, &edges_2};
    const std::size_t pair_count = edges_3.size() / 2 + edges_1.size() / 2 + edges_2.size() / 2;
    if (pair_count == 0) return;
    const std::uint32_t largest = largest_index(lists);
    const std::uint32_t mask = bucket_mask(largest, pair_count);
    std::vector<std::uint8_t> repeated(pair_count, 0);
    std::vector<std::uint32_t> fill = largest <= mask
                                          ? mark_repeats<std::uint32_t>(lists, pair_count, mask, repeated)
                                          : mark_repeats<Edge>(lists, pair_count, mask, repeated);
    // List 3 keeps every pair; its walk only moves the buckets on.
    for (std::size_t i = 0; i + 1 < edges_3.size(); i += 2)
        ++fill[std::min(edges_3[i], edges_3[i + 1]) & mask];
    keep_first_sightings(edges_1, mask, fill, repeated);
    keep_first_sightings(edges_2, mask, fill, repeated);
    // A closed mesh's lists lose most of their pairs: the mesh keeps only
    // what remains.
    edges_1.shrink_to_fit();
    edges_2.shrink_to_fit();
}
