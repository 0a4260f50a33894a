#include "model/mesh.h"

std::atomic<std::uint32_t> g_next_mesh_id{0};

namespace {

template <typename Array> void free_array(Array*& array)
{
    delete array;
    array = nullptr;
}

void free_index_group(IndexGroup& group)
{
    free_array(group.values);
    free_array(group.counts);
    free_array(group.locals);
}

void free_render_arrays(MeshRenderArrays& arrays)
{
    free_array(arrays.words_1);
    free_array(arrays.words_2);
    free_array(arrays.bytes);
    free_array(arrays.words_3);
    free_array(arrays.words_4);
}

bool has_colour_bytes(const Mesh& mesh)
{
    return mesh.vertex_colour_bytes != nullptr && !mesh.vertex_colour_bytes->empty();
}

// Writes red, green and blue of every complete four-byte entry; alpha stays.
void fill_rgb_bytes(U8Array& bytes, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    for (std::size_t at = 0; at + 2 < bytes.size(); at += 4) {
        bytes[at] = red;
        bytes[at + 1] = green;
        bytes[at + 2] = blue;
    }
}

} // namespace

Mesh::~Mesh()
{
    free_mesh_buffers(*this);
}

Mesh* construct_mesh(F64Array* vertex_data, U32Array* index_data, std::uint32_t header_h3,
                     std::uint32_t dimension)
{
    Mesh* mesh = new Mesh;
    mesh->vertex_data = vertex_data;
    mesh->index_data = index_data;
    mesh->header_h3 = header_h3;
    mesh->dimension = dimension;
    return mesh;
}

void free_mesh_buffers(Mesh& mesh)
{
    free_array(mesh.vertex_data);
    free_array(mesh.index_data);
    free_array(mesh.normal_data);
    free_array(mesh.vertex_colours);
    free_array(mesh.bounds);
    free_array(mesh.face_ids);
    free_array(mesh.label_ids);
    free_array(mesh.group_ids);
    free_array(mesh.operand_ids);
    free_array(mesh.triangle_indices);
    free_array(mesh.polygon_normals);
    free_array(mesh.triangle_polygons);
    free_array(mesh.edge_pairs_1);
    free_array(mesh.edge_pairs_2);
    free_array(mesh.edge_pairs_3);
    free_array(mesh.edge_pairs_1_16);
    free_array(mesh.edge_pairs_2_16);
    free_array(mesh.edge_pairs_3_16);
    for (IndexGroup& group : mesh.index_groups)
        free_index_group(group);
    free_array(mesh.extra_values);
    free_array(mesh.vertex_colour_bytes);
    free_render_arrays(mesh.render_arrays);
    free_array(mesh.label_words_1);
    free_array(mesh.label_words_2);
    free_array(mesh.label_text);
}

void delete_mesh(Mesh* mesh, std::uint32_t flags)
{
    if (mesh == nullptr) return;
    if (flags & 1u) {
        delete mesh;
        return;
    }
    mesh->mesh_name.clear();
    mesh->element_name.clear();
    mesh->element_logic.clear();
}

std::uint8_t colour_to_byte(double value)
{
    if (!(value > 0.0)) return 0; // NaN too
    if (value >= 1.0) return 255;
    return static_cast<std::uint8_t>(value * 255.0);
}

Mesh& fill_vertex_grey(Mesh& mesh, double level)
{
    if (!has_colour_bytes(mesh)) return mesh;
    const std::uint8_t grey = colour_to_byte(level);
    fill_rgb_bytes(*mesh.vertex_colour_bytes, grey, grey, grey);
    return mesh;
}

Mesh& fill_vertex_rgb(Mesh& mesh, double red, double green, double blue)
{
    if (!has_colour_bytes(mesh)) return mesh;
    fill_rgb_bytes(*mesh.vertex_colour_bytes, colour_to_byte(red), colour_to_byte(green),
                   colour_to_byte(blue));
    return mesh;
}

Mesh& copy_vertex_colours(Mesh& mesh)
{
    if (mesh.vertex_colours == nullptr || !has_colour_bytes(mesh)) return mesh;
    U8Array& bytes = *mesh.vertex_colour_bytes;
    const F64Array& colours = *mesh.vertex_colours;
    // Stops at the shorter array: a short colour list leaves the rest unchanged.
    for (std::size_t at = 0; at + 2 < bytes.size() && at + 2 < colours.size(); at += 4) {
        bytes[at] = colour_to_byte(colours[at]);
        bytes[at + 1] = colour_to_byte(colours[at + 1]);
        bytes[at + 2] = colour_to_byte(colours[at + 2]);
    }
    return mesh;
}

void set_assembly_mode(Mesh& mesh, std::uint32_t mode)
{
    mesh.execute_mode = mode;
    if (mode <= 2) mesh.algorithm = mode;
}
