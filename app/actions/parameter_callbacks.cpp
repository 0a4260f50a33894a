#include "app/actions/parameter_callbacks.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "app/commands/parameter_reset.h"
#include "state/application.h"
#include "model/entity.h"
#include "model/entity_views.h"
#include "panels/list_styles.h"
#include "panels/panel_rows.h"
#include "panels/parameter_rows.h"
#include "platform/text.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

Entity* panel_entity(Application& app)
{
    if (app.current_entity_list == nullptr || app.current_selection == nullptr) return nullptr;
    return get_selected_entity(*app.current_selection);
}

// Parameter `index` of the entity: its own list, or its references, whose
// null entries have no parameter.
ScriptParameter* parameter_at(Entity& entity, std::int32_t index, bool through_refs)
{
    if (index < 0) return nullptr;
    const auto at = static_cast<std::size_t>(index);
    if (through_refs) {
        const std::vector<ScriptParameter*>& refs = entity.parameters.member_parameters;
        return at < refs.size() ? refs[at] : nullptr;
    }
    std::vector<ScriptParameter>& own = entity.parameters.parameters;
    return at < own.size() ? &own[at] : nullptr;
}

// Writes the field text into the panel's model and the built row, and the
// slider's position when the parameter has numeric bounds.
void show_value_text(Application& app, std::int32_t index, const ScriptParameter& parameter,
                     const std::string& text)
{
    show_parameter_value(app.panel_rows, static_cast<std::size_t>(index), parameter, text);
    show_parameter_row_value(app, index);
}

void request_sync(Entity& entity)
{
    if (entity.manual_sync == 0) entity.sync_requested = 1;
}

void drop_focus()
{
    if (lumo::g_focused_widget != nullptr) lumo::g_focused_widget->drop_focus();
}

// The typed text read as the parameter's type; UNDEFINED when it does not read.
ParameterValue read_typed_text(const ScriptParameter& parameter, const std::string& typed)
{
    ParameterValue value;
    switch (parameter.value_type) {
    case ValueType::INT:
    case ValueType::DBL:
    case ValueType::LNG:
    case ValueType::BLN:
        return parse_typed_value(static_cast<std::uint32_t>(parameter.value_type), typed);
    case ValueType::CHR:
        if (!typed.empty()) {
            value.type = ValueType::CHR;
            value.chr_value = typed[0];
        }
        return value;
    case ValueType::STR:
        value.type = ValueType::STR;
        value.str_value = typed;
        return value;
    default:
        return value;
    }
}

// The slider position as a value: integers truncated toward zero.
void set_from_fraction(ScriptParameter& parameter, double fraction)
{
    ParameterValue& current = parameter.current;
    switch (parameter.value_type) {
    case ValueType::INT: {
        const double span = double(parameter.maximum.int_value) - parameter.minimum.int_value;
        current.int_value =
            static_cast<std::int32_t>(std::trunc(parameter.minimum.int_value + span * fraction));
        break;
    }
    case ValueType::LNG: {
        const double span = double(parameter.maximum.lng_value) - parameter.minimum.lng_value;
        current.lng_value =
            static_cast<std::int32_t>(std::trunc(parameter.minimum.lng_value + span * fraction));
        break;
    }
    case ValueType::DBL:
        current.dbl_value = (parameter.maximum.dbl_value - parameter.minimum.dbl_value) * fraction +
                            parameter.minimum.dbl_value;
        break;
    default:
        return;
    }
    parameter.value_text = format_parameter_value(current);
}

std::string slider_text(const ScriptParameter& parameter)
{
    if (parameter.value_type == ValueType::DBL)
        return fixed_to_text(parameter.current.dbl_value, 2);
    return format_parameter_value(parameter.current);
}

void set_to_bound(Application& app, Entity& entity, std::int32_t index, ScriptParameter& parameter,
                  const ParameterValue& bound)
{
    copy_parameter_value(parameter, bound, format_parameter_value(bound));
    show_value_text(app, index, parameter, parameter_field_text(parameter));
    request_sync(entity);
}

void flip_boolean(Application& app, Entity& entity, std::int32_t index, ScriptParameter& parameter)
{
    ParameterValue value = parameter.current;
    value.bln_value = !value.bln_value;
    copy_parameter_value(parameter, value, format_parameter_value(value));
    show_value_text(app, index, parameter, parameter_field_text(parameter));
    request_sync(entity);
}

// The zones of one row: header (type info, definition info, mark), value
// line (reset, BLN flip) and slider line (minimum, maximum).
void click_row_zone(Application& app, Entity& entity, std::int32_t index,
                    ScriptParameter& parameter, ParameterRowWidgets& row, std::int32_t x,
                    std::int32_t y_in_row)
{
    const std::int32_t u = app.layout.strip_height;
    const std::int32_t right_zone = app.layout.side_panel_width - u - app.layout.panel_inset;
    if (y_in_row < u) {
        if (x < 2 * u) {
            show_parameter_type_info(app, static_cast<std::int32_t>(parameter.value_type));
        } else if (x > right_zone) {
            show_parameter_definition_info(app, index);
        } else {
            parameter.selected = parameter.selected != 0 ? 0 : 1;
            row.name_label.selected = parameter.selected != 0;
        }
    } else if (y_in_row < 2 * u) {
        if (x < 2 * u)
            reset_parameter_value(app, index);
        else if (parameter.value_type == ValueType::BLN)
            flip_boolean(app, entity, index, parameter);
    } else if (y_in_row < 3 * u) {
        if (x < u)
            set_to_bound(app, entity, index, parameter, parameter.minimum);
        else if (x > right_zone)
            set_to_bound(app, entity, index, parameter, parameter.maximum);
    }
}

std::int32_t focused_row()
{
    return lumo::g_focused_widget != nullptr ? lumo::g_focused_widget->row_id : -1;
}

template <bool Refs> void on_parameter_enter()
{
    if (g_app != nullptr) commit_parameter_value(*g_app, focused_row(), Refs);
}

template <bool Refs> void on_parameter_escape()
{
    if (g_app != nullptr) restore_parameter_text(*g_app, focused_row(), Refs);
}

template <bool Refs, bool Released> void on_parameter_slider(double value)
{
    if (g_app == nullptr || lumo::g_drag_widget == nullptr) return;
    move_parameter_slider(*g_app, lumo::g_drag_widget->row_id, value, Released, Refs);
}

// A list shorter than its pane closes with a bottom border; a longer one
// runs on under the pane's edge.
void on_parameter_details_layout(int /*width*/, int /*height*/)
{
    if (g_app == nullptr) return;
    lumo::KL& details = g_app->lists.parameters.details;
    const lumo::SP& pane = g_app->list_panes[LIST_PANE_PARAMETER_DETAILS];
    const bool short_list = details.height < pane.height - g_app->layout.panel_inset;
    details.border_bottom.width = short_list ? g_app->layout.thin_border : 0;
    details.border_bottom.style = short_list && g_app->lists.fill_styles != nullptr
                                      ? &g_app->lists.fill_styles[STYLE_SEPARATOR]
                                      : nullptr;
}

template <bool Refs> bool on_parameter_details_click()
{
    if (g_app != nullptr)
        click_parameter_details(*g_app, g_app->lists.pointer[0], g_app->lists.pointer[1], Refs);
    return true;
}

} // namespace

std::string parameter_parse_error_text(const std::string& typed)
{
    return "The character sequence '" + typed +
           "' caused a parameter parsing error.\n\n"
           "Note: parameter parsing errors are typically the result of type\n"
           "incompatibility - i.e. the inability to construct a valid entity value\n"
           "of a given type from a specified literal.\n\n"
           "Note: the parameter's value has not been modified.";
}

std::string parameter_bounds_error_text(const ScriptParameter& parameter,
                                        const ParameterValue& value)
{
    return "The specified value [" + format_parameter_value(value) +
           "] is outside the range of valid values for the\nparameter named '" + parameter.name +
           "' of type " + value_type_name(parameter.value_type) +
           ".\n\nNote: the minimum valid value is [" + format_parameter_value(parameter.minimum) +
           "].\n\nNote: the maximum value value is [" + format_parameter_value(parameter.maximum) +
           "].\n\nNote: the parameter's value has not been modified.";
}

void commit_parameter_value(Application& app, std::int32_t index, bool through_refs)
{
    Entity* entity = panel_entity(app);
    ScriptParameter* parameter =
        entity != nullptr ? parameter_at(*entity, index, through_refs) : nullptr;
    ParameterRowWidgets* row = find_parameter_row(app, index);
    if (parameter == nullptr || row == nullptr) return;
    const std::string typed = row->value_field.label;
    const ParameterValue value = read_typed_text(*parameter, typed);
    if (value.type != parameter->value_type) {
        // The field keeps the typed text for the person to correct.
        drop_focus();
        show_error_pane(app, "Error: Invalid Value for Parameter",
                        parameter_parse_error_text(typed));
        refresh_root(app);
        return;
    }
    if (!check_parameter_in_range(*parameter, value)) {
        drop_focus();
        show_error_pane(app, "Error: Value Outside of Parameter Bounds",
                        parameter_bounds_error_text(*parameter, value));
        refresh_root(app);
        return;
    }
    copy_parameter_value(*parameter, value, format_parameter_value(value));
    const bool one_character = parameter->value_type != ValueType::CHR || typed.size() == 1;
    show_value_text(app, index, *parameter,
                    one_character ? typed : char_to_text(parameter->current.chr_value));
    request_sync(*entity);
}

void restore_parameter_text(Application& app, std::int32_t index, bool through_refs)
{
    Entity* entity = panel_entity(app);
    ScriptParameter* parameter =
        entity != nullptr ? parameter_at(*entity, index, through_refs) : nullptr;
    if (parameter == nullptr) return;
    show_value_text(app, index, *parameter, format_parameter_value(parameter->current));
    drop_focus();
}

void move_parameter_slider(Application& app, std::int32_t index, double fraction, bool released,
                           bool through_refs)
{
    Entity* entity = panel_entity(app);
    ScriptParameter* parameter =
        entity != nullptr ? parameter_at(*entity, index, through_refs) : nullptr;
    if (parameter == nullptr) return;
    set_from_fraction(*parameter, fraction);
    const std::string text = slider_text(*parameter);
    app.panel_rows.value_fields.resize(
        std::max(app.panel_rows.value_fields.size(), static_cast<std::size_t>(index) + 1));
    app.panel_rows.value_fields[static_cast<std::size_t>(index)] = text;
    if (ParameterRowWidgets* row = find_parameter_row(app, index)) row->value_field.set_label(text);
    refresh_interface(app);
    if (released || entity->live_sync != 0) request_sync(*entity);
}

void click_parameter_details(Application& app, std::int32_t x, std::int32_t y, bool through_refs)
{
    Entity* entity = panel_entity(app);
    if (entity == nullptr) return;
    const std::int32_t content_y = y - app.lists.parameters.details.content_offset_y;
    for (const std::unique_ptr<ParameterRowWidgets>& row : app.lists.parameters.parameters) {
        const lumo::KL& box = row->row;
        if (content_y <= box.y || content_y >= box.y + box.height) continue;
        const std::int32_t index = row->value_field.row_id;
        ScriptParameter* parameter = parameter_at(*entity, index, through_refs);
        if (parameter == nullptr) return;
        click_row_zone(app, *entity, index, *parameter, *row, x, content_y - box.y);
        refresh_interface(app);
        return;
    }
}

void wire_parameter_callbacks(Application& app)
{
    ListCallbacks& callbacks = app.lists.callbacks;
    callbacks.parameter_enter = on_parameter_enter<false>;
    callbacks.parameter_cancel = on_parameter_escape<false>;
    callbacks.group_parameter_enter = on_parameter_enter<true>;
    callbacks.group_parameter_cancel = on_parameter_escape<true>;
    callbacks.slider_moved = on_parameter_slider<false, false>;
    callbacks.slider_released = on_parameter_slider<false, true>;
    callbacks.group_slider_moved = on_parameter_slider<true, false>;
    callbacks.group_slider_released = on_parameter_slider<true, true>;
    callbacks.parameter_info = on_parameter_details_click<false>;
    callbacks.group_parameter_info = on_parameter_details_click<true>;
    callbacks.parameter_details_layout = on_parameter_details_layout;
}
