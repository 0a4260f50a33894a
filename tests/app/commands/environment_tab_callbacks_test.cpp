#include "app/commands/environment_tab_callbacks.h"

#include <gtest/gtest.h>

#include "app/commands/environment_lifecycle.h"

namespace {

class EnvironmentTabCallbacksTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_next_environment_id = 0;
        add_first_environment(create_application());
    }
    void TearDown() override { destroy_application(); }
};

TEST_F(EnvironmentTabCallbacksTest, HoverCardFollowsTheTabAndClicksActOnlyOnAnotherTab)
{
    EXPECT_TRUE(hover_environment_tab(1, 5, 0));
    EXPECT_EQ(g_app->hovered_environment_tab, -1) << "one environment: no hover";
    add_environment(*g_app); // env1 is current
    EXPECT_TRUE(hover_environment_tab(1, 5, 0));
    EXPECT_EQ(g_app->hovered_environment_tab, 0);
    const lumo::P& marker = g_app->environment_tabs.hover_marker;
    const lumo::P& card = g_app->tab_bar.hover_card;
    const lumo::P& image = g_app->tab_bar.hover_card_label;
    EXPECT_TRUE(marker.visible && card.visible) << "the card with its close box shows";
    EXPECT_EQ(image.image, lumo::WidgetImage::kThumbnails);
    EXPECT_EQ(image.image_uv, thumbnail_cell_uv(255)) << "environment 0 shows cell 255";
    const int marker_x_of_tab_0 = marker.x;

    hover_environment_tab(70, 5, 0);
    EXPECT_EQ(g_app->hovered_environment_tab, 1);
    EXPECT_FALSE(marker.visible || card.visible) << "no card over the current tab";
    EXPECT_EQ(marker.x, marker_x_of_tab_0 + 64);

    hover_environment_tab(500, 5, 0); // past the last tab
    EXPECT_EQ(g_app->hovered_environment_tab, 1);
    on_leave_environment_tabs(0, 0, 0);
    EXPECT_EQ(g_app->hovered_environment_tab, -1);
    EXPECT_FALSE(card.visible);

    // A click and a close act only on another tab.
    hover_environment_tab(70, 5, 0); // the current tab
    on_select_environment_tab();
    on_close_environment_tab();
    EXPECT_EQ(g_app->pending_environment_index, -1);
    EXPECT_EQ(g_app->modal[MODAL_CONFIRM], 0);

    hover_environment_tab(1, 5, 0);
    on_select_environment_tab();
    EXPECT_EQ(g_app->pending_environment_index, 0);
    on_close_environment_tab();
    EXPECT_EQ(g_app->modal[MODAL_CONFIRM], 1);
    EXPECT_EQ(g_app->confirm.environment_to_close, 0);
    EXPECT_EQ(g_app->hovered_environment_tab, -1);
    EXPECT_FALSE(marker.visible || card.visible) << "no card over the confirmation";
    g_app->confirm.cancel_action(*g_app);
    EXPECT_EQ(g_app->confirm.environment_to_close, -1);
    EXPECT_EQ(g_app->environment_tab_count, 2);

    // Accepted, the environment goes.
    hover_environment_tab(1, 5, 0);
    on_close_environment_tab();
    g_app->confirm.accept_action(*g_app);
    EXPECT_EQ(g_app->environment_tab_count, 1);
    EXPECT_FALSE(g_app->tab_bar.hover_card.visible) << "no card stays over a closed tab";
}

// Leaving the strip repaints when a tab was hovered, and always while a
// pick mode shows what lies under the pointer.
TEST_F(EnvironmentTabCallbacksTest, LeavingTheStripRepaintsForTheHoverOrThePickMode)
{
    static int refreshes = 0;
    g_app->root.on_refresh = [] { ++refreshes; };
    struct Case {
        std::int32_t hovered;
        std::uint8_t inspector_shown;
        char pick_mode;
        bool repaints;
    };
    const Case cases[] = {
        {-1, 0, 'T', false}, {-1, 1, '!', false}, {-1, 1, 'T', true}, {0, 0, '!', true}};
    for (const Case& c : cases) {
        g_app->hovered_environment_tab = c.hovered;
        g_app->panel_visibility.inspector = c.inspector_shown;
        g_app->view_settings.pick_mode = static_cast<std::uint8_t>(c.pick_mode);
        refreshes = 0;
        EXPECT_FALSE(on_leave_environment_tabs(0, 0, 0));
        EXPECT_EQ(refreshes > 0, c.repaints) << c.hovered << " " << c.pick_mode;
        EXPECT_EQ(g_app->hovered_environment_tab, -1);
    }
}

} // namespace
