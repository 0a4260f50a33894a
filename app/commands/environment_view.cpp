#include "app/commands/environment_view.h"

#include <algorithm>
#include <string>

#include "app/commands/menu_bars.h"
#include "app/commands/script_loading.h"
#include "panels/entity_colouring.h"
#include "panels/info_texts.h"
#include "panels/inspection_text.h"
#include "platform/kernel_config.h"
#include "shell/console_views.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

bool is_camera_mode(std::int32_t mode)
{
    return mode >= 0 && mode <= 2;
}

// Only the first twelve numbers: the home pose of a saved set stays.
void store_live_camera(const CameraSettings& camera, CameraSet& set)
{
    std::copy(camera.eye, camera.eye + 3, set.eye);
    std::copy(camera.target, camera.target + 3, set.target);
    std::copy(camera.world_up, camera.world_up + 3, set.up);
    set.field_of_view = camera.field_of_view;
    set.near_plane = camera.near_plane;
    set.far_plane = camera.far_plane;
}

void save_viewport(const lumo::VL& view, ViewportLayout& layout)
{
    layout.pane_count = view.pane_count();
    layout.selected_pane = view.selected_pane;
    layout.pane_views = view.pane_views;
    layout.split_count = view.split_count;
    layout.split_panes = view.split_panes;
    layout.split_orientations = view.split_orientations;
    layout.split_ratios = view.split_ratios;
}

// The panes come back by replaying the split history; the per-pane views
// are copied only once the replay has rebuilt the panes.
void restore_viewport(lumo::VL& view, const ViewportLayout& layout)
{
    view.selected_pane = layout.selected_pane;
    view.split_count = layout.split_count;
    view.split_panes = layout.split_panes;
    view.split_orientations = layout.split_orientations;
    view.split_ratios = layout.split_ratios;
    lumo::viewport_layout_reset(view);
    lumo::viewport_layout_rebuild(view);
    view.pane_views = layout.pane_views;
}

void save_widget_state(const Application& app, EnvironmentWidgetState& state)
{
    for (int i = 0; i < SPLIT_LAYOUT_COUNT; ++i)
        state.split_ratios[i] = app.split_layouts[i].ratio;
    state.slider_field_texts = app.slider_field_texts;
    for (int i = 0; i < SLIDER_COUNT; ++i)
        state.slider_values[i] = app.slider_rows[i].slider.value;
    save_viewport(app.view, state.viewport);
}

// The navigator works on its own copy of the directory and the sort order;
// the environment keeps them in its view settings.
void save_navigator(const FileNavigator& navigator, ViewSettings& settings)
{
    settings.navigator_directory = navigator.directory;
    settings.navigator_sort_key = navigator.sort_key;
    settings.navigator_reverse = navigator.sort_ascending;
}

void restore_navigator(FileNavigator& navigator, const ViewSettings& settings)
{
    navigator.directory = settings.navigator_directory;
    navigator.sort_key = settings.navigator_sort_key;
    navigator.sort_ascending = settings.navigator_reverse;
}

void write_settings_fields(Application& app)
{
    const ViewSettings& settings = app.view_settings;
    app.frame_rate_limit_field.set_label_field(std::to_string(settings.frame_rate_limit));
    app.mono_edge_tone_field.set_label_field(std::to_string(settings.mono_edge_tone));
    app.mono_dot_tone_field.set_label_field(std::to_string(settings.mono_dot_tone));
    app.silhouette_tone_field.set_label_field(std::to_string(settings.silhouette_tone));
    app.eye_height_field.set_label_field(settings.eye_height_text);
    app.fps_readout.visible = settings.show_fps != 0;
}

void restore_export_fields(Application& app)
{
    ViewSettings& settings = app.view_settings;
    if (settings.export_name.empty()) settings.export_name = "environment";
    if (settings.export_location.empty()) settings.export_location = get_workspace_path();
    app.export_name_field.set_label_field(settings.export_name);
    app.export_location_field.set_label_field(settings.export_location);
}

void restore_live_camera(Application& app)
{
    app.camera_mode = app.current_environment->camera_mode;
    if (is_camera_mode(app.camera_mode))
        copy_camera_pose(app.saved_cameras[static_cast<std::size_t>(app.camera_mode)], app.camera);
    app.camera.ground_lock = app.camera_mode == CAMERA_FIRST_PERSON ? 1 : 0;
    update_camera_direction(app.camera);
}

// The floating strips keep their open state across environments; their
// toggles and panels show it again after the widgets were rebuilt.
void show_strip_state(Application& app)
{
    const PanelLayoutState& layout = app.panel_layout;
    app.llmi_toggle.selected = layout.inspector_expanded != 0;
    app.inspector_strip.panel.visible = layout.inspector_expanded != 0;
    app.parallel_flags_toggle.selected = layout.parallel_flags_expanded != 0;
    app.parallel_flags_strip.panel.visible = layout.parallel_flags_expanded != 0;
}

// The picked ids and their lines name an element of the environment left
// behind; here the same ids would name another script's element. The
// inspector names nothing until the pointer picks again.
void forget_pick(Application& app)
{
    app.picked_element = {-1, -1};
    app.picked_element_lines = {};
    format_inspection_text(app);
}

// The texts first: the rows built after them read the fresh totals.
void rebuild_derived_texts(Application& app)
{
    build_script_list_text(app);
    update_environment_totals(app);
    build_status_line(app);
    refresh_root(app);
}

// The lock reaches the camera motion, LOCKICON and the LOCK item through
// its setter, so a locked environment never hands its lock to the next one.
void mirror_panel_widgets(Application& app)
{
    const ViewSettings& settings = app.view_settings;
    set_camera_lock(app, settings.panel_flags[PANEL_VIEW_LOCK] != 0);
    show_attribute_trace(app);
    app.slider_bar.visible = settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE] != 0;
    app.settings_bar_items[SETTINGS_MENU_SLIDERS].selected =
        settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE] != 0;
    for (int i = 0; i < COLOUR_FUNCTION_COUNT; ++i)
        app.colour_function_toggles[i].selected =
            app.colour_function_ids[i] == settings.colour_function;
    build_function_palette(app);
}

// The sample model is hidden once a script is loaded into the environment.
void restore_builtin_mesh(Application& app, std::uint8_t visible)
{
    if (app.builtin_mesh == nullptr) return;
    app.builtin_mesh->visible = visible;
    if (visible != 0) apply_colour_function(app, *app.builtin_mesh);
}

void restore_sliders(Application& app, const EnvironmentWidgetState& state)
{
    app.slider_field_texts = state.slider_field_texts;
    for (int i = 0; i < SLIDER_COUNT; ++i) {
        app.slider_rows[i].field.set_label_field(state.slider_field_texts[i]);
        app.slider_rows[i].slider.set_value(state.slider_values[i]);
    }
}

template <std::size_t N>
void mirror_menu_rows(std::array<MenuWidgets, N>& menus, const std::vector<MenuCheckBits*>& checks)
{
    for (std::size_t m = 0; m < N; ++m)
        for (std::int32_t row = 0; row < menus[m].row_count; ++row)
            menus[m].rows[static_cast<std::size_t>(row)].selected = get_menu_check(*checks[m], row);
}

// UI-Animations, Inline-IO, Native-IO and Native-DND are the program's
// settings, not the environment's: whatever the snapshot held, their marks
// show the flags, so a click flips flag and mark together.
void mark_program_settings(Application& app)
{
    MenuCheckBits& bits = *app.menu_checks.settings_menu_checks[SETTINGS_MENU_SETTINGS];
    const std::pair<int, std::uint8_t> program_rows[] = {
        {SYSTEM_ROW_UI_ANIMATIONS, app.menu_switches.ui_animations},
        {SYSTEM_ROW_INLINE_IO, app.inline_io},
        {SYSTEM_ROW_NATIVE_IO, app.native_io},
        {SYSTEM_ROW_NATIVE_DND, app.native_dnd},
    };
    for (const auto& [row, flag] : program_rows)
        set_menu_check(bits, row, flag != 0);
}

// A record that was never saved takes the application's default marks.
void restore_menu_checks(Application& app, EnvironmentRecord& record)
{
    MenuCheckStates& checks = app.menu_checks;
    if (record.tool_menu_snapshot.empty())
        record.tool_menu_snapshot = checks.default_tool_menu_snapshot;
    if (record.settings_menu_snapshot.empty())
        record.settings_menu_snapshot = checks.default_settings_menu_snapshot;
    restore_tool_menu_checks(checks, record.tool_menu_snapshot);
    restore_settings_menu_checks(checks, record.settings_menu_snapshot);
    mark_program_settings(app);
    mirror_menu_rows(app.tool_menus, checks.tool_menu_checks);
    mirror_menu_rows(app.settings_menus, checks.settings_menu_checks);
}

// The setters act only on a change, so each value is first moved to a
// state from which the setter applies it.
void reapply_through_setters(Application& app)
{
    ViewSettings& settings = app.view_settings;
    const std::int32_t theme = settings.theme_index;
    settings.theme_index = -1;
    select_theme(app, theme);
    set_settings_bar_visible(app, settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE] != 0);
    const std::int32_t side_panel = settings.open_side_panel;
    const std::int32_t settings_menu = settings.open_settings_menu;
    const std::int32_t tool_menu = settings.open_tool_menu;
    settings.open_side_panel = -1;
    settings.open_settings_menu = -1;
    settings.open_tool_menu = -1;
    select_settings_menu_item(app, settings_menu);
    toggle_tool_menu(app, tool_menu);
    select_side_panel(app, side_panel);
    select_console_channel(app, app.current_console->shown_channel);
    const bool flip = settings.panel_flags[PANEL_VERTICAL_FLIP] != 0;
    settings.panel_flags[PANEL_VERTICAL_FLIP] = flip ? 0 : 1;
    set_vertical_flip_mode(app, flip);
    const bool hide = settings.panel_flags[PANEL_QUICK_HIDE] != 0;
    settings.panel_flags[PANEL_QUICK_HIDE] = hide ? 0 : 1;
    set_quick_hide(app, hide);
}

} // namespace

void mirror_option_widgets(Application& app)
{
    const ViewSettings& settings = app.view_settings;
    for (std::size_t i = 0; i < settings.export_name_parts.size(); ++i)
        app.export_name_part_toggles[i].selected = settings.export_name_parts[i] != 0;
    const std::array<std::uint8_t, 5> parallel{settings.multi_core, settings.reassembly_culling,
                                               settings.invocation_groups, settings.ccpp,
                                               settings.preemptive_optimisation};
    for (std::size_t i = 0; i < parallel.size(); ++i)
        app.parallel_option_toggles[i].selected = parallel[i] != 0;
    show_pick_mode(app);
    show_labelled_toggle(app.culling_toggle, settings.culling != 0);
    show_labelled_toggle(app.profiler_toggle, settings.profiler != 0);
    app.max_cores_field.set_label_field(std::to_string(settings.max_cores));
}

void save_environment_view(Application& app)
{
    EnvironmentRecord* record = app.current_environment;
    if (record == nullptr) return;
    if (is_camera_mode(app.camera_mode))
        store_live_camera(app.camera, app.saved_cameras[static_cast<std::size_t>(app.camera_mode)]);
    record->view.camera_sets = app.saved_cameras;
    record->camera_mode = app.camera_mode;
    record->view_settings = app.view_settings;
    save_navigator(app.navigator, record->view_settings);
    if (app.builtin_mesh != nullptr) record->builtin_mesh_visible = app.builtin_mesh->visible;
    snapshot_settings_menu_checks(app.menu_checks, record->settings_menu_snapshot);
    snapshot_tool_menu_checks(app.menu_checks, record->tool_menu_snapshot);
    save_widget_state(app, record->widget_state);
}

void restore_environment_view(Application& app)
{
    EnvironmentRecord* record = app.current_environment;
    if (record == nullptr) return;
    app.view_settings = record->view_settings;
    restore_viewport(app.view, record->widget_state.viewport);

    ViewSettings& settings = app.view_settings;
    if (settings.execution_mode >= 0 && settings.execution_mode <= 2)
        select_execution_mode(app, settings.execution_mode);
    if (settings.navigator_directory.empty()) settings.navigator_directory = get_workspace_path();
    restore_navigator(app.navigator, settings);
    style_hint_bar(app);
    write_settings_fields(app);
    restore_export_fields(app);
    mirror_option_widgets(app);
    select_text_view_font(app, settings.view_flags[VIEW_FLAG_TEXT_VIEW_FONT] != 0);
    for (int i = 0; i < SPLIT_LAYOUT_COUNT; ++i)
        app.split_layouts[i].ratio = record->widget_state.split_ratios[i];
    restore_live_camera(app);
    rebuild_derived_texts(app);
    rebuild_entity_panels(app);
    update_panel_visibility(app);
    mirror_panel_widgets(app);
    // The list-or-grid style and the current directive are the environment's;
    // the column's four other options are the program's and show as they stand.
    mark_directive_column(app);
    restore_builtin_mesh(app, record->builtin_mesh_visible);
    restore_sliders(app, record->widget_state);
    restore_menu_checks(app, *record);
    show_console_log(app);
    if (lumo::g_tooltip_widget != nullptr) {
        lumo::g_tooltip_widget = nullptr;
        update_hover_hint(app);
    }
    reapply_through_setters(app);
    show_strip_state(app);
    forget_pick(app);
}
