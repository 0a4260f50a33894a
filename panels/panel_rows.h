#pragma once

// The data behind the entity inspector and the parameter panel: one row
// text per entity (by entity index) and per parametric entity (by display
// position), the value fields and sliders of the parameter panel's selected
// entity, and the transform fields and order selectors of the inspected
// entity. The interface builds its widgets from these.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Application;
struct Entity;
struct ScriptParameter;

// Six buttons, the chosen one in the bold small font and selected.
struct OrderSelector {
    std::array<std::int32_t, 6> fonts{4, 3, 3, 3, 3, 3};
    std::array<std::uint8_t, 6> selected{1, 0, 0, 0, 0, 0};
};

// Transform fields in panel order: translation x, y, z; uniform scale;
// per-axis scale x, y, z; rotation x, y, z.
constexpr int TRANSFORM_FIELD_COUNT = 10;

struct PanelRows {
    std::vector<std::string> entity_rows;
    std::vector<std::string> parameter_rows;
    std::vector<std::string> value_fields;
    std::vector<double> slider_fractions;
    std::string entity_details;
    std::string parameter_details;
    std::array<std::string, TRANSFORM_FIELD_COUNT> transform_fields;
    OrderSelector rotation_order;
    OrderSelector transform_order{{3, 3, 4, 3, 3, 3}, {0, 0, 1, 0, 0, 0}};
};

extern PanelRows g_panel_rows;

void rebuild_entity_rows(Application& app);
void rebuild_parameter_rows(Application& app);
void rebuild_entity_details(Application& app);
void rebuild_parameter_details(Application& app);

// Counts and timing, then sizes and directory: the text of an entity's rows.
std::string entity_row_text(const Entity& entity);
// The parameters the panel edits: a single entity's own, or the members'
// parameters a group's merged set points at.
std::vector<ScriptParameter*> editable_parameters(Entity& entity);
// A value field's text: a BLN value upper-cased, any other its display text.
std::string parameter_field_text(const ScriptParameter& parameter);
// Shows the parameter's current value in field `index` and moves its slider
// when both bounds have the parameter's numeric type.
void show_parameter_value(std::size_t index, const ScriptParameter& parameter,
                          const std::string& text);
// Field slot of a transform group (0 to 3) and axis; -1 for none.
std::int32_t transform_field_index(std::uint32_t group, std::int32_t axis);
void mark_order_selector(OrderSelector& selector, std::int32_t order);
