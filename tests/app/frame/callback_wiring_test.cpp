#include "app/frame/callback_wiring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/actions/wheel_steppers.h"
#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "shell/confirm_pane.h"

namespace {

std::int32_t g_resize_requests = 0;

std::int32_t record_resize(std::int32_t, std::int32_t)
{
    ++g_resize_requests;
    return 1;
}

// Everything a menu row or a bar button may change, as one comparable text.
std::string fingerprint(const Application& app)
{
    std::string text;
    for (const MenuCheckBits& bits : app.menu_checks.tool_menu_bits)
        for (std::uint32_t word : bits.words)
            text += std::to_string(word) + ",";
    for (const MenuCheckBits& bits : app.menu_checks.settings_menu_bits)
        for (std::uint32_t word : bits.words)
            text += std::to_string(word) + ",";
    for (std::uint8_t open : app.modal)
        text += std::to_string(open);
    const CameraSettings& camera = app.camera;
    for (double v : {camera.eye[0], camera.eye[1], camera.eye[2], camera.target[0],
                     camera.target[1], camera.target[2]})
        text += std::to_string(v) + ",";
    text += app.mono_edge_tone_field.label + app.mono_dot_tone_field.label +
            app.silhouette_tone_field.label;
    text += std::to_string(app.view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE]);
    text += std::to_string(app.capture_request) + app.capture_file_name;
    text += std::to_string(g_resize_requests);
    return text;
}

class CallbackWiring : public testing::Test {
protected:
    void SetUp() override
    {
        create_application();
        build_application_ui(*g_app);
        g_app->platform.resize_client_area = record_resize;
        g_app->startup_finished = 1;
    }
    void TearDown() override { destroy_application(); }
    Application& app() { return *g_app; }
};

// A person opens every drop-down and presses each of its rows: each row has a
// callback, and pressing it changes what the interface shows or the camera.
// The maximum frame rate's row alone has none: its field acts.
// VIEW comes before STATE, whose camera rows then have a view to undo.
TEST_F(CallbackWiring, EveryMenuRowReachesItsEffect)
{
    struct Menu {
        bool tool;
        int menu;
        std::vector<int> value_rows; // rows whose field, not the row, acts
    };
    const std::vector<Menu> menus = {
        {true, TOOL_MENU_TOPOLOGY, {}},
        {true, TOOL_MENU_COLOUR, {}},
        {true, TOOL_MENU_SHADING, {}},
        {true, TOOL_MENU_ORBIT, {}},
        {true, TOOL_MENU_PROJECTION, {}},
        {true, TOOL_MENU_VIEW, {}},
        // Fit-Viewport has nothing to fit in an empty scene.
        {true, TOOL_MENU_STATE, {1}},
        {true, TOOL_MENU_WIDGETS, {}},
        {false,
         SETTINGS_MENU_WINDOW,
         {SETTINGS_ROW_WINDOW_WIDTH, SETTINGS_ROW_WINDOW_HEIGHT}},
        {false, SETTINGS_MENU_SHADING, {}},
        {false, SETTINGS_MENU_LIGHTING, {}},
        {false, SETTINGS_MENU_CAMERA, {}},
        {false, SETTINGS_MENU_THEME, {}},
        {false, SETTINGS_MENU_WIDGETS, {SETTINGS_ROW_EYE_HEIGHT}},
        // Advanced-Mode is a marker only: the program has no advanced mode.
        {false, SETTINGS_MENU_SETTINGS, {5}},
    };
    for (const Menu& m : menus) {
        MenuWidgets& menu = m.tool ? app().tool_menus[static_cast<std::size_t>(m.menu)]
                                   : app().settings_menus[static_cast<std::size_t>(m.menu)];
        for (int row = 0; row < static_cast<int>(menu.row_list.size()); ++row) {
            const std::string where = std::string(m.tool ? "tool " : "settings ") +
                                      std::to_string(m.menu) + ":" + std::to_string(row);
            lumo::P& widget = *menu.row_list[static_cast<std::size_t>(row)];
            if (&widget == &app().settings_menus[SETTINGS_MENU_WINDOW]
                                .rows[SETTINGS_ROW_FRAME_RATE_LIMIT]) {
                EXPECT_EQ(widget.on_click, nullptr) << where;
                EXPECT_NE(app().frame_rate_limit_field.on_enter, nullptr);
                continue;
            }
            ASSERT_NE(widget.on_click, nullptr) << where;
            const std::string before = fingerprint(app());
            widget.on_click();
            if (std::find(m.value_rows.begin(), m.value_rows.end(), row) != m.value_rows.end())
                continue;
            // A radio row that is already the current choice stays checked.
            EXPECT_TRUE(fingerprint(app()) != before || widget.selected) << where << " did nothing";
        }
    }
}

// The value rows carry their field inside the drop-down, so a typed value
// and a stepped tone are seen where the row is.
TEST_F(CallbackWiring, ValueFieldsSitInTheirRows)
{
    const std::pair<int, lumo::F*> fields[] = {
        {SETTINGS_MENU_WINDOW, &app().window_width_field},
        {SETTINGS_MENU_WINDOW, &app().window_height_field},
        {SETTINGS_MENU_WINDOW, &app().frame_rate_limit_field},
        {SETTINGS_MENU_WIDGETS, &app().mono_edge_tone_field},
        {SETTINGS_MENU_WIDGETS, &app().eye_height_field},
    };
    for (const auto& [menu, field] : fields) {
        const auto& children = app().settings_menus[static_cast<std::size_t>(menu)].strip.children;
        EXPECT_NE(std::find(children.begin(), children.end(), field), children.end());
    }
    lumo::P& edge_row =
        app().settings_menus[SETTINGS_MENU_WIDGETS].rows[SETTINGS_ROW_MONO_EDGE_TONE];
    edge_row.on_click();
    edge_row.on_click();
    EXPECT_EQ(app().mono_edge_tone_field.label, "7") << "4, then 6, then 7";
}

TEST_F(CallbackWiring, EveryToolBarButtonReachesItsEffect)
{
    for (int i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        lumo::P& button = app().toolbar.buttons[static_cast<std::size_t>(i)];
        ASSERT_NE(button.on_click, nullptr) << button.label;
        app().modal.fill(0);
        const std::string before = fingerprint(app());
        button.on_click();
        EXPECT_NE(fingerprint(app()), before) << button.label << " did nothing";
    }
    for (lumo::P& button : app().toolbar.menu_buttons) {
        button.on_click();
        const auto open = static_cast<std::size_t>(app().view_settings.open_tool_menu);
        EXPECT_TRUE(app().tool_menus[open].pane.visible) << button.label;
    }
}

TEST_F(CallbackWiring, ExpandButtonFirstHidesTheBarsThenSwitchesMinimalMode)
{
    ViewSettings& settings = app().view_settings;
    const std::uint8_t minimal = settings.minimal_mode;
    app().expand_button.on_click();
    EXPECT_EQ(settings.panel_flags[PANEL_QUICK_HIDE], 1);
    EXPECT_EQ(settings.minimal_mode, minimal) << "the first press only hides";
    app().expand_button.on_click();
    EXPECT_EQ(settings.panel_flags[PANEL_QUICK_HIDE], 1);
    EXPECT_NE(settings.minimal_mode, minimal);
}

// Each strip: content that fits keeps its fraction and answers with the
// strip's own flag; content that overflows moves by its step, clamps at the
// end and then answers as if it fitted.
TEST_F(CallbackWiring, WheelSteppersScrollOnlyWhatOverflows)
{
    struct Case {
        ScrollStrip strip;
        lumo::P* view;
        std::function<void(Application&, int)> content; // width or height
        bool vertical;
        double step;
        bool still_flag;
    };
    Application& a = app();
    const Case cases[] = {
        {SCROLL_STRIP_NAVIGATOR_LIST, &a.navigator_pane.list_area,
         [](Application& x, int n) { x.navigator_rows.list.height = n; }, true, 0.05, false},
        {SCROLL_STRIP_NAVIGATOR_PATH, &a.navigator_pane.path_bar,
         [](Application& x, int n) { x.navigator_rows.path_strip.width = n; }, false, 0.125, false},
        {SCROLL_STRIP_TABS, &a.tab_bar.scroll,
         [](Application& x, int n) { x.environment_tabs.strip.width = n; }, false, 0.125, true},
        {SCROLL_STRIP_STATUS, &a.status_bar.scroll,
         [](Application& x, int n) { x.status_width = n; }, false, 0.125, true},
        {SCROLL_STRIP_COLOURS, &a.colour_bar.scroll,
         [](Application& x, int n) { x.colour_bar.content_width = n; }, false, 0.125, true},
        {SCROLL_STRIP_DIRECTIVES, &a.directive_column.list_area,
         [](Application& x, int n) { x.directive_column.list.height = n; }, true, 0.125, true},
        {SCROLL_STRIP_VARIANTS, &a.variants_panel.list,
         [](Application& x, int n) { x.variant_rows.resize(n / x.layout.strip_height); }, true,
         0.125, true},
        {SCROLL_STRIP_PARALLEL_FLAGS, &a.parallel_flags_strip.panel,
         [](Application& x, int n) { x.parallel_flags_strip.content.width = n; }, false, 0.125,
         true},
        {SCROLL_STRIP_INSPECTOR, &a.inspector_strip.panel,
         [](Application& x, int n) { x.inspector_strip.content.width = n; }, false, 0.125, true},
    };
    for (const Case& c : cases) {
        (c.vertical ? c.view->height : c.view->width) = 200;
        double& fraction = scroll_strip_fraction(a, c.strip);
        fraction = 0.5;
        c.content(a, 10);
        EXPECT_EQ(step_scroll_strip(a, c.strip, 1), c.still_flag) << c.strip;
        EXPECT_EQ(fraction, 0.5) << c.strip << ": fits";
        c.content(a, 5000);
        EXPECT_TRUE(step_scroll_strip(a, c.strip, 1)) << c.strip;
        EXPECT_DOUBLE_EQ(fraction, 0.5 + c.step) << c.strip;
        EXPECT_TRUE(step_scroll_strip(a, c.strip, 100)) << c.strip;
        EXPECT_EQ(fraction, 1.0) << c.strip << ": clamped";
        EXPECT_EQ(step_scroll_strip(a, c.strip, 1), c.still_flag) << c.strip << ": at the end";
        EXPECT_EQ(fraction, 1.0) << c.strip;
    }
    a.variant_rows.clear();
}

// The run pane's body moves 48 pixels a notch, down for a positive step,
// between its last line at the foot of the view and its top; a body that
// fits stays. Every notch is consumed.
TEST_F(CallbackWiring, TheRunPaneBodyScrollsByPixelsWithinItsContent)
{
    lumo::KL& body = app().run_pane.body;
    body.height = 100;
    body.content_height = 80;
    EXPECT_TRUE(step_run_pane_text(app(), 1));
    EXPECT_EQ(body.content_offset_y, 0) << "fits";
    body.content_height = 300;
    const std::pair<int, int> steps[] = {{1, -48}, {3, -192}, {1, -200}, {-1, -152}, {-9, 0}};
    for (const auto& [notches, offset] : steps) {
        EXPECT_TRUE(step_run_pane_text(app(), notches));
        EXPECT_EQ(body.content_offset_y, offset) << notches;
    }
}

// The confirmation pane's buttons: Cancel and OK close it (OK arms the
// confirmed action, once), and the three options write the execution mode.
TEST_F(CallbackWiring, TheConfirmationPaneAnswersAndItsOptionsSetTheMode)
{
    std::int32_t mode = -1;
    const auto open = [&] {
        show_confirm_dialog(app(), "Re-Assemble", "?", 0, nullptr, nullptr);
        app().confirm.option_target = &mode;
        app().confirm_pane.pane.visible = true;
    };
    for (std::int32_t option = 0; option < 3; ++option) {
        open();
        ASSERT_TRUE(app().confirm_pane.option_buttons[static_cast<std::size_t>(option)].on_click());
        EXPECT_EQ(mode, option);
    }
    open();
    ASSERT_TRUE(app().confirm_pane.answer_buttons[0].on_click());
    EXPECT_EQ(app().modal[MODAL_CONFIRM], 0) << "Cancel closes the pane";
    EXPECT_EQ(app().deferred[DEFERRED_CONFIRMED_ACTION], 0) << "and arms nothing";
    open();
    ASSERT_TRUE(app().confirm_pane.answer_buttons[1].on_click());
    EXPECT_EQ(app().modal[MODAL_CONFIRM], 0) << "OK closes the pane";
    EXPECT_EQ(app().deferred[DEFERRED_CONFIRMED_ACTION], 1) << "and arms the confirmed action";
    app().deferred[DEFERRED_CONFIRMED_ACTION] = 0;
    app().confirm_pane.answer_buttons[1].on_click();
    EXPECT_EQ(app().deferred[DEFERRED_CONFIRMED_ACTION], 0) << "a late second OK accepts nothing";
}

} // namespace
