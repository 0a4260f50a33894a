#include "export/export_frame.h"

#include "model/entity_transform.h"

namespace {

template <typename T> std::span<const T> array_view(const std::vector<T>* array)
{
    return array ? std::span<const T>(*array) : std::span<const T>();
}

// Mirroring flips the handedness: the product of the scale factors is negative.
bool is_mirroring(const Entity& entity)
{
    const double product =
        entity.uniform_scale * entity.axis_scale[0] * entity.axis_scale[1] * entity.axis_scale[2];
    return product < 0.0;
}

// An OR of comparisons, which the compiler turns into vector compares;
// built for AVX2 and for the baseline.
__attribute__((target_clones("avx2", "default"))) bool
all_below(const std::uint32_t* indices, std::size_t count, std::uint32_t limit)
{
    std::uint32_t outside = 0;
    for (std::size_t i = 0; i < count; ++i)
        outside |= static_cast<std::uint32_t>(indices[i] >= limit);
    return outside == 0;
}

PlacedMesh place_mesh(const Mesh& mesh, const Entity& placement)
{
    PlacedMesh placed;
    placed.placement = &placement;
    placed.transformed = !is_entity_transform_identity(placement);
    placed.mirrored = placed.transformed && is_mirroring(placement);
    placed.positions = array_view(mesh.vertex_data);
    placed.dimension = mesh.dimension;
    placed.vertex_count =
        mesh.dimension == 0 ? 0
                            : static_cast<std::uint32_t>(placed.positions.size() / mesh.dimension);
    placed.polygon_stream = array_view(mesh.index_data);
    placed.triangle_indices = array_view(mesh.triangle_indices);
    placed.triangles_sound = placed.triangle_indices.size() % 3 == 0 &&
                             all_below(placed.triangle_indices.data(),
                                       placed.triangle_indices.size(), placed.vertex_count);
    placed.polygon_normals = array_view(mesh.polygon_normals);
    placed.triangle_normals = array_view(mesh.normal_data);
    placed.colours = array_view(mesh.vertex_colours);
    return placed;
}

void collect_entity_meshes(const Entity& entity, std::vector<PlacedMesh>& meshes)
{
    if (entity.kind == ENTITY_SINGLE) {
        if (entity.mesh) meshes.push_back(place_mesh(*entity.mesh, entity));
        return;
    }
    for (const Entity* member : entity.members) {
        if (member && member->mesh) meshes.push_back(place_mesh(*member->mesh, entity));
    }
}

} // namespace

std::vector<PlacedMesh> collect_visible_meshes(const EntityList& list)
{
    std::vector<PlacedMesh> meshes;
    for (const Entity& entity : list.entities) {
        if (entity.visible) collect_entity_meshes(entity, meshes);
    }
    return meshes;
}

std::uint64_t count_vertices(const std::vector<PlacedMesh>& meshes)
{
    std::uint64_t total = 0;
    for (const PlacedMesh& mesh : meshes)
        total += mesh.vertex_count;
    return total;
}

std::uint64_t count_faces(const std::vector<PlacedMesh>& meshes, std::int32_t topology)
{
    std::uint64_t total = 0;
    for (const PlacedMesh& mesh : meshes) {
        if (topology == EXPORT_TRIANGLES && mesh.triangles_sound)
            total += mesh.triangle_indices.size() / 3;
        else
            for_each_face(mesh, topology, [&](const std::uint32_t*, std::uint32_t) { ++total; });
    }
    return total;
}

void transform_position(const PlacedMesh& mesh, Vec3& position)
{
    transform_entity_point(*mesh.placement, position.x, position.y, position.z);
}

void transform_normal(const PlacedMesh& mesh, Vec3& normal)
{
    transform_entity_normal(*mesh.placement, normal.x, normal.y, normal.z);
}
