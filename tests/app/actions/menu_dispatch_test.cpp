#include "app/actions/menu_dispatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/commands/environment_lifecycle.h"
#include "app/commands/menu_bars.h"
#include "state/application.h"
#include "state/current_environment.h"
#include "lumo/font.h"

namespace {

class MenuDispatchTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    ViewSettings& settings = app.view_settings;

    bool tool_check(std::int32_t menu, std::int32_t item)
    {
        return get_menu_check(*app.menu_checks.tool_menu_checks[menu], item);
    }
};

// Each row reaches its flag, and its check mark and row widget follow.
TEST_F(MenuDispatchTest, EveryToggleRowReachesItsFlag)
{
    struct Case {
        bool tool;
        std::int32_t menu, item;
        std::function<std::uint8_t(Application&)> flag;
    };
    const Case cases[] = {
        {true, 0, 0, [](Application& a) { return a.view_settings.show_surface; }},
        {true, 0, 4, [](Application& a) { return a.view_settings.show_points; }},
        {true, 1, 4, [](Application& a) { return a.view_settings.colour_inverted; }},
        {true, 2, 2, [](Application& a) { return a.view_settings.transparent_mode; }},
        {true, 2, 6, [](Application& a) { return a.view_settings.silhouette; }},
        {true, 3, 2, [](Application& a) { return a.view_settings.orbit_about_centre; }},
        {true, 5, 0, [](Application& a) { return a.view_settings.attribute_trace; }},
        {true, 6, 3, [](Application& a) { return a.view_settings.show_bounds; }},
        {false, 0, 4, [](Application& a) { return a.view_settings.show_fps; }},
        {false, 1, 0, [](Application& a) { return a.view_settings.anti_aliasing; }},
        {false, 2, 5, [](Application& a) { return a.view_settings.emission_term; }},
        {false, 8, 1, [](Application& a) { return a.view_settings.variants_enabled; }},
        {false, 8, 6, [](Application& a) { return a.view_settings.upright_grid; }},
        {false, 9, 1, [](Application& a) { return a.view_settings.inverted_zoom; }},
        {false, 9, 3, [](Application& a) { return a.native_io; }},
    };
    for (const Case& c : cases) {
        const std::uint8_t before = c.flag(app);
        if (c.tool)
            handle_tool_menu_item(app, c.menu, c.item);
        else
            handle_settings_menu_item(app, c.menu, c.item);
        EXPECT_NE(c.flag(app), before) << c.menu << ":" << c.item;
        const auto& checks =
            c.tool ? app.menu_checks.tool_menu_checks : app.menu_checks.settings_menu_checks;
        const auto& rows = c.tool ? app.tool_menus[c.menu].rows : app.settings_menus[c.menu].rows;
        EXPECT_EQ(get_menu_check(*checks[c.menu], c.item), c.flag(app) != 0);
        EXPECT_EQ(rows[c.item].selected, c.flag(app) != 0);
    }
}

TEST_F(MenuDispatchTest, EdgeTopologiesExcludeEachOtherAndNoneLeftShowsNoRender)
{
    handle_tool_menu_item(app, TOOL_MENU_TOPOLOGY, 1);
    handle_tool_menu_item(app, TOOL_MENU_TOPOLOGY, 2);
    EXPECT_FALSE(settings.show_polygons);
    EXPECT_TRUE(settings.show_triangles);
    EXPECT_TRUE(settings.polygon_mode);
    EXPECT_FALSE(tool_check(0, 1));
    handle_tool_menu_item(app, TOOL_MENU_TOPOLOGY, 2);
    EXPECT_FALSE(settings.polygon_mode) << "twice turns it off";
    app.no_render.visible = false;
    handle_tool_menu_item(app, TOOL_MENU_TOPOLOGY, 0);
    EXPECT_TRUE(app.no_render.visible) << "surface, edges and points all off";
}

TEST_F(MenuDispatchTest, CurrentRadioItemDoesNotRefresh)
{
    handle_tool_menu_item(app, TOOL_MENU_COLOUR, 2);
    EXPECT_EQ(settings.colour_mode, COLOUR_SCHEME_LIGHT);
    app.redraw_requested = 0;
    handle_tool_menu_item(app, TOOL_MENU_COLOUR, 2);
    EXPECT_EQ(app.redraw_requested, 0);
    handle_tool_menu_item(app, TOOL_MENU_COLOUR, 3);
    EXPECT_TRUE(tool_check(1, 3));
    EXPECT_FALSE(tool_check(1, 2));
    EXPECT_TRUE(app.colour_bar.bar.visible) << "the function scheme shows its bar";
}

TEST_F(MenuDispatchTest, GradientsAndThemesAndOutOfRangeNumbers)
{
    handle_settings_menu_item(app, SETTINGS_MENU_SHADING, 1);
    EXPECT_EQ(settings.gradient, 0);
    handle_settings_menu_item(app, SETTINGS_MENU_SHADING, 2);
    EXPECT_EQ(settings.gradient, 1) << "radial straight from linear";
    handle_settings_menu_item(app, SETTINGS_MENU_SHADING, 1);
    handle_settings_menu_item(app, SETTINGS_MENU_SHADING, 1);
    EXPECT_EQ(settings.gradient, -1) << "linear twice gives no gradient";

    handle_settings_menu_item(app, SETTINGS_MENU_THEME, 0);
    EXPECT_EQ(settings.theme_index, 0);
    EXPECT_TRUE(app.settings_menus[SETTINGS_MENU_THEME].rows[0].selected);
    EXPECT_FALSE(app.settings_menus[SETTINGS_MENU_THEME].rows[2].selected);

    const ViewSettings before = settings;
    for (auto [menu, item] : {std::pair{-1, 0}, {10, 0}, {8, 40}, {0, -3}}) {
        handle_settings_menu_item(app, menu, item);
        handle_tool_menu_item(app, menu, item);
    }
    EXPECT_EQ(settings, before);
}

TEST_F(MenuDispatchTest, EnlargeTraceSwitchesTheConsoleFontAndResetSizeLeavesFullScreen)
{
    const MenuCheckBits& widgets = *app.menu_checks.settings_menu_checks[SETTINGS_MENU_WIDGETS];
    EXPECT_TRUE(get_menu_check(widgets, 11)) << "the trace starts enlarged";
    for (const int font : {lumo::kFontRegular, lumo::kFontSmall}) {
        handle_settings_menu_item(app, SETTINGS_MENU_WIDGETS, 11);
        EXPECT_EQ(get_menu_check(widgets, 11), font == lumo::kFontSmall);
        for (const lumo::T& view : app.text_views)
            EXPECT_EQ(view.font, font);
    }

    static std::array<std::int32_t, 2> asked_size{};
    app.platform.set_fullscreen = [](std::uint8_t) { return std::uint8_t{0}; };
    app.platform.resize_client_area = [](std::int32_t width, std::int32_t height) {
        asked_size = {width, height};
        return 1;
    };
    select_settings_menu_item(app, SETTINGS_MENU_FULLSCREEN);
    handle_settings_menu_item(app, SETTINGS_MENU_WINDOW, 5);
    EXPECT_EQ(app.fullscreen, 0) << "full screen is left as the bar's item leaves it";
    EXPECT_FALSE(app.settings_bar_items[SETTINGS_MENU_FULLSCREEN].selected);
    EXPECT_TRUE(app.border.visible);
    EXPECT_EQ(asked_size, (std::array<std::int32_t, 2>{720, 480}));
}

// Attribute-Trace, Camera-Views and Variant-Selector belong to their
// environment: in each one the row's mark and its setting agree, a new one
// starts with them on, a click flips both, and the statistics follow the trace.
TEST_F(MenuDispatchTest, EnvironmentRowsShowTheirOwnSettingInEachEnvironment)
{
    struct Row {
        bool tool;
        std::int32_t menu, item;
        std::uint8_t ViewSettings::*setting;
    };
    const Row rows[] = {{true, TOOL_MENU_STATE, 0, &ViewSettings::attribute_trace},
                        {false, SETTINGS_MENU_WIDGETS, 0, &ViewSettings::camera_views},
                        {false, SETTINGS_MENU_WIDGETS, 1, &ViewSettings::variants_enabled}};
    const auto click_rows = [&] {
        for (const Row& row : rows)
            if (row.tool)
                handle_tool_menu_item(app, row.menu, row.item);
            else
                handle_settings_menu_item(app, row.menu, row.item);
    };
    const auto expect_rows = [&](bool on) {
        for (const Row& row : rows) {
            const auto& marks =
                row.tool ? app.tool_menus[row.menu].rows : app.settings_menus[row.menu].rows;
            EXPECT_EQ(app.view_settings.*row.setting, on ? 1 : 0) << row.menu << ":" << row.item;
            EXPECT_EQ(marks[row.item].selected, on) << row.menu << ":" << row.item;
        }
        EXPECT_EQ(app.statistics_texts[0].visible, on);
    };
    g_next_environment_id = 0;
    add_first_environment(app);
    click_rows();
    add_environment(app);
    expect_rows(true);
    for (const std::int32_t index : {0, 1, 0}) {
        SCOPED_TRACE(index);
        request_environment_switch(app, index);
        for (int i = 0; i <= DEFERRED_FRAMES; ++i)
            tick_environment_switch(app);
        expect_rows(index == 1);
    }
    click_rows();
    expect_rows(true);
}

// The camera rows move the camera, except while it is locked.
TEST_F(MenuDispatchTest, CameraRowsMoveTheCameraUnlessLocked)
{
    struct Case {
        std::int32_t menu, item;
    };
    const Case cases[] = {
        {TOOL_MENU_VIEW, 0}, {TOOL_MENU_VIEW, 3}, {TOOL_MENU_VIEW, 5}, {TOOL_MENU_STATE, 2}};
    for (bool locked : {false, true}) {
        settings.panel_flags[PANEL_VIEW_LOCK] = locked ? 1 : 0;
        for (const Case& c : cases) {
            app.camera.eye[0] = 7.0;
            handle_tool_menu_item(app, c.menu, c.item);
            EXPECT_EQ(app.camera.eye[0] == 7.0, locked) << c.menu << " " << c.item;
        }
    }
    settings.panel_flags[PANEL_VIEW_LOCK] = 0;
    handle_settings_menu_item(app, SETTINGS_MENU_CAMERA, CAMERA_FIRST_PERSON);
    EXPECT_EQ(app.camera_mode, CAMERA_FIRST_PERSON);
    EXPECT_EQ(app.camera.ground_lock, 1) << "the controller switch locks the ground";
    EXPECT_TRUE(get_menu_check(*app.menu_checks.settings_menu_checks[SETTINGS_MENU_CAMERA],
                               CAMERA_FIRST_PERSON));
}

} // namespace

namespace {

// Switched on, the read-out shows the frames already timed, not a
// placeholder left from construction.
TEST_F(MenuDispatchTest, FrameRateRowShowsTheTimedFramesAtOnce)
{
    app.fps_readout.set_label("? fps (? ms)");
    app.frame_times_ns.fill(4'000'000);
    handle_settings_menu_item(app, SETTINGS_MENU_WINDOW, 4);
    EXPECT_TRUE(app.fps_readout.visible);
    EXPECT_EQ(app.fps_readout.label, "250.0 fps (4.0 ms)");
}

} // namespace
