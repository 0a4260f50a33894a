#pragma once

// The binary interop mesh file the kernel writes after an assemble run, as
// the inspector reads it: int32 mesh count N, then N records, each a header
// of 36 int32 fields followed by the arrays the header counts. Little-endian,
// no magic number, no version. Counts are element counts, not byte counts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::size_t k_interop_header_fields = 36;
inline constexpr std::size_t k_interop_header_bytes = k_interop_header_fields * 4;

// Sizes of one compressed index group (J, K, L or M) as the header gives them.
struct InteropGroupCounts {
    std::int32_t item_count = 0;
    std::int32_t value_count = 0;
    std::int32_t local_count = 0;
};

// The 36 header fields in file order (H1 to H36).
struct InteropMeshHeader {
    std::int32_t coordinate_count = 0;               // H1: f64 vertex values
    std::int32_t index_count = 0;                    // H2: polygon index stream entries
    std::int32_t header_h3 = 0;                      // H3: carried unchanged
    std::int32_t dimension = 0;                      // H4: values per vertex
    std::int32_t normal_count = 0;                   // H5: f64 values, three per normal
    std::int32_t palette_count = 0;                  // H6: f64 values, four per colour
    std::int32_t bounds_count = 0;                   // H7
    std::int32_t face_id_count = 0;                  // H8
    std::int32_t group_id_count = 0;                 // H9
    std::int32_t label_id_count = 0;                 // H10
    std::int32_t operand_id_count = 0;               // H11
    std::int32_t triangle_index_count = 0;           // H12
    std::int32_t polygon_normal_count = 0;           // H13: one sign byte each
    std::int32_t triangle_polygon_count = 0;         // H14
    std::array<std::int32_t, 3> plain_edge_counts{}; // H15-H17
    // H18-H29. Group J's item count (H18) doubles as the index width
    // selector: above 0 for 32-bit indices, 0 for 16-bit ones.
    std::array<InteropGroupCounts, 4> groups{};
    std::int32_t aux_count = 0;         // H30
    std::int32_t skipped_count = 0;     // H31: u32 values dropped
    std::int32_t extra_count = 0;       // H32: u32 values kept
    std::int32_t unused = 0;            // H33
    std::int32_t name_length = 0;       // H34
    std::int32_t label_word_count = 0;  // H35: entries of each label list
    std::int32_t label_text_length = 0; // H36
};

// A compressed list of vertex indices grouped by item. `values` opens with
// item_count + 1 header entries (entry k + 1: value count of item k), then
// the items' value tables back to back; `local_counts` entry k + 1 is the
// number of local indices of item k; each local index points into its own
// item's value table.
struct InteropIndexGroup {
    std::int32_t item_count = 0;
    std::vector<std::uint32_t> values;
    std::vector<std::uint32_t> local_counts;
    std::vector<std::uint16_t> local_indices;
};

// One mesh record, decoded and checked; an empty vector is an absent array.
struct InteropMeshData {
    std::vector<double> vertex_data;
    std::vector<std::uint32_t> index_data;
    std::uint32_t header_h3 = 0;
    std::uint32_t dimension = 0;
    std::vector<double> normal_data;
    std::vector<double> vertex_colours;
    std::vector<double> bounds;
    std::vector<std::uint32_t> face_ids;
    std::vector<std::uint32_t> group_ids;
    std::vector<std::uint32_t> label_ids;
    std::vector<std::uint32_t> operand_ids;
    std::vector<std::uint32_t> triangle_indices;
    std::vector<double> polygon_normals;
    std::vector<std::uint32_t> triangle_polygons;
    // 32-bit files: decoded from groups K, L and M and de-duplicated.
    std::vector<std::uint32_t> edge_pairs_1;
    std::vector<std::uint32_t> edge_pairs_2;
    std::vector<std::uint32_t> edge_pairs_3;
    // 16-bit files: the plain edge lists and the raw groups J, K, L, M.
    std::vector<std::uint16_t> edge_pairs_1_16;
    std::vector<std::uint16_t> edge_pairs_2_16;
    std::vector<std::uint16_t> edge_pairs_3_16;
    std::array<InteropIndexGroup, 4> index_groups{};
    std::int32_t aux_count = 0;
    bool has_aux_count = false;
    std::vector<std::uint32_t> extra_values;
    std::vector<std::uint8_t> vertex_colour_bytes;
    std::string mesh_name;
    std::vector<std::uint32_t> label_words_1;
    std::vector<std::uint32_t> label_words_2;
    std::vector<std::uint8_t> label_text;
};
