// A writer reports false for any failed write, and a failed export never
// destroys or half-replaces an existing file.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "export_fixture.h"

namespace {

std::vector<std::string> directory_entries(const std::filesystem::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Fifty fixture scenes: every form outgrows a file-size limit of 4 KiB.
void build_large_scene(Scene& scene)
{
    for (int i = 0; i < 50; ++i)
        build_fixture_scene(scene);
}

// Runs the writer in a child process whose files may not grow past a few
// kilobytes, the way a full disk stops a write; returns the writer's result.
bool write_with_file_size_limit(const WriterCall& call, const EntityList& list,
                                const std::string& path)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(write_with(call, list, path) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A full file system (a file-size limit, then the /dev/full device) makes
// every writer return false, keeps the earlier file and leaves no temporary.
TEST(OutputFile, FailedWriteReturnsFalseAndKeepsTheExistingFile)
{
    Scene scene;
    build_large_scene(scene);
    const bool have_dev_full = std::filesystem::is_character_file("/dev/full");
    for (const WriterCall& call : kEveryWriter) {
        SCOPED_TRACE(call.name);
        ScratchDir scratch;
        const std::string target = scratch.path("model.out");
        std::ofstream(target) << "earlier export\n";
        EXPECT_FALSE(write_with_file_size_limit(call, scene.list, target));
        EXPECT_EQ(read_file_bytes(target), "earlier export\n");
        EXPECT_EQ(directory_entries(scratch.dir), std::vector<std::string>{"model.out"});
        if (have_dev_full) {
            EXPECT_FALSE(write_with(call, scene.list, "/dev/full"));
            EXPECT_TRUE(std::filesystem::is_character_file("/dev/full")); // written in place
        }
    }
}

// A missing directory returns false and creates nothing; success replaces a
// larger earlier file, through a symbolic link too, and leaves no temporary.
TEST(OutputFile, MissingDirectoryFailsAndSuccessReplacesTheTargetThroughALink)
{
    Scene scene;
    build_fixture_scene(scene);
    for (const WriterCall& call : kEveryWriter) {
        SCOPED_TRACE(call.name);
        ScratchDir scratch;
        EXPECT_FALSE(write_with(call, scene.list, scratch.path("missing/model.out")));
        EXPECT_TRUE(directory_entries(scratch.dir).empty());
        const std::string target = scratch.path("model.out");
        const std::string link = scratch.path("link.out");
        std::ofstream(target) << std::string(100000, 'x');
        std::filesystem::create_symlink(target, link);
        ASSERT_TRUE(write_with(call, scene.list, link));
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        const std::string written = read_file_bytes(target);
        EXPECT_LT(written.size(), 100000u);
        EXPECT_EQ(written.find("xxxx"), std::string::npos);
        EXPECT_EQ(directory_entries(scratch.dir),
                  (std::vector<std::string>{"link.out", "model.out"}));
    }
}

// Re-exporting keeps what the earlier file was: its permissions, and for a
// file with a second hard link, the one file both names share.
TEST(OutputFile, ReplacingKeepsTheModeAndWritesHardLinkedTargetsInPlace)
{
    namespace fs = std::filesystem;
    Scene scene;
    build_fixture_scene(scene);
    const fs::perms modes[] = {fs::perms::owner_read | fs::perms::owner_write,
                               fs::perms::owner_all | fs::perms::group_read,
                               fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::group_write | fs::perms::others_write};
    for (const fs::perms mode : modes) {
        for (const bool linked : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << std::oct << static_cast<int>(mode)
                                            << (linked ? " linked" : ""));
            ScratchDir scratch;
            const std::string target = scratch.path("model.obj");
            const std::string other_name = scratch.path("other.obj");
            std::ofstream(target) << "earlier export\n";
            fs::permissions(target, mode);
            if (linked) fs::create_hard_link(target, other_name);
            ASSERT_TRUE(write_with(kEveryWriter.front(), scene.list, target));
            EXPECT_EQ(fs::status(target).permissions(), mode);
            const std::string written = read_file_bytes(target);
            EXPECT_NE(written, "earlier export\n");
            if (linked) {
                EXPECT_EQ(read_file_bytes(other_name), written);
                EXPECT_EQ(fs::hard_link_count(target), 2u);
            }
        }
    }
}

// Space reserved ahead of the writes is given back when the file is done:
// a small export and one larger than a reserve step hold about their bytes.
TEST(OutputFile, FinishedFilesHoldNoReservedSpaceBeyondTheirBytes)
{
    Scene small;
    build_fixture_scene(small);
    Scene large;
    for (int i = 0; i < 2000; ++i)
        build_fixture_scene(large);
    const std::uintmax_t slack = 256 * 1024; // blocks and file-system metadata
    for (const Scene* scene : {&small, &large}) {
        for (const WriterCall& call : kEveryWriter) {
            SCOPED_TRACE(call.name);
            ScratchDir scratch;
            const std::string target = scratch.path("model.out");
            ASSERT_TRUE(write_with(call, scene->list, target));
            struct stat facts {};
            ASSERT_EQ(stat(target.c_str(), &facts), 0);
            const auto held = static_cast<std::uintmax_t>(facts.st_blocks) * 512;
            EXPECT_LT(held, static_cast<std::uintmax_t>(facts.st_size) + slack);
        }
    }
}

} // namespace
