#pragma once

// Scenes, writer calls and file helpers shared by the writer tests. The
// fixture scene is the one the golden files under golden/ were written for.

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "export/export_frame.h"
#include "export/export_names.h"
#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "model/entity.h"
#include "model/mesh.h"
#include "tests/platform/test_support.h"

struct MeshArrays {
    std::vector<double> positions;
    std::uint32_t dimension = 3;
    std::vector<std::uint32_t> polygon_stream;
    std::vector<std::uint32_t> triangle_indices;
    std::vector<double> polygon_normals;
    std::vector<double> triangle_normals;
    std::vector<double> colours;
};

// An EntityList that releases its meshes and members when it goes.
struct Scene {
    EntityList list;
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene() { release_entity_meshes(list); }
    Entity& add(Entity entity)
    {
        list.entities.push_back(std::move(entity));
        list.count = static_cast<std::int32_t>(list.entities.size());
        return list.entities.back();
    }
};

// One writer with its options; `name` doubles as the output file name.
struct WriterCall {
    const char* name;
    ExportFormat format;
    std::int32_t topology;
    bool normals, colours, binary;
};

template <typename T> inline std::vector<T>* optional_array(const std::vector<T>& values)
{
    return values.empty() ? nullptr : new std::vector<T>(values);
}

// Polygon stream of faces: count, sizes, indices.
inline std::vector<std::uint32_t>
polygon_stream_of(const std::vector<std::vector<std::uint32_t>>& faces)
{
    std::vector<std::uint32_t> stream{static_cast<std::uint32_t>(faces.size())};
    for (const auto& face : faces)
        stream.push_back(static_cast<std::uint32_t>(face.size()));
    for (const auto& face : faces)
        stream.insert(stream.end(), face.begin(), face.end());
    return stream;
}

inline MeshArrays cube_arrays()
{
    MeshArrays cube;
    const double corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                  {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    for (const auto& c : corners) {
        cube.positions.insert(cube.positions.end(), {c[0], c[1], c[2]});
        cube.polygon_normals.insert(cube.polygon_normals.end(),
                                    {c[0] - 0.5, c[1] - 0.5, c[2] - 0.5});
        cube.triangle_normals.insert(cube.triangle_normals.end(),
                                     {2 * c[0] - 1, 2 * c[1] - 1, 2 * c[2] - 1});
        cube.colours.insert(cube.colours.end(), {c[0], c[1], c[2], 1.0});
    }
    // Components out of range, half alpha and just below 1.
    cube.colours[4 * 6] = 1.5;
    cube.colours[4 * 7 + 3] = 0.5;
    cube.colours[4 * 5] = 0.999;
    const std::vector<std::vector<std::uint32_t>> quads = {
        {0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 4, 7, 3}, {1, 2, 6, 5}};
    cube.polygon_stream = polygon_stream_of(quads);
    for (const auto& q : quads) {
        cube.triangle_indices.insert(cube.triangle_indices.end(),
                                     {q[0], q[1], q[2], q[0], q[2], q[3]});
    }
    return cube;
}

inline MeshArrays tetrahedron_arrays()
{
    MeshArrays t;
    t.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    t.polygon_normals = {0, 0, -1, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    t.triangle_normals = t.polygon_normals;
    t.colours = {0.25, 0.5, 0.75, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1};
    t.triangle_indices = {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3};
    t.polygon_stream = polygon_stream_of({{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}});
    return t;
}

// Empty arrays stay absent (null) in the mesh.
inline Entity make_single_entity(const MeshArrays& arrays)
{
    Mesh* mesh = construct_mesh(optional_array(arrays.positions),
                                optional_array(arrays.polygon_stream), 0, arrays.dimension);
    mesh->triangle_indices = optional_array(arrays.triangle_indices);
    mesh->polygon_normals = optional_array(arrays.polygon_normals);
    mesh->normal_data = optional_array(arrays.triangle_normals);
    mesh->vertex_colours = optional_array(arrays.colours);
    Entity entity = construct_entity();
    attach_mesh_to_entity(entity, mesh);
    return entity;
}

// Members are heap entities owned by the group, as the loader makes them.
inline Entity make_group_entity(const std::vector<MeshArrays>& members)
{
    Entity group = construct_entity_as_group(true);
    EntityPointers pointers;
    for (const MeshArrays& arrays : members)
        pointers.push_back(new Entity(make_single_entity(arrays)));
    assign_group_members(group, pointers, 0, 0);
    return group;
}

inline MeshArrays triangle_arrays()
{
    MeshArrays triangle;
    triangle.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    triangle.polygon_stream = polygon_stream_of({{0, 1, 2}});
    triangle.triangle_indices = {0, 1, 2};
    return triangle;
}

// Cube, a hidden tetrahedron, and a tetrahedron translated by (2, 0, 0).
inline void build_fixture_scene(Scene& scene)
{
    scene.add(make_single_entity(cube_arrays()));
    set_entity_visible(scene.add(make_single_entity(tetrahedron_arrays())), false);
    scene.add(make_single_entity(tetrahedron_arrays())).translation = {2.0, 0.0, 0.0};
}

inline bool write_with(const WriterCall& c, const EntityList& list, const std::string& path)
{
    switch (c.format) {
    case ExportFormat::obj:
        return write_obj(list, path, c.topology, c.normals, c.colours);
    case ExportFormat::off:
        return write_off(list, path, c.topology, c.normals, c.colours, c.binary);
    case ExportFormat::ply:
        return write_ply(list, path, c.topology, c.normals, c.colours, c.binary);
    case ExportFormat::stl:
        return write_stl(list, path, c.binary);
    }
    return false;
}

// Every writer and form, in the flag combinations the golden files under
// golden/ were written for; `name` is the golden file's name.
inline const std::vector<WriterCall> kEveryWriter = {
    {"fixture_NGON.obj", ExportFormat::obj, 0, true, true, false},
    {"fixture_TESS.obj", ExportFormat::obj, 3, false, false, false},
    {"fixture_normals_TESS.obj", ExportFormat::obj, 3, true, false, false},
    {"fixture_NGON.off", ExportFormat::off, 0, true, true, false},
    {"fixture_TESS.off", ExportFormat::off, 3, false, false, false},
    {"fixture_colours_TESS.off", ExportFormat::off, 3, false, true, false},
    {"fixture_binary_TESS.off", ExportFormat::off, 3, true, true, true},
    {"fixture_binary_NGON.off", ExportFormat::off, 0, false, false, true},
    {"fixture_binary_normals_NGON.off", ExportFormat::off, 0, true, false, true},
    {"fixture_binary_colours_TESS.off", ExportFormat::off, 3, false, true, true},
    {"fixture_NGON.ply", ExportFormat::ply, 0, true, true, false},
    {"fixture_binary_TESS.ply", ExportFormat::ply, 3, false, true, true},
    {"fixture_binary_NGON.ply", ExportFormat::ply, 0, true, false, true},
    {"fixture_binary_all_NGON.ply", ExportFormat::ply, 0, true, true, true},
    {"fixture_TESS.ply", ExportFormat::ply, 3, false, false, false},
    {"fixture_colours_TESS.ply", ExportFormat::ply, 3, false, true, false},
    {"fixture_ascii.stl", ExportFormat::stl, 3, false, false, false},
    {"fixture_binary.stl", ExportFormat::stl, 3, false, false, true},
};

inline std::string identifier_of(std::string name)
{
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

inline std::string read_file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::vector<std::string> read_lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A reference file under golden/.
inline std::string read_golden(const std::string& name)
{
    return read_file_bytes(std::string(PLIM_SOURCE_DIR) + "/tests/export/golden/" + name);
}
