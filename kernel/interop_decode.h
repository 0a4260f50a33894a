#pragma once

// Decoding of a whole interop file image held in memory. The bytes are
// untrusted: every header count is checked against the bytes that remain and
// against the arrays it indexes before anything is allocated or read.

#include "kernel/byte_cursor.h"
#include "kernel/interop_format.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The meshes in file order, or nothing when any record is malformed:
// a negative count, an array running past the end, a dimension below 1, more
// polygon normals than normals, a palette index outside the palette, an
// index group that does not hold together, a vertex index outside the
// vertices, or an edge list of odd length. Bytes after the last record are
// ignored.
std::optional<std::vector<InteropMeshData>> decode_interop(ByteCursor& cursor);
std::optional<std::vector<InteropMeshData>> decode_interop_bytes(const std::uint8_t* data,
                                                                 std::size_t size);
