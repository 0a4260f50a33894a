#include "export_fixture.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

template <typename T>
std::vector<T>* optional_array(const std::vector<T>& values) {
  return values.empty() ? nullptr : new std::vector<T>(values);
}

}  // namespace

Mesh* make_mesh(const MeshArrays& arrays) {
  Mesh* mesh = construct_mesh(optional_array(arrays.positions), optional_array(arrays.polygon_stream),
                              0, arrays.dimension);
  mesh->triangle_indices = optional_array(arrays.triangle_indices);
  mesh->polygon_normals = optional_array(arrays.polygon_normals);
  mesh->normal_data = optional_array(arrays.triangle_normals);
  mesh->vertex_colours = optional_array(arrays.colours);
  return mesh;
}

Entity make_single_entity(const MeshArrays& arrays) {
  Entity entity = construct_entity();
  attach_mesh_to_entity(entity, make_mesh(arrays));
  return entity;
}

Entity make_group_entity(const std::vector<MeshArrays>& members) {
  Entity group = construct_entity_as_group(true);
  EntityPointers pointers;
  for (const MeshArrays& arrays : members) pointers.push_back(new Entity(make_single_entity(arrays)));
  assign_group_members(group, pointers, 0, 0);
  return group;
}

std::vector<std::uint32_t> polygon_stream_of(const std::vector<std::vector<std::uint32_t>>& faces) {
  std::vector<std::uint32_t> stream{static_cast<std::uint32_t>(faces.size())};
  for (const auto& face : faces) stream.push_back(static_cast<std::uint32_t>(face.size()));
  for (const auto& face : faces) stream.insert(stream.end(), face.begin(), face.end());
  return stream;
}

Scene::~Scene() { release_entity_meshes(list); }

Entity& Scene::add(Entity entity) {
  list.entities.push_back(std::move(entity));
  list.count = static_cast<std::int32_t>(list.entities.size());
  return list.entities.back();
}

MeshArrays cube_arrays() {
  MeshArrays cube;
  const double corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  for (const auto& c : corners) {
    cube.positions.insert(cube.positions.end(), {c[0], c[1], c[2]});
    cube.polygon_normals.insert(cube.polygon_normals.end(), {c[0] - 0.5, c[1] - 0.5, c[2] - 0.5});
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
    cube.triangle_indices.insert(cube.triangle_indices.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
  }
  return cube;
}

MeshArrays tetrahedron_arrays() {
  MeshArrays tetrahedron;
  tetrahedron.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  tetrahedron.polygon_normals = {0, 0, -1, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  tetrahedron.triangle_normals = tetrahedron.polygon_normals;
  tetrahedron.colours = {0.25, 0.5, 0.75, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1};
  const std::vector<std::vector<std::uint32_t>> faces = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
  tetrahedron.polygon_stream = polygon_stream_of(faces);
  for (const auto& f : faces) tetrahedron.triangle_indices.insert(tetrahedron.triangle_indices.end(), f.begin(), f.end());
  return tetrahedron;
}

void build_fixture_scene(Scene& scene) {
  scene.add(make_single_entity(cube_arrays()));
  Entity& hidden = scene.add(make_single_entity(tetrahedron_arrays()));
  set_entity_visible(hidden, false);
  Entity& moved = scene.add(make_single_entity(tetrahedron_arrays()));
  moved.translation = {2.0, 0.0, 0.0};
}

ScratchDirectory::ScratchDirectory() {
  static std::atomic<int> counter{0};
  path = std::filesystem::path(PLIM_BINARY_DIR) / "export-scratch" /
         (std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::string read_file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
