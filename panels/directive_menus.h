#pragma once

// Menus built from the directives the scripts of the current environment
// declare: the inspected entity's camera directives, every entity's
// parametric variants, and the count of animation directives.

#include <cstdint>
#include <string>
#include <vector>

#include "app/state/pane_state.h"

struct Application;
struct Entity;

void build_camera_directive_menu(Application& app);
// Also sets the application's variant count.
void build_parametric_variant_menu(Application& app);
void count_animation_directives(Application& app);
// The variant's entity in the current environment; null when it is gone.
Entity* find_variant_entity(Application& app, const ParametricVariant& variant);
