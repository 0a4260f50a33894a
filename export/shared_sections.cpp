#include "export/shared_sections.h"

#include "export/output_encoding.h"
#include "model/mesh.h"

void write_vertex_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                        std::int32_t topology, bool normals, bool colours)
{
    for (const PlacedMesh& mesh : meshes) {
        for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
            const Vec3 p = placed_position(mesh, k);
            append_real_triple(out, p.x, p.y, p.z);
            if (normals) {
                const Vec3 n = placed_normal(mesh, topology, k);
                append_char(out, ' ');
                append_real_triple(out, n.x, n.y, n.z);
            }
            if (colours) {
                const Rgba c = vertex_colour(mesh, k);
                for (double channel : {c.red, c.green, c.blue, c.alpha}) {
                    append_char(out, ' ');
                    append_uint(out, colour_to_byte(channel));
                }
            }
            append_char(out, '\n');
        }
    }
}

namespace {

void put_real(BinaryRecord& record, double value, const BinaryVertexForm& form)
{
    if (form.double_reals)
        put_f64(record, value, form.order);
    else
        put_f32(record, value, form.order);
}

void put_colour(BinaryRecord& record, double value, const BinaryVertexForm& form)
{
    if (form.colour_bytes)
        put_u8(record, colour_to_byte(value));
    else
        put_f32(record, value, form.order);
}

} // namespace

void write_binary_vertices(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                           const BinaryVertexForm& form)
{
    for (const PlacedMesh& mesh : meshes) {
        for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
            BinaryRecord record;
            const Vec3 p = placed_position(mesh, k);
            for (double value : {p.x, p.y, p.z})
                put_real(record, value, form);
            if (form.normals) {
                const Vec3 n = placed_normal(mesh, form.topology, k);
                for (double value : {n.x, n.y, n.z})
                    put_real(record, value, form);
            }
            if (form.colours) {
                const Rgba c = vertex_colour(mesh, k);
                for (double value : {c.red, c.green, c.blue, c.alpha})
                    put_colour(record, value, form);
            }
            append_record(out, record);
        }
    }
}

void write_counted_faces_text(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                              std::int32_t topology)
{
    std::uint64_t first_index = 0;
    for (const PlacedMesh& mesh : meshes) {
        for_each_face(mesh, topology, [&](const std::uint32_t* indices, std::uint32_t count) {
            append_uint(out, count);
            for (std::uint32_t i = 0; i < count; ++i) {
                append_char(out, ' ');
                append_uint(out, indices[i] + first_index);
            }
            append_char(out, '\n');
        });
        first_index += mesh.vertex_count;
    }
}

void write_counted_faces_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                                std::int32_t topology, std::endian order, bool colour_count_word)
{
    std::uint32_t first_index = 0;
    BinaryRecord record;
    // Long polygons do not fit one record: full records are written as they fill.
    const auto put = [&](std::uint32_t word) {
        if (record.size + sizeof word > BinaryRecord::kCapacity) {
            append_record(out, record);
            record.size = 0;
        }
        put_u32(record, word, order);
    };
    for (const PlacedMesh& mesh : meshes) {
        for_each_face(mesh, topology, [&](const std::uint32_t* indices, std::uint32_t count) {
            record.size = 0;
            put(count);
            for (std::uint32_t i = 0; i < count; ++i)
                put(indices[i] + first_index);
            if (colour_count_word) put(0);
            append_record(out, record);
        });
        first_index += mesh.vertex_count;
    }
}
