#include "primitives.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

int clamp_segments(int segments)
{
    return std::clamp(segments, kMinSegments, kMaxSegments);
}

// Corner k of the box has x, y, z signs from bits 0, 1 and 2.
Vec3 corner_signs(int k)
{
    return {k & 1 ? 1.0 : -1.0, k & 2 ? 1.0 : -1.0, k & 4 ? 1.0 : -1.0};
}

// The six faces by corner index, counter-clockwise seen from outside.
constexpr std::uint32_t kBoxFaces[6][4] = {
    {0, 4, 6, 2}, {1, 3, 7, 5}, // -x, +x
    {0, 1, 5, 4}, {2, 6, 7, 3}, // -y, +y
    {0, 2, 3, 1}, {4, 5, 7, 6}, // -z, +z
};

} // namespace

Mesh make_box(double width, double height, double depth)
{
    Mesh mesh;
    for (int k = 0; k < 8; ++k) {
        const Vec3 s = corner_signs(k);
        add_vertex(mesh, {s[0] * width / 2, s[1] * height / 2, s[2] * depth / 2}, s);
    }
    for (std::uint32_t face = 0; face < 6; ++face)
        add_polygon(
            mesh, {kBoxFaces[face][0], kBoxFaces[face][1], kBoxFaces[face][2], kBoxFaces[face][3]},
            face, face);
    return mesh;
}

Mesh make_split_cube()
{
    Mesh mesh;
    for (std::uint32_t face = 0; face < 6; ++face) {
        Vec3 normal = {0, 0, 0};
        normal[face / 2] = face % 2 ? 1.0 : -1.0;
        std::vector<std::uint32_t> corners;
        for (std::uint32_t k : kBoxFaces[face]) {
            const Vec3 s = corner_signs(static_cast<int>(k));
            corners.push_back(add_vertex(mesh, {s[0] / 2, s[1] / 2, s[2] / 2}, normal));
        }
        add_polygon(mesh, corners, face, face);
    }
    return mesh;
}

Mesh make_sphere(double radius)
{
    constexpr int kSegments = 12;
    constexpr int kRings = 8;
    Mesh mesh;
    const std::uint32_t south = add_vertex(mesh, {0, -radius, 0}, {0, -1, 0});
    for (int ring = 1; ring < kRings; ++ring) {
        const double polar = kPi * ring / kRings;
        for (int segment = 0; segment < kSegments; ++segment) {
            const double azimuth = 2 * kPi * segment / kSegments;
            const Vec3 direction = {std::sin(polar) * std::cos(azimuth), -std::cos(polar),
                                    std::sin(polar) * std::sin(azimuth)};
            add_vertex(mesh, {direction[0] * radius, direction[1] * radius, direction[2] * radius},
                       direction);
        }
    }
    const std::uint32_t north = add_vertex(mesh, {0, radius, 0}, {0, 1, 0});
    auto at = [](int ring, int segment) {
        return static_cast<std::uint32_t>(1 + (ring - 1) * kSegments + segment % kSegments);
    };
    std::uint32_t face = 0;
    for (int segment = 0; segment < kSegments; ++segment) {
        // Counter-clockwise seen from outside, like the normals.
        add_polygon(mesh, {south, at(1, segment), at(1, segment + 1)}, face++, 0);
        for (int ring = 1; ring + 1 < kRings; ++ring)
            add_polygon(mesh,
                        {at(ring, segment), at(ring + 1, segment), at(ring + 1, segment + 1),
                         at(ring, segment + 1)},
                        face++, 0);
        add_polygon(mesh, {at(kRings - 1, segment + 1), at(kRings - 1, segment), north}, face++, 0);
    }
    return mesh;
}

Mesh make_cylinder(double radius, double height, int segments)
{
    const int n = clamp_segments(segments);
    Mesh mesh;
    for (int level = 0; level < 2; ++level)
        for (int k = 0; k < n; ++k) {
            const double angle = 2 * kPi * k / n;
            const Vec3 radial = {std::cos(angle), 0, std::sin(angle)};
            add_vertex(mesh, {radius * radial[0], level * height, radius * radial[2]}, radial);
        }
    const auto count = static_cast<std::uint32_t>(n);
    std::uint32_t face = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t next = (k + 1) % count;
        add_polygon(mesh, {k, count + k, count + next, next}, face++, 0);
    }
    std::vector<std::uint32_t> bottom;
    std::vector<std::uint32_t> top;
    for (std::uint32_t k = 0; k < count; ++k) {
        bottom.push_back(k);
        top.push_back(2 * count - 1 - k);
    }
    add_polygon(mesh, bottom, face++, 1);
    add_polygon(mesh, top, face, 2);
    return mesh;
}

Mesh make_cone(double radius, double height, int segments)
{
    const int n = clamp_segments(segments);
    Mesh mesh;
    for (int k = 0; k < n; ++k) {
        const double angle = 2 * kPi * k / n;
        add_vertex(mesh, {radius * std::cos(angle), 0, radius * std::sin(angle)},
                   {height * std::cos(angle), radius, height * std::sin(angle)});
    }
    const std::uint32_t apex = add_vertex(mesh, {0, height, 0}, {0, 1, 0});
    const auto count = static_cast<std::uint32_t>(n);
    std::vector<std::uint32_t> base;
    for (std::uint32_t k = 0; k < count; ++k) {
        add_polygon(mesh, {k, apex, (k + 1) % count}, k, 0);
        base.push_back(k);
    }
    add_polygon(mesh, base, count, 1);
    return mesh;
}

Mesh make_torus(double major_radius, double minor_radius, int major_segments, int minor_segments)
{
    const int n = clamp_segments(major_segments);
    const int m = clamp_segments(minor_segments);
    Mesh mesh;
    for (int i = 0; i < n; ++i) {
        const double around = 2 * kPi * i / n;
        for (int j = 0; j < m; ++j) {
            const double tube = 2 * kPi * j / m;
            const Vec3 normal = {std::cos(tube) * std::cos(around), std::sin(tube),
                                 std::cos(tube) * std::sin(around)};
            const double reach = major_radius + minor_radius * std::cos(tube);
            add_vertex(
                mesh,
                {reach * std::cos(around), minor_radius * std::sin(tube), reach * std::sin(around)},
                normal);
        }
    }
    auto at = [&](int i, int j) { return static_cast<std::uint32_t>((i % n) * m + j % m); };
    std::uint32_t face = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j)
            add_polygon(mesh, {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)}, face++, 0);
    return mesh;
}
