#pragma once

// Menus built from the directives the scripts of the current environment
// declare: the inspected entity's camera directives, every entity's
// parametric variants, and the count of animation directives.

#include <cstdint>
#include <string>
#include <vector>

#include "state/pane_state.h"

struct Application;
struct Entity;

// Also the directive points: the six numbers of each row (zeros where a
// number cannot be read).
void build_camera_directive_menu(Application& app);
// Places the camera rows in the directive column of `column_width` pixels:
// style 1 a list of full-width rows of the row height, style 2 a grid of
// square cells, two to a row.
void layout_directive_menu(Application& app, std::int32_t column_width);
// Also sets the application's variant count.
void build_parametric_variant_menu(Application& app);
// A variant's menu row: its name, then each pair as name ":" value, the
// pairs separated by ", ".
std::string variant_row_text(const ParametricVariant& variant);
void count_animation_directives(Application& app);
// The variant's entity in the current environment; null when it is gone.
Entity* find_variant_entity(Application& app, const ParametricVariant& variant);
