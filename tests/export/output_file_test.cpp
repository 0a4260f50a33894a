// A writer reports false for any failed write, and a failed export never
// destroys or half-replaces an existing file.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "export_fixture.h"

namespace {

using Writer = std::function<bool(const EntityList&, const std::string&)>;

const std::vector<std::pair<std::string, Writer>>& all_writers() {
  static const std::vector<std::pair<std::string, Writer>> writers = {
      {"obj", [](auto& l, auto& f) { return write_obj(l, f, 0, true, true); }},
      {"off text", [](auto& l, auto& f) { return write_off(l, f, 3, true, true, false); }},
      {"off binary", [](auto& l, auto& f) { return write_off(l, f, 3, true, true, true); }},
      {"ply ascii", [](auto& l, auto& f) { return write_ply(l, f, 0, true, true, false); }},
      {"ply binary", [](auto& l, auto& f) { return write_ply(l, f, 3, true, true, true); }},
      {"stl ascii", [](auto& l, auto& f) { return write_stl(l, f, false); }},
      {"stl binary", [](auto& l, auto& f) { return write_stl(l, f, true); }},
  };
  return writers;
}

std::vector<std::string> directory_entries(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A mesh large enough that every form outgrows a small file-size limit.
void build_large_scene(Scene& scene) {
  MeshArrays grid;
  const std::uint32_t side = 40;
  for (std::uint32_t y = 0; y < side; ++y) {
    for (std::uint32_t x = 0; x < side; ++x) {
      grid.positions.insert(grid.positions.end(), {x * 0.125, y * 0.125, 0.333333});
    }
  }
  std::vector<std::vector<std::uint32_t>> quads;
  for (std::uint32_t y = 0; y + 1 < side; ++y) {
    for (std::uint32_t x = 0; x + 1 < side; ++x) {
      const std::uint32_t a = y * side + x;
      quads.push_back({a, a + 1, a + side + 1, a + side});
      grid.triangle_indices.insert(grid.triangle_indices.end(),
                                   {a, a + 1, a + side + 1, a, a + side + 1, a + side});
    }
  }
  grid.polygon_stream = polygon_stream_of(quads);
  scene.add(make_single_entity(grid));
}

// Runs the writer in a child process whose files may not grow past a few
// kilobytes, the way a full disk stops a write; returns the writer's result.
bool write_with_file_size_limit(const Writer& write, const EntityList& list,
                                const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(write(list, path) ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(OutputFile, FailedWriteKeepsTheExistingFileAndLeavesNoTemporary) {
  Scene scene;
  build_large_scene(scene);
  for (const auto& [name, write] : all_writers()) {
    SCOPED_TRACE(name);
    ScratchDirectory scratch;
    const std::string target = scratch.file("model.out");
    {
      std::ofstream earlier(target);
      earlier << "earlier export\n";
    }
    EXPECT_FALSE(write_with_file_size_limit(write, scene.list, target));
    EXPECT_EQ(read_file_bytes(target), "earlier export\n");
    EXPECT_EQ(directory_entries(scratch.path), std::vector<std::string>{"model.out"});
  }
}

TEST(OutputFile, DiskFullDeviceReturnsFalse) {
  if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Scene scene;
  build_large_scene(scene);
  for (const auto& [name, write] : all_writers()) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(write(scene.list, "/dev/full"));
    // The device is written in place, never renamed over.
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  }
}

TEST(OutputFile, MissingDirectoryReturnsFalseAndCreatesNothing) {
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  for (const auto& [name, write] : all_writers()) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(write(scene.list, scratch.file("missing/model.out")));
  }
  EXPECT_TRUE(directory_entries(scratch.path).empty());
}

TEST(OutputFile, SuccessReplacesTheTargetAndLeavesNoTemporary) {
  Scene scene;
  build_fixture_scene(scene);
  for (const auto& [name, write] : all_writers()) {
    SCOPED_TRACE(name);
    ScratchDirectory scratch;
    const std::string target = scratch.file("model.out");
    {
      std::ofstream earlier(target);
      earlier << std::string(100000, 'x');
    }
    ASSERT_TRUE(write(scene.list, target));
    const std::string written = read_file_bytes(target);
    EXPECT_LT(written.size(), 100000u);
    EXPECT_EQ(written.find("xxxx"), std::string::npos);
    EXPECT_EQ(directory_entries(scratch.path), std::vector<std::string>{"model.out"});
  }
}

TEST(OutputFile, SymbolicLinkKeepsPointingAtTheNewFile) {
  Scene scene;
  build_fixture_scene(scene);
  ScratchDirectory scratch;
  const std::string real = scratch.file("real.stl");
  const std::string link = scratch.file("link.stl");
  std::ofstream(real) << "old";
  std::filesystem::create_symlink(real, link);

  ASSERT_TRUE(write_stl(scene.list, link, false));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(read_file_bytes(real).rfind("solid object\n", 0), 0u);
}

}  // namespace
