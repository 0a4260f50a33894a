// Each writer's output for the fixture scene, byte for byte, against the
// reference files under golden/, written independently of these writers.

#include <gtest/gtest.h>

#include "export_fixture.h"

namespace {

using enum ExportFormat;

class GoldenFiles : public ::testing::TestWithParam<WriterCall> {};

TEST_P(GoldenFiles, MatchByteForByte) {
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string path = scratch.file(GetParam().name);
  ASSERT_TRUE(write_with(GetParam(), scene.list, path));
  EXPECT_EQ(read_file_bytes(path), read_file_bytes(std::string(PLIM_SOURCE_DIR) +
                                                   "/tests/export/golden/" + GetParam().name));
}

// name, format, topology, normals, colours, binary
INSTANTIATE_TEST_SUITE_P(Writers, GoldenFiles, ::testing::Values(
    WriterCall{"fixture_NGON.obj", obj, 0, true, true, false},
    WriterCall{"fixture_TESS.obj", obj, 3, false, false, false},
    WriterCall{"fixture_normals_TESS.obj", obj, 3, true, false, false},
    WriterCall{"fixture_NGON.off", off, 0, true, true, false},
    WriterCall{"fixture_TESS.off", off, 3, false, false, false},
    WriterCall{"fixture_colours_TESS.off", off, 3, false, true, false},
    WriterCall{"fixture_binary_TESS.off", off, 3, true, true, true},
    WriterCall{"fixture_NGON.ply", ply, 0, true, true, false},
    WriterCall{"fixture_binary_TESS.ply", ply, 3, false, true, true},
    WriterCall{"fixture_binary_NGON.ply", ply, 0, true, false, true},
    WriterCall{"fixture_ascii.stl", stl, 3, false, false, false},
    WriterCall{"fixture_binary.stl", stl, 3, false, false, true}),
    [](const auto& info) { return identifier_of(info.param.name); });

TEST(ExportNames, BaseAndFileNames) {
  EXPECT_EQ(export_base_name("/work/space/", "environment", ""), "/work/space/environment");
  EXPECT_EQ(export_base_name("/work/space/", "environment", "20260102030405"),
            "/work/space/environment_20260102030405");
  const struct { ExportFormat format; std::int32_t topology; const char* suffix; } cases[] = {
      {obj, EXPORT_POLYGONS, "_NGON.obj"}, {obj, EXPORT_TRIANGLES, "_TESS.obj"},
      {off, EXPORT_POLYGONS, "_NGON.off"}, {off, EXPORT_TRIANGLES, "_TESS.off"},
      {ply, EXPORT_POLYGONS, "_NGON.ply"}, {ply, EXPORT_TRIANGLES, "_TESS.ply"},
      {stl, EXPORT_TRIANGLES, ".stl"},     {stl, EXPORT_POLYGONS, ".stl"}};
  for (const auto& c : cases) {
    EXPECT_EQ(export_file_name("/out/environment", c.format, c.topology),
              std::string("/out/environment") + c.suffix);
  }
}

}  // namespace
