#pragma once

// Reads the kernel's interop file back into `Mesh` records, one per record of
// the file, in file order. The caller owns the meshes (free_mesh_buffers,
// then delete_mesh). An unusable file gives no meshes: a missing, empty-named
// or short file, or any malformed record, also writes the trace line
// "ERROR-READING-BINARY-INTEROP-FILE: " + path; a file that cannot be opened
// does not.

#include "kernel/interop_format.h"
#include "model/mesh.h"

#include <string>
#include <vector>

using MeshList = std::vector<Mesh*>;

MeshList read_interop_file(const std::string& path);
// The same reader, under the name the single and batch assembly runs use.
MeshList read_interop_meshes(const std::string& path);
// The first mesh of the file, or null when it holds none; sub-element jobs
// read files of one mesh each, and any further meshes are released.
Mesh* read_interop_first_mesh(const std::string& path);

// A complete mesh (valid 1, pending 0) owning the decoded arrays; arrays with
// no entries stay absent, except the two colour lists, which always exist.
Mesh* make_interop_mesh(InteropMeshData&& data);
void release_meshes(MeshList& meshes);
