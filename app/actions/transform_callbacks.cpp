#include "app/actions/transform_callbacks.h"

#include <array>
#include <cmath>
#include <utility>

#include "app/commands/edit_handlers.h"
#include "app/commands/entity_commands.h"
#include "state/application.h"
#include "model/entity.h"
#include "model/entity_views.h"
#include "panels/entity_rows.h"
#include "panels/list_styles.h"
#include "panels/panel_rows.h"
#include "panels/parameter_rows.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "shell/camera_control.h"
#include "shell/refresh.h"

namespace {

// Row geometry of both lists: the lock box spans the first 32 pixels below
// height 19 of a row; the action icons fill the row's end, two columns of
// 25 pixels (entity inspector) or one (parameter panel), split at height 25.
constexpr std::int32_t LOCK_BOX_WIDTH = 32;
constexpr std::int32_t LOCK_BOX_TOP = 19;
constexpr std::int32_t ICON_COLUMN = 25;
constexpr std::int32_t ENTITY_LABEL_EXTRA = 82;
constexpr std::int32_t PARAMETER_LABEL_EXTRA = 57;

// Transform field k (panel order) as the edit handlers' group and axis.
constexpr std::array<std::pair<std::uint32_t, std::int32_t>, TRANSFORM_FIELD_COUNT> FIELD_PARTS{
    {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}}};

Entity* inspected_entity(Application& app)
{
    if (app.current_entity_list == nullptr || app.current_scene_state == nullptr) return nullptr;
    return get_inspected_entity(*app.current_scene_state);
}

double transform_component(const Entity& entity, std::size_t field)
{
    const auto [group, axis] = FIELD_PARTS[field];
    const auto at = static_cast<std::size_t>(axis);
    switch (group) {
    case 0:
        return entity.translation[at];
    case 1:
        return entity.uniform_scale;
    case 2:
        return entity.axis_scale[at];
    default:
        return entity.rotation_degrees[at];
    }
}

void show_order_buttons(std::array<lumo::P, 6>& buttons, const OrderSelector& selector)
{
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        buttons[b].font = selector.fonts[b];
        buttons[b].selected = selector.selected[b] != 0;
    }
}

// The transform block's widgets show what the panel's model holds.
void show_transform_widgets(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    for (std::size_t k = 0; k < widgets.transform_fields.size(); ++k) {
        lumo::F& field = widgets.transform_fields[k];
        if (field.label != app.panel_rows.transform_fields[k])
            field.set_label(app.panel_rows.transform_fields[k]);
    }
    show_order_buttons(widgets.rotation_order_buttons, app.panel_rows.rotation_order);
    show_order_buttons(widgets.transform_order_buttons, app.panel_rows.transform_order);
    refresh_root(app);
}

double flag_opacity(bool set)
{
    return set ? FLAG_SET_OPACITY : FLAG_CLEAR_OPACITY;
}

EntityRowWidgets* row_of(EntityRowList& rows, std::int32_t at)
{
    if (at < 0 || static_cast<std::size_t>(at) >= rows.rows.size()) return nullptr;
    return rows.rows[static_cast<std::size_t>(at)].get();
}

std::int32_t display_position_of(const EntityList& list, std::int32_t index)
{
    for (std::size_t p = 0; p < list.display_order.size(); ++p)
        if (list.display_order[p] == index) return static_cast<std::int32_t>(p);
    return -1;
}

// Mirrors the entity's lock and visibility into its row of the other list.
void show_flags_in_row(EntityRowWidgets* row, const Entity& entity, bool lock)
{
    if (row == nullptr) return;
    if (lock)
        row->marker.opacity = flag_opacity(entity.assembly_locked != 0);
    else
        row->inner.opacity = flag_opacity(entity.visible != 0);
}

void mirror_into_parameter_row(Application& app, const Entity& entity, std::int32_t index,
                               bool lock)
{
    if (!is_parametric(entity.parameters)) return;
    const std::int32_t position = display_position_of(*app.current_entity_list, index);
    if (position < 0) {
        trace_line(lock ? "CRITICAL-ERROR-RESOLVING-PARAMETRIC-MAP-ID@LOCK"
                        : "CRITICAL-ERROR-RESOLVING-PARAMETRIC-MAP-ID@CLIP");
        return;
    }
    show_flags_in_row(row_of(app.lists.parameters.rows, position), entity, lock);
}

bool in_lock_box(std::int32_t x, std::int32_t r, std::int32_t column)
{
    return x < LOCK_BOX_WIDTH && r >= LOCK_BOX_TOP && x < column + LOCK_BOX_WIDTH;
}

// The horizontal offset of the lock-box column: the labels scroll with the
// pane's horizontal fraction when they are wider than the row.
std::int32_t lock_column(const Application& app, std::int32_t widest, std::int32_t extra,
                         double fraction)
{
    const LayoutMetrics& m = app.layout;
    return static_cast<std::int32_t>(
        std::trunc((m.side_panel_width - widest - m.panel_inset - m.gap - extra) * fraction));
}

std::int32_t entity_lock_column(const Application& app)
{
    const std::int32_t widest =
        app.current_scene_state != nullptr ? app.current_scene_state->widest_statistics : 0;
    return lock_column(app, widest, ENTITY_LABEL_EXTRA,
                       app.list_panes[LIST_PANE_ENTITIES].fraction_x);
}

std::int32_t parameter_lock_column(const Application& app)
{
    const std::int32_t widest =
        app.current_selection != nullptr ? app.current_selection->content_width : 0;
    return lock_column(app, widest, PARAMETER_LABEL_EXTRA,
                       app.list_panes[LIST_PANE_PARAMETERS].fraction_x);
}

void toggle_entity_row_selection(Application& app, std::int32_t i)
{
    SceneState& scene = *app.current_scene_state;
    const std::int32_t count = app.current_entity_list->count;
    const std::int32_t previous = scene.selected_index;
    if (previous >= 0 && previous != i) {
        if (previous < count) scene.selected_index = -1;
        if (EntityRowWidgets* row = row_of(app.lists.entities.rows, previous))
            row->row.selected = false;
    }
    if (i < count) scene.selected_index = scene.selected_index == i ? -1 : i;
    if (EntityRowWidgets* row = row_of(app.lists.entities.rows, i))
        row->row.selected = scene.selected_index == i;
    rebuild_entity_details(app);
}

// The rows' focus icon aims the camera at the entity while it is not locked.
void focus_unless_locked(Application& app, const Entity& entity)
{
    if (app.view_settings.panel_flags[PANEL_VIEW_LOCK] == 0) focus_camera_on_entity(app, entity);
}

void click_entity_icons(Application& app, std::int32_t i, Entity& entity, std::int32_t x,
                        std::int32_t r)
{
    const LayoutMetrics& m = app.layout;
    const bool left = x < m.side_panel_width - m.panel_inset - ICON_COLUMN;
    const bool upper = r < ICON_COLUMN;
    if (left && upper) {
        focus_unless_locked(app, entity);
    } else if (upper) {
        toggle_entity_visible(entity);
        show_flags_in_row(row_of(app.lists.entities.rows, i), entity, false);
        mirror_into_parameter_row(app, entity, i, false);
    } else if (left) {
        reassemble_entity_command(app, i);
    } else {
        delete_entity_command(app, i);
    }
}

void lay_out_row_markers(Application& app, EntityRowList& rows, lumo::KL& list, std::int32_t height,
                         std::int32_t column)
{
    const bool overflow = !rows.rows.empty() && height < list.content_height;
    list.border_bottom.width = overflow ? app.layout.thin_border : 0;
    list.border_bottom.style = overflow && app.lists.fill_styles != nullptr
                                   ? &app.lists.fill_styles[STYLE_SEPARATOR]
                                   : nullptr;
    // The labels and the lock box scroll sideways together.
    for (const std::unique_ptr<EntityRowWidgets>& row : rows.rows) {
        row->first_line.x = column;
        row->two_lines.x = column;
        row->marker.x = column + app.layout.gap / 2;
    }
}

void on_transform_enter()
{
    if (g_app == nullptr || lumo::g_focused_widget == nullptr) return;
    const std::int32_t field = lumo::g_focused_widget->row_id;
    if (field < 0 || field >= TRANSFORM_FIELD_COUNT) return;
    const auto at = static_cast<std::size_t>(field);
    g_app->panel_rows.transform_fields[at] = lumo::g_focused_widget->label;
    parse_numeric_field(*g_app, FIELD_PARTS[at].first, FIELD_PARTS[at].second);
}

void on_transform_cancel()
{
    if (g_app != nullptr && lumo::g_focused_widget != nullptr)
        restore_transform_field(*g_app, lumo::g_focused_widget->row_id);
}

template <std::int32_t Group> bool on_transform_reset()
{
    if (g_app != nullptr) reset_transform_group(*g_app, Group);
    return true;
}

template <std::int32_t Order> bool on_rotation_order()
{
    if (g_app != nullptr) choose_rotation_order(*g_app, Order);
    return true;
}

template <std::int32_t Order> bool on_transform_order()
{
    if (g_app != nullptr) choose_transform_order(*g_app, Order);
    return true;
}

std::int32_t hovered_row()
{
    return lumo::g_hovered_widget != nullptr ? lumo::g_hovered_widget->row_id : -1;
}

bool on_entity_row_click()
{
    if (g_app != nullptr)
        click_entity_row(*g_app, hovered_row(), g_app->lists.pointer[0], g_app->lists.pointer[1]);
    return true;
}

bool on_parameter_row_click()
{
    if (g_app != nullptr)
        click_parameter_row(*g_app, hovered_row(), g_app->lists.pointer[0],
                            g_app->lists.pointer[1]);
    return true;
}

void on_entity_list_layout(int /*width*/, int height)
{
    if (g_app == nullptr) return;
    lay_out_row_markers(*g_app, g_app->lists.entities.rows, g_app->lists.entities.list, height,
                        entity_lock_column(*g_app));
}

void on_parameter_list_layout(int /*width*/, int height)
{
    if (g_app == nullptr) return;
    lay_out_row_markers(*g_app, g_app->lists.parameters.rows, g_app->lists.parameters.list, height,
                        parameter_lock_column(*g_app));
}

template <std::int32_t... K>
void wire_order_buttons(Application& app, std::integer_sequence<std::int32_t, K...>)
{
    ((app.lists.entities.rotation_order_buttons[K].on_click = on_rotation_order<K>), ...);
    ((app.lists.entities.transform_order_buttons[K].on_click = on_transform_order<K>), ...);
}

template <std::int32_t... K>
void wire_reset_buttons(Application& app, std::integer_sequence<std::int32_t, K...>)
{
    ((app.transform_reset_buttons[K].on_click = on_transform_reset<K>), ...);
}

} // namespace

void restore_transform_field(Application& app, std::int32_t field)
{
    Entity* entity = inspected_entity(app);
    if (entity == nullptr || field < 0 || field >= TRANSFORM_FIELD_COUNT) return;
    const auto at = static_cast<std::size_t>(field);
    const std::string text = double_to_text(transform_component(*entity, at));
    app.panel_rows.transform_fields[at] = text;
    app.lists.entities.transform_fields[at].set_label(text);
    refresh_root(app);
}

void reset_transform_group(Application& app, std::int32_t group)
{
    if (inspected_entity(app) == nullptr || group < 0) return;
    reset_transform_property(app, static_cast<std::uint32_t>(group));
    show_transform_widgets(app);
}

void choose_rotation_order(Application& app, std::int32_t order)
{
    if (inspected_entity(app) == nullptr || order < 0 || order > 5) return;
    set_rotation_order(app, order);
    show_transform_widgets(app);
}

void choose_transform_order(Application& app, std::int32_t order)
{
    if (inspected_entity(app) == nullptr || order < 0 || order > 5) return;
    set_transform_order(app, order);
    show_transform_widgets(app);
}

void click_entity_row(Application& app, std::int32_t row, std::int32_t x, std::int32_t y)
{
    EntityList* list = app.current_entity_list;
    if (list == nullptr || app.current_scene_state == nullptr || row < 0 || row >= list->count ||
        static_cast<std::size_t>(row) >= list->entities.size())
        return;
    Entity& entity = list->entities[static_cast<std::size_t>(row)];
    const std::int32_t r = (y - app.lists.entities.list.content_offset_y) % LIST_ROW_PITCH;
    const LayoutMetrics& m = app.layout;
    if (in_lock_box(x, r, entity_lock_column(app))) {
        toggle_entity_selected(*app.current_scene_state, row);
        show_flags_in_row(row_of(app.lists.entities.rows, row), entity, true);
        mirror_into_parameter_row(app, entity, row, true);
    } else if (x <= m.side_panel_width - m.panel_inset - 2 * ICON_COLUMN) {
        toggle_entity_row_selection(app, row);
    } else {
        click_entity_icons(app, row, entity, x, r);
    }
    refresh_interface(app);
}

void click_parameter_row(Application& app, std::int32_t row, std::int32_t x, std::int32_t y)
{
    EntityList* list = app.current_entity_list;
    EntitySelection* selection = app.current_selection;
    if (list == nullptr || selection == nullptr || row < 0 ||
        static_cast<std::size_t>(row) >= list->display_order.size())
        return;
    const std::int32_t index = list->display_order[static_cast<std::size_t>(row)];
    if (index < 0 || static_cast<std::size_t>(index) >= list->entities.size()) return;
    Entity& entity = list->entities[static_cast<std::size_t>(index)];
    const std::int32_t r = (y - app.lists.parameters.list.content_offset_y) % LIST_ROW_PITCH;
    const LayoutMetrics& m = app.layout;
    if (in_lock_box(x, r, parameter_lock_column(app))) {
        entity.assembly_locked = entity.assembly_locked == 0 ? 1 : 0;
        show_flags_in_row(row_of(app.lists.parameters.rows, row), entity, true);
        show_flags_in_row(row_of(app.lists.entities.rows, index), entity, true);
    } else if (x <= m.side_panel_width - m.panel_inset - ICON_COLUMN) {
        const std::int32_t previous = selection->selected_position;
        if (previous >= 0 && previous != row) {
            selection->selected_position = -1;
            if (EntityRowWidgets* old = row_of(app.lists.parameters.rows, previous))
                old->row.selected = false;
        }
        toggle_selection(*selection, row);
        if (EntityRowWidgets* clicked = row_of(app.lists.parameters.rows, row))
            clicked->row.selected = selection->selected_position == row;
        rebuild_parameter_details(app);
    } else if (r < ICON_COLUMN) {
        toggle_entity_visible_at(*selection, row);
        show_flags_in_row(row_of(app.lists.parameters.rows, row), entity, false);
        show_flags_in_row(row_of(app.lists.entities.rows, index), entity, false);
    } else {
        focus_unless_locked(app, entity);
    }
    refresh_interface(app);
}

void wire_transform_callbacks(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    for (std::size_t k = 0; k < widgets.transform_fields.size(); ++k)
        widgets.transform_fields[k].row_id = static_cast<int>(k);
    wire_order_buttons(app, std::make_integer_sequence<std::int32_t, 6>{});
    wire_reset_buttons(app, std::make_integer_sequence<std::int32_t, 6>{});
    ListCallbacks& callbacks = app.lists.callbacks;
    callbacks.transform_enter = on_transform_enter;
    callbacks.transform_cancel = on_transform_cancel;
    callbacks.entity_row_click = on_entity_row_click;
    callbacks.parameter_row_click = on_parameter_row_click;
    callbacks.entity_list_layout = on_entity_list_layout;
    callbacks.parameter_list_layout = on_parameter_list_layout;
}
