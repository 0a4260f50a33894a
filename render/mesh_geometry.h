#pragma once

// Read-only views of a mesh's arrays for colouring and drawing. Every reader
// checks lengths and indices, so a short or inconsistent array gives fewer
// items, never a read past its end.

#include <array>
#include <cstdint>
#include <vector>

#include "model/mesh.h"

using Vec3d = std::array<double, 3>;

// Vertices held whole by the vertex array (dimension 2 or 3; 0 otherwise).
std::uint32_t mesh_vertex_count(const Mesh& mesh);

// Vertex k with z = 0 for a 2-D mesh; k must be below mesh_vertex_count.
Vec3d mesh_position(const Mesh& mesh, std::uint32_t k);

// Calls visit(first index, count) for each polygon of the polygon stream
// (polygon count P, P vertex counts, then the indices) whose indices lie in the
// stream and whose vertices all exist.
template <typename Visit> void for_each_polygon(const Mesh& mesh, Visit&& visit)
{
    if (mesh.index_data == nullptr || mesh.index_data->empty()) return;
    const U32Array& stream = *mesh.index_data;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    const std::size_t polygons = std::min<std::size_t>(stream[0], stream.size() - 1);
    std::size_t next = 1 + polygons;
    for (std::size_t p = 0; p < polygons; ++p) {
        const std::uint32_t count = stream[1 + p];
        if (count > stream.size() - next) return;
        bool inside = true;
        for (std::uint32_t i = 0; i < count; ++i)
            inside = inside && stream[next + i] < vertices;
        if (inside) visit(static_cast<std::uint32_t>(p), stream.data() + next, count);
        next += count;
    }
}

// True when every entry is below `limit`.
bool all_indices_below(const std::vector<std::uint32_t>& indices, std::uint32_t limit);

// The triangles whose three indices name existing vertices, as index triples;
// the rest are left out.
std::vector<std::uint32_t> valid_triangle_indices(const Mesh& mesh);

// Per-vertex normals: the mesh's own when it holds one per vertex (as they
// stand: GL normalises them), else the unit area-weighted average of its
// triangles' normals. Zero vectors stay zero.
std::vector<float> vertex_normals(const Mesh& mesh);
// The same into `out` (three floats per vertex), without a vector between.
void write_vertex_normals(const Mesh& mesh, float* out);

// Unit normal of a polygon by the sum of its edge cross products (exact for
// planar polygons, a best fit otherwise); zero for a degenerate polygon.
Vec3d polygon_normal(const Mesh& mesh, const std::uint32_t* indices, std::uint32_t count);

// Two polygons of a mesh without group ids lie in one smooth group while
// their normals differ by at most this angle.
inline constexpr double CREASE_DEGREES = 30.0;

// The edges that bound the smooth groups, as pairs of vertex indices in the
// order the polygons first use them: edges of one polygon only (open edges),
// and edges between polygons of different group ids or, for a mesh without
// one group id per polygon, between polygons whose normals differ by more
// than CREASE_DEGREES.
std::vector<std::uint32_t> smooth_group_edges(const Mesh& mesh);

// Makes the mesh's three edge lists (pairs of vertex indices) whole, once
// per mesh: 0 the polygon outlines, 1 the triangle edges that are no polygon
// edge, 2 the edges that bound the smooth groups (the reader leaves them out
// of 0 and 1). A list the reader brought stays as it is, less any pair naming
// a missing vertex; a missing or empty list is derived: 0 and 1 the same way
// from the polygon stream and the triangles (they then still hold the edges
// of list 2), and 2 by smooth_group_edges. Afterwards every list exists (an
// empty one for no edges) and `edge_lists_complete` is set, so uploads and
// recolouring never derive them again.
void complete_edge_lists(Mesh& mesh);

// min x, y, z then max x, y, z over the vertices; all zero for no vertex.
std::array<double, 6> vertex_bounds(const Mesh& mesh);
