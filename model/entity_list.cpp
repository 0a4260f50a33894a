#include "model/entity.h"

#include <unordered_set>

namespace {

// What a set of entities holds on the heap, each pointer once even when
// several copies share it.
struct HeldResources {
    std::unordered_set<Mesh*> meshes;
    std::unordered_set<Entity*> members;
};

void gather_resources(const Entity& entity, HeldResources& held)
{
    if (entity.mesh != nullptr) held.meshes.insert(entity.mesh);
    for (Entity* member : entity.members) {
        if (member == nullptr) continue;
        held.members.insert(member);
        if (member->mesh != nullptr) held.meshes.insert(member->mesh);
    }
}

void free_resources(const HeldResources& held)
{
    for (Mesh* mesh : held.meshes) {
        free_mesh_buffers(*mesh);
        delete_mesh(mesh, 1);
    }
    for (Entity* member : held.members)
        delete_entity(member);
}

// Drops the pointers to what was freed. A group's merged parameter set points
// into its members' sets, so it goes with them.
void forget_resources(Entity& entity)
{
    entity.mesh = nullptr;
    if (entity.kind != ENTITY_GROUP && entity.members.empty()) return;
    entity.members.clear();
    entity.member_count = 0;
    entity.parameterised_members.clear();
    entity.parameterised_member_count = 0;
    entity.parameters = ParameterSet{};
}

std::uint32_t mesh_name_of(const Mesh& mesh, char letter)
{
    switch (letter) {
    case 'A':
        return mesh.vertex_array_name;
    case 'B':
        return mesh.vertex_buffer_name;
    case 'I':
        return mesh.index_buffer_name;
    default:
        return 0;
    }
}

Entity* find_entity_by_id(EntityList& list, std::uint32_t id)
{
    for (Entity& entity : list.entities) {
        if (entity.id == id) return &entity;
    }
    return nullptr;
}

} // namespace

void rebuild_display_order(EntityList& list)
{
    list.display_order.clear();
    for (std::size_t at = 0; at < list.entities.size(); ++at) {
        if (is_parametric(list.entities[at].parameters))
            list.display_order.push_back(static_cast<std::int32_t>(at));
    }
    list.display_count = static_cast<std::int32_t>(list.display_order.size());
}

EntityPointers& collect_entity_pointers(EntityList& list)
{
    list.flat_entities.clear();
    for (Entity& entity : list.entities) {
        list.flat_entities.push_back(&entity);
        if (entity.kind == ENTITY_GROUP)
            list.flat_entities.insert(list.flat_entities.end(), entity.members.begin(),
                                      entity.members.end());
    }
    return list.flat_entities;
}

void collect_meshes_by_kind(const EntityList& list, U32Array& out, char letter)
{
    out.clear();
    for (const Entity& entity : list.entities) {
        if (entity.kind != ENTITY_GROUP) {
            if (entity.mesh != nullptr) out.push_back(mesh_name_of(*entity.mesh, letter));
            continue;
        }
        for (const Entity* member : entity.members) {
            if (member != nullptr && member->mesh != nullptr)
                out.push_back(mesh_name_of(*member->mesh, letter));
        }
    }
}

void collect_index_buffer_names(const EntityList& list, U32Array& out)
{
    collect_meshes_by_kind(list, out, 'I');
}

void collect_vertex_array_names(const EntityList& list, U32Array& out)
{
    collect_meshes_by_kind(list, out, 'A');
}

void collect_vertex_buffer_names(const EntityList& list, U32Array& out)
{
    collect_meshes_by_kind(list, out, 'B');
}

bool contains_entity_path(const EntityList& list, const std::string& path)
{
    for (const Entity& entity : list.entities) {
        if (entity.parse_report.script_path == path) return true;
    }
    return false;
}

Entity* find_entity_by_path(EntityList& list, const std::string& path)
{
    for (Entity& entity : list.entities) {
        if (entity.parse_report.script_path == path) return &entity;
    }
    return nullptr;
}

bool erase_entity_at(EntityList& list, std::int32_t index)
{
    if (index < 0 || index >= list.count || static_cast<std::size_t>(index) >= list.entities.size())
        return false;
    list.entities.erase(list.entities.begin() + index);
    list.count = static_cast<std::int32_t>(list.entities.size());
    // The flat pointers pointed into the old storage; they are rebuilt on demand.
    list.flat_entities.clear();
    rebuild_display_order(list);
    list.changed = 1;
    return true;
}

bool replace_entity_in_list(EntityList& list, const Entity& old, const Entity& replacement)
{
    if (old.id == replacement.id || old.pending == 1 || replacement.pending == 1) return false;
    Entity* target = find_entity_by_id(list, old.id);
    if (target == nullptr) return false;
    *target = replacement;
    rebuild_display_order(list);
    list.changed = 1;
    return true;
}

void release_entity_meshes(EntityList& list)
{
    HeldResources held;
    for (const Entity& entity : list.entities)
        gather_resources(entity, held);
    free_resources(held);
    for (Entity& entity : list.entities)
        forget_resources(entity);
    list.flat_entities.clear();
}

void release_entity_resources(Entity& entity)
{
    HeldResources held;
    gather_resources(entity, held);
    free_resources(held);
    forget_resources(entity);
}
