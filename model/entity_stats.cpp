#include "model/entity_stats.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "model/text_metrics.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace {

constexpr double BYTES_TO_KB = 0.0009765625;
constexpr double BYTES_TO_MB = 9.5367431640625e-7;

template <typename Array> std::size_t array_size(const Array* array)
{
    return array == nullptr ? 0 : array->size();
}

// The mesh's bounds array holds five vectors of `dimension` values.
bool has_bounds_vectors(const Mesh& mesh)
{
    return (mesh.dimension == 2 || mesh.dimension == 3) &&
           array_size(mesh.bounds) >= 5 * static_cast<std::size_t>(mesh.dimension);
}

double mesh_bound(const Mesh& mesh, std::int32_t vector, std::uint32_t axis)
{
    return (*mesh.bounds)[static_cast<std::size_t>(vector) * mesh.dimension + axis];
}

void set_byte_total(Entity& entity, std::uint64_t bytes)
{
    entity.mesh_bytes = bytes;
    entity.mesh_kb = static_cast<double>(bytes) * BYTES_TO_KB;
    entity.mesh_mb = static_cast<double>(bytes) * BYTES_TO_MB;
}

void set_run_time(Entity& entity, std::int32_t run_time_ms)
{
    entity.run_time_ms = run_time_ms;
    entity.run_time_seconds = run_time_ms / 1000.0;
}

bool takes_part_in_group(const Entity* member)
{
    return member != nullptr && member->assembled == 1 && member->mesh != nullptr;
}

// Widens the group's box by one member mesh and adds its weighted mean.
void add_member_bounds(Entity& group, const Mesh& mesh, double weight)
{
    if (!has_bounds_vectors(mesh)) return;
    for (std::uint32_t axis = 0; axis < mesh.dimension; ++axis) {
        double* minimum = &group.bounds[BOUNDS_MINIMUM][axis];
        double* maximum = &group.bounds[BOUNDS_MAXIMUM][axis];
        *minimum = std::min(*minimum, mesh_bound(mesh, BOUNDS_MINIMUM, axis));
        *maximum = std::max(*maximum, mesh_bound(mesh, BOUNDS_MAXIMUM, axis));
        group.bounds[BOUNDS_MEAN][axis] += weight * mesh_bound(mesh, BOUNDS_MEAN, axis);
        group.bounds[BOUNDS_EXTENT][axis] = *maximum - *minimum;
        group.bounds[BOUNDS_CENTRE][axis] = *minimum + group.bounds[BOUNDS_EXTENT][axis] * 0.5;
    }
}

// An axis without usable bounds (no member had any, or the kernel wrote NaN
// or infinities for an empty mesh) reads 0 rather than spreading them.
void clear_unbounded_axes(Entity& entity)
{
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const bool bounded =
            std::all_of(std::begin(entity.bounds), std::end(entity.bounds),
                        [axis](const double* vector) { return std::isfinite(vector[axis]); });
        if (bounded) continue;
        for (auto& vector : entity.bounds)
            vector[axis] = 0.0;
    }
}

} // namespace

std::uint32_t count_mesh_vertices(const Mesh& mesh)
{
    if (mesh.dimension == 0) return 0;
    return static_cast<std::uint32_t>(array_size(mesh.vertex_data) / mesh.dimension);
}

std::uint64_t count_mesh_bytes(const Mesh& mesh)
{
    return array_size(mesh.vertex_data) * 8 + array_size(mesh.index_data) * 4 +
           array_size(mesh.normal_data) * 8 + array_size(mesh.vertex_colours) * 8;
}

void derive_mesh_statistics(Entity& entity, const Mesh& mesh)
{
    entity.vertex_count = count_mesh_vertices(mesh);
    entity.mesh_flag = mesh.has_aux_count;
    if (has_bounds_vectors(mesh)) {
        for (std::int32_t vector = 0; vector < 5; ++vector)
            for (std::uint32_t axis = 0; axis < mesh.dimension; ++axis)
                entity.bounds[vector][axis] = mesh_bound(mesh, vector, axis);
        clear_unbounded_axes(entity);
    }
    const std::size_t index_count = array_size(mesh.index_data);
    entity.polygon_count = index_count > 0 ? (*mesh.index_data)[0] : 0;
    entity.index_count = static_cast<std::uint32_t>(index_count);
    const std::size_t triangle_indices = array_size(mesh.triangle_indices);
    entity.triangle_count = static_cast<std::uint32_t>(triangle_indices / 3);
    entity.triangle_index_count = static_cast<std::uint32_t>(triangle_indices);
    set_byte_total(entity, count_mesh_bytes(mesh));
    set_run_time(entity, mesh.run_time_ms);
}

void recount_entity_elements(Entity& group, std::int32_t run_time_ms)
{
    group.vertex_count = 0;
    group.mesh_flag = 0;
    for (const Entity* member : group.members) {
        if (!takes_part_in_group(member)) continue;
        group.vertex_count += count_mesh_vertices(*member->mesh);
        if (member->mesh->has_aux_count) group.mesh_flag = 1;
    }
    for (std::size_t axis = 0; axis < 3; ++axis) {
        group.bounds[BOUNDS_MINIMUM][axis] = std::numeric_limits<double>::infinity();
        group.bounds[BOUNDS_MAXIMUM][axis] = -std::numeric_limits<double>::infinity();
        group.bounds[BOUNDS_CENTRE][axis] = 0.0;
        group.bounds[BOUNDS_MEAN][axis] = 0.0;
        group.bounds[BOUNDS_EXTENT][axis] = 0.0;
    }
    group.polygon_count = 0;
    group.index_count = 0;
    group.triangle_count = 0;
    group.triangle_index_count = 0;
    std::uint64_t bytes = 0;
    for (const Entity* member : group.members) {
        if (!takes_part_in_group(member)) continue;
        const Mesh& mesh = *member->mesh;
        const double weight = group.vertex_count == 0
                                  ? 0.0
                                  : double(count_mesh_vertices(mesh)) / double(group.vertex_count);
        add_member_bounds(group, mesh, weight);
        const std::size_t index_count = array_size(mesh.index_data);
        group.polygon_count += index_count > 0 ? (*mesh.index_data)[0] : 0;
        group.index_count += static_cast<std::uint32_t>(index_count);
        group.triangle_count += static_cast<std::uint32_t>(array_size(mesh.triangle_indices) / 3);
        group.triangle_index_count += static_cast<std::uint32_t>(array_size(mesh.triangle_indices));
        bytes += count_mesh_bytes(mesh);
    }
    clear_unbounded_axes(group);
    set_byte_total(group, bytes);
    set_run_time(group, run_time_ms);
}

void format_entity_stats(Entity& entity)
{
    const std::string& path = entity.parse_report.script_path;
    const double script_kb = static_cast<double>(entity.parse_report.script_text.size()) / 1024.0;
    entity.statistics_lines[0] = path_file_name(path);
    entity.statistics_lines[1] = uint_to_grouped_text(entity.vertex_count) + " vertex | " +
                                 uint_to_grouped_text(entity.polygon_count) + " polygons \t " +
                                 uint_to_grouped_text(entity.triangle_count) + " triangles | " +
                                 fixed_to_text(entity.run_time_seconds, 2) + " seconds";
    entity.statistics_lines[2] = fixed_to_text(script_kb, 2) + " kb (script) | " +
                                 fixed_to_text(entity.mesh_kb, 2) + " kb (mesh) | path: \"" +
                                 path_directory(path) + "\"";
    std::int32_t widest = 0;
    for (const std::string& line : entity.statistics_lines)
        widest = std::max(widest, measure_text_width(line));
    entity.statistics_width = static_cast<std::uint32_t>(widest);
}
