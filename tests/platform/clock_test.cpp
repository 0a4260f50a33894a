#include "platform/clock.h"

#include <gtest/gtest.h>

TEST(Clock, NowIsAfter2020AndDoesNotGoBack)
{
    const std::int64_t first = now_ms();
    EXPECT_GT(first, 1577836800000LL);
    EXPECT_GE(now_ms(), first);
}
