// STL facet normals come from the corner positions, in the corner order.
// (The layouts of both forms are pinned by the golden files.)

#include <gtest/gtest.h>

#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

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

}  // namespace
