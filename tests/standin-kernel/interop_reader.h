#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A small interop-file reader written from the file layout alone, to check
// what the stand-in writes. It decodes every array; it does not expand
// colours or de-duplicate edges.

struct ReadGroup {
    std::int32_t items = 0;
    std::vector<std::uint32_t> values;
    std::vector<std::uint32_t> counts;
    std::vector<std::uint16_t> locals;
};

struct ReadMesh {
    std::array<std::int32_t, 36> h{};  // h[0] is H1
    std::vector<double> vertices;
    std::vector<std::uint32_t> index_stream;
    std::vector<double> normals;
    std::vector<double> palette;
    std::vector<std::uint32_t> colour_indices;
    std::vector<double> bounds;
    std::vector<std::uint32_t> face_ids, group_ids, label_ids, operand_ids;
    std::vector<std::uint32_t> triangles;
    std::vector<std::int8_t> normal_signs;
    std::vector<std::uint32_t> triangle_polygons;
    std::array<std::vector<std::uint32_t>, 3> plain_edges;
    std::array<ReadGroup, 4> groups;  // J, K, L, M
    std::vector<std::uint32_t> extra_values;
    std::string name;
    std::vector<std::uint32_t> label_words_1, label_words_2;
    std::string label_text;
};

struct ReadResult {
    bool ok = false;
    std::string error;        // why reading stopped
    std::int32_t count = 0;   // the file's mesh count
    std::vector<ReadMesh> meshes;
    size_t trailing_bytes = 0;
};

ReadResult read_interop_bytes(const std::string& bytes);
ReadResult read_interop_path(const std::string& path);

// The edge pairs a group stands for, decoded as the inspector decodes them.
std::vector<std::uint32_t> decode_group(const ReadGroup& group);
