#pragma once

// The two list views an environment keeps over its entity list: the entity
// inspector (SceneState) and the parameter panel (EntitySelection), with the
// operations that add, replace and remove entities through them.

#include <cstdint>

#include "model/entity.h"
#include "model/transform_editor_labels.h"

// Pixel height of one parameter panel row.
constexpr std::int32_t PARAMETER_ROW_HEIGHT = 32;

struct SceneState {
    double scroll = 0.5;
    std::int32_t widest_statistics = 0; // largest statistics width in the list
    EntityList* entity_list = nullptr;  // set when the environment becomes current
    std::int32_t selected_index = -1;   // index into entities, -1 none
    TransformEditorLabels editor_labels = transform_editor_labels();
};

struct EntitySelection {
    double scroll = 0.5;
    std::int32_t content_width = 0;
    std::int32_t content_height = 0;
    double scroll_offset_1 = 0.0;
    double scroll_offset_2 = 0.0;
    EntityList* entity_list = nullptr;   // set when the environment becomes current
    std::int32_t selected_position = -1; // position in display_order, -1 none
};

// Appends a copy unless an entity with the same id is listed.
bool add_entity_unique(SceneState& scene, const Entity& entity);
bool replace_entity(SceneState& scene, const Entity& old, const Entity& replacement);
// The caller releases the removed entity's mesh or members itself.
bool remove_entity_at(SceneState& scene, std::int32_t index);
// The inspector's lock button: inverts `assembly_locked`.
void toggle_entity_selected(SceneState& scene, std::int32_t index);
void recompute_widest_statistics(SceneState& scene);

// Selecting the selected row again clears the selection.
void toggle_selection(EntitySelection& selection, std::int32_t position);
void toggle_entity_visible_at(EntitySelection& selection, std::int32_t position);

// Null when nothing is selected or the list is missing.
Entity* get_inspected_entity(const SceneState& scene);
Entity* get_selected_entity(const EntitySelection& selection);
