#include "platform/directory_listing.h"

#include "tests/platform/test_support.h"

#include <fstream>
#include <sys/stat.h>

#include "platform/text.h"

namespace {

void write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(DirectoryListing, WritesTheColumnsTheNavigatorReads)
{
    ScratchDir scratch;
    write_file(scratch.path("b file.plim"), "12345");
    write_file(scratch.path("plim"), "#!");
    ::chmod(scratch.path("plim").c_str(), 0755);
    write_file(scratch.path(".hidden"), "");
    write_file(scratch.path("name\xff\xfe.plim"), "");
    std::filesystem::create_directory(scratch.path("a dir"));
    std::filesystem::create_directory_symlink(scratch.path("a dir"), scratch.path("link"));
    std::filesystem::create_symlink(scratch.path("missing"), scratch.path("broken"));
    write_file(scratch.path("two\nlines"), "");

    const TextList lines = split_text(produce_directory_listing(scratch.dir.string() + "/"), '\n');
    ASSERT_EQ(lines.size(), 7u);
    const char* const expected[][2] = {{"<DIR>", "."},     {"<DIR>", ".."},
                                       {"<DIR>", "a dir"}, {"5", "b file.plim"},
                                       {"<DIR>", "link"},  {"0", "name\xff\xfe.plim"},
                                       {"2", "plim"}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const std::string& line = lines[i];
        EXPECT_EQ(line[2], '/');
        EXPECT_EQ(line[5], '/');
        EXPECT_EQ(line[14], ':');
        EXPECT_EQ(line.compare(20, std::string(expected[i][0]).size(), expected[i][0]), 0);
        EXPECT_EQ(line.substr(line.size() - std::string(expected[i][1]).size()), expected[i][1]);
    }
    EXPECT_TRUE(is_executable_file(scratch.path("plim")));
    EXPECT_FALSE(is_executable_file(scratch.path("b file.plim")));
    EXPECT_FALSE(is_executable_file(scratch.path("a dir")));
}

TEST(DirectoryListing, MissingOrUnreadableDirectoriesListNothing)
{
    ScratchDir scratch;
    EXPECT_EQ(produce_directory_listing(scratch.path("missing/")), "");
    write_file(scratch.path("file"), "x");
    EXPECT_EQ(produce_directory_listing(scratch.path("file")), "");
    std::filesystem::create_directory(scratch.path("locked"));
    ::chmod(scratch.path("locked").c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(produce_directory_listing(scratch.path("locked")), "");
    }
    ::chmod(scratch.path("locked").c_str(), 0755);
}

} // namespace
