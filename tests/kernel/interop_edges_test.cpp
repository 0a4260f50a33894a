#include "kernel/interop_colours.h"
#include "kernel/interop_edges.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

using U32 = std::vector<std::uint32_t>;

// A group's three arrays as they lie in a file, little-endian.
struct GroupInFile {
    std::vector<std::uint8_t> values, local_counts, local_indices;
    IndexGroupBytes group;

    GroupInFile(std::int32_t items, const U32& value_entries, const U32& count_entries,
                const std::vector<std::uint16_t>& locals)
    {
        for (std::uint32_t v : value_entries)
            append(values, v, 4);
        for (std::uint32_t c : count_entries)
            append(local_counts, c, 4);
        for (std::uint16_t l : locals)
            append(local_indices, l, 2);
        group = {items,         values.data(),        value_entries.size(), local_counts.data(),
                 count_entries.size(), local_indices.data(), locals.size()};
    }
    static void append(std::vector<std::uint8_t>& bytes, std::uint32_t value, int width)
    {
        for (int i = 0; i < width; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
};

TEST(IndexGroupDecoding, EachItemReadsPastThePreviousItemsValues)
{
    // Two items: values a=10, b=11 for item 0 and c=12 for item 1.
    const GroupInFile two_items(2, {99, 2, 1, 10, 11, 12}, {77, 2, 1}, {0, 1, 0});
    U32 out;
    ASSERT_TRUE(decode_index_group(two_items.group, 13, out));
    EXPECT_EQ(out, (U32{10, 11, 12}));
    EXPECT_FALSE(decode_index_group(two_items.group, 12, out)) << "12 is not a vertex of 12";

    U32 none{1, 2};
    EXPECT_TRUE(decode_index_group(GroupInFile(3, {0, 0, 0, 0}, {}, {}).group, 10, none));
    EXPECT_TRUE(none.empty()) << "no local indices give no list";
    EXPECT_FALSE(decode_index_group(GroupInFile(4, {0, 1}, {0, 1, 0, 0, 0}, {0}).group, 10, out))
        << "items without header entries";
}

TEST(EdgeDeduplication, ListThreeWinsThenListOneThenListTwo)
{
    U32 first{5, 3, 1, 2, 1, 2, 7, 8};
    U32 second{2, 1, 8, 9, 9, 8};
    remove_duplicate_edges(first, second, U32{3, 5, 3, 5});
    EXPECT_EQ(first, (U32{1, 2, 7, 8}));
    EXPECT_EQ(second, (U32{8, 9}));

    U32 only{1, 2};
    U32 reversed{2, 1};
    remove_duplicate_edges(only, reversed, U32{1, 2});
    EXPECT_TRUE(only.empty());
    EXPECT_TRUE(reversed.empty());
}

// The plain rule (a pair is kept when neither it nor its reverse came
// before, list 3 first) against the bucketed one, on lists whose buckets
// hold one vertex each, many pairs (a hub vertex), or indices far above the
// pair count (buckets shared by several vertices).
TEST(EdgeDeduplication, MatchesThePlainRuleOnHubsAndSparseIndices)
{
    const auto plain_rule = [](U32 first, U32 second, const U32& third) {
        std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
        const auto judge = [&](U32& edges, bool keep_all) {
            U32 kept;
            for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
                const bool fresh = seen.insert(std::minmax(edges[i], edges[i + 1])).second;
                if (fresh || keep_all) kept.insert(kept.end(), {edges[i], edges[i + 1]});
            }
            edges = kept;
        };
        U32 three = third;
        judge(three, true);
        judge(first, false);
        judge(second, false);
        return std::pair{first, second};
    };
    std::mt19937 random(11);
    const struct {
        const char* name;
        std::uint32_t index_range;
        std::uint32_t hub_share; // percent of pairs that touch vertex 0
    } cases[] = {{"mesh-like", 50, 0}, {"hub vertex", 400, 60}, {"sparse indices", 4000000000u, 0},
                 {"sparse with a hub", 4000000000u, 50}};
    for (const auto& c : cases) {
        const auto pairs = [&](std::size_t count) {
            U32 edges;
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint32_t a = random() % 100 < c.hub_share ? 0 : random() % c.index_range;
                edges.insert(edges.end(), {a, static_cast<std::uint32_t>(random() % c.index_range)});
                if (random() % 3 == 0) edges.insert(edges.end(), {edges[edges.size() - 1], a});
            }
            return edges;
        };
        U32 first = pairs(300), second = pairs(300);
        const U32 third = pairs(40);
        const auto expected = plain_rule(first, second, third);
        remove_duplicate_edges(first, second, third);
        EXPECT_EQ(first, expected.first) << c.name;
        EXPECT_EQ(second, expected.second) << c.name;
    }
}

// Each index width is read through the decoder in its palette test.
TEST(VertexColours, NoIndexOrOneOutsideThePaletteGivesNothingAndBytesStayInRange)
{
    const std::vector<double> palette{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8};
    EXPECT_TRUE(gather_vertex_blocks(palette, {}, {}, {}).empty());
    EXPECT_TRUE(gather_vertex_blocks(palette, {}, {}, {2}).empty()) << "index past the palette";

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(colour_values_to_bytes({1.0, 0.5, 0.25, 0.0, 2.0, -1.0, nan}),
              (std::vector<std::uint8_t>{255, 127, 63, 0, 255, 0, 0}));
}
