#include "kernel/commands/command_texts.h"

#include <gtest/gtest.h>

TEST(CommandTexts, PluralEndingAndArticleFollowTheCount)
{
    EXPECT_EQ(plural_ending(1), "");
    EXPECT_EQ(plural_ending(0), "s");
    EXPECT_EQ(plural_ending(2), "s");
    EXPECT_EQ(count_article(1), "the");
    EXPECT_EQ(count_article(3), "each");
}
