#include "evaluator.h"
#include "interop_reader.h"
#include "interop_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

ReadResult write_and_read(const std::string& logic, int execute_mode = 2,
                          const std::string& name = "")
{
    const Evaluation evaluation = evaluate_script(logic);
    EXPECT_TRUE(evaluation.ok) << evaluation.error;
    MeshRecord record;
    record.mesh = evaluation.mesh.get();
    record.execute_mode = execute_mode;
    record.stubs = evaluation.stubs;
    record.name = name;
    return read_interop_bytes(encode_interop_file({record}));
}

ReadMesh read_one(const std::string& logic)
{
    const ReadResult result = write_and_read(logic);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.meshes.size(), 1u);
    EXPECT_EQ(result.trailing_bytes, 0u);
    return result.ok && !result.meshes.empty() ? result.meshes[0] : ReadMesh{};
}

std::set<std::pair<std::uint32_t, std::uint32_t>>
undirected(const std::vector<std::uint32_t>& pairs)
{
    std::set<std::pair<std::uint32_t, std::uint32_t>> edges;
    for (size_t i = 0; i + 1 < pairs.size(); i += 2)
        edges.insert({std::min(pairs[i], pairs[i + 1]), std::max(pairs[i], pairs[i + 1])});
    return edges;
}

TEST(InteropWriter, CubeHeaderCountsEveryArray)
{
    const ReadResult result = write_and_read("return cube;", 1);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(result.count, 1);
    const auto& h = result.meshes[0].h;
    const std::array<std::int32_t, 36> expected = {24, 31, 1,  3,  24, 4, 15, 6,  6, 0,  6,  36,
                                                   8,  12, 48, 72, 0,  6, 31, 24, 6, 31, 48, 6,
                                                   31, 72, 0,  0,  0,  1, 0,  0,  0, 0,  0,  0};
    EXPECT_EQ(h, expected);
}

TEST(InteropWriter, PolygonStreamTrianglesAndIdsAgree)
{
    const ReadMesh mesh = read_one("return cube + cylinder(1, 2, 5);");
    const std::uint32_t polygons = mesh.index_stream[0];
    EXPECT_EQ(polygons, 6u + 5u + 2u);
    std::uint32_t corners = 0;
    for (std::uint32_t p = 0; p < polygons; ++p)
        corners += mesh.index_stream[1 + p];
    EXPECT_EQ(mesh.index_stream.size(), 1 + polygons + corners);
    const auto vertex_count = static_cast<std::uint32_t>(mesh.vertices.size() / 3);
    EXPECT_EQ(vertex_count, 8u + 10u);
    for (std::uint32_t index : mesh.triangles)
        EXPECT_LT(index, vertex_count);
    EXPECT_EQ(mesh.triangles.size(), mesh.triangle_polygons.size() * 3);
    EXPECT_EQ(mesh.triangle_polygons.back(), polygons - 1);
    EXPECT_EQ(std::set<std::uint32_t>(mesh.operand_ids.begin(), mesh.operand_ids.end()),
              (std::set<std::uint32_t>{0, 1}));
    EXPECT_EQ(mesh.h[29], 2);
    EXPECT_EQ(mesh.normals.size(), mesh.vertices.size());
    EXPECT_EQ(mesh.normal_signs.size(), vertex_count);
}

TEST(InteropWriter, ColoursGoThroughThePaletteWhoseIndexWidthFollowsItsSize)
{
    const ReadMesh grey = read_one("return cube;");
    EXPECT_EQ(grey.palette, (std::vector<double>{0.8, 0.8, 0.8, 1.0}));
    EXPECT_EQ(grey.colour_indices, std::vector<std::uint32_t>(8, 0));

    const ReadMesh two = read_one("return cube.rgb(1, 0, 0) + cube.rgba(0, 0, 1, 0.5);");
    EXPECT_EQ(two.palette, (std::vector<double>{1, 0, 0, 1, 0, 0, 1, 0.5}));
    EXPECT_EQ(two.colour_indices[0], 0u);
    EXPECT_EQ(two.colour_indices[15], 1u);

    for (int colours : {255, 256, 65536}) {
        const ReadMesh mesh =
            read_one("stub(\"palette\", " + std::to_string(colours) + "); return cube;");
        EXPECT_EQ(mesh.h[5], colours * 4);
        EXPECT_EQ(mesh.colour_indices.size(), 8u);
    }
}

TEST(InteropWriter, BoundsHoldMinimumMaximumCentreMeanAndExtent)
{
    const ReadMesh mesh = read_one("return cube.s(2).tx(1);");
    const std::vector<double> expected = {0, -1, -1, 2, 1, 1, 1, 0, 0, 1, 0, 0, 2, 2, 2};
    ASSERT_EQ(mesh.bounds.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(mesh.bounds[i], expected[i], 1e-12) << i;
}

TEST(InteropWriter, EdgeGroupsDecodeToThePlainLists)
{
    const ReadMesh mesh = read_one("return mcube + cone(1, 1, 4);");
    for (int list = 0; list < 3; ++list)
        EXPECT_EQ(decode_group(mesh.groups[list + 1]), mesh.plain_edges[list]) << list;
    const auto outlines = undirected(mesh.plain_edges[0]);
    const auto triangle_edges = undirected(mesh.plain_edges[1]);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> diagonals;
    std::set_difference(triangle_edges.begin(), triangle_edges.end(), outlines.begin(),
                        outlines.end(), std::back_inserter(diagonals));
    EXPECT_EQ(diagonals.size(), 6u + 1u); // one per quad of the split cube, one in the square base
    EXPECT_EQ(mesh.plain_edges[2].size(), 48u); // the split cube's faces share no vertices
}

TEST(InteropWriter, StubsShapeTheRecord)
{
    const ReadMesh wide = read_one("return cube;");
    const ReadMesh narrow = read_one("stub(\"index16\"); return cube;");
    EXPECT_EQ(narrow.h[17], 0);
    EXPECT_EQ(narrow.groups[0].values.size(), 0u);
    EXPECT_EQ(narrow.index_stream, wide.index_stream);
    EXPECT_EQ(narrow.triangles, wide.triangles);
    EXPECT_EQ(narrow.plain_edges, wide.plain_edges);
    EXPECT_EQ(narrow.groups[1].values, wide.groups[1].values);

    const ReadMesh flat = read_one("stub(\"dimension2\"); return cube;");
    EXPECT_EQ(flat.h[3], 2);
    EXPECT_EQ(flat.vertices.size(), 16u);
    EXPECT_EQ(flat.bounds.size(), 10u);

    const ReadMesh labelled = read_one("stub(\"labels\"); return cube;");
    EXPECT_EQ(labelled.label_ids, (std::vector<std::uint32_t>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(labelled.label_words_1, (std::vector<std::uint32_t>{0, 5, 8}));
    EXPECT_EQ(labelled.label_words_2, (std::vector<std::uint32_t>{5, 3, 3}));
    EXPECT_EQ(labelled.label_text, "panelrimcap");

    const ReadMesh padded = read_one("stub(\"extra\", 3); stub(\"skip\", 2); return cube;");
    EXPECT_EQ(padded.h[30], 2);
    EXPECT_EQ(padded.extra_values, (std::vector<std::uint32_t>{0, 1, 2}));

    const ReadMesh flipped = read_one("return cube.ix;");
    EXPECT_EQ(flipped.normal_signs, std::vector<std::int8_t>(8, -1));
}

TEST(InteropWriter, EmptyRecordIsAHeaderOnlyAndANameCarriesItsText)
{
    const std::string bytes = encode_interop_file({MeshRecord{}, MeshRecord{}});
    EXPECT_EQ(bytes.size(), 4u + 2u * kHeaderBytes);
    const ReadResult result = read_interop_bytes(bytes);
    ASSERT_TRUE(result.ok) << result.error;
    std::array<std::int32_t, 36> expected{};
    expected[3] = 3;
    expected[17] = 1;
    EXPECT_EQ(result.meshes[1].h, expected);

    const ReadResult named = write_and_read("return cube;", 2, "12\n34");
    ASSERT_TRUE(named.ok);
    EXPECT_EQ(named.meshes[0].h[33], 5);
    EXPECT_EQ(named.meshes[0].name, "12\n34");
}

} // namespace
