#pragma once

// The element counts, bounds and statistics texts an entity derives from its
// mesh, or a group from its members' meshes.

#include <cstdint>

#include "model/entity.h"

// Vertices of a mesh: values / values per vertex; 0 without vertex data or
// with a dimension of 0.
std::uint32_t count_mesh_vertices(const Mesh& mesh);
// Bytes of the vertex, polygon-index, normal and colour arrays together.
std::uint64_t count_mesh_bytes(const Mesh& mesh);

// Counts, bounds, byte total and run time of one mesh into a single entity.
void derive_mesh_statistics(Entity& entity, const Mesh& mesh);
// Sums over the members that are assembled and have a mesh; the bounds
// enclose theirs and the mean is weighted by vertex count.
void recount_entity_elements(Entity& group, std::int32_t run_time_ms);
// The three statistics lines (file name; counts and seconds; sizes and
// directory) and the width of the widest.
void format_entity_stats(Entity& entity);
