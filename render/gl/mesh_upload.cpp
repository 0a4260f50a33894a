#include "render/gl/mesh_upload.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <thread>
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

// Whether any of the colours sent has an alpha below 255: only then does the
// surface need blending, which costs a read of every pixel it covers.
bool any_translucent(const Mesh& mesh, std::uint32_t vertices)
{
    if (!covers_vertices(mesh.vertex_colour_bytes, vertices)) return false; // the grey is opaque
    const std::uint8_t* bytes = mesh.vertex_colour_bytes->data();
    std::uint8_t lowest = 255;
    for (std::size_t at = 3; at < std::size_t{vertices} * 4; at += 4)
        lowest = std::min(lowest, bytes[at]);
    return lowest < 255;
}

void send_colours(Mesh& mesh, std::uint32_t vertices)
{
    const GLintptr at = static_cast<GLintptr>(colour_block_offset(mesh.uploaded));
    const GLsizeiptr size = static_cast<GLsizeiptr>(std::size_t{vertices} * 4);
    mesh.uploaded.translucent = any_translucent(mesh, vertices);
    if (covers_vertices(mesh.vertex_colour_bytes, vertices)) {
        gl::BufferSubData(GL_ARRAY_BUFFER, at, size, mesh.vertex_colour_bytes->data());
        return;
    }
    gl::BufferSubData(GL_ARRAY_BUFFER, at, size, grey_block(vertices).data());
}

// Doubles to floats in one straight pass the compiler turns into vector
// conversions.
void convert_to_floats(const double* from, std::size_t count, float* to)
{
    for (std::size_t i = 0; i < count; ++i)
        to[i] = static_cast<float>(from[i]);
}

// Positions (z = 0 for a 2-D mesh), normals and colours into the block.
// Reads the mesh's arrays only, so it may run beside the index upload.
void fill_vertex_block(const Mesh& mesh, std::uint32_t vertices, std::uint8_t* block)
{
    MeshUploadLayout layout;
    layout.vertex_count = vertices;
    auto* positions = reinterpret_cast<float*>(block);
    const double* from = mesh.vertex_data->data();
    if (mesh.dimension == 3) {
        convert_to_floats(from, std::size_t{vertices} * 3, positions);
    } else {
        for (std::size_t v = 0; v < vertices; ++v) {
            positions[v * 3] = static_cast<float>(from[v * 2]);
            positions[v * 3 + 1] = static_cast<float>(from[v * 2 + 1]);
            positions[v * 3 + 2] = 0.0f;
        }
    }
    write_vertex_normals(mesh, reinterpret_cast<float*>(block + normal_block_offset(layout)));
    const std::size_t colours = std::size_t{vertices} * 4;
    std::uint8_t* colour_block = block + colour_block_offset(layout);
    if (covers_vertices(mesh.vertex_colour_bytes, vertices))
        std::memcpy(colour_block, mesh.vertex_colour_bytes->data(), colours);
    else
        std::memcpy(colour_block, grey_block(vertices).data(), colours);
}

// A mapping of the bound buffer, just sized to `bytes`; null where mapping
// is missing or refused.
std::uint8_t* map_bound_buffer(GLenum target, std::size_t bytes)
{
    gl::BufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    if (bytes == 0 || gl::MapBuffer == nullptr || gl::UnmapBuffer == nullptr) return nullptr;
    return static_cast<std::uint8_t*>(gl::MapBuffer(target, GL_WRITE_ONLY));
}

// Writes the bound buffer, already sized, from a staging copy.
template <typename Fill> void fill_staged(GLenum target, std::size_t bytes, Fill fill)
{
    if (bytes == 0) return;
    std::vector<std::uint8_t> staging(bytes);
    fill(staging.data());
    gl::BufferSubData(target, 0, static_cast<GLsizeiptr>(bytes), staging.data());
}

// Sizes the bound buffer and writes it through a mapping (no staging copy),
// or from a staging copy where mapping is missing or refused.
template <typename Fill> void fill_buffer(GLenum target, std::size_t bytes, Fill fill)
{
    if (std::uint8_t* mapped = map_bound_buffer(target, bytes)) {
        fill(mapped);
        gl::UnmapBuffer(target);
        return;
    }
    fill_staged(target, bytes, fill);
}

// The largest entry. Built twice, for AVX2 and for the baseline: without
// SSE4.1 there is no unsigned vector maximum and the scan costs more than
// the copy it guards.
__attribute__((target_clones("avx2", "default"))) std::uint32_t
largest_entry(const std::uint32_t* values, std::size_t count)
{
    std::uint32_t largest = 0;
    for (std::size_t i = 0; i < count; ++i)
        largest = std::max(largest, values[i]);
    return largest;
}

// Copies the indices and tells whether every one is below `limit`: block by
// block, each block scanned while it is still in the first-level cache, so
// arrays of millions of entries are read from memory once.
bool copy_indices(const std::uint32_t* from, std::size_t count, std::uint32_t limit,
                  std::uint32_t* to)
{
    constexpr std::size_t kBlock = 4096;
    std::uint32_t largest = 0;
    for (std::size_t at = 0; at < count; at += kBlock) {
        const std::size_t length = std::min(kBlock, count - at);
        std::memcpy(to + at, from + at, length * 4);
        largest = std::max(largest, largest_entry(from + at, length));
    }
    return count == 0 || largest < limit;
}

// Triangles, then the three edge lists. The edge lists are completed on the
// mesh once (complete_edge_lists) and copied as they stand; the triangles
// are copied as the reader made them when every index names a vertex, and
// otherwise replaced by the checked ones, sending the buffer again.
void upload_indices(Mesh& mesh, std::uint32_t vertices)
{
    complete_edge_lists(mesh);
    std::vector<std::uint32_t> checked_triangles;
    const U32Array* triangles = mesh.triangle_indices;
    if (triangles == nullptr || triangles->size() % 3 != 0) {
        checked_triangles = valid_triangle_indices(mesh);
        triangles = &checked_triangles;
    }
    const std::array<const U32Array*, 3> edges = {mesh.edge_pairs_1, mesh.edge_pairs_2,
                                                  mesh.edge_pairs_3};
    std::size_t edge_total = 0;
    for (const U32Array* list : edges)
        edge_total += list->size();
    for (bool sound = false; !sound;) {
        gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.index_buffer_name);
        fill_buffer(GL_ELEMENT_ARRAY_BUFFER, (triangles->size() + edge_total) * 4,
                    [&](std::uint8_t* block) {
                        auto* to = reinterpret_cast<std::uint32_t*>(block);
                        sound = copy_indices(triangles->data(), triangles->size(), vertices, to);
                        if (!sound) return;
                        to += triangles->size();
                        for (const U32Array* list : edges) {
                            if (!list->empty()) std::memcpy(to, list->data(), list->size() * 4);
                            to += list->size();
                        }
                    });
        if (!sound) {
            // A broken reader array: the next round sends the checked triangles.
            checked_triangles = valid_triangle_indices(mesh);
            triangles = &checked_triangles;
        }
    }
    mesh.uploaded.triangle_index_count = static_cast<std::uint32_t>(triangles->size());
    for (std::size_t which = 0; which < 3; ++which)
        mesh.uploaded.edge_index_counts[which] = static_cast<std::uint32_t>(edges[which]->size());
}

// Below this many vertex bytes a helper thread costs more than it saves.
constexpr std::size_t kHelperThreadBytes = std::size_t{1} << 20;

// Both buffers: a large vertex block is converted on a helper thread into
// its mapped buffer while this thread copies and checks the indices, so the
// two memory-bound passes overlap. Only this thread calls GL.
void upload_vertices_and_indices(Mesh& mesh, std::uint32_t vertices)
{
    const std::size_t bytes = std::size_t{vertices} * 28;
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    std::uint8_t* mapped = map_bound_buffer(GL_ARRAY_BUFFER, bytes);
    if (mapped == nullptr) {
        fill_staged(GL_ARRAY_BUFFER, bytes,
                    [&](std::uint8_t* block) { fill_vertex_block(mesh, vertices, block); });
        upload_indices(mesh, vertices);
        return;
    }
    {
        std::jthread helper;
        if (bytes >= kHelperThreadBytes)
            helper = std::jthread([&] { fill_vertex_block(mesh, vertices, mapped); });
        else
            fill_vertex_block(mesh, vertices, mapped);
        upload_indices(mesh, vertices);
    }
    gl::BindBuffer(GL_ARRAY_BUFFER, mesh.vertex_buffer_name);
    gl::UnmapBuffer(GL_ARRAY_BUFFER);
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
        mesh.uploaded.translucent = any_translucent(mesh, vertices);
        upload_vertices_and_indices(mesh, vertices);
    }
    gl::BindBuffer(GL_ARRAY_BUFFER, 0);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    mesh.upload_pending = 0;
    mesh.colours_pending = 0;
    return true;
}
