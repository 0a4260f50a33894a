#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The stand-in's own mesh: vertices with one normal and one colour each, and
// polygons with their face, smooth-group and operand ids.

using Vec3 = std::array<double, 3>;
using Rgba = std::array<double, 4>;

inline constexpr Rgba kDefaultColour = {0.8, 0.8, 0.8, 1.0};

struct Mesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Rgba> colours;
    std::vector<std::int8_t> normal_signs; // +1, or -1 where `ix` flipped the polygon normal
    std::vector<std::vector<std::uint32_t>> polygons;
    std::vector<std::uint32_t> face_ids;
    std::vector<std::uint32_t> group_ids;
    std::vector<std::uint32_t> operand_ids;
};

std::uint32_t add_vertex(Mesh& mesh, const Vec3& position, const Vec3& normal);
void add_polygon(Mesh& mesh, std::vector<std::uint32_t> corners, std::uint32_t face,
                 std::uint32_t group);

void scale_mesh(Mesh& mesh, const Vec3& factors);
void translate_mesh(Mesh& mesh, const Vec3& offset);
// Rotates about axis 0 (x), 1 (y) or 2 (z), counter-clockwise looking down the axis.
void rotate_mesh(Mesh& mesh, int axis, double degrees);
void colour_mesh(Mesh& mesh, const Rgba& colour);
void flip_normal_signs(Mesh& mesh);

// The meshes side by side; the right one's ids continue after the left one's.
Mesh join_meshes(const Mesh& left, const Mesh& right);

Vec3 normalised(const Vec3& v);
