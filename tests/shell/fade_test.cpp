#include "shell/fade.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int g_action_calls = 0;
double g_opacity_at_action = 0.0;

void count_action(Application& app)
{
    ++g_action_calls;
    g_opacity_at_action = app.fade.opacity;
}

TEST(Fade, RisesHoldsRunsTheActionOnceAndClears)
{
    auto app = std::make_unique<Application>();
    g_action_calls = 0;
    start_fade(*app, count_action);
    EXPECT_TRUE(app->startup_pane.visible);
    EXPECT_DOUBLE_EQ(app->startup_pane.opacity, 0.0);
    EXPECT_DOUBLE_EQ(app->startup_logo.opacity, 1.0);

    int ticks_to_opaque = 0;
    while (app->fade.direction >= 1) {
        advance_fade(*app);
        ++ticks_to_opaque;
    }
    EXPECT_GE(ticks_to_opaque, 20);
    EXPECT_LE(ticks_to_opaque, 21);
    EXPECT_DOUBLE_EQ(app->startup_pane.opacity, 1.0);

    for (int hold = 1; hold <= 8; ++hold) {
        advance_fade(*app);
        EXPECT_EQ(g_action_calls, hold >= 5 ? 1 : 0) << "hold tick " << hold;
    }
    EXPECT_DOUBLE_EQ(g_opacity_at_action, 1.0);

    int ticks_out = 0;
    while (app->fade.active && ticks_out < 100) {
        advance_fade(*app);
        ++ticks_out;
    }
    EXPECT_FALSE(app->fade.active);
    EXPECT_FALSE(app->startup_pane.visible);
    EXPECT_EQ(app->fade.completion_action, nullptr);
    EXPECT_EQ(app->fade.hold_ticks, 0);
    EXPECT_EQ(g_action_calls, 1);
}

TEST(Fade, ArmingWhileRunningKeepsTheFirstAction)
{
    auto app = std::make_unique<Application>();
    start_fade(*app, count_action);
    advance_fade(*app);
    start_fade(*app, nullptr);
    EXPECT_EQ(app->fade.completion_action, count_action);
    EXPECT_GT(app->fade.opacity, 0.0);
}

} // namespace
