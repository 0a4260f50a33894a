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

#include "state/pane_state.h"

struct Application;
struct Entity;
struct ScriptParameter;

// The row texts, value fields and transform fields of the current
// environment; the list builders call these before they build the widgets.
void fill_entity_row_texts(Application& app);
void fill_parameter_row_texts(Application& app);
void fill_entity_details(Application& app);
void fill_parameter_details(Application& app);

// Counts and timing, then sizes and directory: the text of an entity's rows.
std::string entity_row_text(const Entity& entity);
// The parameters the panel edits: a single entity's own, or the members'
// parameters a group's merged set points at.
std::vector<ScriptParameter*> editable_parameters(Entity& entity);
// A value field's text: a BLN value upper-cased, any other its display text.
std::string parameter_field_text(const ScriptParameter& parameter);
// Shows the parameter's current value in field `index` and moves its slider
// when both bounds have the parameter's numeric type.
void show_parameter_value(PanelRows& rows, std::size_t index, const ScriptParameter& parameter,
                          const std::string& text);
// Field slot of a transform group (0 to 3) and axis; -1 for none.
std::int32_t transform_field_index(std::uint32_t group, std::int32_t axis);
void mark_order_selector(OrderSelector& selector, std::int32_t order);
