#include "app/commands/edit_handlers.h"

#include <optional>
#include <string>
#include <vector>

#include "lumo/widget.h"
#include "state/application.h"
#include "model/entity_transform.h"
#include "panels/directive_menus.h"
#include "panels/message_panes.h"
#include "panels/panel_rows.h"
#include "panels/parameter_rows.h"
#include "platform/number_text.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "shell/refresh.h"

namespace {

Entity* inspected_entity(Application& app)
{
    return app.current_scene_state != nullptr ? get_inspected_entity(*app.current_scene_state)
                                              : nullptr;
}

void apply_transform(Application& app, Entity& entity)
{
    compute_entity_matrix(entity);
    refresh_interface(app);
}

void set_field(PanelRows& rows, std::uint32_t group, std::int32_t axis, const char* text)
{
    const std::int32_t at = transform_field_index(group, axis);
    if (at >= 0) rows.transform_fields[static_cast<std::size_t>(at)] = text;
}

void store_transform_value(Entity& entity, std::uint32_t group, std::int32_t axis, double value)
{
    if (group == 1) {
        entity.uniform_scale = value;
        return;
    }
    if (axis < 0 || axis > 2) return;
    const auto at = static_cast<std::size_t>(axis);
    if (group == 0) entity.translation[at] = value;
    if (group == 2) entity.axis_scale[at] = value;
    if (group == 3) entity.rotation_degrees[at] = value;
}

void warn_invalid_number(Application& app, const std::string& text)
{
    if (lumo::g_focused_widget != nullptr) lumo::g_focused_widget->drop_focus();
    show_warning_pane(
        app, "Warning: Invalid Numeric Literal",
        "The character sequence: \"" + text +
            "\" caused a number parsing error.\n\nNote: the value has not been modified");
}

// The variant's value text read as the parameter's type; UNDEFINED when it
// does not read.
ParameterValue read_variant_value(const ScriptParameter& parameter, const std::string& text)
{
    ParameterValue value;
    switch (parameter.value_type) {
    case ValueType::INT:
    case ValueType::DBL:
    case ValueType::LNG:
    case ValueType::BLN:
        return parse_typed_value(static_cast<std::uint32_t>(parameter.value_type), text);
    case ValueType::CHR:
        if (text.size() == 3) {
            value.type = ValueType::CHR;
            value.chr_value = text[1];
        } else {
            trace_line("TODO:ESCAPED-CHARACTER!");
        }
        return value;
    case ValueType::STR:
        trace_line("TODO:STRIP-QUOTATION-MARKS!");
        value.type = ValueType::STR;
        value.str_value = text;
        return value;
    default:
        return value;
    }
}

std::string variant_field_text(const ScriptParameter& parameter)
{
    if (parameter.value_type == ValueType::DBL)
        return fixed_to_text(parameter.current.dbl_value, 2);
    return format_parameter_value(parameter.current);
}

// Returns whether the value was taken.
bool apply_variant_value(ScriptParameter& parameter, const std::string& text)
{
    const ParameterValue value = read_variant_value(parameter, text);
    if (value.type != parameter.value_type) return false;
    const bool bounded = parameter.minimum.type != ValueType::UNDEFINED &&
                         parameter.maximum.type != ValueType::UNDEFINED;
    if (bounded && !check_parameter_in_range(parameter, value)) return false;
    copy_parameter_value(parameter, value, format_parameter_value(value));
    return true;
}

} // namespace

void parse_numeric_field(Application& app, std::uint32_t group, std::int32_t axis)
{
    Entity* entity = inspected_entity(app);
    if (entity == nullptr) return;
    const std::int32_t at = group <= 3 ? transform_field_index(group, axis) : -1;
    const std::string text =
        at >= 0 ? app.panel_rows.transform_fields[static_cast<std::size_t>(at)] : "";
    const std::optional<double> value = read_real_number(text);
    if (!value) {
        warn_invalid_number(app, text);
        return;
    }
    store_transform_value(*entity, group, axis, *value);
    apply_transform(app, *entity);
}

void reset_transform_property(Application& app, std::uint32_t group)
{
    Entity* entity = inspected_entity(app);
    if (entity == nullptr) return;
    switch (group) {
    case 0:
        entity->translation = {0.0, 0.0, 0.0};
        for (std::int32_t axis = 0; axis < 3; ++axis)
            set_field(app.panel_rows, 0, axis, "0");
        break;
    case 1:
        entity->uniform_scale = 1.0;
        set_field(app.panel_rows, 1, 0, "1");
        break;
    case 2:
        entity->axis_scale = {1.0, 1.0, 1.0};
        for (std::int32_t axis = 0; axis < 3; ++axis)
            set_field(app.panel_rows, 2, axis, "1");
        break;
    case 3:
        entity->rotation_degrees = {0.0, 0.0, 0.0};
        for (std::int32_t axis = 0; axis < 3; ++axis)
            set_field(app.panel_rows, 3, axis, "0");
        break;
    case 4:
        entity->rotation_order = 0;
        mark_order_selector(app.panel_rows.rotation_order, 0);
        break;
    case 5:
        entity->transform_order = 2;
        mark_order_selector(app.panel_rows.transform_order, 2);
        break;
    default:
        break;
    }
    apply_transform(app, *entity);
}

void set_rotation_order(Application& app, std::int32_t order)
{
    Entity* entity = inspected_entity(app);
    if (entity == nullptr) return;
    entity->rotation_order = static_cast<std::uint32_t>(order);
    mark_order_selector(app.panel_rows.rotation_order, order);
    apply_transform(app, *entity);
}

void set_transform_order(Application& app, std::int32_t order)
{
    Entity* entity = inspected_entity(app);
    if (entity == nullptr) return;
    entity->transform_order = static_cast<std::uint32_t>(order);
    mark_order_selector(app.panel_rows.transform_order, order);
    apply_transform(app, *entity);
}

void apply_parametric_variant(Application& app, std::int32_t index)
{
    if (index < 0 || index >= app.variant_count ||
        static_cast<std::size_t>(index) >= app.directive_menus.variants.size())
        return;
    const ParametricVariant& variant = app.directive_menus.variants[static_cast<std::size_t>(index)];
    Entity* entity = find_variant_entity(app, variant);
    if (variant.pairs.empty() || entity == nullptr) return;
    const Entity* shown =
        app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
    std::vector<ScriptParameter>& parameters = entity->parameters.parameters;
    for (std::size_t k = 0; k + 1 < variant.pairs.size(); k += 2) {
        for (std::size_t p = 0; p < parameters.size(); ++p) {
            ScriptParameter& parameter = parameters[p];
            if (parameter.name != variant.pairs[k] ||
                !apply_variant_value(parameter, variant.pairs[k + 1]))
                continue;
            if (entity == shown) {
                show_parameter_value(app.panel_rows, p, parameter, variant_field_text(parameter));
                show_parameter_row_value(app, static_cast<std::int32_t>(p));
            }
            app.pending_variant_sync = index;
        }
    }
}
