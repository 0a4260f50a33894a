#include "kernel/assemble_runs.h"
#include "kernel/interop_reader.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

namespace {

struct ReadBack {
    MeshList meshes;
    std::string trace;
    ~ReadBack() { release_meshes(meshes); }
};

class StandinInterop : public StandinWorkspaceTest {
protected:
    // Assembles the logic alone, execute mode 2, and reads the output again.
    ReadBack assemble(const std::string& logic)
    {
        TraceCapture quiet;
        keep(run_assemble(settings, logic, 2, false));
        TraceCapture capture;
        MeshList meshes = read_interop_file(tmp_file("plim_assemble_out"));
        return ReadBack{std::move(meshes), capture.text()};
    }
};

std::size_t vertex_count(const Mesh& mesh)
{
    return mesh.vertex_data == nullptr ? 0 : mesh.vertex_data->size() / mesh.dimension;
}

// What every complete mesh of the stand-in holds together.
void expect_consistent(const ReadBack& result, const std::string& logic)
{
    SCOPED_TRACE(logic);
    ASSERT_EQ(result.meshes.size(), 1u);
    EXPECT_EQ(result.trace, "");
    const Mesh& mesh = *result.meshes[0];
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
    EXPECT_EQ(mesh.face_ids->size(), mesh.index_data->front());
    EXPECT_EQ(mesh.bounds->size(), 5 * mesh.dimension);
    EXPECT_EQ(mesh.header_h3, 2u) << "the execute mode";
}

} // namespace

TEST_F(StandinInterop, EveryPrimitiveReadsBackWhole)
{
    for (const char* logic :
         {"return cube;", "return mcube;", "return bcube(1, 2);", "return rcube(1, 2, 3, 0.2, 3);",
          "return sphere(1);", "return cylinder(1, 2, 6);", "return cone(1, 2, 5);",
          "return torus(2, 0.5, 6, 4);", "return cube + sphere(1).tx(3);"}) {
        const ReadBack result = assemble(logic);
        expect_consistent(result, logic);
        if (result.meshes.size() != 1) continue;
        const Mesh& mesh = *result.meshes[0];
        EXPECT_TRUE(mesh.edge_pairs_1 != nullptr || mesh.edge_pairs_2 != nullptr) << logic;
        EXPECT_EQ(mesh.edge_pairs_1_16, nullptr);
        EXPECT_EQ(mesh.index_groups[1].values, nullptr) << "32-bit files keep no raw groups";
    }

    const ReadBack result = assemble("return cube;");
    const Mesh& cube = *result.meshes.at(0);
    EXPECT_EQ(cube.polygon_normals->size(), 24u);
    EXPECT_EQ((*cube.vertex_colour_bytes)[0], 204) << "0.8 grey";
    EXPECT_EQ((*cube.vertex_colour_bytes)[3], 255);

    const ReadBack narrow = assemble("stub(\"index16\"); return cube;");
    const Mesh& mesh = *narrow.meshes.at(0);
    EXPECT_EQ(*mesh.index_data, *cube.index_data) << "16-bit indices read as the 32-bit ones";
    EXPECT_EQ(*mesh.triangle_indices, *cube.triangle_indices);
    EXPECT_NE(mesh.edge_pairs_1_16, nullptr);
    EXPECT_EQ(mesh.edge_pairs_1, nullptr);
    EXPECT_NE(mesh.index_groups[1].values, nullptr);
    EXPECT_GT(mesh.index_groups[1].count, 0);
}

TEST_F(StandinInterop, FormatStubsShapeWhatIsRead)
{
    for (int colours : {200, 255, 256, 300, 65536, 70000}) {
        const std::string logic =
            "stub(\"palette\", " + std::to_string(colours) + "); return cube;";
        const ReadBack result = assemble(logic);
        expect_consistent(result, logic);
    }
    const ReadBack flat = assemble("stub(\"dimension2\"); return cube;");
    expect_consistent(flat, "dimension2");
    EXPECT_EQ(flat.meshes.at(0)->dimension, 2u);

    const ReadBack labelled = assemble("stub(\"labels\"); return cube;");
    const Mesh& mesh = *labelled.meshes.at(0);
    ASSERT_NE(mesh.label_text, nullptr);
    EXPECT_EQ(std::string(mesh.label_text->begin(), mesh.label_text->end()), "panelrimcap");
    EXPECT_EQ(*mesh.label_words_1, (U32Array{0, 5, 8}));
    EXPECT_EQ(mesh.label_ids->size(), 6u);

    const ReadBack padded = assemble("stub(\"extra\", 3); stub(\"skip\", 2); return cube;");
    expect_consistent(padded, "extra and skip");
    EXPECT_EQ(*padded.meshes.at(0)->extra_values, (U32Array{0, 1, 2}));
}

TEST_F(StandinInterop, MalformedFilesAreRejectedWithTheTraceLine)
{
    for (const char* fault : {"no-output", "short", "truncated", "negative", "dim0", "colour-oob",
                              "local-oob", "odd-edges", "missing-mesh", "crash"}) {
        const ReadBack result =
            assemble(std::string("stub(\"fault\", \"") + fault + "\"); return cube;");
        EXPECT_TRUE(result.meshes.empty()) << fault;
        EXPECT_EQ(result.trace,
                  "ERROR-READING-BINARY-INTEROP-FILE: " + tmp_file("plim_assemble_out") + "\n")
            << fault;
    }
    const ReadBack sixteen_bit_odd =
        assemble("stub(\"index16\"); stub(\"fault\", \"odd-edges\"); return cube;");
    EXPECT_TRUE(sixteen_bit_odd.meshes.empty());

    const ReadBack zero = assemble("stub(\"fault\", \"zero\"); return cube;");
    EXPECT_TRUE(zero.meshes.empty());
    EXPECT_EQ(zero.trace, "") << "no meshes is a result, not an unreadable file";

    const ReadBack extra = assemble("stub(\"fault\", \"extra-mesh\"); return cube;");
    ASSERT_EQ(extra.meshes.size(), 2u);
    EXPECT_EQ(extra.meshes[1]->vertex_data, nullptr) << "the padding record is empty";
}
