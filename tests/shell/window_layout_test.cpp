#include "shell/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>

#include "state/application.h"
#include "platform/window_callbacks.h"
#include "shell/pane_layouts.h"
#include "shell/state_setters.h"

namespace {

using Rect = std::array<int, 4>;

Rect rect_of(const lumo::P& w)
{
    return {w.x, w.y, w.width, w.height};
}

class WindowLayoutTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    std::uint8_t& flag(PanelFlag f) { return app.view_settings.panel_flags[f]; }
};

// The bars stack edge to edge over the full width and height of the window,
// the toolbar on top; a vertical flip turns the stack upside down.
TEST_F(WindowLayoutTest, BarsStackWithoutGapsAndAFlipReversesThem)
{
    for (const bool flipped : {false, true}) {
        SCOPED_TRACE(flipped ? "flipped" : "normal");
        flag(PANEL_VERTICAL_FLIP) = flipped;
        lay_out_root(app, 720, 480);
        lay_out_view_panels(app, 720, 480);
        std::array<std::pair<const lumo::P*, int>, 5> stack{{{&app.toolbar.bar, 56},
                                                             {&app.tip_bar.bar, 32},
                                                             {&app.content_pane, 336},
                                                             {&app.status_bar.bar, 24},
                                                             {&app.tab_bar.bar, 32}}};
        if (flipped) std::reverse(stack.begin(), stack.end());
        int y = 0;
        for (const auto& [bar, height] : stack) {
            EXPECT_EQ(rect_of(*bar), (Rect{0, y, 720, height}));
            y += height;
        }
        EXPECT_EQ(app.parallel_flags_strip.panel.border_top.width, flipped ? 0 : 1);
        EXPECT_EQ(app.parallel_flags_strip.panel.border_bottom.width, flipped ? 1 : 0);
        EXPECT_EQ(app.panel_layout.view_rect, (Rect{0, 0, 720, 480})) << "edge to edge";
    }
}

TEST_F(WindowLayoutTest, SidePanelAndOpenSettingsMenuNarrowTheContent)
{
    flag(PANEL_SIDE_PANEL_SHOWN) = 1;
    flag(PANEL_SETTINGS_BAR_VISIBLE) = 1;
    app.view_settings.open_settings_menu = SETTINGS_MENU_THEME;
    lay_out_root(app, 720, 480);
    EXPECT_EQ(rect_of(app.content_pane), (Rect{256, 88, 408, 336}));
    EXPECT_EQ(rect_of(app.settings_bar), (Rect{664, 56, 56, 392}));
    EXPECT_EQ(app.tip_bar.bar.width, 720 - 56 - 2 * 56) << "room for the drop-down";

    app.view_settings.open_settings_menu = -1;
    lay_out_root(app, 720, 480);
    EXPECT_EQ(app.tip_bar.bar.width, 720 - 56) << "no open menu takes the first path";
}

TEST_F(WindowLayoutTest, QuickHideGivesTheWholeWindowToTheContent)
{
    flag(PANEL_QUICK_HIDE) = 1;
    flag(PANEL_FRAME_MODE) = 1;
    lay_out_root(app, 720, 480);
    lay_out_view_panels(app, 720, 480);
    EXPECT_EQ(rect_of(app.content_pane), (Rect{0, 0, 720, 480}));
    EXPECT_EQ(app.panel_layout.view_rect, (Rect{0, 0, 720, 480}));

    flag(PANEL_QUICK_HIDE) = 0;
    lay_out_view_panels(app, 720, 480);
    EXPECT_EQ(app.panel_layout.view_rect, (Rect{0, 88, 720, 480 - 64 - 24 - 56}))
        << "framed canvas between the bars";
}

TEST_F(WindowLayoutTest, SliderBarSwitchesToQuartersAboveItsSwitchWidth)
{
    for (auto [width, content, last] :
         {std::tuple{720, Rect{0, 0, 720, 24}, Rect{540, 0, 180, 24}},
          std::tuple{721, Rect{0, 0, 721, 24}, Rect{540, 0, 181, 24}},
          std::tuple{1024, Rect{0, 0, 1024, 24}, Rect{768, 0, 256, 24}}}) {
        lay_out_sliderbar(app, width, 24);
        EXPECT_EQ(rect_of(app.slider_bar_parts.content), content) << width;
        EXPECT_EQ(rect_of(app.slider_bar_parts.cells[3]), last) << width;
        EXPECT_EQ(app.slider_rows[3].slider.width, last[2])
            << width << ": the track fills its cell";
    }
}

TEST_F(WindowLayoutTest, ToolScrollCentresWhenWideAndScrollsWhenNarrow)
{
    struct Case {
        int width;
        double fraction;
        int first_x;
    };
    for (const Case& c : {Case{600, 0.0, 76}, Case{300, 0.0, 0}, Case{300, 1.0, 300 - 448},
                          Case{300, 0.5, (300 - 448) / 2}}) {
        app.view_settings.pane_scroll_fractions[PANE_SCROLL_TOOLS] = c.fraction;
        lay_out_tool_scroll(app, c.width, 56);
        EXPECT_EQ(app.toolbar.menu_buttons[0].x, c.first_x) << c.width << " " << c.fraction;
        EXPECT_EQ(app.toolbar.menu_buttons[7].x, c.first_x + 7 * 56);
    }
}

TEST_F(WindowLayoutTest, OpenToolMenuReadsIconTitleThenItsRows)
{
    show_tool_drop_down(app, TOOL_MENU_SHADING);
    lay_out_tip_scroll(app, 400, 32);
    const lumo::P& title = app.tool_menu_title;
    const lumo::KL& pane = app.tool_menus[TOOL_MENU_SHADING].pane;
    EXPECT_EQ(rect_of(app.tool_menu_icon), (Rect{4, 0, 32, 32}));
    EXPECT_EQ(title.x, 36);
    EXPECT_EQ(title.width, title.label_width + 16) << "a gap either side of the text";
    EXPECT_EQ(title.padding.left, 8);
    EXPECT_EQ(rect_of(pane), (Rect{title.x + title.width, 0, 400 - title.x - title.width, 32}))
        << "the drop-down starts where the title ends, so no row lies under it";
}

TEST_F(WindowLayoutTest, ColourRowsScrollRightOfTheButtonAndReachTheFarEdgeAtFractionOne)
{
    ColourBarWidgets& bar = app.colour_bar;
    bar.content_width = 1000;
    for (auto [fraction, offset] : {std::pair{0.0, 0}, std::pair{1.0, 400 - 1056}}) {
        app.view_settings.pane_scroll_fractions[PANE_SCROLL_COLOURS] = fraction;
        lay_out_colourbar(app, 400, 24);
        EXPECT_EQ(rect_of(bar.drop_down), (Rect{56, 0, 344, 24}))
            << "the rows' pane starts after the colour-by button and clips what scrolls under it";
        EXPECT_EQ(bar.strip.x, offset) << fraction;
        EXPECT_EQ(bar.scroll.content_offset_x, 0) << "the button itself never scrolls";
    }
    EXPECT_EQ(bar.drop_down.x + bar.strip.x + bar.content_width, 400);
    bar.content_width = 100;
    lay_out_colourbar(app, 400, 24);
    EXPECT_EQ(bar.strip.x, 0) << "content that fits never scrolls";
}

TEST_F(WindowLayoutTest, DirectiveMarkerWithoutSelectionIsOutOfSight)
{
    for (const int selected : {-1, 3}) { // none, and no such row
        app.view_settings.current_camera_directive = selected;
        lay_out_directive_list(app, 112, 300);
        EXPECT_EQ(rect_of(app.directive_column.marker), (Rect{-16, -16, 0, 0})) << selected;
    }
}

TEST_F(WindowLayoutTest, NavigatorThumbFollowsTheListFraction)
{
    for (auto [fraction, y] : {std::pair{0.0, -1}, std::pair{1.0, 480 - 112 - 96 + 2 - 1 - 1}}) {
        app.navigator.list_scroll = fraction;
        lay_out_file_pane(app, 720, 480);
        EXPECT_EQ(rect_of(app.navigator_pane.scroll_thumb), (Rect{696, y, 24, 33})) << fraction;
    }
}

// The four column heads lie over the rows' cells and never under the close
// box's centre or the scroll track; the marker sits at the sorted head's
// edge, at the top when the order is reversed.
TEST_F(WindowLayoutTest, NavigatorHeadsLeaveTheCloseBoxClearAndTheMarkerFollowsTheSort)
{
    const NavigatorPaneWidgets& nav = app.navigator_pane;
    const std::array<Rect, 4> heads{
        {{0, 0, 56, 32}, {56, 0, 384, 32}, {440, 0, 112, 32}, {552, 0, 168, 32}}};
    struct Sort {
        int key;
        bool ascending;
        Rect marker;
    };
    for (const Sort& s : {Sort{0, true, {48, 23, 4, 4}}, Sort{1, false, {431, 4, 4, 4}},
                          Sort{2, true, {445, 23, 4, 4}}, Sort{3, false, {652, 4, 4, 4}}}) {
        app.navigator.sort_key = s.key;
        app.navigator.sort_ascending = s.ascending ? 1 : 0;
        lay_out_file_pane(app, 720, 480);
        EXPECT_EQ(rect_of(nav.sort_marker), s.marker) << s.key;
        const Rect head = rect_of(nav.header_buttons[static_cast<std::size_t>(s.key)]);
        EXPECT_EQ(head, heads[static_cast<std::size_t>(s.key)]);
        const Rect& m = s.marker;
        EXPECT_TRUE(m[0] >= head[0] && m[0] + m[2] <= head[0] + head[2]) << "under its head";
    }
    const Rect close = rect_of(nav.header_buttons[NAV_CLOSE]);
    EXPECT_LE(close[0] + close[2], rect_of(nav.scroll_track)[0]) << "clear of the scroll track";
    EXPECT_EQ(rect_of(nav.column_areas[0]), (Rect{552, 0, 56, 480 - 176}));
    EXPECT_EQ(rect_of(nav.column_areas[1]), (Rect{608, 0, 88, 480 - 176}));
}

// With no tool menu open the tool strip shows the script list, which scrolls
// only when it is wider than the strip; the menu tree hangs beneath it.
TEST_F(WindowLayoutTest, TheToolStripShowsTheScriptListAndTheMenuTreeBeneathIt)
{
    app.script_list_label.width = 1000;
    for (auto [fraction, x] : {std::pair{0.0, 0}, std::pair{0.5, -300}, std::pair{1.0, -600}}) {
        app.script_list_scroll = fraction;
        lay_out_tip_scroll(app, 400, 32);
        EXPECT_EQ(app.script_list_label.x, x) << fraction;
    }
    app.script_list_label.width = 300;
    lay_out_tip_scroll(app, 400, 32);
    EXPECT_EQ(app.script_list_label.x, 0) << "a list that fits stays put";
    set_rect(app.tip_bar.bar, 0, 56, 720, 32);
    set_rect(app.tip_bar.scroll, 256, 0, 464, 32);
    lay_out_tip_scroll(app, 464, 32);
    EXPECT_EQ(std::pair(app.menu_tree.pane.x, app.menu_tree.pane.y), std::pair(256, 88));
    show_tool_drop_down(app, TOOL_MENU_VIEW);
    EXPECT_FALSE(app.script_list_label.visible) << "the open drop-down takes the strip";
}

} // namespace

// The variants panel in the lower-left corner and the statistics text beside
// or above it never share a pixel; collapsed, the panel is one titled strip,
// expanded, its title moves to a footer below the list.
TEST_F(WindowLayoutTest, VariantsPanelAndStatisticsNeverOverlap)
{
    app.panel_layout.variants_shown = 1;
    app.variant_count = 3;
    for (const bool expanded : {false, true}) {
        for (const bool sliders : {false, true}) {
            app.panel_layout.variants_expanded = expanded ? 1 : 0;
            flag(PANEL_SLIDER_BAR_VISIBLE) = sliders ? 1 : 0;
            lay_out_root(app, 720, 480);
            const lumo::P& panel = app.variants_panel.panel;
            const lumo::T& text = app.statistics_texts[0];
            const int text_left = app.content_pane.x + text.x + text.margin.left;
            const int text_bottom = app.content_pane.y + text.y + text.height - text.margin.bottom;
            EXPECT_TRUE(text_left >= panel.x + panel.width || text_bottom <= panel.y)
                << expanded << sliders;
            const lumo::P& footer = app.variants_panel.footer;
            EXPECT_EQ(footer.visible, expanded);
            EXPECT_EQ(app.variants_panel.list.visible, expanded);
            if (expanded) {
                EXPECT_EQ(footer.y + footer.height, panel.height);
            }
            EXPECT_EQ(app.variants_panel.header.width, panel.width);
        }
    }
}
