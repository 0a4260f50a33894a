#include "mesh.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t next_id(const std::vector<std::uint32_t>& ids)
{
    return ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end()) + 1;
}

void append_ids(std::vector<std::uint32_t>& to, const std::vector<std::uint32_t>& from,
                std::uint32_t offset)
{
    for (std::uint32_t id : from)
        to.push_back(id + offset);
}

} // namespace

Vec3 normalised(const Vec3& v)
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length <= 0.0) return v;
    return {v[0] / length, v[1] / length, v[2] / length};
}

std::uint32_t add_vertex(Mesh& mesh, const Vec3& position, const Vec3& normal)
{
    mesh.positions.push_back(position);
    mesh.normals.push_back(normalised(normal));
    mesh.colours.push_back(kDefaultColour);
    mesh.normal_signs.push_back(1);
    return static_cast<std::uint32_t>(mesh.positions.size() - 1);
}

void add_polygon(Mesh& mesh, std::vector<std::uint32_t> corners, std::uint32_t face,
                 std::uint32_t group)
{
    mesh.polygons.push_back(std::move(corners));
    mesh.face_ids.push_back(face);
    mesh.group_ids.push_back(group);
    mesh.operand_ids.push_back(0);
}

void scale_mesh(Mesh& mesh, const Vec3& factors)
{
    for (Vec3& p : mesh.positions)
        for (int axis = 0; axis < 3; ++axis)
            p[axis] *= factors[axis];
    // Normals follow the inverse scale so they stay perpendicular to the surface.
    for (Vec3& n : mesh.normals) {
        for (int axis = 0; axis < 3; ++axis)
            n[axis] = factors[axis] != 0.0 ? n[axis] / factors[axis] : n[axis];
        n = normalised(n);
    }
}

void translate_mesh(Mesh& mesh, const Vec3& offset)
{
    for (Vec3& p : mesh.positions)
        for (int axis = 0; axis < 3; ++axis)
            p[axis] += offset[axis];
}

void rotate_mesh(Mesh& mesh, int axis, double degrees)
{
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    auto turn = [&](Vec3& p) {
        const double pu = p[u];
        const double pv = p[v];
        p[u] = c * pu - s * pv;
        p[v] = s * pu + c * pv;
    };
    std::for_each(mesh.positions.begin(), mesh.positions.end(), turn);
    std::for_each(mesh.normals.begin(), mesh.normals.end(), turn);
}

void colour_mesh(Mesh& mesh, const Rgba& colour)
{
    std::fill(mesh.colours.begin(), mesh.colours.end(), colour);
}

void flip_normal_signs(Mesh& mesh)
{
    for (std::int8_t& sign : mesh.normal_signs)
        sign = static_cast<std::int8_t>(-sign);
}

Mesh join_meshes(const Mesh& left, const Mesh& right)
{
    Mesh joined = left;
    const auto base = static_cast<std::uint32_t>(left.positions.size());
    joined.positions.insert(joined.positions.end(), right.positions.begin(), right.positions.end());
    joined.normals.insert(joined.normals.end(), right.normals.begin(), right.normals.end());
    joined.colours.insert(joined.colours.end(), right.colours.begin(), right.colours.end());
    joined.normal_signs.insert(joined.normal_signs.end(), right.normal_signs.begin(),
                               right.normal_signs.end());
    for (std::vector<std::uint32_t> polygon : right.polygons) {
        for (std::uint32_t& corner : polygon)
            corner += base;
        joined.polygons.push_back(std::move(polygon));
    }
    append_ids(joined.face_ids, right.face_ids, next_id(left.face_ids));
    append_ids(joined.group_ids, right.group_ids, next_id(left.group_ids));
    append_ids(joined.operand_ids, right.operand_ids, next_id(left.operand_ids));
    return joined;
}
