#pragma once

// Menus built from the directives the scripts of the current environment
// declare: the inspected entity's camera directives, every entity's
// parametric variants, and the count of animation directives.

#include <cstdint>
#include <string>
#include <vector>

struct Application;
struct Entity;

// One "#VARIANT" line: its name, its name/value pairs and the entity whose
// script declared it, by id, since the list may move its entities.
struct ParametricVariant {
    std::string name;
    std::vector<std::string> pairs;
    std::uint32_t entity_id = 0;
};

struct DirectiveMenus {
    std::vector<std::string> camera_rows;
    std::vector<ParametricVariant> variants;
};

extern DirectiveMenus g_directive_menus;

void build_camera_directive_menu(Application& app);
// Also sets the application's variant count.
void build_parametric_variant_menu(Application& app);
void count_animation_directives(Application& app);
// The variant's entity in the current environment; null when it is gone.
Entity* find_variant_entity(Application& app, const ParametricVariant& variant);
