// The window services that make sense before any window exists.

#include "platform/x11/window_services.h"

#include "platform/x11/gl_window.h"

#include <gtest/gtest.h>

TEST(WindowServices, FullscreenFlagReturnsTheOneItReplaces)
{
    EXPECT_EQ(set_fullscreen_flag(1), 0);
    EXPECT_EQ(set_fullscreen_flag(1), 1);
    EXPECT_EQ(set_fullscreen_flag(0), 1);
    EXPECT_EQ(set_fullscreen_flag(0), 0);
}

TEST(WindowServices, RepaintRequestSetsTheFlagTheLoopReads)
{
    g_repaint_requested = 0;
    request_repaint();
    EXPECT_EQ(g_repaint_requested, 1);
}
