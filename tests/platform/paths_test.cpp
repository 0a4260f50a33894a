#include "platform/paths.h"

#include <gtest/gtest.h>

// Cut at the last separator before the final byte; a trailing separator is
// not a cut. Without a cut the file name is the whole path and a bare name
// has no directory.
TEST(PathParts, FileNameAndDirectory)
{
    const struct {
        const char* path;
        const char* file_name;
        const char* directory;
    } cases[] = {
        {"dir/sub/file.plim", "file.plim", "dir/sub/"},
        {"C:\\work\\a.plim", "a.plim", "C:\\work\\"}, {"a\\b/c", "c", "a\\b/"},
        {"/x", "x", "/"}, {"a/b", "b", "a/"}, {"a/b/", "b/", "a/"},
        {"x/", "x/", "x/"}, {"/", "/", "/"}, {"", "", ""}, {"file.plim", "file.plim", ""},
        {"x", "x", ""}, {"\\", "\\", "\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(path_file_name(c.path), c.file_name) << c.path;
        EXPECT_EQ(path_directory(c.path), c.directory) << c.path;
    }
}
