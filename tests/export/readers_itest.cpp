// Independent readers load what the writers produce: the scene's files must
// open with the expected face count and bounds, and STL files must pass the
// STL checker with a positive volume.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <cstdlib>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

struct CommandResult {
  int status = -1;
  std::string output;
};

CommandResult run_command(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char chunk[4096];
  while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) result.output.append(chunk, n);
  result.status = pclose(pipe);
  return result;
}

bool tool_available(const std::string& tool) {
  return run_command("command -v " + tool).status == 0;
}

// The first number after the label, or -1 when the label is missing.
double number_after(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) return -1.0;
  const std::size_t number = text.find_first_of("-0123456789", at + label.size());
  return number == std::string::npos ? -1.0 : std::strtod(text.c_str() + number, nullptr);
}

// The text between the parentheses that follow the label.
std::string bounds_after(const std::string& text, const std::string& label) {
  const std::size_t open = text.find('(', text.find(label));
  const std::size_t close = text.find(')', open);
  return open == std::string::npos || close == std::string::npos
             ? ""
             : text.substr(open + 1, close - open - 1);
}

using Writer = std::function<bool(const EntityList&, const std::string&)>;

struct ReaderCase {
  const char* file_name;
  int faces;
  Writer write;
};

// Fixture scene: 10 polygons or 16 triangles, spanning (0, 0, 0) to (3, 1, 1).
const ReaderCase kAssimpCases[] = {
    {"polygons.obj", 10, [](auto& l, auto& f) { return write_obj(l, f, 0, true, true); }},
    {"triangles.obj", 16, [](auto& l, auto& f) { return write_obj(l, f, 3, false, true); }},
    {"polygons.off", 10, [](auto& l, auto& f) { return write_off(l, f, 0, true, true, false); }},
    {"triangles.off", 16, [](auto& l, auto& f) { return write_off(l, f, 3, false, true, false); }},
    {"plain.off", 16, [](auto& l, auto& f) { return write_off(l, f, 3, false, false, false); }},
    {"ascii.ply", 10, [](auto& l, auto& f) { return write_ply(l, f, 0, true, true, false); }},
    {"binary.ply", 16, [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, true); }},
    {"ascii.stl", 16, [](auto& l, auto& f) { return write_stl(l, f, false); }},
    {"binary.stl", 16, [](auto& l, auto& f) { return write_stl(l, f, true); }},
};

void PrintTo(const ReaderCase& reader, std::ostream* os) { *os << reader.file_name; }

class AssimpReader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(AssimpReader, LoadsWithExpectedFacesAndBounds) {
  ASSERT_TRUE(tool_available("assimp")) << "assimp-utils missing: run scripts/test.sh";
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string path = scratch.file(GetParam().file_name);
  ASSERT_TRUE(GetParam().write(scene.list, path));

  const CommandResult info = run_command("assimp info '" + path + "' -r");
  ASSERT_EQ(info.status, 0) << info.output;
  EXPECT_EQ(number_after(info.output, "Faces"), GetParam().faces) << info.output;
  EXPECT_EQ(bounds_after(info.output, "Minimum point"), "0.000000 0.000000 0.000000");
  EXPECT_EQ(bounds_after(info.output, "Maximum point"), "3.000000 1.000000 1.000000");
}

std::string case_name(const ::testing::TestParamInfo<ReaderCase>& info) {
  std::string name = info.param.file_name;
  for (char& c : name) {
    if (c == '.') c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Writers, AssimpReader, ::testing::ValuesIn(kAssimpCases), case_name);

class StlChecker : public ::testing::TestWithParam<bool> {};

TEST_P(StlChecker, AcceptsStlWithFacetCountAndPositiveVolume) {
  ASSERT_TRUE(tool_available("admesh")) << "admesh missing: run scripts/test.sh";
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string path = scratch.file("checked.stl");
  ASSERT_TRUE(write_stl(scene.list, path, GetParam()));

  const CommandResult check = run_command("admesh '" + path + "'");
  ASSERT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(number_after(check.output, "Number of facets"), 16) << check.output;
  EXPECT_NEAR(number_after(check.output, "Volume"), 1.0 + 1.0 / 6.0, 1e-5) << check.output;
  EXPECT_EQ(number_after(check.output, "Facets reversed"), 0) << check.output;
}

INSTANTIATE_TEST_SUITE_P(Forms, StlChecker, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "binary" : "ascii"; });

}  // namespace
