#pragma once

// The entity detail panel's transform controls (ten text fields, a reset
// per group, the rotation-order and transform-order selectors) acting on the
// inspected entity, and the parametric-variant menu.

#include <cstdint>

struct Application;

// Transform groups: 0 translation, 1 uniform scale, 2 per-axis scale,
// 3 rotation in degrees, 4 rotation order, 5 transform order.
// Reads the field of `group` and `axis` with "%lf"; a text that does not
// read leaves the entity and opens "Warning: Invalid Numeric Literal".
void parse_numeric_field(Application& app, std::uint32_t group, std::int32_t axis);
void reset_transform_property(Application& app, std::uint32_t group);
void set_rotation_order(Application& app, std::int32_t order);
void set_transform_order(Application& app, std::int32_t order);

// Copies the values of variant `index` into its entity's parameters and
// requests the entity's synchronisation; values that do not read as their
// parameter's type or lie outside its bounds are skipped.
void apply_parametric_variant(Application& app, std::int32_t index);
