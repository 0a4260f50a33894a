#include "model/mesh.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Mesh* mesh_with_colour_bytes(std::size_t vertices)
{
    Mesh* mesh = construct_mesh(new F64Array(3 * vertices), new U32Array{0}, 7, 3);
    mesh->vertex_colour_bytes = new U8Array(4 * vertices, 9);
    return mesh;
}

} // namespace

TEST(Mesh, LifecycleOwnsEveryArrayOnce)
{
    Mesh* first = mesh_with_colour_bytes(2);
    Mesh* second = construct_mesh(new F64Array(4), nullptr, 0, 2);
    EXPECT_EQ(second->id, first->id + 1);
    EXPECT_EQ(first->header_h3, 7u);
    first->index_groups[1].values = new U32Array(3);
    first->render_arrays.bytes = new U8Array(8);
    first->label_text = new U8Array(5);
    first->mesh_name = "profile";
    delete_mesh(first, 0);
    EXPECT_TRUE(first->mesh_name.empty());
    ASSERT_NE(first->vertex_data, nullptr) << "without bit 0 the storage stays";
    free_mesh_buffers(*first);
    EXPECT_EQ(first->index_groups[1].values, nullptr);
    free_mesh_buffers(*first); // a second release frees nothing twice
    delete_mesh(first, 1);
    set_assembly_mode(*second, 2);
    set_assembly_mode(*second, 7);
    EXPECT_EQ(second->execute_mode, 7u);
    EXPECT_EQ(second->algorithm, 2u) << "an unknown mode leaves the algorithm";
    delete_mesh(second, 1); // arrays left by a skipped free_mesh_buffers go with the mesh
}

TEST(Mesh, ColourFillsWriteClampedRgbBytesAndKeepAlpha)
{
    Mesh* mesh = mesh_with_colour_bytes(2);
    fill_vertex_grey(*mesh, 0.25);
    EXPECT_EQ(*mesh->vertex_colour_bytes, (U8Array{63, 63, 63, 9, 63, 63, 63, 9}));
    fill_vertex_rgb(*mesh, 1.0, 0.5, 0.0);
    EXPECT_EQ(*mesh->vertex_colour_bytes, (U8Array{255, 127, 0, 9, 255, 127, 0, 9}));
    mesh->vertex_colours = new F64Array{0.25, 0.5, 1.0, 0.0};
    copy_vertex_colours(*mesh);
    EXPECT_EQ(*mesh->vertex_colour_bytes, (U8Array{63, 127, 255, 9, 255, 127, 0, 9}))
        << "a short colour array leaves the rest";
    fill_vertex_grey(*mesh, 2.0);
    EXPECT_EQ((*mesh->vertex_colour_bytes)[0], 255) << "clamped, not wrapped";
    delete_mesh(mesh, 1);

    Mesh bare;
    fill_vertex_rgb(bare, 0.5, 0.5, 0.5);
    bare.vertex_colour_bytes = new U8Array;
    bare.vertex_colours = new F64Array{1, 1, 1, 1};
    fill_vertex_grey(bare, 0.5);
    copy_vertex_colours(bare);
    EXPECT_TRUE(bare.vertex_colour_bytes->empty());

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> bytes[] = {
        {0.5, 127}, {0.999, 254}, {1.5, 255}, {-0.5, 0}, {nan, 0}};
    for (const auto& [value, byte] : bytes)
        EXPECT_EQ(colour_to_byte(value), byte) << value;
}
