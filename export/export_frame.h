#pragma once

// The frame every mesh writer shares: which meshes are written and in which
// order, where their positions, normals and colours come from, and which
// faces they hold. A writer first collects the visible meshes, then walks
// them once per section; the header counts are taken from the same walk, so
// a header always agrees with the body.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "model/entity.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Writer topologies: polygons, triangles; any other value writes no faces.
constexpr std::int32_t EXPORT_POLYGONS = 0;
constexpr std::int32_t EXPORT_TRIANGLES = 3;

struct Vec3 {
    double x, y, z;
};

struct Rgba {
    double red, green, blue, alpha;
};

// One mesh as the writers see it: its arrays (empty when absent) and the
// entity whose transform places it, which for a group member is the group.
struct PlacedMesh {
    const Entity* placement = nullptr;
    bool transformed = false; // the placement is not the identity
    bool mirrored = false;    // the transform turns faces inside out
    std::span<const double> positions;
    std::uint32_t dimension = 3;
    std::uint32_t vertex_count = 0;
    std::span<const std::uint32_t> polygon_stream;
    std::span<const std::uint32_t> triangle_indices;
    // Whole triangles that all name vertices of the mesh: checked once, so
    // the face walks need not check each triangle.
    bool triangles_sound = false;
    std::span<const double> polygon_normals;
    std::span<const double> triangle_normals;
    std::span<const double> colours;
};

// The meshes of the visible entities in list order; a group contributes its
// members' meshes in member order, whatever the members' own visible flags.
std::vector<PlacedMesh> collect_visible_meshes(const EntityList& list);

std::uint64_t count_vertices(const std::vector<PlacedMesh>& meshes);
// Faces that for_each_face visits over all meshes.
std::uint64_t count_faces(const std::vector<PlacedMesh>& meshes, std::int32_t topology);

// Applies the placement's transform to a position or a normal in place; the
// per-vertex readers below call them only for a transformed mesh.
void transform_position(const PlacedMesh& mesh, Vec3& position);
void transform_normal(const PlacedMesh& mesh, Vec3& normal);

// Position k after the entity transform; a 2-D mesh gets z = 0.
inline Vec3 placed_position(const PlacedMesh& mesh, std::uint32_t k)
{
    const double* value = mesh.positions.data() + std::size_t{k} * mesh.dimension;
    Vec3 p{value[0], mesh.dimension > 1 ? value[1] : 0.0, mesh.dimension > 2 ? value[2] : 0.0};
    if (mesh.transformed) transform_position(mesh, p);
    return p;
}

// Normal k for the topology (polygon normals for polygons, triangle normals
// otherwise) after the entity transform; (0, 0, 0) when the mesh has none.
inline Vec3 placed_normal(const PlacedMesh& mesh, std::int32_t topology, std::uint32_t k)
{
    const auto normals = topology == EXPORT_POLYGONS ? mesh.polygon_normals : mesh.triangle_normals;
    const std::size_t first = std::size_t{k} * 3;
    if (first + 3 > normals.size()) return {0.0, 0.0, 0.0};
    Vec3 n{normals[first], normals[first + 1], normals[first + 2]};
    if (mesh.transformed) transform_normal(mesh, n);
    return n;
}

// A max and a min without branches: channels vary from vertex to vertex and
// branches on them mispredict (the compiler makes branches of the selects).
inline double clamp_unit(double value)
{
#if defined(__SSE2__)
    // maxsd gives its second operand when the first is NaN.
    const __m128d above_zero = _mm_max_sd(_mm_set_sd(value), _mm_setzero_pd());
    return _mm_cvtsd_f64(_mm_min_sd(above_zero, _mm_set_sd(1.0)));
#else
    const double above_zero = value > 0.0 ? value : 0.0; // NaN included
    return above_zero < 1.0 ? above_zero : 1.0;
#endif
}

// Colour k clamped to 0..1 (NaN to 0); opaque white when the mesh has none.
inline Rgba vertex_colour(const PlacedMesh& mesh, std::uint32_t k)
{
    const std::size_t first = std::size_t{k} * 4;
    if (first + 4 > mesh.colours.size()) return {1.0, 1.0, 1.0, 1.0};
    const double* c = mesh.colours.data() + first;
    return {clamp_unit(c[0]), clamp_unit(c[1]), clamp_unit(c[2]), clamp_unit(c[3])};
}

// Visits every face of the topology as (indices, count), indices within the
// mesh. Faces naming a vertex the mesh does not have are skipped, and a
// mirroring transform reverses each face's order. A polygon stream that ends
// early ends the polygons.
template <typename Visit>
void for_each_face(const PlacedMesh& mesh, std::int32_t topology, Visit&& visit);

// Face walks, inline because they run once per face.

namespace export_detail {

inline bool indices_in_mesh(const std::uint32_t* indices, std::uint32_t count,
                            std::uint32_t vertex_count)
{
    for (std::uint32_t i = 0; i < count; ++i) {
        if (indices[i] >= vertex_count) return false;
    }
    return true;
}

template <typename Visit>
void visit_face(const PlacedMesh& mesh, const std::uint32_t* indices, std::uint32_t count,
                std::vector<std::uint32_t>& scratch, Visit& visit)
{
    if (count == 0 || !indices_in_mesh(indices, count, mesh.vertex_count)) return;
    if (!mesh.mirrored) {
        visit(indices, count);
        return;
    }
    scratch.assign(indices, indices + count);
    std::reverse(scratch.begin(), scratch.end());
    visit(scratch.data(), count);
}

// Stream layout: polygon count P, P vertex counts, then the polygons' indices.
template <typename Visit> void visit_polygons(const PlacedMesh& mesh, Visit& visit)
{
    const auto stream = mesh.polygon_stream;
    if (stream.empty()) return;
    const std::size_t polygon_count = std::min<std::size_t>(stream[0], stream.size() - 1);
    std::size_t next = 1 + polygon_count;
    std::vector<std::uint32_t> scratch;
    for (std::size_t p = 0; p < polygon_count; ++p) {
        const std::uint32_t count = stream[1 + p];
        if (count > stream.size() - next) return;
        visit_face(mesh, stream.data() + next, count, scratch, visit);
        next += count;
    }
}

template <typename Visit> void visit_triangles(const PlacedMesh& mesh, Visit& visit)
{
    const auto indices = mesh.triangle_indices;
    if (mesh.triangles_sound && !mesh.mirrored) {
        for (std::size_t t = 0; t < indices.size(); t += 3)
            visit(indices.data() + t, 3u);
        return;
    }
    std::vector<std::uint32_t> scratch;
    for (std::size_t t = 0; t + 3 <= indices.size(); t += 3) {
        visit_face(mesh, indices.data() + t, 3, scratch, visit);
    }
}

} // namespace export_detail

template <typename Visit>
void for_each_face(const PlacedMesh& mesh, std::int32_t topology, Visit&& visit)
{
    if (topology == EXPORT_POLYGONS) export_detail::visit_polygons(mesh, visit);
    if (topology == EXPORT_TRIANGLES) export_detail::visit_triangles(mesh, visit);
}
