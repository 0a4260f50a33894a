#include "app/commands/environment_lifecycle.h"

#include <gtest/gtest.h>

#include <memory>

#include "state/environment_store.h"
#include "app/commands/environment_view.h"
#include "lumo/font.h"
#include "panels/console_channels.h"
#include "panels/entity_colouring.h"
#include "panels/inspection_text.h"
#include "platform/kernel_config.h"
#include "shell/confirm_pane.h"
#include "shell/fade.h"
#include "shell/state_setters.h"
#include "shell/themes.h"

namespace {

class EnvironmentLifecycleTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_next_environment_id = 0;
        add_first_environment(app);
        for (int i = 0; i < 2; ++i) // rows of two camera directives
            app.directive_rows.push_back(std::make_unique<lumo::P>());
    }

    // Environments 0 .. count - 1, the last one current.
    void open_environments(int count)
    {
        while (app.environment_tab_count < count)
            add_environment(app);
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            tick_environment_switch(app);
    }

    void switch_now(std::int32_t index)
    {
        request_environment_switch(app, index);
        tick(DEFERRED_FRAMES + 1);
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST(EnvironmentStore, RecordsTakeCountingIdsAndRemovalKeepsTheOthersInPlace)
{
    g_next_environment_id = 0;
    EnvironmentStore store;
    EnvironmentRecord* first = add_environment_record(store);
    EnvironmentRecord* second = add_environment_record(store);
    EnvironmentRecord* third = add_environment_record(store);
    EXPECT_EQ(second->name, "env1");
    EXPECT_EQ(environment_at(store, 1), second);
    EXPECT_EQ(environment_at(store, 3), nullptr);
    EXPECT_EQ(environment_at(store, -1), nullptr);
    const EnvironmentRecord fresh = construct_environment_record();
    EXPECT_TRUE(list_environment_record(store, fresh));
    EXPECT_FALSE(list_environment_record(store, fresh)) << "an id is listed once";
    EXPECT_EQ(store.count, 4);

    remove_environment_record(store, 1);
    remove_environment_record(store, 5);
    remove_environment_record(store, -1);
    EXPECT_EQ(store.count, 3);
    EXPECT_EQ(store.order, (std::vector<EnvironmentRecord*>{first, third, store.order[2]}));
    EXPECT_EQ(third->name, "env2");
    EXPECT_EQ(add_environment_record(store)->name, "env4") << "ids are never reused";
    destroy_environment_store(store);
    EXPECT_TRUE(store.count == 0 && store.order.empty() && store.records.empty());
}

TEST_F(EnvironmentLifecycleTest, NewEnvironmentsBecomeTheLastTabAndCurrent)
{
    open_environments(3);
    EXPECT_EQ(app.current_entity_list, &app.current_environment->entities);
    EXPECT_EQ(app.current_console, &app.current_environment->console);
    EXPECT_EQ(app.current_selection->entity_list, app.current_entity_list);
    EXPECT_EQ(app.current_environment_index, 2);
    EXPECT_EQ(app.environment_tab_names, (std::vector<std::string>{"env0", "env1", "env2"}));
    EXPECT_EQ(app.current_environment, app.environment_store.order[2]);
    EXPECT_TRUE(app.environment_tabs.tabs[2]->selected) << "the tab row was rebuilt";
}

TEST_F(EnvironmentLifecycleTest, SwitchHappensOnTheSixthTickOfTheLastRequest)
{
    open_environments(3);
    request_environment_switch(app, 0);
    tick(2);
    request_environment_switch(app, 1); // replaces the first and restarts the countdown
    tick(5);
    EXPECT_EQ(app.current_environment_index, 2);
    tick(1);
    EXPECT_EQ(app.current_environment_index, 1);
    EXPECT_EQ(app.current_environment, app.environment_store.order[1]);
    EXPECT_EQ(app.pending_environment_index, -1);
    EXPECT_EQ(app.environment_switch_countdown, -1);

    switch_now(7); // a missing environment is dropped
    EXPECT_EQ(app.current_environment, app.environment_store.order[1]);
    EXPECT_EQ(app.pending_environment_index, -1);
}

TEST_F(EnvironmentLifecycleTest, PendingSwitchFollowsItsEnvironmentAcrossAClose)
{
    open_environments(4);
    EnvironmentRecord* target = app.environment_store.order[2];
    request_environment_switch(app, 2);
    close_environment(app, 1);
    tick(DEFERRED_FRAMES + 1);
    EXPECT_EQ(app.current_environment, target);
    EXPECT_EQ(app.current_environment_index, 1);

    request_environment_switch(app, 0);
    close_environment(app, 0); // the switch's own target goes away
    tick(DEFERRED_FRAMES + 1);
    EXPECT_EQ(app.current_environment, target);
    EXPECT_EQ(app.pending_environment_index, -1);
}

// Changes a spread of per-environment state away from its defaults.
void customise(Application& app)
{
    ViewSettings& settings = app.view_settings;
    settings.theme_index = 4;
    settings.colour_mode = COLOUR_SCHEME_FUNCTION;
    settings.colour_function = 9;
    settings.max_cores = 7;
    settings.culling = 0;
    settings.profiler = 1;
    settings.zoom = 2.5;
    settings.pick_mode = 'P';
    settings.export_name = "parts";
    settings.hover_hints = 0;
    settings.directive_mode = 2; // GRID
    settings.current_camera_directive = 1;
    select_side_panel(app, 1);
    show_tool_drop_down(app, TOOL_MENU_ORBIT);
    set_settings_bar_visible(app, true);
    show_settings_drop_down(app, SETTINGS_MENU_THEME);
    select_console_channel(app, CHANNEL_ERROR);
    set_vertical_flip_mode(app, true);
    select_execution_mode(app, EXECUTION_BASIC_CSG);
    app.camera.eye[0] = 5.0;
    app.camera.eye[1] = 6.0;
    app.split_layouts[1].ratio = 0.25;
    app.slider_rows[2].slider.set_value(0.75);
    app.slider_field_texts[2] = "0.75";
    set_menu_check(app.menu_checks.tool_menu_bits[TOOL_MENU_VIEW], 2, true);
    set_menu_check(app.menu_checks.tool_menu_bits[TOOL_MENU_TOPOLOGY], 0, false);
    // As the split button does: the new pane starts with a copy of the view.
    app.view.duplicate_viewport_pane_state(0);
    app.view.split_viewport_pane(0, lumo::kSplitX, 0.5, 1, 1);
    app.view.selected_pane = 1;
    lumo::view_zoom(app.view.pane_views[1]) = 7.0;
    mark_directive_column(app);
}

TEST_F(EnvironmentLifecycleTest, SwitchingAwayAndBackRestoresEveryField)
{
    open_environments(2);
    customise(app);
    const ViewSettings before = app.view_settings;
    app.camera_mode = CAMERA_FIRST_PERSON; // each controller mode keeps its own camera
    app.camera.eye[2] = 9.0;

    switch_now(0); // the first environment shows none of it
    EXPECT_EQ(app.camera_mode, CAMERA_FREE_ROAM);
    EXPECT_EQ(app.view_settings.theme_index, 2);
    EXPECT_FALSE(app.settings_menu_pane.visible);
    EXPECT_TRUE(app.console_channel_tabs[CHANNEL_KERNEL].selected);
    EXPECT_DOUBLE_EQ(app.split_layouts[1].ratio, 0.5);
    EXPECT_EQ(app.view.pane_count(), 1);
    EXPECT_EQ(app.hint_bar.bar.fill_style, &g_active_fill_styles[STYLE_HIGHLIGHT]);

    switch_now(1);
    EXPECT_FALSE(app.hint_bar.bar.fill || app.hint_bar.bar.fill_style != nullptr) << "hints off";
    EXPECT_TRUE(app.view_settings == before);
    for (const lumo::P* shown :
         {&app.side_panels[1], &app.tool_menus[TOOL_MENU_ORBIT].pane,
          &app.settings_menus[SETTINGS_MENU_THEME].pane, &app.settings_menu_pane})
        EXPECT_TRUE(shown->visible);
    for (const lumo::P* on :
         {&app.console_channel_tabs[CHANNEL_ERROR],
          &app.execution_mode_buttons[EXECUTION_BASIC_CSG], &app.pick_mode_rows[2],
          &app.profiler_toggle, &app.colour_function_toggles[9 - FIRST_COLOUR_FUNCTION],
          &app.tool_menus[TOOL_MENU_VIEW].rows[2], &app.directive_option_buttons[3],
          app.directive_rows[1].get()})
        EXPECT_TRUE(on->selected);
    EXPECT_FALSE(app.culling_toggle.selected);
    EXPECT_EQ(app.current_console->shown_channel, CHANNEL_ERROR);
    EXPECT_EQ(app.max_cores_field.label, "7");
    EXPECT_EQ(app.export_name_field.label, "parts");
    EXPECT_EQ(std::vector<double>(app.camera.eye, app.camera.eye + 3),
              (std::vector<double>{5.0, 6.0, 9.0}));
    EXPECT_EQ(app.camera_mode, CAMERA_FIRST_PERSON);
    EXPECT_EQ(app.camera.ground_lock, 1);
    EXPECT_DOUBLE_EQ(app.saved_cameras[CAMERA_FREE_ROAM].eye[2], 3.0) << "never touched";
    EXPECT_DOUBLE_EQ(app.split_layouts[1].ratio, 0.25);
    EXPECT_DOUBLE_EQ(app.slider_rows[2].slider.value, 0.75);
    EXPECT_EQ(app.slider_rows[2].field.label, "0.75");
    EXPECT_TRUE(get_menu_check(app.menu_checks.tool_menu_bits[TOOL_MENU_VIEW], 2));
    EXPECT_FALSE(get_menu_check(app.menu_checks.tool_menu_bits[TOOL_MENU_TOPOLOGY], 0));
    EXPECT_EQ(app.view.pane_count(), 2);
    EXPECT_EQ(app.view.selected_pane, 1);
    EXPECT_DOUBLE_EQ(lumo::view_zoom(app.view.pane_views[1]), 7.0);
}

TEST_F(EnvironmentLifecycleTest, NewEnvironmentStartsFromTheDefaultsInTheWorkspace)
{
    const std::string saved_workspace = g_workspace_path;
    g_workspace_path = "/srv/ws/";
    customise(app);
    add_environment(app);
    ViewSettings expected;
    expected.navigator_directory = "/srv/ws/";
    expected.export_name = "environment";
    expected.export_location = "/srv/ws/";
    EXPECT_TRUE(app.view_settings == expected);
    EXPECT_EQ(app.camera_mode, CAMERA_FREE_ROAM);
    EXPECT_DOUBLE_EQ(app.camera.eye[0], -1.0);
    EXPECT_DOUBLE_EQ(app.split_layouts[1].ratio, 0.5);
    EXPECT_DOUBLE_EQ(app.slider_rows[1].slider.value, 40.0 / 140.0);
    for (int i = 0; i < TOOL_MENU_COUNT; ++i)
        EXPECT_EQ(app.menu_checks.tool_menu_bits[i], app.menu_checks.default_tool_menu_snapshot[i]);
    const std::pair<const lumo::F*, const char*> fields[] = {
        {&app.export_location_field, "/srv/ws/"}, {&app.export_name_field, "environment"},
        {&app.frame_rate_limit_field, "-1"},      {&app.mono_edge_tone_field, "4"},
        {&app.eye_height_field, "1.75"},          {&app.max_cores_field, "4"}};
    for (const auto& [field, label] : fields)
        EXPECT_EQ(field->label, label);
    EXPECT_TRUE(app.culling_toggle.selected && app.pick_mode_rows[0].selected);
    EXPECT_FALSE(app.directive_option_buttons[3].selected || app.directive_rows[1]->selected)
        << "the list, and no directive";
    // The environment it came from kept its own state.
    EXPECT_EQ(app.environment_store.order[0]->view_settings.theme_index, 4);
    g_workspace_path = saved_workspace;
}

// What one environment shows of its own and must never hand to another.
struct OwnView {
    bool locked;
    std::string directory;
    std::int32_t sort_key;
    std::uint8_t ascending;
    char pick_mode;
    std::string indicator;
    std::uint8_t multi_channel;
    std::uint8_t sample_visible;
};

void show_own_view(Application& app, const OwnView& own)
{
    set_camera_lock(app, own.locked);
    app.navigator.directory = own.directory;
    app.navigator.sort_key = own.sort_key;
    app.navigator.sort_ascending = own.ascending;
    app.view_settings.pick_mode = static_cast<std::uint8_t>(own.pick_mode);
    app.view_settings.pick_mode_chosen = 1; // as a pick-mode row does
    show_pick_mode(app);
    app.view_settings.multi_channel_colour = own.multi_channel;
    build_function_palette(app);
    app.builtin_mesh->visible = own.sample_visible;
}

void expect_own_view(const Application& app, const OwnView& own)
{
    EXPECT_EQ(app.camera_motion.camera_lock != 0, own.locked);
    EXPECT_EQ(app.lock_icon.visible, own.locked);
    EXPECT_EQ(app.settings_bar_items[SETTINGS_MENU_LOCK].selected, own.locked);
    EXPECT_EQ(app.navigator.directory, own.directory);
    EXPECT_EQ(app.navigator.sort_key, own.sort_key);
    EXPECT_EQ(app.navigator.sort_ascending, own.ascending);
    EXPECT_EQ(app.llmi_indicator.label, own.indicator);
    for (std::size_t i = 0; i < PICK_MODES.size(); ++i)
        EXPECT_EQ(app.pick_mode_rows[i].selected, PICK_MODES[i] == own.pick_mode);
    EXPECT_EQ(app.function_palette, build_function_palette(own.multi_channel != 0));
    EXPECT_EQ(app.builtin_mesh->visible, own.sample_visible);
}

TEST_F(EnvironmentLifecycleTest, EachEnvironmentShowsOnlyItsOwnLockNavigatorPickModeAndColours)
{
    const std::string saved_workspace = g_workspace_path;
    g_workspace_path = "/srv/ws/";
    app.builtin_mesh = construct_mesh(nullptr, nullptr, 0, 3);
    const OwnView views[] = {
        {true, "/srv/ws/a/", NAVIGATOR_SORT_SIZE, 0, 'T', "T", 0, 0},
        {false, "/srv/ws/", NAVIGATOR_SORT_NAME, 1, '!', "", 1, 1},
        {true, "/tmp/", NAVIGATOR_SORT_DATE, 1, 'U', "U", 1, 0},
    };
    // A new environment starts from the defaults; its indicator keeps its
    // name until a row is chosen there.
    const OwnView fresh{false, "/srv/ws/", NAVIGATOR_SORT_NAME, 1, '!', "LLMI", 1, 1};
    show_own_view(app, views[0]);
    add_environment(app);
    expect_own_view(app, fresh);
    show_own_view(app, views[1]);
    add_environment(app);
    show_own_view(app, views[2]);
    for (const std::int32_t index : {0, 1, 2, 1, 0}) {
        SCOPED_TRACE(index);
        switch_now(index);
        expect_own_view(app, views[index]);
    }
    // The record keeps them while another environment is current.
    const EnvironmentRecord& stored = *app.environment_store.order[2];
    EXPECT_EQ(stored.view_settings.navigator_directory, "/tmp/");
    EXPECT_EQ(stored.view_settings.navigator_sort_key, NAVIGATOR_SORT_DATE);
    EXPECT_EQ(stored.view_settings.panel_flags[PANEL_VIEW_LOCK], 1);
    EXPECT_EQ(stored.builtin_mesh_visible, 0);
    EXPECT_EQ(construct_environment_record().builtin_mesh_visible, 1);
    g_workspace_path = saved_workspace;
}

// UI-Animations, Inline-IO, Native-IO and Native-DND are the program's: their
// marks show the flags in every environment. Inverted-Zoom is each
// environment's own, flag and mark.
TEST_F(EnvironmentLifecycleTest, ProgramSettingsShowTheirFlagsInEveryEnvironment)
{
    MenuCheckBits& bits = app.menu_checks.settings_menu_bits[SETTINGS_MENU_SETTINGS];
    std::uint8_t* const flags[] = {&app.menu_switches.ui_animations, &app.view_settings.inverted_zoom,
                                   &app.inline_io, &app.native_io, &app.native_dnd};
    open_environments(2);
    switch_now(0);
    for (int row = SYSTEM_ROW_UI_ANIMATIONS; row <= SYSTEM_ROW_NATIVE_DND; ++row) {
        *flags[row] = *flags[row] != 0 ? 0 : 1; // as each row's click does in env0
        set_menu_check(bits, row, *flags[row] != 0);
    }
    for (const std::int32_t index : {1, 0}) {
        switch_now(index);
        for (int row = SYSTEM_ROW_UI_ANIMATIONS; row <= SYSTEM_ROW_NATIVE_DND; ++row)
            EXPECT_EQ(app.settings_menus[SETTINGS_MENU_SETTINGS].rows[row].selected,
                      *flags[row] != 0)
                << "env" << index << " row " << row;
        EXPECT_EQ(app.view_settings.inverted_zoom, index == 0 ? 1 : 0) << "each its own";
    }
}

TEST_F(EnvironmentLifecycleTest, RestoredFlagTogglesTakeTheirBoldType)
{
    open_environments(2);
    customise(app); // culling off, profiler on
    switch_now(0);
    switch_now(1);
    EXPECT_EQ(app.culling_toggle.font, lumo::kFontSmall);
    EXPECT_EQ(app.profiler_toggle.font, lumo::kFontSmallBold);
    switch_now(0);
    EXPECT_EQ(app.culling_toggle.font, lumo::kFontSmallBold);
    EXPECT_EQ(app.profiler_toggle.font, lumo::kFontSmall);
}

TEST_F(EnvironmentLifecycleTest, NewEnvironmentRequestsDuringOneFadeCreateOne)
{
    notify_ui_change(app);
    notify_ui_change(app);
    EXPECT_EQ(app.refresh_preview, 1);
    for (int i = 0; i < 100 && app.fade.active; ++i)
        advance_fade(app);
    EXPECT_FALSE(app.fade.active);
    EXPECT_EQ(app.environment_store.count, 2);
    EXPECT_EQ(app.current_environment_index, 1);
    EXPECT_EQ(app.environment_tab_names.back(), "env1");
}

TEST_F(EnvironmentLifecycleTest, ClosingBelowAtAndAboveTheCurrent)
{
    open_environments(3);
    EnvironmentRecord* current = app.current_environment;
    app.hovered_environment_tab = 1;
    close_environment(app, 1); // below: the current one moves one lower
    EXPECT_EQ(app.current_environment_index, 1);
    EXPECT_EQ(app.current_environment, current);
    EXPECT_EQ(app.environment_store.order[1], current);
    EXPECT_EQ(app.environment_tab_names, (std::vector<std::string>{"env0", "env2"}));
    EXPECT_EQ(app.hovered_environment_tab, -1);
    EXPECT_EQ(app.environment_tabs.tabs[1]->label, "env2");

    for (const int never : {1, 2, -1})
        close_environment(app, never); // at or missing
    EXPECT_EQ(app.environment_tab_count, 2);

    switch_now(0);
    close_environment(app, 1); // above: the index stays
    EXPECT_EQ(app.current_environment_index, 0);
    EXPECT_EQ(app.environment_tab_names, (std::vector<std::string>{"env0"}));
    EXPECT_EQ(add_environment_record(app.environment_store)->name, "env3");
}

TEST_F(EnvironmentLifecycleTest, ClosingQueuesTheGlNamesOfEveryMeshInOrder)
{
    const auto with_mesh = [](std::uint32_t first_name) {
        Entity entity = construct_entity();
        entity.mesh = construct_mesh(nullptr, nullptr, 0, 3);
        entity.mesh->vertex_array_name = first_name;
        entity.mesh->vertex_buffer_name = first_name + 1;
        entity.mesh->index_buffer_name = first_name + 2;
        return entity;
    };
    open_environments(2);
    EntityList& list = app.environment_store.order[1]->entities;
    Entity group = construct_entity_as_group(true);
    group.members = {new Entity(with_mesh(20)), nullptr, new Entity(construct_entity())};
    group.member_count = 3;
    list.entities = {with_mesh(10), group, with_mesh(30)};
    list.count = 3;

    switch_now(0);
    close_environment(app, 1);
    EXPECT_EQ(app.gl_vertex_arrays_to_delete, (std::vector<std::uint32_t>{10, 20, 30}));
    EXPECT_EQ(app.gl_buffers_to_delete, (std::vector<std::uint32_t>{11, 21, 31}));
    EXPECT_EQ(app.gl_index_buffers_to_delete, (std::vector<std::uint32_t>{12, 22, 32}));
}

TEST_F(EnvironmentLifecycleTest, CloseConfirmationClosesTheTabItWasAskedFor)
{
    open_environments(3);
    app.hovered_environment_tab = 1;
    confirm_close_environment(app);
    cancel_confirm_dialog(app);
    EXPECT_EQ(app.environment_store.count, 3);
    EXPECT_FALSE(is_any_modal_open(app));

    confirm_close_environment(app);
    EXPECT_EQ(app.confirm.title, "Confirm Environment Close");
    EXPECT_EQ(app.confirm.texts[1],
              "Note: this operation releases the resources used and cannot be undone.");
    EXPECT_EQ(app.confirm.option_value, 1);

    accept_confirm_dialog(app);
    // The pointer moves on before the deferred action runs.
    app.hovered_environment_tab = 0;
    run_confirmed_action(app);
    EXPECT_EQ(app.environment_tab_names, (std::vector<std::string>{"env0", "env2"}));
    EXPECT_EQ(app.modal[MODAL_BUSY], 0);
}

TEST_F(EnvironmentLifecycleTest, SelectionFollowsTheRemovalOfAnEntity)
{
    app.current_entity_list->display_order = {3, 1, 2, 0};
    std::int32_t& selected = app.current_selection->selected_position;
    selected = 2;
    // Display position 1 is before the selection, 0 after it, 9 not displayed,
    // then 1 is the selected one.
    const std::pair<int, int> removals[] = {{1, 1}, {0, 1}, {9, 1}, {1, -1}, {3, -1}};
    for (const auto& [removed, expected] : removals) {
        adjust_selection_for_removal(app, removed);
        EXPECT_EQ(selected, expected) << "after removing " << removed;
    }
}

} // namespace

// Each environment's console lines come back with it; the views never show
// the environment left behind.
TEST_F(EnvironmentLifecycleTest, EachEnvironmentShowsItsOwnConsoleAfterASwitch)
{
    console_log(app, "parsed a.plim", false);
    console_append_error_trace(app, "error in a.plim");
    select_console_channel(app, CHANNEL_ERROR);
    open_environments(2);
    EXPECT_EQ(app.text_views[0].label, "") << "a new environment starts with an empty log";
    EXPECT_EQ(app.text_views[1].label, "");
    console_log(app, "parsed b.plim", false);
    console_show_kernel_trace(app, "kernel for b");

    const std::array<std::array<const char*, 3>, 3> seen{{
        {"0", "parsed a.plim", "error in a.plim"},
        {"1", "parsed b.plim", "kernel for b"},
        {"0", "parsed a.plim", "error in a.plim"},
    }};
    for (const auto& [index, log, channel] : seen) {
        switch_now(std::stoi(index));
        EXPECT_EQ(app.text_views[0].label, log) << "environment " << index;
        EXPECT_EQ(app.text_views[1].label, channel) << "environment " << index;
    }
}

// The element under the pointer in one environment, named in the hint bar:
// after a switch into another environment in a pick mode, neither the bar nor
// the inspector's hint names it, and the next pick is formatted afresh.
TEST_F(EnvironmentLifecycleTest, ASwitchForgetsThePickOfTheEnvironmentLeftBehind)
{
    app.view_settings.pick_mode = 'T';
    show_pick_mode(app);
    open_environments(2);
    app.view_settings.pick_mode = 'T';
    show_pick_mode(app);
    app.picked_element = {0, 5};
    format_inspection_text(app);
    lumo::g_tooltip_widget = &app.llmi_indicator;
    update_hover_hint(app);
    ASSERT_EQ(app.hint_texts[1], "triangle : 5");

    switch_now(0);
    EXPECT_EQ(app.picked_element, (std::array<std::int32_t, 2>{-1, -1}));
    EXPECT_EQ(app.llmi_indicator.hint_title, nullptr);
    EXPECT_EQ(app.llmi_indicator.hint_text, nullptr);
    EXPECT_EQ(lumo::g_tooltip_widget, nullptr);
    EXPECT_FALSE(app.hint_bar.bar.visible);
    EXPECT_EQ(app.hint_texts, (std::array<std::string, 2>{"", ""}));
}
