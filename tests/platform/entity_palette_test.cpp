#include "platform/entity_palette.h"

#include <gtest/gtest.h>

// A slip in the flat table shifts colours between entries; the pairs that
// differ in one channel only pin the layout.
TEST(EntityPalette, SixteenOpaqueEntriesInTheirPlaces)
{
    ASSERT_EQ(g_entity_palette.size(), 64u);
    for (std::size_t i = 0; i < kEntityPaletteSize; ++i)
        EXPECT_EQ(g_entity_palette[4 * i + 3], 1.0) << "entry " << i;
    const std::pair<std::size_t, std::size_t> blue_only[] = {{3, 4}, {12, 15}};
    for (const auto& [a, b] : blue_only) {
        for (std::size_t channel = 0; channel < 2; ++channel)
            EXPECT_EQ(g_entity_palette[4 * a + channel], g_entity_palette[4 * b + channel]);
        EXPECT_NE(g_entity_palette[4 * a + 2], g_entity_palette[4 * b + 2]);
    }
    EXPECT_EQ(g_entity_palette[4 * 7 + 0], 0.5);
}
