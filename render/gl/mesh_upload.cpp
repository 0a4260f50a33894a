#include "render/gl/mesh_upload.h"

#include <vector>

#include "render/gl/gl_extensions.h"
#include "render/mesh_geometry.h"

namespace {

// The colour block: the mesh's bytes when they cover every vertex, else a
// neutral grey, so a short colour array is never read past its end.
std::vector<std::uint8_t> colour_block(const Mesh& mesh, std::uint32_t vertices)
{
    const std::size_t size = std::size_t{vertices} * 4;
    if (mesh.vertex_colour_bytes != nullptr && mesh.vertex_colour_bytes->size() >= size)
        return {mesh.vertex_colour_bytes->begin(),
                mesh.vertex_colour_bytes->begin() + static_cast<std::ptrdiff_t>(size)};
    std::vector<std::uint8_t> grey(size, 191);
    for (std::size_t at = 3; at < size; at += 4)
        grey[at] = 255;
    return grey;
}

std::vector<float> position_block(const Mesh& mesh, std::uint32_t vertices)
{
    std::vector<float> positions(std::size_t{vertices} * 3);
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const Vec3d p = mesh_position(mesh, v);
        for (int c = 0; c < 3; ++c)
            positions[std::size_t{v} * 3 + c] = static_cast<float>(p[c]);
    }
    return positions;
}

void upload_vertices(Mesh& mesh, std::uint32_t vertices)
{
    const std::vector<float> positions = position_block(mesh, vertices);
    const std::vector<float> normals = vertex_normals(mesh);
    const std::vector<std::uint8_t> colours = colour_block(mesh, vertices);
    const std::size_t bytes = std::size_t{vertices} * 28;
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    gl::BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    gl::BufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(positions.size() * 4),
                      positions.data());
    gl::BufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(normal_block_offset(mesh.uploaded)),
                      static_cast<GLsizeiptr>(normals.size() * 4), normals.data());
    gl::BufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(colour_block_offset(mesh.uploaded)),
                      static_cast<GLsizeiptr>(colours.size()), colours.data());
}

void upload_indices(Mesh& mesh)
{
    std::vector<std::uint32_t> indices = valid_triangle_indices(mesh);
    mesh.uploaded.triangle_index_count = static_cast<std::uint32_t>(indices.size());
    for (int which = 0; which < 3; ++which) {
        const std::vector<std::uint32_t> edges = edge_pairs(mesh, which);
        mesh.uploaded.edge_index_counts[which] = static_cast<std::uint32_t>(edges.size());
        indices.insert(indices.end(), edges.begin(), edges.end());
    }
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.index_buffer_name);
    gl::BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 4),
                   indices.data(), GL_STATIC_DRAW);
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
        const std::vector<std::uint8_t> colours = colour_block(mesh, mesh.uploaded.vertex_count);
        gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
        gl::BufferSubData(GL_ARRAY_BUFFER,
                          static_cast<GLintptr>(colour_block_offset(mesh.uploaded)),
                          static_cast<GLsizeiptr>(colours.size()), colours.data());
    } else {
        if (mesh.vertex_buffer_name == 0) gl::GenBuffers(1, &mesh.vertex_buffer_name);
        if (mesh.index_buffer_name == 0) gl::GenBuffers(1, &mesh.index_buffer_name);
        if (mesh.vertex_array_name == 0 && gl::GenVertexArrays != nullptr)
            gl::GenVertexArrays(1, &mesh.vertex_array_name);
        mesh.uploaded = MeshUploadLayout{};
        mesh.uploaded.vertex_count = vertices;
        upload_vertices(mesh, vertices);
        upload_indices(mesh);
    }
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    mesh.upload_pending = 0;
    mesh.colours_pending = 0;
    return true;
}
