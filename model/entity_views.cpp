#include "model/entity_views.h"

#include <algorithm>

namespace {

bool is_listed_id(const EntityList& list, std::uint32_t id)
{
    return std::any_of(list.entities.begin(), list.entities.end(),
                       [id](const Entity& entity) { return entity.id == id; });
}

bool is_entity_index(const EntityList& list, std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.entities.size();
}

// The entity behind a parameter panel row, or null.
Entity* entity_at_position(EntityList* list, std::int32_t position)
{
    if (list == nullptr || position < 0 || position >= list->display_count ||
        static_cast<std::size_t>(position) >= list->display_order.size())
        return nullptr;
    const std::int32_t index = list->display_order[static_cast<std::size_t>(position)];
    return is_entity_index(*list, index) ? &list->entities[static_cast<std::size_t>(index)]
                                         : nullptr;
}

} // namespace

bool add_entity_unique(SceneState& scene, const Entity& entity)
{
    EntityList* list = scene.entity_list;
    if (list == nullptr || is_listed_id(*list, entity.id)) return false;
    list->entities.push_back(entity);
    list->count = static_cast<std::int32_t>(list->entities.size());
    // Appending may move the entities; the flat pointers are rebuilt on demand.
    list->flat_entities.clear();
    rebuild_display_order(*list);
    ++list->change_counter;
    list->changed = 1;
    scene.widest_statistics =
        std::max(scene.widest_statistics, static_cast<std::int32_t>(entity.statistics_width));
    return true;
}

bool replace_entity(SceneState& scene, const Entity& old, const Entity& replacement)
{
    if (scene.entity_list == nullptr ||
        !replace_entity_in_list(*scene.entity_list, old, replacement))
        return false;
    recompute_widest_statistics(scene);
    return true;
}

bool remove_entity_at(SceneState& scene, std::int32_t index)
{
    EntityList* list = scene.entity_list;
    if (list == nullptr || index < 0 || index >= list->count || !erase_entity_at(*list, index))
        return false;
    if (scene.selected_index == index)
        scene.selected_index = -1;
    else if (scene.selected_index > index)
        --scene.selected_index;
    recompute_widest_statistics(scene);
    return true;
}

void toggle_entity_selected(SceneState& scene, std::int32_t index)
{
    EntityList* list = scene.entity_list;
    if (list == nullptr || index >= list->count || !is_entity_index(*list, index)) return;
    Entity& entity = list->entities[static_cast<std::size_t>(index)];
    entity.assembly_locked = entity.assembly_locked == 0 ? 1 : 0;
}

void recompute_widest_statistics(SceneState& scene)
{
    scene.widest_statistics = 0;
    if (scene.entity_list == nullptr) return;
    for (const Entity& entity : scene.entity_list->entities)
        scene.widest_statistics =
            std::max(scene.widest_statistics, static_cast<std::int32_t>(entity.statistics_width));
}

void toggle_selection(EntitySelection& selection, std::int32_t position)
{
    if (position == -1 || position != selection.selected_position)
        selection.selected_position = position;
    else
        selection.selected_position = -1;
    selection.content_width = 0;
    selection.scroll_offset_1 = 0.0;
    selection.scroll_offset_2 = 0.0;
    const Entity* selected = entity_at_position(selection.entity_list, selection.selected_position);
    selection.content_height =
        selected == nullptr ? 0 : selected->parameters.row_count * PARAMETER_ROW_HEIGHT;
}

void toggle_entity_visible_at(EntitySelection& selection, std::int32_t position)
{
    Entity* entity = entity_at_position(selection.entity_list, position);
    if (entity != nullptr) toggle_entity_visible(*entity);
}

Entity* get_inspected_entity(const SceneState& scene)
{
    if (scene.entity_list == nullptr || !is_entity_index(*scene.entity_list, scene.selected_index))
        return nullptr;
    return &scene.entity_list->entities[static_cast<std::size_t>(scene.selected_index)];
}

Entity* get_selected_entity(const EntitySelection& selection)
{
    return entity_at_position(selection.entity_list, selection.selected_position);
}
