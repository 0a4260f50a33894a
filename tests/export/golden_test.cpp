// Each writer's output for the fixture scene, byte for byte, against the
// reference files under golden/, written independently of these writers.

#include <gtest/gtest.h>

#include "export_fixture.h"

namespace {

using enum ExportFormat;

class GoldenFiles : public ::testing::TestWithParam<WriterCall> {};

TEST_P(GoldenFiles, MatchByteForByte)
{
    Scene scene;
    build_fixture_scene(scene);
    ScratchDir scratch;
    const std::string path = scratch.path(GetParam().name);
    ASSERT_TRUE(write_with(GetParam(), scene.list, path));
    EXPECT_EQ(read_file_bytes(path), read_golden(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Writers, GoldenFiles, ::testing::ValuesIn(kEveryWriter),
                         [](const auto& info) { return identifier_of(info.param.name); });

TEST(ExportNames, BaseAndFileNames)
{
    EXPECT_EQ(export_base_name("/work/space/", "environment", ""), "/work/space/environment");
    EXPECT_EQ(export_base_name("/work/space/", "environment", "20260102030405"),
              "/work/space/environment_20260102030405");
    const struct {
        ExportFormat format;
        std::int32_t topology;
        const char* suffix;
    } cases[] = {{obj, EXPORT_POLYGONS, "_NGON.obj"}, {obj, EXPORT_TRIANGLES, "_TESS.obj"},
                 {off, EXPORT_POLYGONS, "_NGON.off"}, {off, EXPORT_TRIANGLES, "_TESS.off"},
                 {ply, EXPORT_POLYGONS, "_NGON.ply"}, {ply, EXPORT_TRIANGLES, "_TESS.ply"},
                 {stl, EXPORT_TRIANGLES, ".stl"},     {stl, EXPORT_POLYGONS, ".stl"}};
    for (const auto& c : cases) {
        EXPECT_EQ(export_file_name("/out/environment", c.format, c.topology),
                  std::string("/out/environment") + c.suffix);
    }
}

} // namespace
