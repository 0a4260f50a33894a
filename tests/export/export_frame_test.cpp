// What every writer shares: which meshes are written, how transforms,
// missing arrays and bad indices are handled, and that header counts always
// match the body. Checked mostly through the text forms, which show it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

MeshArrays triangle_arrays() {
  MeshArrays triangle;
  triangle.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  triangle.polygon_stream = polygon_stream_of({{0, 1, 2}});
  triangle.triangle_indices = {0, 1, 2};
  return triangle;
}

std::vector<std::string> lines_starting(const std::vector<std::string>& lines,
                                        const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& line : lines) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  }
  return found;
}

// The lines after "end_header" of an ascii PLY file.
std::vector<std::string> ply_body(const std::vector<std::string>& lines) {
  std::vector<std::string> body;
  bool in_body = false;
  for (const auto& line : lines) {
    if (in_body) body.push_back(line);
    if (line == "end_header") in_body = true;
  }
  return body;
}

class ExportFrame : public ::testing::Test {
 protected:
  Scene scene;
  ScratchDirectory scratch;

  std::vector<std::string> obj_lines(std::int32_t topology, bool normals, bool colours) {
    const std::string path = scratch.file("scene.obj");
    EXPECT_TRUE(write_obj(scene.list, path, topology, normals, colours));
    return read_lines(path);
  }

  std::vector<std::string> ply_lines(std::int32_t topology, bool normals, bool colours) {
    const std::string path = scratch.file("scene.ply");
    EXPECT_TRUE(write_ply(scene.list, path, topology, normals, colours, false));
    return read_lines(path);
  }
};

TEST_F(ExportFrame, GroupMembersFollowTheGroupTransformAndIgnoreTheirOwnVisibility) {
  Entity& group = scene.add(make_group_entity({triangle_arrays(), triangle_arrays()}));
  group.translation = {0.0, 0.0, 5.0};
  group.members[0]->visible = 0;
  group.members[1]->translation = {100.0, 0.0, 0.0};  // a member's own transform is not used

  const auto lines = obj_lines(3, false, false);
  EXPECT_EQ(lines_starting(lines, "v "),
            (std::vector<std::string>{"v 0 0 5", "v 1 0 5", "v 0 1 5", "v 0 0 5", "v 1 0 5",
                                      "v 0 1 5"}));
  EXPECT_EQ(lines_starting(lines, "f"), (std::vector<std::string>{"f 1 2 3", "f 4 5 6"}));
}

TEST_F(ExportFrame, GroupWithoutMembersOrMeshesContributesNothing) {
  scene.add(construct_entity_as_group(true));
  scene.add(construct_entity());  // a single entity never assembled: no mesh
  scene.add(make_single_entity(triangle_arrays()));

  const auto lines = obj_lines(0, false, false);
  EXPECT_EQ(lines_starting(lines, "v ").size(), 3u);
  EXPECT_EQ(lines_starting(lines, "f"), (std::vector<std::string>{"f  1 2 3"}));
}

TEST_F(ExportFrame, MissingNormalsAndColoursGetNeutralValues) {
  MeshArrays partial = triangle_arrays();
  partial.polygon_normals = {0, 0, 1};  // only the first vertex has one
  partial.colours = {0.5, 0.5, 0.5, 0.5};
  scene.add(make_single_entity(partial));

  const auto obj = obj_lines(0, true, true);
  EXPECT_EQ(lines_starting(obj, "v "),
            (std::vector<std::string>{"v 0 0 0 0.5 0.5 0.5", "v 1 0 0 1 1 1", "v 0 1 0 1 1 1"}));
  EXPECT_EQ(lines_starting(obj, "vn "),
            (std::vector<std::string>{"vn 0 0 1", "vn 0 0 0", "vn 0 0 0"}));

  const auto body = ply_body(ply_lines(3, true, true));
  ASSERT_EQ(body.size(), 4u);
  EXPECT_EQ(body[0], "0 0 0 0 0 0 127 127 127 127");  // no triangle normals at all
  EXPECT_EQ(body[1], "1 0 0 0 0 0 255 255 255 255");
}

TEST_F(ExportFrame, ColoursAreClampedBeforeConversion) {
  MeshArrays odd = triangle_arrays();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  odd.colours = {nan, -0.5, 2.0, 1.0, 0.999, 0.5, 0.25, 0.0, 1, 1, 1, 1};
  scene.add(make_single_entity(odd));

  const auto body = ply_body(ply_lines(3, false, true));
  EXPECT_EQ(body[0], "0 0 0 0 0 255 255");
  EXPECT_EQ(body[1], "1 0 0 254 127 63 0");
  EXPECT_EQ(lines_starting(obj_lines(3, false, true), "v ")[0], "v 0 0 0 0 0 1");
}

TEST_F(ExportFrame, FacesNamingMissingVerticesAreSkippedAndNotCounted) {
  MeshArrays broken = triangle_arrays();
  broken.triangle_indices = {0, 1, 2, 0, 1, 7, 2, 1, 0, 1};  // a bad triangle and a stray index
  broken.polygon_stream = {3, 3, 3, 9, 0, 1, 2, 0, 1, 5, 2};  // second bad, third cut short
  scene.add(make_single_entity(broken));

  const auto triangles = ply_lines(3, false, false);
  EXPECT_EQ(lines_starting(triangles, "element face "), (std::vector<std::string>{"element face 2"}));
  const auto triangle_body = ply_body(triangles);
  EXPECT_EQ(std::vector<std::string>(triangle_body.begin() + 3, triangle_body.end()),
            (std::vector<std::string>{"3 0 1 2", "3 2 1 0"}));

  const auto polygons = ply_lines(0, false, false);
  EXPECT_EQ(lines_starting(polygons, "element face "), (std::vector<std::string>{"element face 1"}));
  EXPECT_EQ(ply_body(polygons).back(), "3 0 1 2");
}

TEST_F(ExportFrame, TwoDimensionalMeshesGetZeroDepth) {
  MeshArrays flat;
  flat.dimension = 2;
  flat.positions = {0, 0, 4, 0, 0, 3};
  flat.triangle_indices = {0, 1, 2};
  scene.add(make_single_entity(flat));

  const auto lines = obj_lines(3, false, false);
  EXPECT_EQ(lines_starting(lines, "v "), (std::vector<std::string>{"v 0 0 0", "v 4 0 0", "v 0 3 0"}));
  EXPECT_EQ(lines_starting(lines, "#   - vertex : "), (std::vector<std::string>{"#   - vertex : 3"}));
}

TEST_F(ExportFrame, TransformMovesPositionsAndNormalsButNeverColours) {
  MeshArrays triangle = triangle_arrays();
  triangle.triangle_normals = {1, 1, 0, 1, 1, 0, 1, 1, 0};
  triangle.colours = {0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 1};
  Entity& entity = scene.add(make_single_entity(triangle));
  entity.axis_scale = {2.0, 1.0, 1.0};
  entity.translation = {0.0, 1.0, 0.0};

  const auto lines = obj_lines(3, true, true);
  EXPECT_EQ(lines_starting(lines, "v "),
            (std::vector<std::string>{"v 0 1 0 0.5 0.5 0.5", "v 2 1 0 0.5 0.5 0.5",
                                      "v 0 2 0 0.5 0.5 0.5"}));
  // Normals take the inverse scale, then unit length: (0.5, 1, 0) / |(0.5, 1, 0)|.
  EXPECT_EQ(lines_starting(lines, "vn ")[0], "vn 0.447214 0.894427 0");
}

TEST_F(ExportFrame, MirroringTransformReversesFaceOrder) {
  Entity& entity = scene.add(make_single_entity(triangle_arrays()));
  entity.axis_scale = {-1.0, 1.0, 1.0};

  EXPECT_EQ(ply_body(ply_lines(3, false, false)).back(), "3 2 1 0");
  EXPECT_EQ(ply_body(ply_lines(0, false, false)).back(), "3 2 1 0");

  const std::string stl = scratch.file("mirrored.stl");
  ASSERT_TRUE(write_stl(scene.list, stl, false));
  EXPECT_EQ(lines_starting(read_lines(stl), "facet normal "),
            (std::vector<std::string>{"facet normal 0 0 1"}));
}

TEST_F(ExportFrame, DoubleMirrorKeepsFaceOrder) {
  Entity& entity = scene.add(make_single_entity(triangle_arrays()));
  entity.axis_scale = {-1.0, -1.0, 1.0};
  EXPECT_EQ(ply_body(ply_lines(3, false, false)).back(), "3 0 1 2");
}

TEST_F(ExportFrame, OtherTopologiesWriteVerticesButNoFaces) {
  scene.add(make_single_entity(triangle_arrays()));

  const auto lines = obj_lines(4, true, false);
  EXPECT_EQ(lines_starting(lines, "#   - topology : "),
            (std::vector<std::string>{"#   - topology : 4 (quads)"}));
  EXPECT_EQ(lines_starting(lines, "#   - faces : "), (std::vector<std::string>{"#   - faces : 0"}));
  EXPECT_EQ(lines_starting(lines, "vn ").size(), 3u);
  EXPECT_TRUE(lines_starting(lines, "f").empty());
  EXPECT_EQ(lines_starting(obj_lines(7, false, false), "#   - topology : "),
            (std::vector<std::string>{"#   - topology : 7 (points)"}));
}

TEST_F(ExportFrame, AllHiddenGivesHeadersWithZeroCounts) {
  Entity& hidden = scene.add(make_single_entity(triangle_arrays()));
  set_entity_visible(hidden, false);

  const auto obj = obj_lines(3, true, true);
  EXPECT_EQ(obj.size(), 9u);
  EXPECT_EQ(obj[3], "#   - vertex : 0");

  const std::string off = scratch.file("empty.off");
  ASSERT_TRUE(write_off(scene.list, off, 0, false, false, false));
  const auto off_lines = read_lines(off);
  EXPECT_EQ(off_lines.front(), "OFF");
  EXPECT_EQ(off_lines.back(), "0 0 0");

  const std::string stl = scratch.file("empty.stl");
  ASSERT_TRUE(write_stl(scene.list, stl, false));
  EXPECT_EQ(read_file_bytes(stl), "solid object\nendsolid object\n");
}

TEST_F(ExportFrame, LongPolygonsKeepEveryIndexInBinaryForms) {
  MeshArrays ring;
  std::vector<std::uint32_t> polygon;
  for (std::uint32_t k = 0; k < 40; ++k) {
    ring.positions.insert(ring.positions.end(), {std::cos(k * 0.157), std::sin(k * 0.157), 0.0});
    polygon.push_back(k);
  }
  ring.polygon_stream = polygon_stream_of({polygon});
  scene.add(make_single_entity(ring));

  // Each face record: count, indices and (OFF only) a colour count of 0.
  std::vector<std::uint32_t> record{40};
  record.insert(record.end(), polygon.begin(), polygon.end());
  const auto record_bytes = [&](bool big_endian, bool colour_count) {
    std::string bytes;
    auto words = record;
    if (colour_count) words.push_back(0);
    for (std::uint32_t word : words) {
      for (int i = 0; i < 4; ++i) {
        const int shift = big_endian ? 24 - 8 * i : 8 * i;
        bytes.push_back(static_cast<char>((word >> shift) & 0xff));
      }
    }
    return bytes;
  };
  const std::string ply = scratch.file("ring.ply");
  ASSERT_TRUE(write_ply(scene.list, ply, 0, false, false, true));
  const std::string ply_bytes = read_file_bytes(ply);
  EXPECT_EQ(ply_bytes.substr(ply_bytes.size() - 41 * 4), record_bytes(false, false));

  const std::string off = scratch.file("ring.off");
  ASSERT_TRUE(write_off(scene.list, off, 0, false, false, true));
  const std::string off_bytes = read_file_bytes(off);
  EXPECT_EQ(off_bytes.size(), std::string("OFF BINARY\n").size() + 3 * 4 + 40 * 12 + 42 * 4);
  EXPECT_EQ(off_bytes.substr(off_bytes.size() - 42 * 4), record_bytes(true, true));
}

TEST_F(ExportFrame, OffKeywordNamesTheAttributes) {
  scene.add(make_single_entity(triangle_arrays()));
  const std::string path = scratch.file("k.off");
  const std::pair<bool, bool> flags[] = {{false, false}, {false, true}, {true, false}, {true, true}};
  const char* keywords[] = {"OFF", "COFF", "NOFF", "CNOFF"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(write_off(scene.list, path, 3, flags[i].first, flags[i].second, false));
    EXPECT_EQ(read_lines(path).front(), keywords[i]);
    ASSERT_TRUE(write_off(scene.list, path, 3, flags[i].first, flags[i].second, true));
    EXPECT_EQ(read_lines(path).front(), std::string(keywords[i]) + " BINARY");
  }
}

}  // namespace
