#include "panels/environment_tabs.h"

#include "tests/panels/panel_fixture.h"

namespace {

TEST_F(PanelTest, OneTabPerEnvironment64PixelsApartAndAHoverMarker)
{
    rebuild_environment_tabs(app);
    ASSERT_EQ(app.environment_tabs.tabs.size(), 1u);
    EXPECT_EQ(app.environment_tabs.tabs[0]->x, 1);
    EXPECT_EQ(app.environment_tabs.strip.content_width, 66);

    app.environment_tab_names = {"env0", "env1", "env2"};
    app.environment_tab_count = 3;
    app.current_environment_index = 1;
    rebuild_environment_tabs(app);
    ASSERT_EQ(app.environment_tabs.strip.children.size(), 3u);
    EXPECT_EQ(app.environment_tabs.tabs[1]->x, 65);
    EXPECT_EQ(app.environment_tabs.tabs[2]->x, 129);
    EXPECT_EQ(app.environment_tabs.tabs[2]->height, 22);
    EXPECT_EQ(app.environment_tabs.tabs[2]->label, "env2");
    EXPECT_EQ(app.environment_tabs.strip.content_width, 194);
    EXPECT_TRUE(app.environment_tabs.tabs[1]->selected);
    EXPECT_FALSE(app.environment_tabs.tabs[0]->selected);
    const std::pair<int, int> tab_at_x[] = {{1, 0}, {64, 0}, {65, 1}, {129, 2}};
    for (const auto& [x, tab] : tab_at_x)
        EXPECT_EQ(environment_tab_at(x), tab) << x;

    // The hover marker shows only over another valid tab; 3 is left over from
    // a closed environment.
    const std::pair<int, bool> shown_over[] = {{1, false}, {2, true}, {3, false}};
    for (const auto& [hovered, shown] : shown_over) {
        app.hovered_environment_tab = hovered;
        rebuild_environment_tabs(app);
        EXPECT_EQ(app.environment_tabs.hover_marker.visible, shown) << hovered;
    }
}

} // namespace
