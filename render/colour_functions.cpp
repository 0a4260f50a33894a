#include "render/colour_functions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "platform/entity_palette.h"
#include "platform/numeric.h"

namespace {

constexpr double NEUTRAL_GREY = 0.5;
constexpr double MISSING = std::numeric_limits<double>::quiet_NaN();

using Colours = std::vector<Vec3d>;

double dot(const Vec3d& a, const Vec3d& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double distance(const Vec3d& a, const Vec3d& b)
{
    const Vec3d d{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return std::sqrt(dot(d, d));
}

Vec3d normal_at(const std::vector<float>& normals, std::uint32_t v)
{
    const std::size_t at = std::size_t{v} * 3;
    return {normals[at], normals[at + 1], normals[at + 2]};
}

// The vertex normals at unit length (the mesh's own may not be).
std::vector<float> unit_normals(const Mesh& mesh)
{
    std::vector<float> normals = vertex_normals(mesh);
    for (std::size_t i = 0; i + 2 < normals.size(); i += 3) {
        const float length = std::sqrt(normals[i] * normals[i] + normals[i + 1] * normals[i + 1] +
                                       normals[i + 2] * normals[i + 2]);
        if (!(length > 0.0f) || !std::isfinite(length)) {
            normals[i] = normals[i + 1] = normals[i + 2] = 0.0f;
            continue;
        }
        for (std::size_t c = 0; c < 3; ++c)
            normals[i + c] /= length;
    }
    return normals;
}

bool is_zero(const Vec3d& v)
{
    return v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0;
}

// Values to ramp colours, each scaled from [low, high] to [0, 1]; a missing
// (NaN) value, and every value of an empty range, gives neutral grey.
Colours ramp_values(const std::vector<double>& values, const ColourSettings& settings, bool rescale)
{
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (double v : values)
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    Colours colours(values.size(), Vec3d{NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY});
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) continue;
        double t = values[i];
        if (rescale) t = high > low ? (t - low) / (high - low) : 0.5;
        t = std::clamp(t, 0.0, 1.0);
        colours[i] = ramp_colour(settings.negate ? 1.0 - t : t, settings.multi_channel);
    }
    return colours;
}

Vec3d palette_colour(std::int64_t id)
{
    if (id < 0) return {NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY};
    const std::size_t at = static_cast<std::size_t>(id % kEntityPaletteSize) * 4;
    return {g_entity_palette[at], g_entity_palette[at + 1], g_entity_palette[at + 2]};
}

std::vector<double> elevation_values(const Mesh& mesh, std::uint32_t vertices)
{
    std::vector<double> values(vertices);
    for (std::uint32_t v = 0; v < vertices; ++v)
        values[v] = mesh_position(mesh, v)[1];
    return values;
}

std::vector<double> depth_values(const Mesh& mesh, std::uint32_t vertices, const Vec3d& eye)
{
    std::vector<double> values(vertices);
    for (std::uint32_t v = 0; v < vertices; ++v)
        values[v] = distance(mesh_position(mesh, v), eye);
    return values;
}

// 1 for a vertical surface, 0 for a horizontal one.
std::vector<double> verticality_values(const std::vector<float>& normals, std::uint32_t vertices)
{
    std::vector<double> values(vertices, MISSING);
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const Vec3d n = normal_at(normals, v);
        if (!is_zero(n)) values[v] = 1.0 - std::fabs(n[1]);
    }
    return values;
}

Colours normal_colours(const std::vector<float>& normals, std::uint32_t vertices,
                       const ColourSettings& settings)
{
    Colours colours(vertices, Vec3d{NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY});
    for (std::uint32_t v = 0; v < vertices; ++v) {
        const Vec3d n = normal_at(normals, v);
        if (is_zero(n)) continue;
        Vec3d c{(n[0] + 1.0) / 2.0, (n[1] + 1.0) / 2.0, (n[2] + 1.0) / 2.0};
        if (!settings.multi_channel) c = {c[1], c[1], c[1]};
        if (settings.negate)
            for (double& x : c)
                x = 1.0 - x;
        colours[v] = c;
    }
    return colours;
}

// Per vertex the largest distance of a polygon's vertices from its plane,
// over the polygon's longest edge: 0 for planar polygons.
std::vector<double> planarity_values(const Mesh& mesh, std::uint32_t vertices)
{
    std::vector<double> values(vertices, MISSING);
    for_each_polygon(mesh, [&](std::uint32_t, const std::uint32_t* indices, std::uint32_t count) {
        const Vec3d n = polygon_normal(mesh, indices, count);
        const Vec3d origin = mesh_position(mesh, indices[0]);
        double deviation = 0.0;
        double longest = 0.0;
        for (std::uint32_t i = 0; i < count; ++i) {
            const Vec3d p = mesh_position(mesh, indices[i]);
            deviation =
                std::max(deviation,
                         std::fabs(dot({p[0] - origin[0], p[1] - origin[1], p[2] - origin[2]}, n)));
            longest = std::max(longest, distance(p, mesh_position(mesh, indices[(i + 1) % count])));
        }
        const double ratio = longest > 0.0 ? std::min(1.0, deviation / longest) : 0.0;
        for (std::uint32_t i = 0; i < count; ++i) {
            double& value = values[indices[i]];
            value = std::isfinite(value) ? std::max(value, ratio) : ratio;
        }
    });
    return values;
}

// Per vertex the largest angle between its normal and its polygons' normals,
// a right angle and more reading 1.
std::vector<double> curvature_values(const Mesh& mesh, const std::vector<float>& normals,
                                     std::uint32_t vertices)
{
    // The smallest cosine per vertex first: one arc cosine per vertex.
    std::vector<double> cosines(vertices, 2.0);
    for_each_polygon(mesh, [&](std::uint32_t, const std::uint32_t* indices, std::uint32_t count) {
        const Vec3d face = polygon_normal(mesh, indices, count);
        if (is_zero(face)) return;
        for (std::uint32_t i = 0; i < count; ++i) {
            const Vec3d n = normal_at(normals, indices[i]);
            if (!is_zero(n)) cosines[indices[i]] = std::min(cosines[indices[i]], dot(n, face));
        }
    });
    std::vector<double> values(vertices, MISSING);
    for (std::uint32_t v = 0; v < vertices; ++v)
        if (cosines[v] <= 1.5) {
            const double angle = std::acos(std::clamp(cosines[v], -1.0, 1.0));
            values[v] = std::min(1.0, angle / (std::numbers::pi / 2.0));
        }
    return values;
}

// Per vertex the worst of its triangles' 4 sqrt(3) area / sum of squared
// edges: 1 for an equilateral triangle, 0 for a degenerate one.
std::vector<double> quality_values(const Mesh& mesh, std::uint32_t vertices)
{
    std::vector<double> values(vertices, MISSING);
    const std::vector<std::uint32_t> triangles = valid_triangle_indices(mesh);
    for (std::size_t t = 0; t < triangles.size(); t += 3) {
        const Vec3d a = mesh_position(mesh, triangles[t]);
        const Vec3d b = mesh_position(mesh, triangles[t + 1]);
        const Vec3d c = mesh_position(mesh, triangles[t + 2]);
        const Vec3d ab{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const Vec3d ac{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec3d n{ab[1] * ac[2] - ab[2] * ac[1], ab[2] * ac[0] - ab[0] * ac[2],
                      ab[0] * ac[1] - ab[1] * ac[0]};
        const double area = std::sqrt(dot(n, n)) / 2.0;
        const double bc = distance(b, c);
        const double squares = dot(ab, ab) + dot(ac, ac) + bc * bc;
        const double q = squares > 0.0 ? 4.0 * std::sqrt(3.0) * area / squares : 0.0;
        for (int k = 0; k < 3; ++k) {
            double& value = values[triangles[t + k]];
            value = std::isfinite(value) ? std::min(value, q) : q;
        }
    }
    return values;
}

// Count of polygons (or triangles) at each vertex over the largest count.
std::vector<double> valence_values(const Mesh& mesh, std::uint32_t vertices, bool polygons)
{
    std::vector<double> counts(vertices, 0.0);
    if (polygons) {
        for_each_polygon(mesh,
                         [&](std::uint32_t, const std::uint32_t* indices, std::uint32_t count) {
                             for (std::uint32_t i = 0; i < count; ++i)
                                 counts[indices[i]] += 1.0;
                         });
    } else {
        for (std::uint32_t index : valid_triangle_indices(mesh))
            counts[index] += 1.0;
    }
    const double most = counts.empty() ? 0.0 : *std::max_element(counts.begin(), counts.end());
    if (!(most > 0.0)) return std::vector<double>(vertices, MISSING);
    for (double& c : counts)
        c /= most;
    return counts;
}

std::vector<double> order_values(std::uint32_t vertices)
{
    std::vector<double> values(vertices, 0.0);
    for (std::uint32_t v = 0; v < vertices; ++v)
        values[v] = vertices > 1 ? static_cast<double>(v) / (vertices - 1) : 0.0;
    return values;
}

// Each vertex takes the palette colour of the id of the last polygon that
// uses it; polygons without an id leave their vertices grey.
Colours polygon_id_colours(const Mesh& mesh, const U32Array* ids, std::uint32_t vertices)
{
    Colours colours(vertices, Vec3d{NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY});
    if (ids == nullptr) return colours;
    for_each_polygon(mesh,
                     [&](std::uint32_t polygon, const std::uint32_t* indices, std::uint32_t count) {
                         if (polygon >= ids->size()) return;
                         const Vec3d colour = palette_colour((*ids)[polygon]);
                         for (std::uint32_t i = 0; i < count; ++i)
                             colours[indices[i]] = colour;
                     });
    return colours;
}

Colours function_colours(const ColourSettings& settings, const Mesh& mesh)
{
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    switch (settings.function) {
    case ColourModeId::ELEVATION:
        return ramp_values(elevation_values(mesh, vertices), settings, true);
    case ColourModeId::DEPTH:
        return ramp_values(depth_values(mesh, vertices, settings.eye), settings, true);
    case ColourModeId::NORMAL:
        return normal_colours(unit_normals(mesh), vertices, settings);
    case ColourModeId::VERTICALITY:
        return ramp_values(verticality_values(unit_normals(mesh), vertices), settings, false);
    case ColourModeId::PLANARITY:
        return ramp_values(planarity_values(mesh, vertices), settings, false);
    case ColourModeId::CURVATURE:
        return ramp_values(curvature_values(mesh, unit_normals(mesh), vertices), settings, false);
    case ColourModeId::QUALITY:
        return ramp_values(quality_values(mesh, vertices), settings, false);
    case ColourModeId::VALENCE_NGON:
        return ramp_values(valence_values(mesh, vertices, true), settings, false);
    case ColourModeId::VALENCE_TESS:
        return ramp_values(valence_values(mesh, vertices, false), settings, false);
    case ColourModeId::DECLARATION_ORDER:
        return ramp_values(order_values(vertices), settings, false);
    case ColourModeId::OPERAND:
        return polygon_id_colours(mesh, mesh.operand_ids, vertices);
    case ColourModeId::FACEID:
        return polygon_id_colours(mesh, mesh.face_ids, vertices);
    case ColourModeId::GROUPID:
        return polygon_id_colours(mesh, mesh.group_ids, vertices);
    case ColourModeId::ELEMENTID:
        return Colours(vertices, palette_colour(mesh.result_index));
    case ColourModeId::BATCHID:
        return Colours(vertices, palette_colour(mesh.batch_id));
    default:
        return Colours(vertices, Vec3d{NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY});
    }
}

// The mesh's own colour of vertex v, neutral grey beyond its colour array.
Vec3d own_colour(const Mesh& mesh, std::uint32_t v)
{
    const std::size_t at = std::size_t{v} * 4;
    if (mesh.vertex_colours == nullptr || at + 2 >= mesh.vertex_colours->size())
        return {NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY};
    const F64Array& c = *mesh.vertex_colours;
    return {c[at], c[at + 1], c[at + 2]};
}

std::uint8_t own_alpha(const Mesh& mesh, std::uint32_t v)
{
    const std::size_t at = std::size_t{v} * 4 + 3;
    if (mesh.vertex_colours == nullptr || at >= mesh.vertex_colours->size()) return 255;
    return colour_to_byte((*mesh.vertex_colours)[at]);
}

Colours scheme_colours(const ColourSettings& settings, const Mesh& mesh, std::size_t entries)
{
    Colours colours;
    switch (settings.scheme) {
    case 1:
        return Colours(entries, Vec3d{0.25, 0.25, 0.25});
    case 2:
        return Colours(entries, Vec3d{1.0, 1.0, 1.0});
    case 3:
        colours = function_colours(settings, mesh);
        colours.resize(entries, Vec3d{NEUTRAL_GREY, NEUTRAL_GREY, NEUTRAL_GREY});
        return colours;
    default:
        colours.resize(entries);
        for (std::size_t v = 0; v < entries; ++v)
            colours[v] = own_colour(mesh, static_cast<std::uint32_t>(v));
        return colours;
    }
}

} // namespace

Vec3d ramp_colour(double t, bool multi_channel)
{
    if (!multi_channel) return {t, t, t};
    hsv_to_rgb(0.9 * t, 1.0, 1.0);
    return {g_hsv_colour.red, g_hsv_colour.green, g_hsv_colour.blue};
}

void apply_colour_function(const ColourSettings& settings, Mesh& mesh)
{
    if (mesh.vertex_colour_bytes == nullptr) mesh.vertex_colour_bytes = new U8Array();
    U8Array& bytes = *mesh.vertex_colour_bytes;
    // Without vertices the byte array keeps its length: there is still
    // something to fill, and nothing to read positions from.
    const std::uint32_t vertices = mesh_vertex_count(mesh);
    const std::size_t entries =
        vertices > 0 || mesh.vertex_data != nullptr ? vertices : bytes.size() / 4;
    bytes.resize(entries * 4, 255);
    const Colours colours = scheme_colours(settings, mesh, entries);
    for (std::size_t v = 0; v < entries; ++v) {
        std::uint8_t* out = bytes.data() + v * 4;
        for (int c = 0; c < 3; ++c) {
            const std::uint8_t byte = colour_to_byte(colours[v][c]);
            out[c] = settings.inverted ? static_cast<std::uint8_t>(255 - byte) : byte;
        }
        out[3] = settings.transparent ? TRANSPARENT_ALPHA
                                      : own_alpha(mesh, static_cast<std::uint32_t>(v));
    }
    mesh.colours_pending = 1;
}

std::array<std::uint32_t, 10> build_function_palette(bool multi_channel)
{
    std::array<std::uint32_t, 10> swatches{};
    for (int i = 0; i < 10; ++i) {
        const Vec3d c =
            multi_channel ? ramp_colour(i / 9.0, true) : Vec3d{i / 10.0, i / 10.0, i / 10.0};
        swatches[static_cast<std::size_t>(i)] =
            0xFF000000u | (std::uint32_t{colour_to_byte(c[0])} << 16) |
            (std::uint32_t{colour_to_byte(c[1])} << 8) | colour_to_byte(c[2]);
    }
    return swatches;
}
