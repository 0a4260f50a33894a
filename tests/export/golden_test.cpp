// Byte-exact comparison of each writer's output for the fixture scene with
// the reference files under golden/, written independently of these writers.

#include <gtest/gtest.h>

#include <functional>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

std::string golden_path(const std::string& name) {
  return std::string(PLIM_SOURCE_DIR) + "/tests/export/golden/" + name;
}

using Writer = std::function<bool(const EntityList&, const std::string&)>;

struct GoldenCase {
  const char* file_name;
  Writer write;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GoldenCase& golden, std::ostream* os) { *os << golden.file_name; }

class GoldenFiles : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFiles, MatchByteForByte) {
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string path = scratch.file(GetParam().file_name);
  ASSERT_TRUE(GetParam().write(scene.list, path));
  EXPECT_EQ(read_file_bytes(path), read_file_bytes(golden_path(GetParam().file_name)));
}

const GoldenCase kCases[] = {
    {"fixture_NGON.obj", [](auto& l, auto& f) { return write_obj(l, f, 0, true, true); }},
    {"fixture_TESS.obj", [](auto& l, auto& f) { return write_obj(l, f, 3, false, false); }},
    {"fixture_normals_TESS.obj", [](auto& l, auto& f) { return write_obj(l, f, 3, true, false); }},
    {"fixture_NGON.off", [](auto& l, auto& f) { return write_off(l, f, 0, true, true, false); }},
    {"fixture_TESS.off", [](auto& l, auto& f) { return write_off(l, f, 3, false, false, false); }},
    {"fixture_colours_TESS.off",
     [](auto& l, auto& f) { return write_off(l, f, 3, false, true, false); }},
    {"fixture_binary_TESS.off",
     [](auto& l, auto& f) { return write_off(l, f, 3, true, true, true); }},
    {"fixture_NGON.ply", [](auto& l, auto& f) { return write_ply(l, f, 0, true, true, false); }},
    {"fixture_binary_TESS.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 3, false, true, true); }},
    {"fixture_binary_NGON.ply",
     [](auto& l, auto& f) { return write_ply(l, f, 0, true, false, true); }},
    {"fixture_ascii.stl", [](auto& l, auto& f) { return write_stl(l, f, false); }},
    {"fixture_binary.stl", [](auto& l, auto& f) { return write_stl(l, f, true); }},
};

std::string case_name(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name = info.param.file_name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Writers, GoldenFiles, ::testing::ValuesIn(kCases), case_name);

}  // namespace
