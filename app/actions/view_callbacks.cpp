#include "app/actions/view_callbacks.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/actions/menu_dispatch.h"
#include "app/commands/edit_handlers.h"
#include "state/application.h"
#include "model/entity.h"
#include "model/mesh.h"
#include "panels/directive_menus.h"
#include "panels/entity_colouring.h"
#include "panels/info_texts.h"
#include "panels/parse_report_rows.h"
#include "platform/trace.h"
#include "render/camera.h"
#include "shell/camera_control.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"
#include "shell/window_layout.h"

namespace {

void show_strip(lumo::P& toggle, lumo::KL& panel, std::uint8_t& expanded, bool on)
{
    expanded = on ? 1 : 0;
    toggle.selected = on;
    panel.visible = on;
}

// Recolouring marks the mesh for a new upload of its colour bytes.
void recolour(const Application& app, Mesh& mesh)
{
    apply_colour_function(app, mesh);
    mesh.upload_pending = 1;
}

// The built-in sample mesh when there is one, then every assembled entity
// of the current environment; a group recolours the members that are there,
// assembled and carry a mesh.
void recolour_environment(Application& app)
{
    if (app.builtin_mesh != nullptr) recolour(app, *app.builtin_mesh);
    if (app.current_entity_list == nullptr) return;
    for (Entity& entity : app.current_entity_list->entities) {
        if (entity.assembled == 0) continue;
        if (entity.kind != ENTITY_GROUP) {
            if (entity.mesh != nullptr) recolour(app, *entity.mesh);
            continue;
        }
        for (Entity* member : entity.members)
            if (member != nullptr && member->assembled != 0 && member->mesh != nullptr)
                recolour(app, *member->mesh);
    }
}

bool is_pane(const lumo::VL& view, int pane)
{
    return pane >= 0 && pane < view.pane_count();
}

// The selected pane's record into the live camera; a selected index without
// a record leaves the camera as it is.
void load_selected_pane_view(Application& app)
{
    lumo::VL& view = app.view;
    const int pane = view.selected_pane;
    if (pane < 0 || pane >= static_cast<int>(view.pane_views.size())) return;
    const lumo::ViewRecord& record = view.pane_views[static_cast<std::size_t>(pane)];
    const int mode = std::clamp(app.camera_mode, 0, lumo::kViewRecordModes - 1);
    std::copy_n(lumo::view_eye(record, mode).begin(), 3, app.camera.eye);
    std::copy_n(lumo::view_target(record, mode).begin(), 3, app.camera.target);
    app.view_settings.zoom = lumo::view_zoom(record);
    std::copy_n(lumo::view_angles(record).begin(), 3, app.view_settings.euler_degrees.begin());
    if (!is_pane(view, pane)) return;
    for (int k = 0; k < lumo::kViewRecordModes; ++k) {
        CameraSet& saved = app.saved_cameras[static_cast<std::size_t>(k)];
        std::copy_n(lumo::view_eye(record, k).begin(), 3, saved.eye);
        std::copy_n(lumo::view_target(record, k).begin(), 3, saved.target);
    }
}

void store_live_view(Application& app)
{
    double saved[lumo::kViewRecordModes][6];
    for (int k = 0; k < lumo::kViewRecordModes; ++k) {
        const CameraSet& set = app.saved_cameras[static_cast<std::size_t>(k)];
        std::copy_n(set.eye, 3, saved[k]);
        std::copy_n(set.target, 3, saved[k] + 3);
    }
    app.view.store_pane_view_state(app.camera_mode, app.camera.eye, app.camera.target,
                                   app.view_settings.zoom, app.view_settings.euler_degrees.data(),
                                   saved);
}

std::int32_t directive_count(const Application& app)
{
    return static_cast<std::int32_t>(app.directive_menus.camera_rows.size());
}

void flip(std::uint8_t& flag)
{
    flag = flag != 0 ? 0 : 1;
}

} // namespace

void toggle_inspector_strip(Application& app)
{
    PanelLayoutState& layout = app.panel_layout;
    const bool open = layout.inspector_expanded == 0;
    show_strip(app.llmi_toggle, app.inspector_strip.panel, layout.inspector_expanded, open);
    if (open)
        show_strip(app.parallel_flags_toggle, app.parallel_flags_strip.panel,
                   layout.parallel_flags_expanded, false);
    refresh_root(app);
}

void set_pick_mode(Application& app, std::int32_t row)
{
    if (row < 0 || row >= static_cast<std::int32_t>(PICK_MODES.size())) return;
    const char letter = PICK_MODES[static_cast<std::size_t>(row)];
    trace_line(std::string("PICK-MODE:") + letter);
    app.view_settings.pick_mode = static_cast<std::uint8_t>(letter);
    app.view_settings.pick_mode_chosen = 1;
    show_pick_mode(app);
    refresh_interface(app);
}

void select_colour_function_slot(Application& app, std::int32_t slot)
{
    if (slot < 0 || slot >= COLOUR_FUNCTION_COUNT) return;
    app.view_settings.colour_function = app.colour_function_ids[static_cast<std::size_t>(slot)];
    recolour_environment(app);
    build_function_palette(app);
    for (std::int32_t i = 0; i < COLOUR_FUNCTION_COUNT; ++i)
        app.colour_function_toggles[static_cast<std::size_t>(i)].selected = i == slot;
    refresh_interface(app);
}

void toggle_colour_space(Application& app)
{
    flip(app.view_settings.multi_channel_colour);
    build_function_palette(app);
    recolour_environment(app);
    refresh_interface(app);
}

void split_view_pane(Application& app, int code)
{
    lumo::VL& view = app.view;
    const int active = view.active_pane;
    if (!is_pane(view, active)) return;
    if (view.selected_pane > active) ++view.selected_pane;
    view.duplicate_viewport_pane_state(active);
    view.split_viewport_pane(active, code, 0.5, 1, 1);
    refresh_interface(app);
}

void close_view_pane(Application& app)
{
    lumo::VL& view = app.view;
    const int active = view.active_pane;
    if (view.pane_count() < 2 || !is_pane(view, active)) return;
    const bool closing_selected = view.selected_pane == active;
    view.remove_viewport_pane_state(active);
    view.close_viewport_pane(active);
    if (closing_selected) {
        load_selected_pane_view(app);
        update_camera_direction(app.camera);
    }
    refresh_interface(app);
}

void load_saved_view(Application& app)
{
    if (app.panel_layout.view_panes_enabled != 0) store_live_view(app);
    app.view.selected_pane = app.view.active_pane;
    load_selected_pane_view(app);
    build_status_line(app);
    update_camera_direction(app.camera);
    refresh_interface(app);
}

void sync_camera_directives(Application& app)
{
    app.directive_refresh = 1;
    refresh_interface(app);
}

void toggle_directive_auto_sync(Application& app)
{
    flip(app.directive_auto_sync);
    mark_directive_column(app);
    refresh_root(app);
}

// A current index left past the end by a changed entity set stays where it
// is rather than naming a directive that no longer exists.
void step_camera_directive(Application& app, int direction)
{
    std::int32_t& current = app.view_settings.current_camera_directive;
    const std::int32_t count = directive_count(app);
    if (count > 0) {
        if (current < 0)
            current = 0;
        else if (direction < 0 && current > 0 && current < count)
            --current;
        else if (direction > 0 && current < count - 1)
            ++current;
    }
    apply_camera_directive(app, current);
    mark_directive_rows(app);
    build_status_line(app);
    refresh_interface(app);
}

// A click on a directive row: the row's position in the list is its index;
// a row left over from a changed directive set applies nothing.
void apply_hovered_directive(Application& app)
{
    const lumo::P* row = lumo::g_hovered_widget;
    if (row == nullptr || app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0) return;
    const auto& rows = app.directive_rows;
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [row](const auto& owned) { return owned.get() == row; });
    const auto index = static_cast<std::int32_t>(found - rows.begin());
    if (found == rows.end() || index >= directive_count(app)) return;
    app.view_settings.current_camera_directive = index;
    apply_camera_directive(app, index);
    mark_directive_rows(app);
    build_status_line(app);
    refresh_interface(app);
}

void apply_hovered_variant(Application& app)
{
    const lumo::P* row = lumo::g_hovered_widget;
    if (row == nullptr) return;
    const auto& rows = app.variant_rows;
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [row](const auto& owned) { return owned.get() == row; });
    if (found == rows.end()) return;
    apply_parametric_variant(app, static_cast<std::int32_t>(found - rows.begin()));
    refresh_interface(app);
}

void toggle_directive_root_mode(Application& app)
{
    flip(app.directive_root_mode);
    mark_directive_column(app);
    refresh_root(app);
}

void toggle_directive_animation(Application& app)
{
    flip(app.directive_animation);
    mark_directive_column(app);
    refresh_root(app);
}

void toggle_directive_layout(Application& app)
{
    std::int32_t& style = app.view_settings.directive_mode;
    style = style == 1 ? 2 : 1;
    mark_directive_column(app);
    layout_directive_menu(app, app.directive_column.column.width);
    refresh_root(app);
}

void toggle_directive_goto(Application& app)
{
    flip(app.directive_goto_shown);
    mark_directive_column(app);
    refresh_root(app);
}

void toggle_directive_column(Application& app)
{
    handle_settings_menu_item(app, SETTINGS_MENU_WIDGETS, 0);
    lay_out_view_panels(app, app.window_width, app.window_height);
}

void select_parse_report_row(Application& app, std::int32_t row)
{
    ParseResultPane& pane = app.parse_result;
    const auto count = static_cast<std::int32_t>(pane.rows.size());
    if (row < 0 || row >= count) return;
    lumo::SP& view = app.parse_report.report_scroll;
    const std::int32_t previous = pane.selected_row;
    if (previous >= 0 && previous < count) {
        pane.rows[static_cast<std::size_t>(previous)].saved_scroll = {view.fraction_x,
                                                                      view.fraction_y};
        mark_parse_report_row(app, previous, false);
    }
    show_parse_report_sections(app, row);
    const std::array<double, 2>& saved = pane.rows[static_cast<std::size_t>(row)].saved_scroll;
    view.fraction_x = saved[0];
    view.fraction_y = saved[1];
    mark_parse_report_row(app, row, true);
    pane.selected_row = row;
    refresh_interface(app);
}

bool on_parse_report_row_click()
{
    if (g_app == nullptr || lumo::g_hovered_widget == nullptr) return false;
    select_parse_report_row(*g_app, lumo::g_hovered_widget->row_id);
    return true;
}
