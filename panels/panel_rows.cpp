#include "panels/panel_rows.h"

#include "state/application.h"
#include "model/entity.h"
#include "platform/text.h"

namespace {

bool has_numeric_bounds(const ScriptParameter& parameter)
{
    const ValueType type = parameter.value_type;
    const bool numeric = type == ValueType::INT || type == ValueType::DBL || type == ValueType::LNG;
    return numeric && parameter.minimum.type == type && parameter.maximum.type == type;
}

void show_transform(PanelRows& rows, const Entity& entity)
{
    auto& fields = rows.transform_fields;
    for (int axis = 0; axis < 3; ++axis) {
        fields[static_cast<std::size_t>(transform_field_index(0, axis))] =
            double_to_text(entity.translation[axis]);
        fields[static_cast<std::size_t>(transform_field_index(2, axis))] =
            double_to_text(entity.axis_scale[axis]);
        fields[static_cast<std::size_t>(transform_field_index(3, axis))] =
            double_to_text(entity.rotation_degrees[axis]);
    }
    fields[static_cast<std::size_t>(transform_field_index(1, 0))] =
        double_to_text(entity.uniform_scale);
    mark_order_selector(rows.rotation_order, static_cast<std::int32_t>(entity.rotation_order));
    mark_order_selector(rows.transform_order, static_cast<std::int32_t>(entity.transform_order));
}

} // namespace

std::string entity_row_text(const Entity& entity)
{
    return entity.statistics_lines[1] + "\n" + entity.statistics_lines[2];
}

std::vector<ScriptParameter*> editable_parameters(Entity& entity)
{
    if (entity.kind == ENTITY_GROUP) return entity.parameters.member_parameters;
    std::vector<ScriptParameter*> parameters;
    for (ScriptParameter& parameter : entity.parameters.parameters)
        parameters.push_back(&parameter);
    return parameters;
}

std::string parameter_field_text(const ScriptParameter& parameter)
{
    const std::string text = format_parameter_value(parameter.current);
    return parameter.value_type == ValueType::BLN ? to_upper_text(text) : text;
}

void show_parameter_value(PanelRows& rows, std::size_t index, const ScriptParameter& parameter,
                          const std::string& text)
{
    if (index >= rows.value_fields.size()) return;
    rows.value_fields[index] = text;
    if (has_numeric_bounds(parameter))
        rows.slider_fractions[index] = compute_parameter_fraction(parameter);
}

void fill_entity_row_texts(Application& app)
{
    app.panel_rows.entity_rows.clear();
    if (app.current_entity_list == nullptr) return;
    for (const Entity& entity : app.current_entity_list->entities)
        app.panel_rows.entity_rows.push_back(entity_row_text(entity));
}

void fill_parameter_row_texts(Application& app)
{
    app.panel_rows.parameter_rows.clear();
    EntityList* list = app.current_entity_list;
    if (list == nullptr) return;
    rebuild_display_order(*list);
    for (std::int32_t index : list->display_order)
        if (index >= 0 && index < list->count)
            app.panel_rows.parameter_rows.push_back(
                entity_row_text(list->entities[static_cast<std::size_t>(index)]));
}

void fill_entity_details(Application& app)
{
    app.panel_rows.entity_details.clear();
    const Entity* entity = app.current_scene_state != nullptr
                               ? get_inspected_entity(*app.current_scene_state)
                               : nullptr;
    if (entity == nullptr) return;
    app.panel_rows.entity_details = get_entity_detail_text(*entity);
    show_transform(app.panel_rows, *entity);
}

void fill_parameter_details(Application& app)
{
    app.panel_rows.parameter_details.clear();
    app.panel_rows.value_fields.clear();
    app.panel_rows.slider_fractions.clear();
    Entity* entity =
        app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
    if (entity == nullptr) return;
    app.panel_rows.parameter_details = get_parameter_detail_text(entity->parameters);
    const std::vector<ScriptParameter*> parameters = editable_parameters(*entity);
    app.panel_rows.value_fields.resize(parameters.size());
    app.panel_rows.slider_fractions.assign(parameters.size(), 0.0);
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i] != nullptr)
            show_parameter_value(app.panel_rows, i, *parameters[i],
                                 parameter_field_text(*parameters[i]));
}

std::int32_t transform_field_index(std::uint32_t group, std::int32_t axis)
{
    if (group == 1) return 3;
    if (axis < 0 || axis > 2) return -1;
    switch (group) {
    case 0:
        return axis;
    case 2:
        return 4 + axis;
    case 3:
        return 7 + axis;
    default:
        return -1;
    }
}

void mark_order_selector(OrderSelector& selector, std::int32_t order)
{
    for (std::int32_t b = 0; b < 6; ++b) {
        const auto at = static_cast<std::size_t>(b);
        selector.fonts[at] = b == order ? 4 : 3;
        selector.selected[at] = b == order ? 1 : 0;
    }
}
