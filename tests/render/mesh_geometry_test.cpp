// The edges that bound smooth groups, derived when the mesh file brings none.

#include "render/mesh_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace {

// A mesh (which frees its own arrays) with its polygon stream built from
// the polygons.
struct PolygonMesh {
    Mesh mesh;
    PolygonMesh(std::vector<double> vertices,
                const std::vector<std::vector<std::uint32_t>>& polygons)
    {
        mesh.dimension = 3;
        mesh.vertex_data = new F64Array(std::move(vertices));
        auto* stream = new U32Array{static_cast<std::uint32_t>(polygons.size())};
        for (const auto& polygon : polygons)
            stream->push_back(static_cast<std::uint32_t>(polygon.size()));
        for (const auto& polygon : polygons)
            stream->insert(stream->end(), polygon.begin(), polygon.end());
        mesh.index_data = stream;
    }
    PolygonMesh(const PolygonMesh&) = delete;
    PolygonMesh& operator=(const PolygonMesh&) = delete;
};

// Unit cube, eight shared corners, six outward quads.
PolygonMesh cube()
{
    return PolygonMesh(
        {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1},
        {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}});
}

// Two unit quads sharing the edge 1-2, the second folded up by `degrees`.
PolygonMesh folded_pair(double degrees)
{
    const double r = degrees * 3.14159265358979323846 / 180.0;
    return PolygonMesh({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1 + std::cos(r), 0, std::sin(r),
                        1 + std::cos(r), 1, std::sin(r)},
                       {{0, 1, 2, 3}, {1, 4, 5, 2}});
}

std::set<std::pair<std::uint32_t, std::uint32_t>> edge_set(const std::vector<std::uint32_t>& pairs)
{
    std::set<std::pair<std::uint32_t, std::uint32_t>> edges;
    for (std::size_t e = 0; e + 1 < pairs.size(); e += 2)
        edges.insert(std::minmax(pairs[e], pairs[e + 1]));
    EXPECT_EQ(edges.size() * 2, pairs.size()) << "each edge once";
    return edges;
}

TEST(SmoothGroupEdges, GroupBoundariesElseCreasesPlusOpenEdges)
{
    struct Case {
        const char* name;
        PolygonMesh (*build)();
        std::vector<std::uint32_t> group_ids; // empty: none in the file
        std::size_t edges;
    };
    const Case cases[] = {
        {"cube, a group per face", cube, {0, 1, 2, 3, 4, 5}, 12},
        {"cube without group ids: every edge a 90 degree crease", cube, {}, 12},
        {"cube in one group", cube, {7, 7, 7, 7, 7, 7}, 0},
        {"cube, the bottom a group of its own", cube, {0, 1, 1, 1, 1, 1}, 4},
        {"flat pair: the outline only", [] { return folded_pair(0); }, {}, 6},
        {"gentle fold stays smooth", [] { return folded_pair(CREASE_DEGREES - 5); }, {}, 6},
        {"sharp fold is a crease", [] { return folded_pair(CREASE_DEGREES + 5); }, {}, 7},
        {"sharp fold in one group", [] { return folded_pair(80); }, {3, 3}, 6},
    };
    for (const Case& c : cases) {
        PolygonMesh owned = c.build();
        if (!c.group_ids.empty()) owned.mesh.group_ids = new U32Array(c.group_ids);
        EXPECT_EQ(edge_set(smooth_group_edges(owned.mesh)).size(), c.edges) << c.name;
        complete_edge_lists(owned.mesh);
        EXPECT_EQ(edge_set(*owned.mesh.edge_pairs_3).size(), c.edges) << c.name;
    }
}

TEST(SmoothGroupEdges, TheFilesListWinsAndAShortGroupListFallsBackToCreases)
{
    PolygonMesh given = cube();
    given.mesh.edge_pairs_3 = new U32Array{0, 1, 1, 99}; // the pair naming no vertex is dropped
    complete_edge_lists(given.mesh);
    EXPECT_EQ(*given.mesh.edge_pairs_3, (std::vector<std::uint32_t>{0, 1}));

    PolygonMesh short_ids = cube();
    short_ids.mesh.group_ids = new U32Array{0, 0}; // not one per polygon
    const auto edges = edge_set(smooth_group_edges(short_ids.mesh));
    EXPECT_EQ(edges.size(), 12u);
    EXPECT_TRUE(edges.count({0, 1}) && edges.count({2, 6})) << "real cube edges, no diagonals";
}

} // namespace
