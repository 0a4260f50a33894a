#pragma once

// Mesh data into GL buffer objects. A mesh is uploaded once, when its
// `upload_pending` is set: one vertex buffer with the positions (z = 0 for a
// 2-D mesh), the normals and the RGBA byte colours one block after the other,
// and one index buffer with the checked triangle indices followed by the
// three edge lists; the names and the layout stay on the mesh. A recoloured
// mesh re-uploads its colour block only.

#include "model/mesh.h"

// Byte offsets of the blocks inside the vertex buffer.
inline std::size_t normal_block_offset(const MeshUploadLayout& layout)
{
    return std::size_t{layout.vertex_count} * 12;
}
inline std::size_t colour_block_offset(const MeshUploadLayout& layout)
{
    return std::size_t{layout.vertex_count} * 24;
}
// Byte offset of edge list `which` inside the index buffer.
std::size_t edge_block_offset(const MeshUploadLayout& layout, int which);

// Uploads what the mesh needs; false when the buffer entry points are missing.
bool upload_mesh(Mesh& mesh);
