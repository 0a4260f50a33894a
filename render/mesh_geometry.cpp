#include "render/mesh_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

// Polygon edges carry this bit on their larger vertex while they are sorted,
// so a triangle edge that is also a polygon edge can be recognised.
constexpr std::uint32_t POLYGON_EDGE = 0x80000000u;

// The distinct edges of the raw pairs, bucketed by their smaller vertex
// (linear, not hashed: meshes have millions of edges): the polygon edges
// into list 0, the other triangle edges into list 1.
std::array<std::vector<std::uint32_t>, 2> distinct_edges(const std::vector<std::uint32_t>& raw,
                                                         std::uint32_t vertices)
{
    std::vector<std::uint32_t> starts(std::size_t{vertices} + 1, 0);
    for (std::size_t e = 0; e + 1 < raw.size(); e += 2)
        ++starts[std::min(raw[e], raw[e + 1] & ~POLYGON_EDGE) + 1];
    for (std::uint32_t v = 0; v < vertices; ++v)
        starts[v + 1] += starts[v];
    std::vector<std::uint32_t> slots(raw.size() / 2);
    std::vector<std::uint32_t> fill(starts.begin(), starts.end() - 1);
    for (std::size_t e = 0; e + 1 < raw.size(); e += 2) {
        const std::uint32_t flag = raw[e + 1] & POLYGON_EDGE;
        const std::uint32_t a = raw[e];
        const std::uint32_t b = raw[e + 1] & ~POLYGON_EDGE;
        slots[fill[std::min(a, b)]++] = std::max(a, b) | flag;
    }
    std::array<std::vector<std::uint32_t>, 2> lists;
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const auto first = slots.begin() + starts[v];
        const auto last = slots.begin() + starts[v + 1];
        // Flagged copies sort after plain ones of the same vertex.
        std::sort(first, last, [](std::uint32_t x, std::uint32_t y) {
            return (x & ~POLYGON_EDGE) != (y & ~POLYGON_EDGE)
                       ? (x & ~POLYGON_EDGE) < (y & ~POLYGON_EDGE)
                       : x < y;
        });
        for (auto it = first; it != last;) {
            const std::uint32_t other = *it & ~POLYGON_EDGE;
            bool polygon = false;
            for (; it != last && (*it & ~POLYGON_EDGE) == other; ++it)
                polygon = polygon || (*it & POLYGON_EDGE) != 0;
            std::vector<std::uint32_t>& list = lists[polygon ? 0 : 1];
            list.push_back(v);
            list.push_back(other);
        }
    }
    return lists;
}

// Polygon edges flagged, then triangle edges, as raw pairs.
std::vector<std::uint32_t> raw_edges(const Mesh& mesh)
{
    std::vector<std::uint32_t> raw;
    for_each_polygon(mesh, [&](std::uint32_t, const std::uint32_t* indices, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) {
            raw.push_back(indices[i]);
            raw.push_back(indices[(i + 1) % count] | POLYGON_EDGE);
        }
    });
    const std::vector<std::uint32_t> triangles = valid_triangle_indices(mesh);
    for (std::size_t t = 0; t < triangles.size(); t += 3)
        for (int i = 0; i < 3; ++i) {
            raw.push_back(triangles[t + i]);
            raw.push_back(triangles[t + (i + 1) % 3]);
        }
    return raw;
}

std::vector<std::uint32_t> checked_pairs(const U32Array& given, std::uint32_t vertices)
{
    std::vector<std::uint32_t> pairs;
    pairs.reserve(given.size());
    for (std::size_t e = 0; e + 1 < given.size(); e += 2)
        if (given[e] < vertices && given[e + 1] < vertices) {
            pairs.push_back(given[e]);
            pairs.push_back(given[e + 1]);
        }
    return pairs;
}

double dot(const Vec3d& a, const Vec3d& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Whether polygons p and q lie in different smooth groups: by their group
// ids when every polygon has one, else by the angle between their normals
// (a degenerate polygon, without a normal, joins its neighbours).
struct GroupTest {
    const U32Array* group_ids = nullptr;
    std::vector<Vec3d> normals;
    double min_cosine = std::cos(CREASE_DEGREES * std::numbers::pi / 180.0);

    bool differ(std::uint32_t p, std::uint32_t q) const
    {
        if (group_ids != nullptr) return (*group_ids)[p] != (*group_ids)[q];
        const Vec3d& a = normals[p];
        const Vec3d& b = normals[q];
        if (dot(a, a) == 0.0 || dot(b, b) == 0.0) return false;
        return dot(a, b) < min_cosine;
    }
};

GroupTest group_test(const Mesh& mesh)
{
    GroupTest test;
    const std::size_t polygons =
        mesh.index_data != nullptr && !mesh.index_data->empty() ? (*mesh.index_data)[0] : 0;
    if (mesh.group_ids != nullptr && mesh.group_ids->size() >= polygons) {
        test.group_ids = mesh.group_ids;
        return test;
    }
    test.normals.assign(polygons, Vec3d{0.0, 0.0, 0.0});
    for_each_polygon(mesh, [&](std::uint32_t p, const std::uint32_t* indices, std::uint32_t count) {
        test.normals[p] = polygon_normal(mesh, indices, count);
    });
    return test;
}

// One side of a polygon edge: the polygon that uses it and the place of the
// use in polygon order.
struct EdgeSide {
    std::uint32_t low;
    std::uint32_t high;
    std::uint32_t polygon;
    std::uint32_t order;
};

// Every polygon side (self-edges left out), grouped by edge: spread by the
// smaller vertex (counting sort, linear in the sides, no hashing), then each
// vertex's sides sorted by the other vertex and by use, so the sides of one
// edge stand together with its first use in front.
std::vector<EdgeSide> edge_sides_by_low_vertex(const Mesh& mesh)
{
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    std::vector<std::uint32_t> starts(std::size_t{vertices} + 1, 0);
    std::size_t count = 0;
    const auto each_side = [&](auto visit) {
        std::uint32_t order = 0;
        for_each_polygon(mesh, [&](std::uint32_t p, const std::uint32_t* indices,
                                   std::uint32_t corners) {
            for (std::uint32_t i = 0; i < corners; ++i) {
                const std::uint32_t a = indices[i];
                const std::uint32_t b = indices[(i + 1) % corners];
                if (a != b) visit(EdgeSide{std::min(a, b), std::max(a, b), p, order++});
            }
        });
    };
    each_side([&](const EdgeSide& side) {
        ++starts[side.low + 1];
        ++count;
    });
    for (std::uint32_t v = 0; v < vertices; ++v)
        starts[v + 1] += starts[v];
    std::vector<EdgeSide> sides(count);
    std::vector<std::uint32_t> fill(starts.begin(), starts.end() - 1);
    each_side([&](const EdgeSide& side) { sides[fill[side.low]++] = side; });
    for (std::uint32_t v = 0; v < vertices; ++v)
        std::sort(sides.begin() + starts[v], sides.begin() + starts[v + 1],
                  [](const EdgeSide& x, const EdgeSide& y) {
                      return x.high != y.high ? x.high < y.high : x.order < y.order;
                  });
    return sides;
}

void replace_list(U32Array*& list, std::vector<std::uint32_t>&& pairs)
{
    if (list == nullptr)
        list = new U32Array(std::move(pairs));
    else
        *list = std::move(pairs);
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

bool all_indices_below(const std::vector<std::uint32_t>& indices, std::uint32_t limit)
{
    std::uint32_t largest = 0;
    for (std::uint32_t index : indices)
        largest = std::max(largest, index);
    return indices.empty() || largest < limit;
}

std::vector<std::uint32_t> valid_triangle_indices(const Mesh& mesh)
{
    std::vector<std::uint32_t> kept;
    if (mesh.triangle_indices == nullptr) return kept;
    const U32Array& all = *mesh.triangle_indices;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    if (all.size() % 3 == 0 && all_indices_below(all, vertices)) return all;
    kept.reserve(all.size());
    for (std::size_t t = 0; t + 2 < all.size(); t += 3)
        if (all[t] < vertices && all[t + 1] < vertices && all[t + 2] < vertices) {
            kept.push_back(all[t]);
            kept.push_back(all[t + 1]);
            kept.push_back(all[t + 2]);
        }
    return kept;
}

std::vector<float> vertex_normals(const Mesh& mesh)
{
    std::vector<float> normals(std::size_t{mesh_vertex_count(mesh)} * 3, 0.0f);
    write_vertex_normals(mesh, normals.data());
    return normals;
}

void write_vertex_normals(const Mesh& mesh, float* out)
{
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    const std::size_t count = std::size_t{vertices} * 3;
    if (mesh.normal_data != nullptr && mesh.normal_data->size() == count) {
        const double* from = mesh.normal_data->data();
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<float>(from[i]);
        return;
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
            out[std::size_t{v} * 3 + c] = static_cast<float>(n[c]);
    }
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

std::vector<std::uint32_t> smooth_group_edges(const Mesh& mesh)
{
    const GroupTest test = group_test(mesh);
    const std::vector<EdgeSide> sides = edge_sides_by_low_vertex(mesh);
    // (first use, low, high) of each edge that bounds a group.
    std::vector<std::array<std::uint32_t, 3>> bounding;
    for (std::size_t at = 0; at < sides.size();) {
        const EdgeSide& first = sides[at];
        std::size_t end = at + 1;
        bool hard = false;
        for (; end < sides.size() && sides[end].low == first.low && sides[end].high == first.high;
             ++end) {
            const std::uint32_t p = sides[end].polygon;
            if (p != first.polygon) hard = hard || test.differ(first.polygon, p);
        }
        if (end - at == 1 || hard) bounding.push_back({first.order, first.low, first.high});
        at = end;
    }
    std::sort(bounding.begin(), bounding.end());
    std::vector<std::uint32_t> pairs;
    pairs.reserve(bounding.size() * 2);
    for (const auto& edge : bounding) {
        pairs.push_back(edge[1]);
        pairs.push_back(edge[2]);
    }
    return pairs;
}

void complete_edge_lists(Mesh& mesh)
{
    if (mesh.edge_lists_complete != 0) return;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    U32Array** lists[] = {&mesh.edge_pairs_1, &mesh.edge_pairs_2, &mesh.edge_pairs_3};
    bool derive = false;
    for (int which = 0; which < 3; ++which) {
        U32Array*& given = *lists[which];
        if (given == nullptr || given->empty()) {
            derive = derive || which < 2;
            continue;
        }
        // A sound list stays as the reader made it; only a broken one is copied.
        if (given->size() % 2 != 0 || !all_indices_below(*given, vertices))
            *given = checked_pairs(*given, vertices);
    }
    if (mesh.edge_pairs_3 == nullptr || mesh.edge_pairs_3->empty())
        replace_list(mesh.edge_pairs_3, smooth_group_edges(mesh));
    if (derive && vertices < POLYGON_EDGE) {
        std::array<std::vector<std::uint32_t>, 2> derived =
            distinct_edges(raw_edges(mesh), vertices);
        for (std::size_t which = 0; which < 2; ++which)
            if (*lists[which] == nullptr || (*lists[which])->empty())
                replace_list(*lists[which], std::move(derived[which]));
    }
    for (U32Array** list : lists)
        if (*list == nullptr) *list = new U32Array();
    mesh.edge_lists_complete = 1;
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
