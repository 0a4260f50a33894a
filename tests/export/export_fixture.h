#pragma once

// Scenes for the writer tests, built through the data model's own
// constructors. The fixture scene (cube, hidden entity, translated
// tetrahedron) is the one the golden files under golden/ were written for.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/entity.h"
#include "model/mesh.h"

struct MeshArrays {
  std::vector<double> positions;
  std::uint32_t dimension = 3;
  std::vector<std::uint32_t> polygon_stream;
  std::vector<std::uint32_t> triangle_indices;
  std::vector<double> polygon_normals;
  std::vector<double> triangle_normals;
  std::vector<double> colours;
};

// Empty arrays stay absent (null) in the mesh.
Mesh* make_mesh(const MeshArrays& arrays);
Entity make_single_entity(const MeshArrays& arrays);
// Member entities are heap entities owned by the group, as the loader makes them.
Entity make_group_entity(const std::vector<MeshArrays>& members);

// Polygon stream of faces: count, sizes, indices.
std::vector<std::uint32_t> polygon_stream_of(const std::vector<std::vector<std::uint32_t>>& faces);

// An EntityList that releases its meshes and members when it goes.
struct Scene {
  EntityList list;
  Scene() = default;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;
  ~Scene();
  Entity& add(Entity entity);
};

MeshArrays cube_arrays();
MeshArrays tetrahedron_arrays();
// Cube, a hidden tetrahedron, and a tetrahedron translated by (2, 0, 0).
void build_fixture_scene(Scene& scene);

// A fresh directory under the build tree, removed by the destructor.
struct ScratchDirectory {
  std::filesystem::path path;
  ScratchDirectory();
  ~ScratchDirectory();
  std::string file(const std::string& name) const { return (path / name).string(); }
};

std::string read_file_bytes(const std::string& path);
std::vector<std::string> read_lines(const std::string& path);
