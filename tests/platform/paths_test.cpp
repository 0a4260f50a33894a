#include "platform/paths.h"

#include <gtest/gtest.h>

TEST(PathParts, CutAtTheLastSeparatorBeforeTheFinalByte)
{
    EXPECT_EQ(path_file_name("dir/sub/file.plim"), "file.plim");
    EXPECT_EQ(path_directory("dir/sub/file.plim"), "dir/sub/");
    EXPECT_EQ(path_file_name("C:\\work\\a.plim"), "a.plim");
    EXPECT_EQ(path_directory("C:\\work\\a.plim"), "C:\\work\\");
    EXPECT_EQ(path_file_name("a\\b/c"), "c");
    EXPECT_EQ(path_file_name("/x"), "x");
    EXPECT_EQ(path_directory("a/b"), "a/");
}

TEST(PathParts, TrailingSeparatorIsNotACut)
{
    EXPECT_EQ(path_file_name("a/b/"), "b/");
    EXPECT_EQ(path_directory("a/b/"), "a/");
    EXPECT_EQ(path_file_name("x/"), "x/");
    EXPECT_EQ(path_directory("x/"), "x/");
    EXPECT_EQ(path_file_name("/"), "/");
    EXPECT_EQ(path_directory("/"), "/");
}

TEST(PathParts, PathsWithoutSeparatorComeBackWhole)
{
    EXPECT_EQ(path_file_name(""), "");
    EXPECT_EQ(path_directory(""), "");
    EXPECT_EQ(path_file_name("x"), "x");
    EXPECT_EQ(path_file_name("file.plim"), "file.plim");
    EXPECT_EQ(path_directory("file.plim"), "file.plim");
    EXPECT_EQ(pass_through_path("a b/$(x)"), "a b/$(x)");
}
