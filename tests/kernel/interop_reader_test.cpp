#include "kernel/interop_reader.h"
#include "tests/kernel/interop_bytes.h"
#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class InteropFile : public RunWorkspaceTest {
protected:
    void SetUp() override
    {
        RunWorkspaceTest::SetUp();
        path = tmp_file("mesh");
    }

    void write(const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    // No meshes and exactly the error line on the trace stream.
    void expect_rejected(const std::string& why) const
    {
        TraceCapture capture;
        EXPECT_TRUE(read_interop_file(path).empty()) << why;
        EXPECT_EQ(capture.text(), "ERROR-READING-BINARY-INTEROP-FILE: " + path + "\n") << why;
    }

    std::string path;
};

// Meshes of one 3-D triangle with 32-bit indices and nothing else.
std::vector<std::uint8_t> triangle_file(std::int32_t mesh_count)
{
    const HeaderFields h = with_fields({{1, 9}, {3, 2}, {4, 3}, {12, 3}, {18, 1}});
    InteropBytes file;
    file.i32(mesh_count);
    for (std::int32_t m = 0; m < mesh_count; ++m) {
        file.header(h);
        for (int i = 0; i < 9; ++i)
            file.f64(i);
        file.u32(0).u32(1).u32(2);
    }
    return file.bytes;
}

} // namespace

// A missing, short, malformed or truncated file gives no meshes and the trace line.
TEST_F(InteropFile, UnusableFilesGiveNoMeshesAndTheTraceLine)
{
    expect_rejected("missing");
    write(std::vector<std::uint8_t>(143, 0));
    expect_rejected("143 bytes");
    std::vector<std::uint8_t> bad = triangle_file(1);
    bad[4 + 12] = 0; // dimension 0
    write(bad);
    expect_rejected("malformed record");
    const std::vector<std::uint8_t> whole = triangle_file(2);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        write(std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        expect_rejected("length " + std::to_string(length));
    }

    TraceCapture capture;
    EXPECT_TRUE(read_interop_file("").empty());
    EXPECT_EQ(capture.text(), "ERROR-READING-BINARY-INTEROP-FILE: \n");
}

TEST_F(InteropFile, MeshesAreCompleteWithAbsentArraysLeftNull)
{
    write(std::vector<std::uint8_t>(144, 0)); // N = 0, padded: exactly long enough
    {
        TraceCapture capture;
        EXPECT_TRUE(read_interop_file(path).empty());
        EXPECT_EQ(read_interop_first_mesh(path), nullptr);
        EXPECT_EQ(capture.text(), "");
    }

    write(triangle_file(2));
    TraceCapture capture;
    MeshList meshes = read_interop_file(path);
    ASSERT_EQ(meshes.size(), 2u);
    EXPECT_EQ(capture.text(), "");
    const Mesh& mesh = *meshes[0];
    EXPECT_EQ(mesh.valid, 1);
    EXPECT_EQ(mesh.dimension, 3u);
    EXPECT_EQ(mesh.header_h3, 2u);
    EXPECT_EQ(mesh.vertex_data->size(), 9u);
    EXPECT_EQ(*mesh.triangle_indices, (U32Array{0, 1, 2}));
    EXPECT_EQ(mesh.index_data, nullptr);
    EXPECT_EQ(mesh.normal_data, nullptr);
    EXPECT_EQ(mesh.edge_pairs_1, nullptr);
    EXPECT_EQ(mesh.index_groups[0].values, nullptr);
    // Colours are present, if empty, even when the file has none.
    ASSERT_TRUE(mesh.vertex_colours && mesh.vertex_colour_bytes);
    EXPECT_TRUE(mesh.vertex_colours->empty() && mesh.vertex_colour_bytes->empty());
    EXPECT_NE(meshes[0]->id, meshes[1]->id);
    release_meshes(meshes);
    EXPECT_TRUE(meshes.empty());

    MeshList first{read_interop_first_mesh(path)};
    ASSERT_NE(first[0], nullptr);
    EXPECT_EQ(first[0]->vertex_data->size(), 9u);
    release_meshes(first);
}
