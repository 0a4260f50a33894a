#include "shell/state_setters.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>

#include "lumo/draw_list.h"
#include "lumo/font.h"
#include "model/console_state.h"
#include "shell/console_views.h"
#include "shell/themes.h"
#include "state/current_environment.h"

namespace {

class StateSettersTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(StateSettersTest, SidePanelOpensAndTheSameIndexCloses)
{
    for (const bool open : {true, false}) {
        select_side_panel(app, 2);
        SCOPED_TRACE(open ? "opened" : "closed again");
        EXPECT_EQ(app.view_settings.open_side_panel, open ? 2 : -1);
        EXPECT_EQ(app.view_settings.panel_flags[PANEL_SIDE_PANEL_SHOWN], open ? 1 : 0);
        EXPECT_EQ(app.side_panels[2].visible, open);
        EXPECT_EQ(app.side_panel_tabs[2].selected, open);
        EXPECT_EQ(app.control_pane.visible, open) << "CONTROLPANE shows with its panel";
    }
}

TEST_F(StateSettersTest, DropDownsNameTheOpenEntryAndCloseOutOfRange)
{
    show_tool_drop_down(app, TOOL_MENU_SHADING);
    EXPECT_TRUE(app.tool_menu_pane.visible && app.tool_menus[TOOL_MENU_SHADING].pane.visible);
    EXPECT_FALSE(app.tool_menus[TOOL_MENU_COLOUR].pane.visible);
    EXPECT_EQ(app.tool_menu_title.label, "SHADING");
    show_tool_drop_down(app, 8);
    EXPECT_EQ(app.view_settings.open_tool_menu, -1) << "out of range closes";
    EXPECT_FALSE(app.tool_menu_pane.visible);

    show_settings_drop_down(app, SETTINGS_MENU_THEME);
    EXPECT_TRUE(app.settings_menu_title.visible);
    EXPECT_EQ(app.settings_menu_title.label, "THEME");
    show_settings_drop_down(app, SETTINGS_MENU_LOCK);
    EXPECT_FALSE(app.settings_menu_icon.visible) << "LOCK has no drop-down";
    EXPECT_EQ(app.settings_menu_title.label, "");
}

TEST_F(StateSettersTest, QuickHideTakesTheBarsAwayShowsTheLogoAndBringsBackWhatWasShown)
{
    app.view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE] = 1;
    app.view_settings.minimal_mode = 0;
    app.variant_count = 2;
    select_side_panel(app, 0);
    update_panel_visibility(app);
    EXPECT_TRUE(app.variants_panel.panel.visible);
    EXPECT_FALSE(app.llmi_toggle.visible) << "the inspector needs an entity to inspect";
    app.redraw_requested = 0;
    set_quick_hide(app, false);
    EXPECT_EQ(app.redraw_requested, 0) << "no change, nothing done";

    set_quick_hide(app, true);
    const lumo::P* const hidden_widgets[] = {
        &app.toolbar.bar,          &app.tip_bar.bar,
        &app.status_bar.bar,       &app.tab_bar.bar,
        &app.settings_bar,         &app.control_pane,
        &app.variants_panel.panel, &app.parallel_flags_strip.panel};
    for (const lumo::P* hidden : hidden_widgets)
        EXPECT_FALSE(hidden->visible);
    EXPECT_TRUE(app.hide_logo.visible);
    EXPECT_TRUE(app.panel_visibility.floating_container);
    EXPECT_DOUBLE_EQ(app.statistics_texts[0].opacity, 0.5);
    app.view_settings.minimal_mode = 1;
    update_panel_visibility(app);
    EXPECT_TRUE(app.quick_hide_strips[0].visible) << "minimal panels while hidden";
    EXPECT_TRUE(app.panel_visibility.minimal_panels[2]);

    set_quick_hide(app, false);
    EXPECT_TRUE(app.settings_bar.visible);
    EXPECT_TRUE(app.control_pane.visible) << "the selected side panel comes back";
    EXPECT_FALSE(app.colour_bar.bar.visible) << "only in the function colour scheme";
    EXPECT_FALSE(app.hide_logo.visible);
}

TEST_F(StateSettersTest, TonesCycleThroughTheirSteps)
{
    for (std::int32_t expected : {6, 7, 8, 0, 1, 2, 4}) {
        cycle_mono_edge_tone(app);
        EXPECT_EQ(app.view_settings.mono_edge_tone, expected);
        EXPECT_EQ(app.mono_edge_tone_field.label, std::to_string(expected));
    }
    EXPECT_EQ(next_tone(5), 0);
    EXPECT_EQ(next_tone(-3), 0);
}

TEST_F(StateSettersTest, LightZeroTakesEachTermThatIsOn)
{
    static Light0Terms seen;
    app.apply_light0 = [](const Light0Terms& terms) { seen = terms; };
    const std::array<std::array<std::uint8_t, 3>, 3> cases{{{1, 1, 1}, {0, 1, 0}, {1, 0, 0}}};
    for (const auto& on : cases) {
        app.view_settings.ambient_term = on[0];
        app.view_settings.diffuse_term = on[1];
        app.view_settings.specular_term = on[2];
        set_up_light0(app);
        EXPECT_FLOAT_EQ(seen.ambient[1], on[0] ? 0.05f : 0.0f);
        EXPECT_FLOAT_EQ(seen.diffuse[2], on[1] ? 1.0f : 0.0f);
        EXPECT_FLOAT_EQ(seen.specular[0], on[2] ? 0.05f : 0.0f);
        EXPECT_FLOAT_EQ(seen.diffuse[3], 1.0f);
    }
}

TEST_F(StateSettersTest, EyeHeightMovesTheFirstPersonCameraByTheChange)
{
    app.camera_mode = CAMERA_FIRST_PERSON;
    app.camera.eye[1] = 1.75;
    app.camera.target[1] = 0.75;
    set_eye_height(app, 2.5, "2.5");
    EXPECT_DOUBLE_EQ(app.camera.eye[1], 2.5);
    EXPECT_DOUBLE_EQ(app.camera.target[1], 1.5);
    EXPECT_DOUBLE_EQ(app.saved_cameras[CAMERA_FIRST_PERSON].target[1], 0.75 + 2.5 - 1.75);
    EXPECT_EQ(app.view_settings.eye_height_text, "2.5");
}

TEST_F(StateSettersTest, ExecutionModeMarksItsButtonInBold)
{
    select_execution_mode(app, EXECUTION_PURE_UNION);
    EXPECT_EQ(app.view_settings.execution_mode, EXECUTION_PURE_UNION);
    EXPECT_EQ(app.view_settings.next_execution_mode, EXECUTION_PURE_UNION);
    EXPECT_TRUE(app.execution_mode_buttons[0].selected);
    EXPECT_EQ(app.execution_mode_buttons[0].font, lumo::kFontBold);
    EXPECT_EQ(app.execution_mode_buttons[2].font, lumo::kFontRegular);
    // Basic-CSG has union, difference, intersection and operand ids only.
    select_execution_mode(app, EXECUTION_BASIC_CSG);
    const std::array<bool, 6> offered{true, true, true, true, false, false};
    for (std::size_t row = 0; row < offered.size(); ++row) {
        const lumo::T& text = app.run_pane.feature_rows[row];
        EXPECT_EQ(text.font, offered[row] ? lumo::kFontSmallBold : lumo::kFontSmall) << row;
        EXPECT_EQ(text.text_colour_override, offered[row] ? app.meaning_colours.normal.data()
                                                          : app.meaning_colours.faint.data());
    }
}

TEST_F(StateSettersTest, ThemeCopiesItsStylesAndHandsTheBackgroundToTheClearColour)
{
    static std::array<double, 4> cleared{};
    app.platform.clear_colour = [](double r, double g, double b, double a) {
        cleared = {r, g, b, a};
    };
    for (int theme : {THEME_DARK, THEME_MIDNIGHT}) {
        select_theme(app, theme);
        const ThemeColours& colours = theme_table()[static_cast<std::size_t>(theme)];
        EXPECT_EQ(cleared, colours.background) << colours.name;
        EXPECT_EQ(app.theme_text_colour, colours.text);
        EXPECT_EQ(app.meaning_colours, colours.meanings) << colours.name;
        EXPECT_EQ(app.meaning_colours_on_highlight, colours.meanings_on_highlight) << colours.name;
        EXPECT_DOUBLE_EQ(lumo::g_theme_text_colour[1], colours.text[1]) << colours.name;
        EXPECT_DOUBLE_EQ(g_active_fill_styles[STYLE_PANEL].channel(0, 0),
                         colours.styles[STYLE_PANEL].channel(0, 0));
    }
}

TEST_F(StateSettersTest, PanelSettersMoveTheViewAtOnceAndAFlipGivesTheBarsItsStyle)
{
    app.window_width = 720;
    app.window_height = 480;
    set_frame_mode(app, true);
    const std::array<int, 4> framed = app.panel_layout.view_rect;
    select_side_panel(app, 0);
    EXPECT_EQ(app.panel_layout.view_rect[0], framed[0] + app.layout.side_panel_width)
        << "the framed view starts right of the side panel";
    set_quick_hide(app, true);
    EXPECT_EQ(app.panel_layout.view_rect, (std::array<int, 4>{0, 0, 720, 480}));
    set_quick_hide(app, false);

    const FillStyle* normal = &g_active_fill_styles[STYLE_BAR];
    const FillStyle* flipped = &g_active_fill_styles[STYLE_BAR_FLIPPED];
    app.toolbar.bar.fill_style = normal;
    app.status_bar.bar.fill_style = normal;
    set_vertical_flip_mode(app, true);
    EXPECT_EQ(app.toolbar.bar.fill_style, flipped);
    EXPECT_EQ(app.status_bar.bar.fill_style, flipped);
    set_vertical_flip_mode(app, true);
    EXPECT_EQ(app.toolbar.bar.fill_style, flipped) << "no change, no exchange";
    set_vertical_flip_mode(app, false);
    EXPECT_EQ(app.toolbar.bar.fill_style, normal);
    // A restored environment inverts the flag first and applies its own
    // state again: the bars keep that state's style.
    app.view_settings.panel_flags[PANEL_VERTICAL_FLIP] = 1;
    set_vertical_flip_mode(app, false);
    EXPECT_EQ(app.status_bar.bar.fill_style, normal);
}

TEST_F(StateSettersTest, HintBarFollowsTheTooltipWidget)
{
    lumo::P widget;
    const std::string title = "world-scale [ 0 : 1 ]";
    widget.hint_title = &title;
    widget.icon = 30;
    lumo::g_tooltip_widget = &widget;
    update_hover_hint(app);
    EXPECT_EQ(app.hint_texts[0], title);
    EXPECT_EQ(app.hint_bar.icon.icon, 30);
    EXPECT_EQ(app.hint_bar.texts[0].margin.left, 32 + 2 * 8);
    lumo::g_tooltip_widget = nullptr;
    update_hover_hint(app);
    EXPECT_EQ(app.hint_texts[0], "");
    EXPECT_FALSE(app.hint_bar.icon.visible);
    EXPECT_EQ(app.hint_bar.texts[0].margin.left, 4);
}

// A long log and kernel channel, switched to the other console font and
// back: each view scrolled to its end still shows its last line at the
// bottom of its pane, as the box the pane scrolls over follows the text
// measured in the font it now has.
TEST_F(StateSettersTest, EachConsoleViewScrollsToItsLastLineInEitherFont)
{
    add_first_environment(app);
    ConsoleState& console = *app.current_console;
    std::vector<std::string> lines(3000, "a");
    lines.back() = "last";
    console.lines = lines;
    console.line_count = static_cast<std::int32_t>(lines.size());
    console.channel_lines[CHANNEL_KERNEL] = lines;
    console.channel_count[CHANNEL_KERNEL] = console.line_count;
    for (lumo::T& view : app.text_views)
        view.font = lumo::kFontSmall; // the trace starts enlarged
    show_console_log(app);
    show_console_channel(app);
    const std::array<lumo::SP*, 2> panes{&app.console.log_scroll, &app.console.channel_scroll};
    for (std::size_t i = 0; i < panes.size(); ++i) {
        app.text_views[i].padding.left = app.text_views[i].padding.top = app.layout.gap;
        panes[i]->children = {&app.text_views[i]};
        panes[i]->width = panes[i]->height = 300;
    }
    for (const bool enlarged : {false, true}) {
        select_text_view_font(app, enlarged);
        for (lumo::SP* pane : panes) {
            pane->fraction_y = 1.0;
            pane->layout();
            lumo::DrawList list;
            lumo::build_draw_list(*pane, list);
            std::map<float, int> glyphs_by_row;
            for (const lumo::DrawQuad& quad : list.quads)
                if (quad.texture == lumo::DrawTexture::kFont) ++glyphs_by_row[quad.y0];
            const int lowest_row = glyphs_by_row.empty() ? 0 : glyphs_by_row.rbegin()->second;
            EXPECT_EQ(lowest_row, 4)
                << "the lowest row shown is \"last\": " << (enlarged ? "enlarged " : "regular ")
                << (pane == panes[0] ? "log" : "channel");
        }
    }
}

} // namespace
