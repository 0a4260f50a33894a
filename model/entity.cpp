#include "model/entity.h"

#include <algorithm>

#include "model/entity_stats.h"

std::atomic<std::uint32_t> g_next_entity_id{0};

namespace {

void mark_assembled(Entity& entity)
{
    entity.assembled = 1;
    entity.pending = 0;
}

// Stamps every member with the group's visibility and membership, and every
// member mesh with the member count and the group's batch count.
void join_members_to_group(Entity& group)
{
    std::int32_t highest_batch_id = 0;
    for (Entity* member : group.members) {
        if (member == nullptr || member->assembled != 1 || member->mesh == nullptr) continue;
        member->visible = group.visible;
        member->mesh->visible = group.visible;
        member->in_group = 1;
        member->mesh->group_member_count = group.member_count;
        highest_batch_id = std::max(highest_batch_id, member->mesh->batch_id);
    }
    for (Entity* member : group.members) {
        if (member != nullptr && member->assembled == 1 && member->mesh != nullptr)
            member->mesh->batch_count = highest_batch_id + 1;
    }
}

} // namespace

Entity construct_entity()
{
    return Entity{};
}

Entity construct_entity_as_group(bool group)
{
    Entity entity;
    if (group) entity.kind = ENTITY_GROUP;
    return entity;
}

void delete_entity(Entity* entity)
{
    delete entity;
}

void attach_mesh_to_entity(Entity& entity, Mesh* mesh)
{
    entity.mesh = mesh;
    if (mesh != nullptr) {
        mesh->visible = entity.visible;
        derive_mesh_statistics(entity, *mesh);
    }
    mark_assembled(entity);
}

void set_group_member_list(Entity& group, EntityPointers members, std::uint32_t root_execute_mode)
{
    group.members = std::move(members);
    group.member_count = static_cast<std::int32_t>(group.members.size());
    group.root_execute_mode = root_execute_mode;
    rebuild_member_order(group);
}

void assign_group_members(Entity& group, const EntityPointers& members,
                          std::uint32_t root_execute_mode, std::int32_t run_time_ms)
{
    set_group_member_list(group, members, root_execute_mode);
    join_members_to_group(group);
    recount_entity_elements(group, run_time_ms);
    mark_assembled(group);
}

bool is_parametric(const ParameterSet& set)
{
    return set.valid == 1 && set.count >= 1;
}

void rebuild_member_order(Entity& group)
{
    group.parameterised_members.clear();
    for (std::size_t at = 0; at < group.members.size(); ++at) {
        const Entity* member = group.members[at];
        if (member != nullptr && is_parametric(member->parameters))
            group.parameterised_members.push_back(static_cast<std::int32_t>(at));
    }
    group.parameterised_member_count =
        static_cast<std::int32_t>(group.parameterised_members.size());
}

void set_entity_visible(Entity& entity, bool visible)
{
    entity.visible = visible ? 1 : 0;
    if (entity.mesh != nullptr) entity.mesh->visible = entity.visible;
    if (entity.kind != ENTITY_GROUP) return;
    for (Entity* member : entity.members) {
        if (member == nullptr) continue;
        member->visible = entity.visible;
        if (member->mesh != nullptr) member->mesh->visible = entity.visible;
    }
}

void toggle_entity_visible(Entity& entity)
{
    set_entity_visible(entity, entity.visible == 0);
}

std::string get_entity_label(const Entity& entity)
{
    return entity.label;
}

std::string get_entity_detail_text(const Entity& entity)
{
    return entity.property_titles;
}

std::string get_parameter_value_text(const ScriptParameter& parameter)
{
    return parameter.value_text;
}

std::string get_parameter_detail_text(const ParameterSet& set)
{
    return set.type_summary;
}
