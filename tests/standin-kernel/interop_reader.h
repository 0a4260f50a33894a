#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A small interop-file reader written from the file layout alone, to check
// what the stand-in writes. It decodes every array; it does not expand
// colours or de-duplicate edges.

using Words = std::vector<std::uint32_t>;

struct ReadGroup {
    std::int32_t items = 0;
    Words values;
    Words counts;
    std::vector<std::uint16_t> locals;
};

struct ReadMesh {
    std::array<std::int32_t, 36> h{}; // h[0] is H1
    std::vector<double> vertices, normals, palette, bounds;
    Words index_stream, colour_indices, face_ids, group_ids, label_ids, operand_ids, triangles,
        triangle_polygons;
    std::vector<std::int8_t> normal_signs;
    std::array<Words, 3> plain_edges;
    std::array<ReadGroup, 4> groups; // J, K, L, M
    Words extra_values, label_words_1, label_words_2;
    std::string name, label_text;
};

struct ReadResult {
    bool ok = false;
    std::string error;      // why reading stopped
    std::int32_t count = 0; // the file's mesh count
    std::vector<ReadMesh> meshes;
    size_t trailing_bytes = 0;
};

ReadResult read_interop_bytes(const std::string& bytes);
ReadResult read_interop_path(const std::string& path);

// The edge pairs a group stands for, decoded as the inspector decodes them.
Words decode_group(const ReadGroup& group);
