// STL facets: normals from the corner positions, the binary layout, and the
// triangle count taken from what is written.

#include <gtest/gtest.h>

#include <cstring>

#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

std::uint32_t u32_at(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

float f32_at(const std::string& bytes, std::size_t offset) {
  float value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

MeshArrays triangles_arrays(const std::vector<double>& positions,
                            const std::vector<std::uint32_t>& indices) {
  MeshArrays arrays;
  arrays.positions = positions;
  arrays.triangle_indices = indices;
  return arrays;
}

TEST(StlWriter, FacetNormalsFollowTheCornerOrderAndDegenerateOnesAreZero) {
  Scene scene;
  scene.add(make_single_entity(triangles_arrays(
      {0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 2, 2, 4, 4, 4},
      {0, 1, 2, 0, 2, 1, 3, 3, 3, 0, 3, 4})));  // ccw, cw, one point, one line
  ScratchDirectory scratch;
  const std::string path = scratch.file("normals.stl");
  ASSERT_TRUE(write_stl(scene.list, path, false));

  std::vector<std::string> normals;
  for (const auto& line : read_lines(path)) {
    if (line.rfind("facet normal ", 0) == 0) normals.push_back(line.substr(13));
  }
  EXPECT_EQ(normals, (std::vector<std::string>{"0 0 1", "0 0 -1", "0 0 0", "0 0 0"}));
}

TEST(StlWriter, BinaryLayoutIsHeadCountAndFiftyBytesPerTriangle) {
  Scene scene;
  build_fixture_scene(scene);
  scene.add(make_single_entity(triangles_arrays({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2, 0, 1, 9})));
  ScratchDirectory scratch;
  const std::string path = scratch.file("layout.stl");
  ASSERT_TRUE(write_stl(scene.list, path, true));

  const std::string bytes = read_file_bytes(path);
  const std::uint32_t triangles = 12 + 4 + 1;  // the bad triangle is not written
  ASSERT_EQ(bytes.size(), 84 + 50 * std::size_t{triangles});
  EXPECT_EQ(bytes.substr(0, 80), std::string(80, '\0'));
  EXPECT_EQ(u32_at(bytes, 80), triangles);
  for (std::uint32_t t = 0; t < triangles; ++t) {
    EXPECT_EQ(bytes.substr(84 + 50 * t + 48, 2), std::string(2, '\0'));
  }
  const std::size_t last = 84 + 50 * std::size_t{triangles - 1};
  EXPECT_EQ(f32_at(bytes, last + 8), 1.0f);   // normal z
  EXPECT_EQ(f32_at(bytes, last + 24), 1.0f);  // second corner x
}

TEST(StlWriter, AsciiHasNoCommentLines) {
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string path = scratch.file("plain.stl");
  ASSERT_TRUE(write_stl(scene.list, path, false));
  const auto lines = read_lines(path);
  EXPECT_EQ(lines.front(), "solid object");
  EXPECT_EQ(lines[1], "facet normal 0 0 -1");
  EXPECT_EQ(lines.back(), "endsolid object");
  for (const auto& line : lines) EXPECT_NE(line.front(), '#');
}

}  // namespace
