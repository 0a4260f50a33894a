#include "kernel/interop_reader.h"
#include "tests/kernel/standin_run.h"
#include "tests/kernel/trace_capture.h"

#include <gtest/gtest.h>

namespace {

const std::string k_error_prefix = "ERROR-READING-BINARY-INTEROP-FILE: ";

struct ReadBack
{
    MeshList meshes;
    std::string trace;
    ~ReadBack() { release_meshes(meshes); }
};

void read_back(const std::string& path, ReadBack& result)
{
    TraceCapture capture;
    result.meshes = read_interop_file(path);
    result.trace = capture.text();
}

std::size_t vertex_count(const Mesh& mesh)
{
    return mesh.vertex_data == nullptr ? 0 : mesh.vertex_data->size() / mesh.dimension;
}

// What every complete mesh of the stand-in holds together.
void expect_consistent(const Mesh& mesh, const std::string& logic)
{
    SCOPED_TRACE(logic);
    ASSERT_EQ(mesh.valid, 1);
    ASSERT_EQ(mesh.pending, 0);
    ASSERT_NE(mesh.vertex_data, nullptr);
    ASSERT_NE(mesh.triangle_indices, nullptr);
    ASSERT_NE(mesh.triangle_polygons, nullptr);
    const std::size_t vertices = vertex_count(mesh);
    EXPECT_EQ(mesh.vertex_colours->size(), 4 * vertices);
    EXPECT_EQ(mesh.vertex_colour_bytes->size(), 4 * vertices);
    EXPECT_EQ(mesh.triangle_indices->size(), 3 * mesh.triangle_polygons->size());
    ASSERT_NE(mesh.index_data, nullptr);
    const std::uint32_t polygons = mesh.index_data->front();
    EXPECT_EQ(mesh.face_ids->size(), polygons);
    EXPECT_EQ(mesh.bounds->size(), 5 * mesh.dimension);
    EXPECT_EQ(mesh.header_h3, 2u) << "the execute mode";
}

} // namespace

class StandinInterop : public ::testing::Test
{
protected:
    StandinWorkspace workspace;
};

TEST_F(StandinInterop, EveryPrimitiveReadsBackWhole)
{
    const char* logics[] = {"return cube;", "return mcube;", "return bcube(1, 2);",
                            "return rcube(1, 2, 3, 0.2, 3);", "return sphere(1);",
                            "return cylinder(1, 2, 6);", "return cone(1, 2, 5);", "return torus(2, 0.5, 6, 4);",
                            "return cube + sphere(1).tx(3);"};
    for (const char* logic : logics) {
        ReadBack result;
        read_back(workspace.assemble(logic), result);
        ASSERT_EQ(result.meshes.size(), 1u) << logic << "\n" << workspace.read("kernel.log");
        EXPECT_EQ(result.trace, "");
        expect_consistent(*result.meshes[0], logic);
        const Mesh& mesh = *result.meshes[0];
        EXPECT_TRUE(mesh.edge_pairs_1 != nullptr || mesh.edge_pairs_2 != nullptr) << logic;
        EXPECT_EQ(mesh.edge_pairs_1_16, nullptr);
        EXPECT_EQ(mesh.index_groups[1].values, nullptr) << "32-bit files keep no raw groups";
    }
}

TEST_F(StandinInterop, CubeHasItsFixedCounts)
{
    ReadBack result;
    read_back(workspace.assemble("return cube;"), result);
    ASSERT_EQ(result.meshes.size(), 1u);
    const Mesh& cube = *result.meshes[0];
    EXPECT_EQ(vertex_count(cube), 8u);
    EXPECT_EQ(cube.triangle_indices->size(), 36u);
    EXPECT_EQ(cube.index_data->front(), 6u);
    EXPECT_EQ(cube.polygon_normals->size(), 24u);
    EXPECT_EQ((*cube.vertex_colour_bytes)[0], 204) << "0.8 grey";
    EXPECT_EQ((*cube.vertex_colour_bytes)[3], 255);
    EXPECT_EQ(cube.mesh_name, "");
}

TEST_F(StandinInterop, SixteenBitIndicesKeepPlainEdgesAndRawGroups)
{
    ReadBack wide;
    read_back(workspace.assemble("return cube;"), wide);
    ReadBack narrow;
    read_back(workspace.assemble("stub(\"index16\"); return cube;"), narrow);
    ASSERT_EQ(narrow.meshes.size(), 1u);
    ASSERT_EQ(wide.meshes.size(), 1u);
    const Mesh& mesh = *narrow.meshes[0];
    EXPECT_EQ(*mesh.index_data, *wide.meshes[0]->index_data);
    EXPECT_EQ(*mesh.triangle_indices, *wide.meshes[0]->triangle_indices);
    EXPECT_NE(mesh.edge_pairs_1_16, nullptr);
    EXPECT_EQ(mesh.edge_pairs_1, nullptr);
    EXPECT_NE(mesh.index_groups[1].values, nullptr);
    EXPECT_GT(mesh.index_groups[1].count, 0);
}

TEST_F(StandinInterop, PaletteIndicesOfEveryWidth)
{
    for (int colours : {200, 255, 256, 300, 65536, 70000}) {
        const std::string logic = "stub(\"palette\", " + std::to_string(colours) + "); return cube;";
        ReadBack result;
        read_back(workspace.assemble(logic), result);
        ASSERT_EQ(result.meshes.size(), 1u) << logic;
        expect_consistent(*result.meshes[0], logic);
    }
}

TEST_F(StandinInterop, StubsShapeWhatIsRead)
{
    ReadBack flat;
    read_back(workspace.assemble("stub(\"dimension2\"); return cube;"), flat);
    ASSERT_EQ(flat.meshes.size(), 1u);
    EXPECT_EQ(flat.meshes[0]->dimension, 2u);
    expect_consistent(*flat.meshes[0], "dimension2");

    ReadBack labelled;
    read_back(workspace.assemble("stub(\"labels\"); return cube;"), labelled);
    ASSERT_EQ(labelled.meshes.size(), 1u);
    const Mesh& mesh = *labelled.meshes[0];
    ASSERT_NE(mesh.label_text, nullptr);
    EXPECT_EQ(std::string(mesh.label_text->begin(), mesh.label_text->end()), "panelrimcap");
    EXPECT_EQ(*mesh.label_words_1, (U32Array{0, 5, 8}));
    EXPECT_EQ(mesh.label_ids->size(), 6u);

    ReadBack padded;
    read_back(workspace.assemble("stub(\"extra\", 3); stub(\"skip\", 2); return cube;"), padded);
    ASSERT_EQ(padded.meshes.size(), 1u);
    EXPECT_EQ(*padded.meshes[0]->extra_values, (U32Array{0, 1, 2}));
    expect_consistent(*padded.meshes[0], "extra and skip");
}

TEST_F(StandinInterop, SeveralBlocksGiveMeshesInOrder)
{
    workspace.write("assemble_in", "2;\n\n{\n// directives\n#execute_mode:pure_union_mesh;\n// logic\n"
                                   "return cube;\n};\n\n{\n// directives\n#execute_mode:basic_csg_mesh;\n"
                                   "// logic\nreturn sphere(1);\n};\n");
    workspace.run("-interop -assemble '" + workspace.path("assemble_in") + "' '" +
                  workspace.path("assemble_out") + "'");
    ReadBack result;
    read_back(workspace.path("assemble_out"), result);
    ASSERT_EQ(result.meshes.size(), 2u);
    EXPECT_EQ(result.meshes[0]->header_h3, 0u);
    EXPECT_EQ(result.meshes[1]->header_h3, 1u);
    EXPECT_EQ(vertex_count(*result.meshes[0]), 8u);

    Mesh* first = read_interop_first_mesh(workspace.path("assemble_out"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(vertex_count(*first), 8u);
    MeshList owned{first};
    release_meshes(owned);
}

TEST_F(StandinInterop, MalformedFilesAreRejectedWithTheTraceLine)
{
    for (const char* fault : {"no-output", "short", "truncated", "negative", "dim0", "colour-oob", "local-oob",
                              "odd-edges", "missing-mesh", "crash"}) {
        const std::string logic = std::string("stub(\"fault\", \"") + fault + "\"); return cube;";
        const std::string path = workspace.assemble(logic);
        ReadBack result;
        read_back(path, result);
        EXPECT_TRUE(result.meshes.empty()) << fault;
        EXPECT_EQ(result.trace, k_error_prefix + path + "\n") << fault;
    }
    ReadBack sixteen_bit_odd;
    const std::string path = workspace.assemble("stub(\"index16\"); stub(\"fault\", \"odd-edges\"); return cube;");
    read_back(path, sixteen_bit_odd);
    EXPECT_TRUE(sixteen_bit_odd.meshes.empty());
}

TEST_F(StandinInterop, ZeroAndExtraMeshesAreReadAsWritten)
{
    ReadBack zero;
    read_back(workspace.assemble("stub(\"fault\", \"zero\"); return cube;"), zero);
    EXPECT_TRUE(zero.meshes.empty());
    EXPECT_EQ(zero.trace, "") << "no meshes is a result, not an unreadable file";

    ReadBack extra;
    read_back(workspace.assemble("stub(\"fault\", \"extra-mesh\"); return cube;"), extra);
    ASSERT_EQ(extra.meshes.size(), 2u);
    EXPECT_EQ(extra.meshes[1]->vertex_data, nullptr) << "the padding record is empty";
}
