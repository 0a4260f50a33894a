// Mesh upload and the deletion lists through a recording fake of the GL
// entry-point table: no context needed.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "render/gl/frame.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/mesh_upload.h"

namespace {

// One line a call: "gen", "bind", "data <size>", "sub <offset> <size>", "delete <name>".
std::vector<std::string> g_calls;
GLuint g_next_name = 1;
// Buffer contents by name, and the name bound to each target, so mapped
// writes can be read back.
std::map<GLuint, std::vector<std::uint8_t>> g_buffers;
std::map<GLenum, GLuint> g_bound;

void APIENTRY fake_gen(GLsizei n, GLuint* names)
{
    for (GLsizei i = 0; i < n; ++i)
        names[i] = g_next_name++;
    g_calls.push_back("gen");
}
void APIENTRY fake_bind(GLenum target, GLuint name)
{
    g_bound[target] = name;
    g_calls.push_back("bind");
}
void APIENTRY fake_data(GLenum target, GLsizeiptr size, const void*, GLenum)
{
    g_buffers[g_bound[target]].assign(static_cast<std::size_t>(size), 0xEE);
    g_calls.push_back("data " + std::to_string(size));
}
void APIENTRY fake_sub_data(GLenum, GLintptr offset, GLsizeiptr size, const void*)
{
    g_calls.push_back("sub " + std::to_string(offset) + " " + std::to_string(size));
}
void APIENTRY fake_delete(GLsizei n, const GLuint* names)
{
    for (GLsizei i = 0; i < n; ++i)
        g_calls.push_back("delete " + std::to_string(names[i]));
}
void* APIENTRY fake_map(GLenum target, GLenum)
{
    return g_buffers[g_bound[target]].data();
}
// A strip of quads in one row, two triangles each; `broken` names a
// triangle whose last index points past the vertices (-1 none).
std::unique_ptr<Mesh> quad_strip(std::uint32_t dimension, std::uint32_t quads, long broken)
{
    auto strip = std::make_unique<Mesh>();
    Mesh& mesh = *strip;
    mesh.dimension = dimension;
    mesh.vertex_data = new F64Array();
    mesh.triangle_indices = new U32Array();
    for (std::uint32_t q = 0; q <= quads; ++q)
        for (double y : {0.0, 1.0}) {
            mesh.vertex_data->insert(mesh.vertex_data->end(), {q + 0.25, y});
            if (dimension == 3) mesh.vertex_data->push_back(0.5 * q);
        }
    for (std::uint32_t q = 0; q < quads; ++q)
        mesh.triangle_indices->insert(mesh.triangle_indices->end(),
                                      {2 * q, 2 * q + 2, 2 * q + 3, 2 * q, 2 * q + 3, 2 * q + 1});
    if (broken >= 0) (*mesh.triangle_indices)[static_cast<std::size_t>(broken) * 3 + 2] = 1u << 30;
    return strip;
}

class FakeGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        g_buffers.clear();
        g_bound.clear();
        gl::GenBuffers = gl::GenVertexArrays = fake_gen;
        gl::BindBuffer = fake_bind;
        gl::BufferData = fake_data;
        gl::BufferSubData = fake_sub_data;
        gl::DeleteBuffers = gl::DeleteVertexArrays = fake_delete;
    }
    void TearDown() override
    {
        gl::GenBuffers = gl::GenVertexArrays = nullptr;
        gl::DeleteBuffers = gl::DeleteVertexArrays = nullptr;
        gl::BindBuffer = nullptr;
        gl::BufferData = nullptr;
        gl::BufferSubData = nullptr;
        gl::MapBuffer = nullptr;
        gl::UnmapBuffer = nullptr;
    }
    static std::vector<std::string> calls_named(const std::string& name)
    {
        std::vector<std::string> found;
        for (const std::string& c : g_calls)
            if (c.rfind(name, 0) == 0) found.push_back(c);
        return found;
    }
};

} // namespace

TEST_F(FakeGl, UploadOnceThenColoursOnly)
{
    Mesh mesh;
    mesh.dimension = 2; // a 2-D quad: z = 0 is filled in
    mesh.vertex_data = new F64Array{0, 0, 1, 0, 1, 1, 0, 1};
    mesh.index_data = new U32Array{1, 4, 0, 1, 2, 3};
    mesh.triangle_indices = new U32Array{0, 1, 2, 0, 2, 3, 0, 2, 9};
    ASSERT_TRUE(upload_mesh(mesh));
    // 4 vertices x 28 bytes; 6 triangle, 8 polygon-edge, 2 diagonal and 8
    // smooth-group-edge indices, sized again once the broken triangle is dropped.
    const auto data = calls_named("data");
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(data[0], "data " + std::to_string(4 * 28));
    EXPECT_EQ(data[2], "data " + std::to_string((6 + 8 + 2 + 8) * 4));
    const auto& up = mesh.uploaded;
    EXPECT_EQ((std::vector<std::uint32_t>{up.triangle_index_count, up.edge_index_counts[0],
                                          up.edge_index_counts[1], up.edge_index_counts[2]}),
              (std::vector<std::uint32_t>{6, 8, 2, 8}));
    EXPECT_TRUE(mesh.vertex_buffer_name != 0 && mesh.vertex_array_name != 0);
    EXPECT_EQ(mesh.upload_pending, 0);

    g_calls.clear();
    EXPECT_TRUE(upload_mesh(mesh));
    EXPECT_TRUE(g_calls.empty()) << "nothing pending, nothing sent";

    mesh.colours_pending = 1;
    EXPECT_TRUE(upload_mesh(mesh));
    EXPECT_TRUE(calls_named("data").empty());
    EXPECT_EQ(calls_named("sub"), (std::vector<std::string>{"sub 96 16"}))
        << "4 colours of 4 bytes after 4 positions and normals of 12";

    // A full upload again (recolouring asks for one) sends the edge lists
    // derived the first time instead of deriving them anew.
    mesh.edge_pairs_3->assign({0, 1});
    mesh.upload_pending = 1;
    ASSERT_TRUE(upload_mesh(mesh));
    EXPECT_EQ(mesh.uploaded.edge_index_counts[2], 2u);
}

// Only a mesh with a colour that is not opaque is drawn with blending.
TEST_F(FakeGl, TheUploadTellsWhetherAnyColourIsTranslucent)
{
    Mesh mesh;
    mesh.dimension = 3;
    mesh.vertex_data = new F64Array{0, 0, 0, 1, 0, 0, 0, 1, 0};
    mesh.triangle_indices = new U32Array{0, 1, 2};
    mesh.vertex_colour_bytes = new U8Array{9, 9, 9, 255, 9, 9, 9, 255, 9, 9, 9, 254};
    ASSERT_TRUE(upload_mesh(mesh));
    EXPECT_TRUE(mesh.uploaded.translucent);

    (*mesh.vertex_colour_bytes)[11] = 255; // recoloured opaque: the colours alone go again
    mesh.colours_pending = 1;
    ASSERT_TRUE(upload_mesh(mesh));
    EXPECT_FALSE(mesh.uploaded.translucent);

    mesh.vertex_colour_bytes->resize(4); // too short: the grey sent instead is opaque
    mesh.upload_pending = 1;
    ASSERT_TRUE(upload_mesh(mesh));
    EXPECT_FALSE(mesh.uploaded.translucent);
}

TEST_F(FakeGl, WithoutTheBufferEntryPointTheDeletionListsAreStillEmptied)
{
    std::vector<std::uint32_t> arrays{5, 0}, buffers{7, 0, 8}, index_buffers{9};
    gl::DeleteBuffers = nullptr;
    delete_queued_gl_names({arrays, buffers, index_buffers});
    EXPECT_TRUE(arrays.empty() && buffers.empty() && index_buffers.empty());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"delete 5"})) << "the one vertex array";
}

// Large meshes fill the vertex block on a helper thread; a broken index past
// the first scanned block is still found and only sound triangles are sent.
TEST_F(FakeGl, MappedUploadWritesPositionsAndOnlySoundTriangles)
{
    gl::MapBuffer = fake_map;
    gl::UnmapBuffer = [](GLenum) -> GLboolean { return GL_TRUE; };
    struct Case {
        std::uint32_t dimension;
        std::uint32_t quads;
        long broken;
    };
    const Case cases[] = {
        {2, 3, -1}, {3, 3, 4}, {3, 40000, -1}, {2, 40000, 79999}, {3, 40000, 5000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dimension << "-D, " << c.quads << " quads");
        g_buffers.clear();
        const std::unique_ptr<Mesh> strip = quad_strip(c.dimension, c.quads, c.broken);
        Mesh& mesh = *strip;
        ASSERT_TRUE(upload_mesh(mesh));
        const std::uint32_t triangles = 2 * c.quads - (c.broken >= 0 ? 1 : 0);
        EXPECT_EQ(mesh.uploaded.triangle_index_count, triangles * 3);

        const std::vector<std::uint8_t>& vertex_block = g_buffers[mesh.vertex_buffer_name];
        ASSERT_EQ(vertex_block.size(), std::size_t{c.quads + 1} * 2 * 28);
        const std::uint32_t last = 2 * c.quads + 1; // (quads + 0.25, 1, z)
        std::array<float, 3> position;
        std::memcpy(position.data(), vertex_block.data() + std::size_t{last} * 12, 12);
        EXPECT_EQ(position, (std::array<float, 3>{c.quads + 0.25f, 1.0f,
                                                  c.dimension == 3 ? 0.5f * c.quads : 0.0f}));

        const std::vector<std::uint8_t>& index_block = g_buffers[mesh.index_buffer_name];
        ASSERT_GE(index_block.size(), std::size_t{triangles} * 12);
        std::uint32_t largest = 0;
        for (std::size_t i = 0; i < std::size_t{triangles} * 3; ++i) {
            std::uint32_t index;
            std::memcpy(&index, index_block.data() + i * 4, 4);
            largest = std::max(largest, index);
        }
        EXPECT_EQ(largest, last);
    }
}
