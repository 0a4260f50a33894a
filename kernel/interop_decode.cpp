#include "kernel/interop_decode.h"

#include "kernel/interop_colours.h"
#include "kernel/interop_edges.h"

#include <algorithm>

namespace {

bool read_header(ByteCursor& cursor, InteropMeshHeader& header)
{
    std::int32_t* fields[] = {&header.coordinate_count,
                              &header.index_count,
                              &header.header_h3,
                              &header.dimension,
                              &header.normal_count,
                              &header.palette_count,
                              &header.bounds_count,
                              &header.face_id_count,
                              &header.group_id_count,
                              &header.label_id_count,
                              &header.operand_id_count,
                              &header.triangle_index_count,
                              &header.polygon_normal_count,
                              &header.triangle_polygon_count,
                              &header.plain_edge_counts[0],
                              &header.plain_edge_counts[1],
                              &header.plain_edge_counts[2],
                              &header.groups[0].item_count,
                              &header.groups[0].value_count,
                              &header.groups[0].local_count,
                              &header.groups[1].item_count,
                              &header.groups[1].value_count,
                              &header.groups[1].local_count,
                              &header.groups[2].item_count,
                              &header.groups[2].value_count,
                              &header.groups[2].local_count,
                              &header.groups[3].item_count,
                              &header.groups[3].value_count,
                              &header.groups[3].local_count,
                              &header.aux_count,
                              &header.skipped_count,
                              &header.extra_count,
                              &header.unused,
                              &header.name_length,
                              &header.label_word_count,
                              &header.label_text_length};
    static_assert(std::size(fields) == k_interop_header_fields);
    for (std::int32_t* field : fields) {
        if (!read_i32(cursor, *field)) return false;
    }
    return true;
}

// H3, H30 and H33 are carried or ignored; every other field counts elements.
bool header_counts_are_sound(const InteropMeshHeader& header)
{
    const std::int32_t counts[] = {
        header.coordinate_count,     header.index_count,           header.normal_count,
        header.palette_count,        header.bounds_count,          header.face_id_count,
        header.group_id_count,       header.label_id_count,        header.operand_id_count,
        header.triangle_index_count, header.polygon_normal_count,  header.triangle_polygon_count,
        header.plain_edge_counts[0], header.plain_edge_counts[1],  header.plain_edge_counts[2],
        header.groups[0].item_count, header.groups[0].value_count, header.groups[0].local_count,
        header.groups[1].item_count, header.groups[1].value_count, header.groups[1].local_count,
        header.groups[2].item_count, header.groups[2].value_count, header.groups[2].local_count,
        header.groups[3].item_count, header.groups[3].value_count, header.groups[3].local_count,
        header.skipped_count,        header.extra_count,           header.name_length,
        header.label_word_count,     header.label_text_length};
    if (std::any_of(std::begin(counts), std::end(counts), [](std::int32_t c) { return c < 0; }))
        return false;
    return header.dimension >= 1 && header.polygon_normal_count <= header.normal_count / 3;
}

bool uses_32_bit_indices(const InteropMeshHeader& header)
{
    return header.groups[0].item_count > 0;
}

std::size_t vertex_count_of(const InteropMeshHeader& header)
{
    return static_cast<std::size_t>(header.coordinate_count / header.dimension);
}

bool read_index_array(ByteCursor& cursor, const InteropMeshHeader& header, std::int32_t count,
                      std::vector<std::uint32_t>& out)
{
    return uses_32_bit_indices(header) ? read_u32_array(cursor, count, out)
                                       : read_u16_widened(cursor, count, out);
}

template <typename Index> bool all_below(const std::vector<Index>& indices, std::size_t limit)
{
    return std::all_of(indices.begin(), indices.end(),
                       [limit](Index index) { return static_cast<std::size_t>(index) < limit; });
}

// The per-vertex palette indices; their width follows the palette size.
bool read_vertex_colours(ByteCursor& cursor, const InteropMeshHeader& header,
                         const std::vector<double>& palette, InteropMeshData& mesh)
{
    const std::size_t colour_count = static_cast<std::size_t>(header.palette_count) / 4;
    const std::size_t vertex_count = vertex_count_of(header);
    std::vector<std::uint32_t> indices_32;
    std::vector<std::uint16_t> indices_16;
    std::vector<std::uint8_t> indices_8;
    bool read = false;
    bool inside = false;
    if (colour_count < 256) {
        read = read_u8_array(cursor, vertex_count, indices_8);
        inside = all_below(indices_8, colour_count);
    } else if (colour_count < 65536) {
        read = read_u16_array(cursor, vertex_count, indices_16);
        inside = all_below(indices_16, colour_count);
    } else {
        read = read_u32_array(cursor, vertex_count, indices_32);
        inside = all_below(indices_32, colour_count);
    }
    if (!read || !inside) return false;
    mesh.vertex_colours = gather_vertex_blocks(palette, indices_32, indices_16, indices_8);
    return true;
}

bool read_geometry(ByteCursor& cursor, const InteropMeshHeader& header, InteropMeshData& mesh)
{
    std::vector<double> palette;
    if (!read_f64_array(cursor, header.coordinate_count, mesh.vertex_data) ||
        !read_index_array(cursor, header, header.index_count, mesh.index_data) ||
        !read_f64_array(cursor, header.normal_count, mesh.normal_data) ||
        !read_f64_array(cursor, header.palette_count, palette))
        return false;
    if (header.palette_count >= 1 && !read_vertex_colours(cursor, header, palette, mesh))
        return false;
    return read_f64_array(cursor, header.bounds_count, mesh.bounds) &&
           read_u32_array(cursor, header.face_id_count, mesh.face_ids) &&
           read_u32_array(cursor, header.group_id_count, mesh.group_ids) &&
           read_u32_array(cursor, header.label_id_count, mesh.label_ids) &&
           read_u32_array(cursor, header.operand_id_count, mesh.operand_ids);
}

// Polygon normals are the leading normals, negated where their sign byte is.
bool read_polygon_normals(ByteCursor& cursor, const InteropMeshHeader& header,
                          InteropMeshData& mesh)
{
    std::vector<std::int8_t> signs;
    if (!read_i8_array(cursor, header.polygon_normal_count, signs)) return false;
    mesh.polygon_normals.assign(mesh.normal_data.begin(),
                                mesh.normal_data.begin() +
                                    3 * static_cast<std::ptrdiff_t>(signs.size()));
    for (std::size_t i = 0; i < signs.size(); ++i) {
        if (signs[i] >= 0) continue;
        for (std::size_t axis = 0; axis < 3; ++axis)
            mesh.polygon_normals[3 * i + axis] = -mesh.polygon_normals[3 * i + axis];
    }
    return true;
}

bool read_triangles(ByteCursor& cursor, const InteropMeshHeader& header, InteropMeshData& mesh)
{
    if (header.triangle_index_count % 3 != 0 ||
        !read_index_array(cursor, header, header.triangle_index_count, mesh.triangle_indices) ||
        !all_below(mesh.triangle_indices, vertex_count_of(header)))
        return false;
    return read_polygon_normals(cursor, header, mesh) &&
           read_u32_array(cursor, header.triangle_polygon_count, mesh.triangle_polygons);
}

// The plain edge lists are kept only by 16-bit files; 32-bit files carry the
// same edges in their index groups, so the plain copies are passed over.
bool read_plain_edges(ByteCursor& cursor, const InteropMeshHeader& header, InteropMeshData& mesh)
{
    std::vector<std::uint16_t>* lists[] = {&mesh.edge_pairs_1_16, &mesh.edge_pairs_2_16,
                                           &mesh.edge_pairs_3_16};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::int32_t count = header.plain_edge_counts[i];
        if (uses_32_bit_indices(header)) {
            if (!skip_elements(cursor, count, 4)) return false;
        } else if (count % 2 != 0 || !read_u16_array(cursor, count, *lists[i]) ||
                   !all_below(*lists[i], vertex_count_of(header))) {
            return false;
        }
    }
    return true;
}

// The place of one group's three arrays in the file.
bool take_index_group(ByteCursor& cursor, const InteropGroupCounts& counts, IndexGroupBytes& group)
{
    group.item_count = counts.item_count;
    group.value_count = static_cast<std::size_t>(counts.value_count);
    group.local_count_entries =
        counts.local_count >= 1 ? static_cast<std::size_t>(counts.item_count) + 1 : 0;
    group.local_total = static_cast<std::size_t>(counts.local_count);
    return take_elements(cursor, group.value_count, 4, group.values) &&
           take_elements(cursor, group.local_count_entries, 4, group.local_counts) &&
           take_elements(cursor, group.local_total, 2, group.local_indices);
}

// 32-bit files: groups K, L and M become edge lists 1 to 3, decoded where
// they lie in the file (J is not an edge list), then de-duplicated.
bool decode_edge_groups(ByteCursor& cursor, const InteropMeshHeader& header,
                        InteropMeshData& mesh)
{
    std::vector<std::uint32_t>* lists[] = {nullptr, &mesh.edge_pairs_1, &mesh.edge_pairs_2,
                                           &mesh.edge_pairs_3};
    for (std::size_t g = 0; g < 4; ++g) {
        IndexGroupBytes group;
        if (!take_index_group(cursor, header.groups[g], group)) return false;
        if (lists[g] == nullptr) continue;
        if (!decode_index_group(group, vertex_count_of(header), *lists[g]) ||
            lists[g]->size() % 2 != 0)
            return false;
        release_read_pages(cursor);
    }
    remove_duplicate_edges(mesh.edge_pairs_1, mesh.edge_pairs_2, mesh.edge_pairs_3);
    return true;
}

// 16-bit files keep their four groups as they stand.
bool read_index_groups(ByteCursor& cursor, const InteropMeshHeader& header, InteropMeshData& mesh)
{
    for (std::size_t g = 0; g < 4; ++g) {
        const InteropGroupCounts& counts = header.groups[g];
        InteropIndexGroup& group = mesh.index_groups[g];
        group.item_count = counts.item_count;
        const std::uint64_t local_count_entries =
            counts.local_count >= 1 ? static_cast<std::uint64_t>(counts.item_count) + 1 : 0;
        if (!read_u32_array(cursor, counts.value_count, group.values) ||
            !read_u32_array(cursor, local_count_entries, group.local_counts) ||
            !read_u16_array(cursor, counts.local_count, group.local_indices))
            return false;
    }
    return true;
}

bool read_trailer(ByteCursor& cursor, const InteropMeshHeader& header, InteropMeshData& mesh)
{
    return skip_elements(cursor, header.skipped_count, 4) &&
           read_u32_array(cursor, header.extra_count, mesh.extra_values) &&
           read_text(cursor, header.name_length, mesh.mesh_name) &&
           read_u32_array(cursor, header.label_word_count, mesh.label_words_1) &&
           read_u32_array(cursor, header.label_word_count, mesh.label_words_2) &&
           read_u8_array(cursor, header.label_text_length, mesh.label_text);
}

bool read_mesh_record(ByteCursor& cursor, InteropMeshData& mesh)
{
    InteropMeshHeader header;
    if (!read_header(cursor, header) || !header_counts_are_sound(header)) return false;
    mesh.header_h3 = static_cast<std::uint32_t>(header.header_h3);
    mesh.dimension = static_cast<std::uint32_t>(header.dimension);
    mesh.aux_count = header.aux_count;
    mesh.has_aux_count = header.aux_count > 0;
    if (!read_geometry(cursor, header, mesh) || !read_triangles(cursor, header, mesh) ||
        !read_plain_edges(cursor, header, mesh))
        return false;
    const bool groups_read = uses_32_bit_indices(header) ? decode_edge_groups(cursor, header, mesh)
                                                         : read_index_groups(cursor, header, mesh);
    if (!groups_read || !read_trailer(cursor, header, mesh)) return false;
    mesh.vertex_colour_bytes = colour_values_to_bytes(mesh.vertex_colours);
    return true;
}

} // namespace

std::optional<std::vector<InteropMeshData>> decode_interop(ByteCursor& cursor)
{
    std::int32_t mesh_count = 0;
    if (!read_i32(cursor, mesh_count) || mesh_count < 0 ||
        !has_elements(cursor, static_cast<std::uint64_t>(mesh_count), k_interop_header_bytes))
        return std::nullopt;
    // Grown record by record, so memory follows the bytes actually read.
    std::vector<InteropMeshData> meshes;
    for (std::int32_t i = 0; i < mesh_count; ++i) {
        if (!read_mesh_record(cursor, meshes.emplace_back())) return std::nullopt;
    }
    return meshes;
}

std::optional<std::vector<InteropMeshData>> decode_interop_bytes(const std::uint8_t* data,
                                                                 std::size_t size)
{
    ByteCursor cursor = make_memory_cursor(data, size);
    return decode_interop(cursor);
}
