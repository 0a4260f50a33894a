#include "state/menu_state.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuCheckBits, PacksBitsIntoWordsAndIgnoresBitsOutsideTheSet)
{
    MenuCheckBits set = make_menu_check_bits({1, 0, 0, 1});
    EXPECT_EQ(set.bit_count, 4);
    ASSERT_EQ(set.words.size(), 1u);
    EXPECT_EQ(set.words[0], 0b1001u);
    set_menu_check(set, 4, true);
    set_menu_check(set, -1, true);
    EXPECT_EQ(set.words[0], 0b1001u);
    EXPECT_FALSE(get_menu_check(set, 4));

    MenuCheckBits wide = make_menu_check_bits(std::vector<int>(40, 0));
    set_menu_check(wide, 33, true);
    ASSERT_EQ(wide.words.size(), 2u);
    EXPECT_EQ(wide.words[1], 0b10u);
}

// An environment reset restores the defaults: they must be the initial marks.
TEST(MenuCheckStates, DefaultSnapshotsMatchTheInitialMarks)
{
    MenuCheckStates states;
    ASSERT_EQ(states.default_tool_menu_snapshot.size(), states.tool_menu_bits.size());
    ASSERT_EQ(states.default_settings_menu_snapshot.size(), states.settings_menu_bits.size());
    for (int i = 0; i < TOOL_MENU_COUNT; ++i)
        EXPECT_EQ(states.default_tool_menu_snapshot[i], states.tool_menu_bits[i]);
    for (int i = 0; i < SETTINGS_MENU_COUNT; ++i)
        EXPECT_EQ(states.default_settings_menu_snapshot[i], states.settings_menu_bits[i]);
}

TEST(MenuCheckStates, SnapshotIsIndependentAndRestoresOnlyItsOwnLength)
{
    MenuCheckStates states;
    set_menu_check(states.tool_menu_bits[TOOL_MENU_VIEW], 3, true);
    MenuCheckSnapshot tools;
    MenuCheckSnapshot settings;
    snapshot_tool_menu_checks(states, tools);
    snapshot_settings_menu_checks(states, settings);

    set_menu_check(states.tool_menu_bits[TOOL_MENU_VIEW], 3, false);
    set_menu_check(states.tool_menu_bits[TOOL_MENU_TOPOLOGY], 0, false);
    set_menu_check(states.settings_menu_bits[SETTINGS_MENU_THEME], 4, true);
    EXPECT_TRUE(get_menu_check(tools[TOOL_MENU_VIEW], 3));

    EXPECT_TRUE(restore_tool_menu_checks(states, tools));
    EXPECT_TRUE(restore_settings_menu_checks(states, settings));
    EXPECT_TRUE(get_menu_check(states.tool_menu_bits[TOOL_MENU_VIEW], 3));
    EXPECT_TRUE(get_menu_check(states.tool_menu_bits[TOOL_MENU_TOPOLOGY], 0));
    EXPECT_FALSE(get_menu_check(states.settings_menu_bits[SETTINGS_MENU_THEME], 4));
    EXPECT_EQ(states.settings_menu_bits[SETTINGS_MENU_FULLSCREEN].bit_count, 0);

    MenuCheckSnapshot empty, settings_sized(10); // another length changes nothing
    EXPECT_FALSE(restore_tool_menu_checks(states, empty));
    EXPECT_FALSE(restore_settings_menu_checks(states, empty));
    EXPECT_FALSE(restore_tool_menu_checks(states, settings_sized));
    EXPECT_TRUE(get_menu_check(states.tool_menu_bits[TOOL_MENU_VIEW], 3));
}

} // namespace
