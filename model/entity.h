#pragma once

// One assembled script result and the list that holds an environment's
// entities by value.
//
// Ownership: an entity does not own its mesh. Copies share the mesh pointer,
// and the mesh is released explicitly (release_entity_meshes for a whole
// list, or free_mesh_buffers + delete_mesh by the command that replaces or
// deletes the entity). Group members are heap entities owned by their group
// through `members`, but only the explicit releases below destroy them:
// copies of a group share the member pointers, so no destructor may free them.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "model/mesh.h"
#include "model/parameters.h"
#include "model/parse_report.h"

extern std::atomic<std::uint32_t> g_next_entity_id;

enum EntityKind : std::uint32_t {
    ENTITY_SINGLE = 0,
    ENTITY_GROUP = 1,
};

// The five bounds vectors, each x, y, z (only x and y used for 2-D meshes).
enum BoundsVector : std::int32_t {
    BOUNDS_MINIMUM = 0,
    BOUNDS_MAXIMUM = 1,
    BOUNDS_CENTRE = 2,
    BOUNDS_MEAN = 3,
    BOUNDS_EXTENT = 4,
};

struct Entity;
using EntityPointers = std::vector<Entity*>;

struct Entity {
    std::uint8_t assembled = 0; // a mesh or members are attached
    std::uint8_t pending = 1;   // a pending entity cannot replace or be replaced
    std::uint32_t kind = ENTITY_SINGLE;
    EntityPointers members; // group only, in the kernel's order; null entries possible
    std::int32_t member_count = 0;
    std::uint32_t root_execute_mode = 0; // group only
    std::uint8_t in_group = 0;           // a member takes its matrices from its group
    std::int32_t parameterised_member_count = 0;
    std::vector<std::int32_t> parameterised_members;  // indices into `members`
    std::uint32_t id = g_next_entity_id.fetch_add(1); // also the picking colour id

    std::array<double, 3> translation{0.0, 0.0, 0.0};
    double uniform_scale = 1.0;
    std::array<double, 3> axis_scale{1.0, 1.0, 1.0};
    std::array<double, 3> rotation_degrees{0.0, 0.0, 0.0};
    // Column-major: element 4c + r is row r of column c.
    std::array<double, 16> model_matrix_d{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<float, 16> model_matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    std::uint8_t assembly_locked = 0; // refused by assemble and re-assemble
    std::uint8_t visible = 1;         // mirrored into the mesh
    double bounds[5][3] = {};         // indexed by BoundsVector
    std::uint32_t vertex_count = 0;
    std::uint8_t mesh_flag = 0; // the mesh has an aux count
    std::uint32_t polygon_count = 0;
    std::uint32_t index_count = 0;
    std::uint32_t triangle_count = 0;
    std::uint32_t triangle_index_count = 0;
    std::uint64_t mesh_bytes = 0; // 64-bit: large groups overflow 32 bits
    double mesh_kb = 0.0;
    double mesh_mb = 0.0;
    std::int32_t run_time_ms = 0;
    double run_time_seconds = 0.0;

    Mesh* mesh = nullptr; // not owned; a group holds none of its own
    ParseReport parse_report;
    ParameterSet parameters; // the working set the panels edit

    std::uint8_t keep_parameter_values = 1; // carried over on re-load
    std::uint8_t live_sync = 0;             // never set together with manual_sync
    std::uint8_t manual_sync = 0;
    std::uint32_t sync_requested = 0; // cleared by the frame tick when it syncs

    std::string label; // ": " + script file name
    std::array<std::string, 3> statistics_lines;
    std::vector<std::string> property_lines;
    std::string property_titles;
    std::uint32_t label_width = 0;
    std::uint32_t statistics_width = 0;
    std::uint32_t property_width = 0;
    std::uint32_t property_height = 0;
    std::uint32_t rotation_order = 0;  // 0 to 5
    std::uint32_t transform_order = 2; // 0 to 5
};

// Copy and assignment are the memberwise defaults: containers deeply, the
// mesh and member pointers shallowly; copies keep the source's id.
Entity construct_entity();
Entity construct_entity_as_group(bool group);
// Destroys and frees a heap entity (a group member); its mesh stays.
void delete_entity(Entity* entity);

// Stores the mesh, mirrors `visible` into it, derives the statistics and
// marks the entity assembled.
void attach_mesh_to_entity(Entity& entity, Mesh* mesh);
// Takes over the member array, then rebuilds the parameterised member order.
void set_group_member_list(Entity& group, EntityPointers members, std::uint32_t root_execute_mode);
void assign_group_members(Entity& group, const EntityPointers& members,
                          std::uint32_t root_execute_mode, std::int32_t run_time_ms);
void rebuild_member_order(Entity& group);

// True when the set is valid and holds at least one parameter: such entities
// get rows in the parameter panel.
bool is_parametric(const ParameterSet& set);

void toggle_entity_visible(Entity& entity);
void set_entity_visible(Entity& entity, bool visible);

std::string get_entity_label(const Entity& entity);
std::string get_entity_detail_text(const Entity& entity);
std::string get_parameter_value_text(const ScriptParameter& parameter);
std::string get_parameter_detail_text(const ParameterSet& set);

struct EntityList {
    std::int32_t count = 0;
    std::vector<Entity> entities; // insertion order
    EntityPointers flat_entities; // each entity then its members; rebuilt on demand
    std::uint8_t changed = 1;
    std::uint32_t change_counter = 0;
    std::int32_t display_count = 0;
    std::vector<std::int32_t> display_order; // parametric entities: parameter panel rows
};

void rebuild_display_order(EntityList& list);
EntityPointers& collect_entity_pointers(EntityList& list);
// One graphics object name per mesh, in list order, members in member order.
// 'A' vertex arrays, 'B' vertex buffers, 'I' index buffers; other letters give 0s.
void collect_meshes_by_kind(const EntityList& list, U32Array& out, char letter);
void collect_index_buffer_names(const EntityList& list, U32Array& out);
void collect_vertex_array_names(const EntityList& list, U32Array& out);
void collect_vertex_buffer_names(const EntityList& list, U32Array& out);
bool contains_entity_path(const EntityList& list, const std::string& path);
Entity* find_entity_by_path(EntityList& list, const std::string& path);
bool erase_entity_at(EntityList& list, std::int32_t index);
bool replace_entity_in_list(EntityList& list, const Entity& old, const Entity& replacement);
// Frees every mesh of the list and destroys every group member. A mesh shared
// by several copies in the list is freed once; afterwards the entities hold
// no mesh or member pointers, so a second call frees nothing.
void release_entity_meshes(EntityList& list);
// Frees one entity's mesh, or a group's members and their meshes, and clears
// the pointers: what a command does with an entity it removes or replaces.
void release_entity_resources(Entity& entity);
