#include "kernel/interop_colours.h"
#include "kernel/interop_edges.h"

#include <gtest/gtest.h>

#include <limits>

using U32 = std::vector<std::uint32_t>;

TEST(IndexGroupDecoding, EachItemReadsPastThePreviousItemsValues)
{
    // Two items: values a=10, b=11 for item 0 and c=12 for item 1.
    InteropIndexGroup group{2, {99, 2, 1, 10, 11, 12}, {77, 2, 1}, {0, 1, 0}};
    U32 out;
    ASSERT_TRUE(decode_index_group(group, 13, out));
    EXPECT_EQ(out, (U32{10, 11, 12}));
    EXPECT_FALSE(decode_index_group(group, 12, out)) << "12 is not a vertex of 12";

    U32 none{1, 2};
    EXPECT_TRUE(decode_index_group({3, {0, 0, 0, 0}, {}, {}}, 10, none));
    EXPECT_TRUE(none.empty()) << "no local indices give no list";
    EXPECT_FALSE(decode_index_group({4, {0, 1}, {0, 1, 0, 0, 0}, {0}}, 10, out))
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
