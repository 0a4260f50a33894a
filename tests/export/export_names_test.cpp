#include <gtest/gtest.h>

#include "export/export_frame.h"
#include "export/export_names.h"

namespace {

TEST(ExportNames, BaseNameJoinsLocationNameAndOptionalTimeStamp) {
  EXPECT_EQ(export_base_name("/work/space/", "environment", ""), "/work/space/environment");
  EXPECT_EQ(export_base_name("/work/space/", "environment", "20260102030405"),
            "/work/space/environment_20260102030405");
}

TEST(ExportNames, FileNamesCarryTopologyPartsExceptStl) {
  const std::string base = "/out/environment";
  EXPECT_EQ(export_file_name(base, ExportFormat::obj, EXPORT_POLYGONS), base + "_NGON.obj");
  EXPECT_EQ(export_file_name(base, ExportFormat::obj, EXPORT_TRIANGLES), base + "_TESS.obj");
  EXPECT_EQ(export_file_name(base, ExportFormat::off, EXPORT_POLYGONS), base + "_NGON.off");
  EXPECT_EQ(export_file_name(base, ExportFormat::off, EXPORT_TRIANGLES), base + "_TESS.off");
  EXPECT_EQ(export_file_name(base, ExportFormat::ply, EXPORT_POLYGONS), base + "_NGON.ply");
  EXPECT_EQ(export_file_name(base, ExportFormat::ply, EXPORT_TRIANGLES), base + "_TESS.ply");
  EXPECT_EQ(export_file_name(base, ExportFormat::stl, EXPORT_TRIANGLES), base + ".stl");
  EXPECT_EQ(export_file_name(base, ExportFormat::stl, EXPORT_POLYGONS), base + ".stl");
}

}  // namespace
