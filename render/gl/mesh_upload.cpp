#include "render/gl/mesh_upload.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "render/gl/gl_extensions.h"
#include "render/mesh_geometry.h"

namespace {

bool covers_vertices(const U8Array* bytes, std::uint32_t vertices)
{
    return bytes != nullptr && bytes->size() >= std::size_t{vertices} * 4;
}

// A neutral grey for a mesh whose colour bytes do not cover its vertices, so
// a short colour array is never read past its end.
std::vector<std::uint8_t> grey_block(std::uint32_t vertices)
{
    std::vector<std::uint8_t> grey(std::size_t{vertices} * 4, 191);
    for (std::size_t at = 3; at < grey.size(); at += 4)
        grey[at] = 255;
    return grey;
}

void send_colours(const Mesh& mesh, std::uint32_t vertices)
{
    const GLintptr at = static_cast<GLintptr>(colour_block_offset(mesh.uploaded));
    const GLsizeiptr size = static_cast<GLsizeiptr>(std::size_t{vertices} * 4);
    if (covers_vertices(mesh.vertex_colour_bytes, vertices)) {
        gl::BufferSubData(GL_ARRAY_BUFFER, at, size, mesh.vertex_colour_bytes->data());
        return;
    }
    gl::BufferSubData(GL_ARRAY_BUFFER, at, size, grey_block(vertices).data());
}

// Positions (z = 0 for a 2-D mesh), normals and colours into the block.
void fill_vertex_block(const Mesh& mesh, std::uint32_t vertices, std::uint8_t* block)
{
    auto* positions = reinterpret_cast<float*>(block);
    const double* from = mesh.vertex_data->data();
    const std::size_t dimension = mesh.dimension;
    for (std::size_t v = 0; v < vertices; ++v) {
        positions[v * 3] = static_cast<float>(from[v * dimension]);
        positions[v * 3 + 1] = static_cast<float>(from[v * dimension + 1]);
        positions[v * 3 + 2] = dimension == 3 ? static_cast<float>(from[v * 3 + 2]) : 0.0f;
    }
    write_vertex_normals(mesh,
                         reinterpret_cast<float*>(block + normal_block_offset(mesh.uploaded)));
    const std::size_t colours = std::size_t{vertices} * 4;
    std::uint8_t* colour_block = block + colour_block_offset(mesh.uploaded);
    if (covers_vertices(mesh.vertex_colour_bytes, vertices))
        std::memcpy(colour_block, mesh.vertex_colour_bytes->data(), colours);
    else
        std::memcpy(colour_block, grey_block(vertices).data(), colours);
}

// Sizes the bound buffer and writes it through a mapping (no staging copy),
// or from a staging copy where mapping is missing or refused.
template <typename Fill> void fill_buffer(GLenum target, std::size_t bytes, Fill fill)
{
    gl::BufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    if (bytes == 0) return;
    if (gl::MapBuffer != nullptr && gl::UnmapBuffer != nullptr) {
        if (void* mapped = gl::MapBuffer(target, GL_WRITE_ONLY)) {
            fill(static_cast<std::uint8_t*>(mapped));
            gl::UnmapBuffer(target);
            return;
        }
    }
    std::vector<std::uint8_t> staging(bytes);
    fill(staging.data());
    gl::BufferSubData(target, 0, static_cast<GLsizeiptr>(bytes), staging.data());
}

void upload_vertices(Mesh& mesh, std::uint32_t vertices)
{
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    fill_buffer(GL_ARRAY_BUFFER, std::size_t{vertices} * 28,
                [&](std::uint8_t* block) { fill_vertex_block(mesh, vertices, block); });
}

// Copies the indices and tells whether every one is below `limit`: one pass
// over arrays of millions of entries instead of a check and a copy.
bool copy_indices(const std::uint32_t* from, std::size_t count, std::uint32_t limit,
                  std::uint32_t* to)
{
    std::uint32_t largest = 0;
    for (std::size_t i = 0; i < count; ++i) {
        to[i] = from[i];
        largest = std::max(largest, from[i]);
    }
    return count == 0 || largest < limit;
}

const U32Array* given_or_null(const U32Array* given, std::size_t group)
{
    return given != nullptr && !given->empty() && given->size() % group == 0 ? given : nullptr;
}

// Triangles, then the three edge lists, from the reader's arrays copied as
// they stand when every index names a vertex; where one does not, or an
// array is missing, from the checked or derived lists instead.
void upload_indices(Mesh& mesh, std::uint32_t vertices)
{
    std::array<const U32Array*, 4> parts = {
        given_or_null(mesh.triangle_indices, 3), given_or_null(mesh.edge_pairs_1, 2),
        given_or_null(mesh.edge_pairs_2, 2), given_or_null(mesh.edge_pairs_3, 2)};
    // The open-edge list has no fallback: absent, it is empty.
    const U32Array none;
    if (parts[3] == nullptr) parts[3] = &none;
    std::vector<std::uint32_t> checked_triangles;
    std::array<std::vector<std::uint32_t>, 3> derived;
    bool derived_ready = false;
    auto replace = [&](std::size_t part) {
        if (part == 0) {
            checked_triangles = valid_triangle_indices(mesh);
            parts[0] = &checked_triangles;
            return;
        }
        if (!derived_ready) derived = edge_lists(mesh);
        derived_ready = true;
        parts[part] = &derived[part - 1];
    };
    for (std::size_t part = 0; part < 3; ++part)
        if (parts[part] == nullptr) replace(part);
    for (bool sound = false; !sound;) {
        std::size_t total = 0;
        for (const U32Array* part : parts)
            total += part->size();
        gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.index_buffer_name);
        sound = true;
        fill_buffer(GL_ELEMENT_ARRAY_BUFFER, total * 4, [&](std::uint8_t* block) {
            auto* to = reinterpret_cast<std::uint32_t*>(block);
            for (std::size_t part = 0; part < 4 && sound; ++part) {
                if (!copy_indices(parts[part]->data(), parts[part]->size(), vertices, to)) {
                    replace(part); // a broken reader array: the next round sends the checked one
                    sound = false;
                }
                to += parts[part]->size();
            }
        });
    }
    mesh.uploaded.triangle_index_count = static_cast<std::uint32_t>(parts[0]->size());
    for (std::size_t which = 0; which < 3; ++which)
        mesh.uploaded.edge_index_counts[which] =
            static_cast<std::uint32_t>(parts[which + 1]->size());
}

} // namespace

std::size_t edge_block_offset(const MeshUploadLayout& layout, int which)
{
    std::size_t count = layout.triangle_index_count;
    for (int before = 0; before < which; ++before)
        count += layout.edge_index_counts[before];
    return count * 4;
}

bool upload_mesh(Mesh& mesh)
{
    if (gl::GenBuffers == nullptr || gl::BufferData == nullptr) return false;
    if (mesh.upload_pending == 0 && mesh.colours_pending == 0) return true;
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    if (mesh.upload_pending == 0) {
        gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
        send_colours(mesh, mesh.uploaded.vertex_count);
    } else {
        if (mesh.vertex_buffer_name == 0) gl::GenBuffers(1, &mesh.vertex_buffer_name);
        if (mesh.index_buffer_name == 0) gl::GenBuffers(1, &mesh.index_buffer_name);
        if (mesh.vertex_array_name == 0 && gl::GenVertexArrays != nullptr)
            gl::GenVertexArrays(1, &mesh.vertex_array_name);
        mesh.uploaded = MeshUploadLayout{};
        mesh.uploaded.vertex_count = vertices;
        upload_vertices(mesh, vertices);
        upload_indices(mesh, vertices);
    }
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    mesh.upload_pending = 0;
    mesh.colours_pending = 0;
    return true;
}
