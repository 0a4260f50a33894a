#pragma once

// Sections the OFF and PLY writers share. Faces are their vertex count
// followed by 0-based indices, numbered over all meshes in the order their
// vertices were written.

#include <bit>
#include <cstdint>
#include <vector>

#include "export/export_frame.h"
#include "export/output_file.h"

// One line per vertex: "x y z", then " nx ny nz" with normals and
// " R G B A" (0..255 integers) with colours.
void write_vertex_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                        std::int32_t topology, bool normals, bool colours);

// How a binary form stores the values of one vertex.
enum class BinaryVertexEncoding {
    off_floats, // 32-bit big-endian reals; colours as four such reals
    ply_doubles, // 64-bit reals in the host's byte order; colours as four 0..255 bytes
};

struct BinaryVertexForm {
    std::int32_t topology;
    bool normals;
    bool colours;
    BinaryVertexEncoding encoding;
};

// One record per vertex (positions, then normals, then colours), in the
// order the meshes are given, built in blocks straight in the output buffer.
void write_binary_vertices(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                           const BinaryVertexForm& form);

// One line per face: "n i1 i2 ...".
void write_counted_faces_text(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                              std::int32_t topology);

// One record per face of 32-bit words in the byte order; with
// `colour_count_word` each record ends with a 0 (the OFF colour count).
void write_counted_faces_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                                std::int32_t topology, std::endian order, bool colour_count_word);
