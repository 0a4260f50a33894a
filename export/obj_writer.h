#pragma once

#include <cstdint>
#include <string>

#include "model/entity.h"

// Writes the visible entities as one OBJ text file: "v" lines (with
// "r g b" after the position when colours are chosen), "vn" lines when
// normals are chosen, then 1-based "f" lines of the topology (polygons 0,
// triangles 3). False when the file could not be written whole; an existing
// file is then left as it was.
bool write_obj(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours);
