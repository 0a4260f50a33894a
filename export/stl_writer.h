#pragma once

#include <string>

#include "model/entity.h"

// Writes the triangles of the visible entities as one STL file, each with
// its own three positions and a facet normal computed from them (right-hand
// rule, (0, 0, 0) for a degenerate triangle). The ascii form carries no
// comments (readers reject them); the binary form is an 80-byte zero head,
// the triangle count and 50-byte little-endian records. False when the file
// could not be written whole.
bool write_stl(const EntityList& container, const std::string& file_name, bool binary);
