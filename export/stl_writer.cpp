#include "export/stl_writer.h"

#include <cmath>

#include "export/export_frame.h"
#include "export/output_encoding.h"

namespace {

constexpr std::endian kBinaryOrder = std::endian::little;
constexpr std::size_t kBinaryHeadBytes = 80;

// Unit normal by the right-hand rule on the corner order; (0, 0, 0) for a
// degenerate triangle. Inline: as a call it took a third of the binary time.
inline Vec3 facet_normal(const Vec3& p0, const Vec3& p1, const Vec3& p2)
{
    const Vec3 e1{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
    const Vec3 e2{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
    Vec3 n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const double square = n.x * n.x + n.y * n.y + n.z * n.z;
    if (square == 0.0) return n;
    const double scale = 1.0 / std::sqrt(square);
    return {n.x * scale, n.y * scale, n.z * scale};
}

// The "x y z" text of every vertex of one mesh, formatted once: a vertex is
// a corner of about six triangles, and number formatting is most of the
// ascii cost.
struct CornerTexts {
    std::vector<char> text;
    std::vector<std::size_t> starts; // vertex k is [starts[k], starts[k + 1])
};

CornerTexts format_corners(const PlacedMesh& mesh)
{
    constexpr std::size_t kTypicalCornerBytes = 32;
    CornerTexts corners;
    corners.text.reserve(std::size_t{mesh.vertex_count} * kTypicalCornerBytes);
    corners.starts.reserve(std::size_t{mesh.vertex_count} + 1);
    corners.starts.push_back(0);
    for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
        const Vec3 p = placed_position(mesh, k);
        char line[3 * kRealTextRoom];
        char* end = put_real(line, p.x);
        *end++ = ' ';
        end = put_real(end, p.y);
        *end++ = ' ';
        end = put_real(end, p.z);
        corners.text.insert(corners.text.end(), line, end);
        corners.starts.push_back(corners.text.size());
    }
    return corners;
}

void write_ascii(OutputFile& out, const std::vector<PlacedMesh>& meshes)
{
    append_text(out, "solid object\n");
    for (const PlacedMesh& mesh : meshes) {
        const CornerTexts corners = format_corners(mesh);
        for_each_face(mesh, EXPORT_TRIANGLES, [&](const std::uint32_t* indices, std::uint32_t) {
            const Vec3 n =
                facet_normal(placed_position(mesh, indices[0]), placed_position(mesh, indices[1]),
                             placed_position(mesh, indices[2]));
            append_text(out, "facet normal ");
            append_real_triple(out, n.x, n.y, n.z);
            append_text(out, "\nouter loop\n");
            for (int i = 0; i < 3; ++i) {
                const std::size_t start = corners.starts[indices[i]];
                append_text(out, "vertex ");
                append_bytes(out, corners.text.data() + start,
                             corners.starts[indices[i] + 1] - start);
                append_char(out, '\n');
            }
            append_text(out, "endloop\nendfacet\n");
        });
    }
    append_text(out, "endsolid object\n");
}

void put_f32_triple(BinaryRecord& record, const Vec3& v)
{
    for (double value : {v.x, v.y, v.z})
        put_f32(record, value, kBinaryOrder);
}

void write_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes)
{
    const char head[kBinaryHeadBytes] = {};
    append_bytes(out, head, sizeof head);
    append_u32(out, static_cast<std::uint32_t>(count_faces(meshes, EXPORT_TRIANGLES)),
               kBinaryOrder);
    for (const PlacedMesh& mesh : meshes) {
        for_each_face(mesh, EXPORT_TRIANGLES, [&](const std::uint32_t* indices, std::uint32_t) {
            const Vec3 corners[3] = {placed_position(mesh, indices[0]),
                                     placed_position(mesh, indices[1]),
                                     placed_position(mesh, indices[2])};
            BinaryRecord record;
            put_f32_triple(record, facet_normal(corners[0], corners[1], corners[2]));
            for (const Vec3& p : corners)
                put_f32_triple(record, p);
            put_u8(record, 0); // attribute byte count, two bytes
            put_u8(record, 0);
            append_record(out, record);
        });
    }
}

} // namespace

bool write_stl(const EntityList& container, const std::string& file_name, bool binary)
{
    const std::vector<PlacedMesh> meshes = collect_visible_meshes(container);
    OutputFile out;
    if (!open_output(out, file_name)) return false;
    if (binary) {
        write_binary(out, meshes);
    } else {
        write_ascii(out, meshes);
    }
    return finish_output(out);
}
