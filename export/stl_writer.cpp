#include "export/stl_writer.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

constexpr std::size_t kBinaryRecordBytes = 50;

// Triangles a batch at a time: the corners go into their records in the
// output buffer as they are gathered and into rows of their own, from which
// the facet normals of the whole batch are computed in one straight loop the
// compiler turns into vector operations, then put in front of the corners.
constexpr std::size_t kBatchTriangles = 256;

// The two edges from the first corner, p1 - p0 and p2 - p0, of each triangle.
struct EdgeRows {
    double row[6][kBatchTriangles]; // e1 x, y, z, e2 x, y, z
};

// A corner goes in as four floats in one 16-byte store: x, y, z and a zero
// that the next field overwrites, or after the last corner the attribute
// byte count (two zero bytes) and two bytes of the next record, written
// later. A batch reserves those two bytes beyond its records.
constexpr std::size_t kCornerSpill = 2;

inline void put_corner(char* at, double x, double y, double z)
{
    if constexpr (std::endian::native != kBinaryOrder) {
        put_f32<kBinaryOrder>(put_f32<kBinaryOrder>(put_f32<kBinaryOrder>(at, x), y), z);
    } else {
#if defined(__SSE2__)
        // Spelled out: the compiler makes two stores of the array below.
        const __m128 xy = _mm_cvtpd_ps(_mm_set_pd(y, x));
        const __m128 z0 = _mm_cvtpd_ps(_mm_set_sd(z));
        _mm_storeu_ps(reinterpret_cast<float*>(at), _mm_movelh_ps(xy, z0));
#else
        const float corner[4] = {static_cast<float>(x), static_cast<float>(y),
                                 static_cast<float>(z), 0.0f};
        std::memcpy(at, corner, sizeof corner);
#endif
    }
}

// Triangle i of a batch: its edges into the rows, its corners into its record.
inline void put_triangle(EdgeRows& rows, char* records, std::size_t i, const Vec3 (&p)[3])
{
    for (std::size_t k = 1; k < 3; ++k) {
        rows.row[3 * k - 3][i] = p[k].x - p[0].x;
        rows.row[3 * k - 2][i] = p[k].y - p[0].y;
        rows.row[3 * k - 1][i] = p[k].z - p[0].z;
    }
    char* at = records + i * kBinaryRecordBytes + 12;
    for (std::size_t k = 0; k < 3; ++k, at += 12)
        put_corner(at, p[k].x, p[k].y, p[k].z);
}

// The same arithmetic as facet_normal, batch-wide; a zero square leaves the
// normal as it is (scale 1). The normals go in front of their corners.
// Square roots and divisions are most of the time: built for AVX2 as well,
// which takes four at a time.
__attribute__((target_clones("avx2", "default"))) void put_batch_normals(const EdgeRows& rows, char* records, std::size_t count)
{
    const auto& e = rows.row;
    float normal[3][kBatchTriangles];
    for (std::size_t i = 0; i < count; ++i) {
        const double e1x = e[0][i], e1y = e[1][i], e1z = e[2][i];
        const double e2x = e[3][i], e2y = e[4][i], e2z = e[5][i];
        const double nx = e1y * e2z - e1z * e2y;
        const double ny = e1z * e2x - e1x * e2z;
        const double nz = e1x * e2y - e1y * e2x;
        const double square = nx * nx + ny * ny + nz * nz;
        const double inverse = 1.0 / std::sqrt(square); // computed for all, chosen below
        const double scale = square == 0.0 ? 1.0 : inverse;
        normal[0][i] = static_cast<float>(nx * scale);
        normal[1][i] = static_cast<float>(ny * scale);
        normal[2][i] = static_cast<float>(nz * scale);
    }
    for (std::size_t i = 0; i < count; ++i) {
        char* at = records + i * kBinaryRecordBytes;
        for (const auto& row : normal)
            at = put_word<kBinaryOrder>(at, std::bit_cast<std::uint32_t>(row[i]));
    }
}

char* reserve_batch(OutputFile& out)
{
    return reserve_output(out, kBatchTriangles * kBinaryRecordBytes + kCornerSpill);
}

// Checked triangles of a mesh in place (3-D, not transformed, not mirrored):
// positions straight from the array, everything the loop uses in locals.
void write_sound_triangles(OutputFile& out, const PlacedMesh& mesh, EdgeRows& rows)
{
    const double* positions = mesh.positions.data();
    const std::uint32_t* indices = mesh.triangle_indices.data();
    const std::size_t triangles = mesh.triangle_indices.size() / 3;
    for (std::size_t first = 0; first < triangles; first += kBatchTriangles) {
        const std::size_t count = std::min(kBatchTriangles, triangles - first);
        char* const records = reserve_batch(out);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t* corners = indices + 3 * (first + i);
            Vec3 p[3];
            for (std::size_t k = 0; k < 3; ++k) {
                const double* at = positions + std::size_t{corners[k]} * 3;
                p[k] = {at[0], at[1], at[2]};
            }
            put_triangle(rows, records, i, p);
        }
        put_batch_normals(rows, records, count);
        advance_output(out, count * kBinaryRecordBytes);
    }
}

// Any other mesh: its faces as the face walk gives them, positions through
// the entity transform.
void write_placed_triangles(OutputFile& out, const PlacedMesh& mesh, EdgeRows& rows)
{
    char* records = nullptr;
    std::size_t count = 0;
    for_each_face(mesh, EXPORT_TRIANGLES, [&](const std::uint32_t* indices, std::uint32_t) {
        if (count == 0) records = reserve_batch(out);
        const Vec3 p[3] = {placed_position(mesh, indices[0]), placed_position(mesh, indices[1]),
                           placed_position(mesh, indices[2])};
        put_triangle(rows, records, count, p);
        if (++count < kBatchTriangles) return;
        put_batch_normals(rows, records, count);
        advance_output(out, count * kBinaryRecordBytes);
        count = 0;
    });
    if (count == 0) return;
    put_batch_normals(rows, records, count);
    advance_output(out, count * kBinaryRecordBytes);
}

void write_binary(OutputFile& out, const std::vector<PlacedMesh>& meshes)
{
    const char head[kBinaryHeadBytes] = {};
    append_bytes(out, head, sizeof head);
    append_u32<kBinaryOrder>(out, static_cast<std::uint32_t>(count_faces(meshes, EXPORT_TRIANGLES)));
    auto rows = std::make_unique<EdgeRows>();
    for (const PlacedMesh& mesh : meshes) {
        if (mesh.triangles_sound && !mesh.transformed && mesh.dimension == 3)
            write_sound_triangles(out, mesh, *rows);
        else
            write_placed_triangles(out, mesh, *rows);
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
