#include "export/shared_sections.h"

#include <charconv>
#include <cstring>

#include "export/output_encoding.h"

namespace {

// The decimal text of every byte value, so a colour channel costs one copy.
struct ByteTexts {
    char text[256][4]; // digits, then the length in the last byte
    constexpr ByteTexts() : text{}
    {
        for (int value = 0; value < 256; ++value) {
            int length = 0;
            if (value >= 100) text[value][length++] = static_cast<char>('0' + value / 100);
            if (value >= 10) text[value][length++] = static_cast<char>('0' + value / 10 % 10);
            text[value][length++] = static_cast<char>('0' + value % 10);
            text[value][3] = static_cast<char>(length);
        }
    }
};
constexpr ByteTexts kByteTexts;

char* put_byte_text(char* at, std::uint8_t value)
{
    std::memcpy(at, kByteTexts.text[value], 3);
    return at + kByteTexts.text[value][3];
}

char* put_real_triple(char* at, const Vec3& v)
{
    at = put_real(at, v.x);
    *at++ = ' ';
    at = put_real(at, v.y);
    *at++ = ' ';
    return put_real(at, v.z);
}

// The most one vertex line can take: six reals, four channels, the blanks.
constexpr std::size_t kVertexLineRoom = 6 * kRealTextRoom + 4 * 4 + 8;

// The most one face line of up to kLineIndices indices can take.
constexpr std::uint32_t kLineIndices = 64;
constexpr std::size_t kIndexTextRoom = 21; // a blank and a 64-bit count

} // namespace

// Each line is built in place in the output buffer, checked once for room.
void write_vertex_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                        std::int32_t topology, bool normals, bool colours)
{
    for (const PlacedMesh& mesh : meshes) {
        for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
            char* const start = reserve_output(out, kVertexLineRoom);
            char* at = put_real_triple(start, placed_position(mesh, k));
            if (normals) {
                *at++ = ' ';
                at = put_real_triple(at, placed_normal(mesh, topology, k));
            }
            if (colours) {
                const Rgba c = vertex_colour(mesh, k);
                // The channels are clamped to 0..1 already: x 255 truncated.
                for (double channel : {c.red, c.green, c.blue, c.alpha}) {
                    *at++ = ' ';
                    at = put_byte_text(at, static_cast<std::uint8_t>(channel * 255.0));
                }
            }
            *at++ = '\n';
            advance_output(out, static_cast<std::size_t>(at - start));
        }
    }
}

namespace {

// The two binary vertex forms: the bytes of one real and of one colour.
struct OffFloats {
    static constexpr std::size_t kReal = 4;
    static constexpr std::size_t kColour = 16;
    static char* real(char* at, double value) { return put_f32<std::endian::big>(at, value); }
    static char* colour(char* at, const Rgba& c)
    {
        for (double channel : {c.red, c.green, c.blue, c.alpha})
            at = put_f32<std::endian::big>(at, channel);
        return at;
    }
};

struct PlyDoubles {
    static constexpr std::size_t kReal = 8;
    static constexpr std::size_t kColour = 4;
    static char* real(char* at, double value) { return put_f64<std::endian::native>(at, value); }
    static char* colour(char* at, const Rgba& c)
    {
        // The channels are clamped to 0..1 already: x 255 truncated.
        for (double channel : {c.red, c.green, c.blue, c.alpha})
            *at++ = static_cast<char>(static_cast<std::uint8_t>(channel * 255.0));
        return at;
    }
};

template <typename Encoding>
char* put_triple(char* at, double x, double y, double z)
{
    at = Encoding::real(at, x);
    at = Encoding::real(at, y);
    return Encoding::real(at, z);
}

// Records of vertices [first, last) read straight from arrays that cover
// them: the pointers are locals, which the stores into the output buffer
// cannot change, so the loop keeps them in registers.
template <typename Encoding, bool Normals, bool Colours>
char* put_direct_records(char* at, const double* positions, const double* normals,
                         const double* colours, std::size_t first, std::size_t last)
{
    for (std::size_t k = first; k < last; ++k) {
        const double* p = positions + k * 3;
        at = put_triple<Encoding>(at, p[0], p[1], p[2]);
        if constexpr (Normals) {
            const double* n = normals + k * 3;
            at = put_triple<Encoding>(at, n[0], n[1], n[2]);
        }
        if constexpr (Colours) {
            const double* c = colours + k * 4;
            at = Encoding::colour(at, Rgba{clamp_unit(c[0]), clamp_unit(c[1]), clamp_unit(c[2]),
                                           clamp_unit(c[3])});
        }
    }
    return at;
}

// The checks of the per-vertex readers, made once per mesh: for a mesh in
// place (3-D, not transformed) whose arrays cover its vertices, the values
// are read straight from the arrays.
template <typename Encoding, bool Normals, bool Colours>
void write_mesh_vertices(OutputFile& out, const PlacedMesh& mesh, std::int32_t topology)
{
    constexpr std::size_t kRecord =
        3 * Encoding::kReal + (Normals ? 3 * Encoding::kReal : 0) + (Colours ? Encoding::kColour : 0);
    const std::uint32_t count = mesh.vertex_count;
    const auto normals = topology == EXPORT_POLYGONS ? mesh.polygon_normals : mesh.triangle_normals;
    const bool direct_positions = !mesh.transformed && mesh.dimension == 3;
    const bool direct_normals = !mesh.transformed && normals.size() >= std::size_t{count} * 3;
    const bool direct_colours = mesh.colours.size() >= std::size_t{count} * 4;
    const double* positions = mesh.positions.data();
    const bool direct = direct_positions && (!Normals || direct_normals) &&
                        (!Colours || direct_colours);
    const std::size_t block = records_per_block(out, kRecord);
    for (std::uint32_t first = 0; first < count;) {
        const std::uint32_t last =
            static_cast<std::uint32_t>(std::min<std::size_t>(count, first + block));
        char* const start = reserve_output(out, (last - first) * kRecord);
        char* at = start;
        if (direct) {
            at = put_direct_records<Encoding, Normals, Colours>(at, positions, normals.data(),
                                                               mesh.colours.data(), first, last);
        }
        for (std::uint32_t k = direct ? last : first; k < last; ++k) {
            if (direct_positions) {
                const double* p = positions + std::size_t{k} * 3;
                at = put_triple<Encoding>(at, p[0], p[1], p[2]);
            } else {
                const Vec3 p = placed_position(mesh, k);
                at = put_triple<Encoding>(at, p.x, p.y, p.z);
            }
            if constexpr (Normals) {
                if (direct_normals) {
                    const double* n = normals.data() + std::size_t{k} * 3;
                    at = put_triple<Encoding>(at, n[0], n[1], n[2]);
                } else {
                    const Vec3 n = placed_normal(mesh, topology, k);
                    at = put_triple<Encoding>(at, n.x, n.y, n.z);
                }
            }
            if constexpr (Colours) {
                if (direct_colours) {
                    const double* c = mesh.colours.data() + std::size_t{k} * 4;
                    at = Encoding::colour(at, Rgba{clamp_unit(c[0]), clamp_unit(c[1]),
                                                   clamp_unit(c[2]), clamp_unit(c[3])});
                } else {
                    at = Encoding::colour(at, vertex_colour(mesh, k));
                }
            }
        }
        advance_output(out, static_cast<std::size_t>(at - start));
        first = last;
    }
}

template <typename Encoding>
void write_vertices_as(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                       const BinaryVertexForm& form)
{
    for (const PlacedMesh& mesh : meshes) {
        if (form.normals && form.colours)
            write_mesh_vertices<Encoding, true, true>(out, mesh, form.topology);
        else if (form.normals)
            write_mesh_vertices<Encoding, true, false>(out, mesh, form.topology);
        else if (form.colours)
            write_mesh_vertices<Encoding, false, true>(out, mesh, form.topology);
        else
            write_mesh_vertices<Encoding, false, false>(out, mesh, form.topology);
    }
}

// The triangles of a mesh whose indices were all checked, in blocks.
template <std::endian Order>
void write_triangles_binary(OutputFile& out, const PlacedMesh& mesh, std::uint32_t first_index,
                            bool colour_count_word)
{
    const std::size_t record = colour_count_word ? 20 : 16;
    const std::uint32_t* indices = mesh.triangle_indices.data();
    const std::size_t count = mesh.triangle_indices.size() / 3;
    const std::size_t block = records_per_block(out, record);
    for (std::size_t first = 0; first < count;) {
        const std::size_t last = std::min(count, first + block);
        char* at = reserve_output(out, (last - first) * record);
        for (std::size_t t = first; t < last; ++t) {
            at = put_u32<Order>(at, 3);
            at = put_u32<Order>(at, indices[3 * t] + first_index);
            at = put_u32<Order>(at, indices[3 * t + 1] + first_index);
            at = put_u32<Order>(at, indices[3 * t + 2] + first_index);
            if (colour_count_word) at = put_u32<Order>(at, 0);
        }
        advance_output(out, (last - first) * record);
        first = last;
    }
}

// Face records straight into the buffer; a polygon longer than the buffer
// holds is split over several reservations.
template <std::endian Order>
void write_faces_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                        std::int32_t topology, bool colour_count_word)
{
    const std::size_t most_words = out.buffer.size() / 4;
    std::uint32_t first_index = 0;
    for (const PlacedMesh& mesh : meshes) {
        if (topology == EXPORT_TRIANGLES && mesh.triangles_sound && !mesh.mirrored) {
            write_triangles_binary<Order>(out, mesh, first_index, colour_count_word);
            first_index += mesh.vertex_count;
            continue;
        }
        for_each_face(mesh, topology, [&](const std::uint32_t* indices, std::uint32_t count) {
            const std::size_t words = std::size_t{count} + 1 + (colour_count_word ? 1 : 0);
            if (words <= most_words) {
                char* const start = reserve_output(out, words * 4);
                char* at = put_u32<Order>(start, count);
                for (std::uint32_t i = 0; i < count; ++i)
                    at = put_u32<Order>(at, indices[i] + first_index);
                if (colour_count_word) at = put_u32<Order>(at, 0);
                advance_output(out, words * 4);
                return;
            }
            append_u32<Order>(out, count);
            for (std::uint32_t i = 0; i < count; ++i)
                append_u32<Order>(out, indices[i] + first_index);
            if (colour_count_word) append_u32<Order>(out, 0);
        });
        first_index += mesh.vertex_count;
    }
}

} // namespace

void write_binary_vertices(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                           const BinaryVertexForm& form)
{
    if (form.encoding == BinaryVertexEncoding::off_floats)
        write_vertices_as<OffFloats>(out, meshes, form);
    else
        write_vertices_as<PlyDoubles>(out, meshes, form);
}

void write_counted_faces_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                                std::int32_t topology, std::endian order, bool colour_count_word)
{
    if (order == std::endian::big)
        write_faces_binary<std::endian::big>(out, meshes, topology, colour_count_word);
    else
        write_faces_binary<std::endian::little>(out, meshes, topology, colour_count_word);
}

void write_counted_faces_text(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                              std::int32_t topology)
{
    std::uint64_t first_index = 0;
    for (const PlacedMesh& mesh : meshes) {
        for_each_face(mesh, topology, [&](const std::uint32_t* indices, std::uint32_t count) {
            if (count > kLineIndices) {
                append_uint(out, count);
                for (std::uint32_t i = 0; i < count; ++i) {
                    append_char(out, ' ');
                    append_uint(out, indices[i] + first_index);
                }
                append_char(out, '\n');
                return;
            }
            char* const start = reserve_output(out, (std::size_t{count} + 1) * kIndexTextRoom + 1);
            char* at = std::to_chars(start, start + kIndexTextRoom, count).ptr;
            for (std::uint32_t i = 0; i < count; ++i) {
                *at++ = ' ';
                at = std::to_chars(at, at + kIndexTextRoom, indices[i] + first_index).ptr;
            }
            *at++ = '\n';
            advance_output(out, static_cast<std::size_t>(at - start));
        });
        first_index += mesh.vertex_count;
    }
}
