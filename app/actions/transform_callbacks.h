#pragma once

// The entity inspector's transform block (Esc in the ten transform fields,
// the RESET buttons, the rotation-order and transform-order buttons) and the
// clicks and layouts of the two entity row lists.

#include <cstdint>

struct Application;

// Field k in panel order shows the inspected entity's component again.
void restore_transform_field(Application& app, std::int32_t field);
// Groups as the edit handlers number them: 1 uniform scale, 3 rotation,
// 4 rotation order, 5 transform order.
void reset_transform_group(Application& app, std::int32_t group);
void choose_rotation_order(Application& app, std::int32_t order);
void choose_transform_order(Application& app, std::int32_t order);

// Row `row` of a list was clicked at (x, y), list-local.
void click_entity_row(Application& app, std::int32_t row, std::int32_t x, std::int32_t y);
void click_parameter_row(Application& app, std::int32_t row, std::int32_t x, std::int32_t y);

// Installs the transform block's callbacks and fills the row entries of the
// lists' callback table.
void wire_transform_callbacks(Application& app);
