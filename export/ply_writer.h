#pragma once

#include <cstdint>
#include <string>

#include "model/entity.h"

// Writes the visible entities as one PLY file, ascii or binary little-endian:
// a vertex element of double x, y, z (and nx, ny, nz with normals, uchar
// red, green, blue, alpha with colours) and a face element of int index
// lists. False when the file could not be written whole.
bool write_ply(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours, bool binary);
