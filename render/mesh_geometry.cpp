#include "render/mesh_geometry.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {

Vec3d subtract(const Vec3d& a, const Vec3d& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec3d cross(const Vec3d& a, const Vec3d& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec3d unit_or_zero(const Vec3d& v)
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 1e-300) || !std::isfinite(length)) return {0.0, 0.0, 0.0};
    return {v[0] / length, v[1] / length, v[2] / length};
}

const U32Array* reader_edges(const Mesh& mesh, int which)
{
    switch (which) {
    case 0:
        return mesh.edge_pairs_1;
    case 1:
        return mesh.edge_pairs_2;
    default:
        return mesh.edge_pairs_3;
    }
}

// Adds the edge (a, b) once, whatever its direction.
void add_edge(std::unordered_set<std::uint64_t>& seen, std::vector<std::uint32_t>& pairs,
              std::uint32_t a, std::uint32_t b)
{
    const std::uint64_t key = (std::uint64_t{std::min(a, b)} << 32) | std::max(a, b);
    if (!seen.insert(key).second) return;
    pairs.push_back(a);
    pairs.push_back(b);
}

} // namespace

std::uint32_t mesh_vertex_count(const Mesh& mesh)
{
    if (mesh.vertex_data == nullptr || (mesh.dimension != 2 && mesh.dimension != 3)) return 0;
    return static_cast<std::uint32_t>(mesh.vertex_data->size() / mesh.dimension);
}

Vec3d mesh_position(const Mesh& mesh, std::uint32_t k)
{
    const double* at = mesh.vertex_data->data() + std::size_t{k} * mesh.dimension;
    return {at[0], at[1], mesh.dimension == 3 ? at[2] : 0.0};
}

std::vector<std::uint32_t> valid_triangle_indices(const Mesh& mesh)
{
    std::vector<std::uint32_t> kept;
    if (mesh.triangle_indices == nullptr) return kept;
    const U32Array& all = *mesh.triangle_indices;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    kept.reserve(all.size());
    for (std::size_t t = 0; t + 2 < all.size(); t += 3)
        if (all[t] < vertices && all[t + 1] < vertices && all[t + 2] < vertices)
            kept.insert(kept.end(), all.begin() + static_cast<std::ptrdiff_t>(t),
                        all.begin() + static_cast<std::ptrdiff_t>(t + 3));
    return kept;
}

std::vector<float> vertex_normals(const Mesh& mesh)
{
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    std::vector<float> normals(std::size_t{vertices} * 3, 0.0f);
    if (mesh.normal_data != nullptr && mesh.normal_data->size() == normals.size()) {
        for (std::size_t i = 0; i < normals.size(); i += 3) {
            const Vec3d n = unit_or_zero(
                {(*mesh.normal_data)[i], (*mesh.normal_data)[i + 1], (*mesh.normal_data)[i + 2]});
            for (int c = 0; c < 3; ++c)
                normals[i + c] = static_cast<float>(n[c]);
        }
        return normals;
    }
    std::vector<Vec3d> sums(vertices, Vec3d{0.0, 0.0, 0.0});
    const std::vector<std::uint32_t> triangles = valid_triangle_indices(mesh);
    for (std::size_t t = 0; t < triangles.size(); t += 3) {
        const Vec3d a = mesh_position(mesh, triangles[t]);
        // Unnormalised: the cross product's length weights by area.
        const Vec3d n = cross(subtract(mesh_position(mesh, triangles[t + 1]), a),
                              subtract(mesh_position(mesh, triangles[t + 2]), a));
        for (int k = 0; k < 3; ++k)
            for (int c = 0; c < 3; ++c)
                sums[triangles[t + k]][c] += n[c];
    }
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const Vec3d n = unit_or_zero(sums[v]);
        for (int c = 0; c < 3; ++c)
            normals[std::size_t{v} * 3 + c] = static_cast<float>(n[c]);
    }
    return normals;
}

Vec3d polygon_normal(const Mesh& mesh, const std::uint32_t* indices, std::uint32_t count)
{
    Vec3d sum{0.0, 0.0, 0.0};
    for (std::uint32_t i = 0; i < count; ++i) {
        const Vec3d a = mesh_position(mesh, indices[i]);
        const Vec3d b = mesh_position(mesh, indices[(i + 1) % count]);
        const Vec3d c = cross(a, b);
        for (int k = 0; k < 3; ++k)
            sum[k] += c[k];
    }
    return unit_or_zero(sum);
}

std::vector<std::uint32_t> edge_pairs(const Mesh& mesh, int which)
{
    std::vector<std::uint32_t> pairs;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    const U32Array* given = reader_edges(mesh, which);
    if (given != nullptr && !given->empty()) {
        for (std::size_t e = 0; e + 1 < given->size(); e += 2)
            if ((*given)[e] < vertices && (*given)[e + 1] < vertices) {
                pairs.push_back((*given)[e]);
                pairs.push_back((*given)[e + 1]);
            }
        return pairs;
    }
    std::unordered_set<std::uint64_t> seen;
    if (which == 2) return pairs;
    std::vector<std::uint32_t> polygon_pairs;
    for_each_polygon(mesh, [&](std::uint32_t, const std::uint32_t* indices, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i)
            add_edge(seen, polygon_pairs, indices[i], indices[(i + 1) % count]);
    });
    if (which == 0) return polygon_pairs;
    // Like the reader's list, the triangle list leaves out the polygon edges.
    const std::vector<std::uint32_t> triangles = valid_triangle_indices(mesh);
    for (std::size_t t = 0; t < triangles.size(); t += 3)
        for (int i = 0; i < 3; ++i)
            add_edge(seen, pairs, triangles[t + i], triangles[t + (i + 1) % 3]);
    return pairs;
}

std::array<double, 6> vertex_bounds(const Mesh& mesh)
{
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    if (vertices == 0) return {};
    std::array<double, 6> box{};
    const Vec3d first = mesh_position(mesh, 0);
    for (int c = 0; c < 3; ++c)
        box[c] = box[c + 3] = first[c];
    for (std::uint32_t v = 1; v < vertices; ++v) {
        const Vec3d p = mesh_position(mesh, v);
        for (int c = 0; c < 3; ++c) {
            box[c] = std::min(box[c], p[c]);
            box[c + 3] = std::max(box[c + 3], p[c]);
        }
    }
    return box;
}
