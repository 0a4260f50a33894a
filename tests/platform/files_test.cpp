#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("plim_files_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        saved_cout = std::cout.rdbuf(trace.rdbuf());
    }
    void TearDown() override
    {
        std::cout.rdbuf(saved_cout);
        fs::remove_all(dir);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
    std::ostringstream trace;
    std::streambuf* saved_cout = nullptr;
};

} // namespace

TEST_F(FilesTest, WriteThenReadGivesTheSameBytes)
{
    const std::string bytes("line\r\nwith\0nul\n", 15);
    ASSERT_TRUE(write_text_file(bytes, path("a.txt")));
    EXPECT_EQ(read_text_file(path("a.txt")), bytes);
    EXPECT_EQ(file_size(path("a.txt")), 15);
    EXPECT_EQ(trace.str(), "");
}

TEST_F(FilesTest, EmptyTextEmptiesAnExistingFile)
{
    ASSERT_TRUE(write_text_file("old contents", path("b.txt")));
    EXPECT_TRUE(write_text_file("", path("b.txt")));
    EXPECT_EQ(file_size(path("b.txt")), 0);
    EXPECT_EQ(read_text_file(path("b.txt")), "");
    EXPECT_EQ(trace.str(), "");
}

TEST_F(FilesTest, MissingFileGivesEmptyTextOneTraceLineAndSizeMinusOne)
{
    const std::string missing = path("missing.txt");
    EXPECT_EQ(read_text_file(missing), "");
    EXPECT_EQ(trace.str(), "Error Parsing File : " + missing + " : Failed To Read File Data.\n");
    EXPECT_EQ(file_size(missing), -1);
}

TEST_F(FilesTest, DirectoriesAndFifosAreRefusedWithoutBlocking)
{
    EXPECT_EQ(read_text_file(dir.string()), "");
    EXPECT_EQ(file_size(dir.string()), -1);
    EXPECT_FALSE(write_text_file("x", dir.string()));

    const std::string fifo = path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(read_text_file(fifo), "");
    EXPECT_EQ(file_size(fifo), -1);
    EXPECT_FALSE(write_text_file("x", fifo));
    EXPECT_EQ(read_text_file("/dev/zero"), "");
}

TEST_F(FilesTest, UnwritablePathReportsFailure)
{
    EXPECT_FALSE(write_text_file("x", path("no/such/dir/file.txt")));
    EXPECT_FALSE(write_text_file("x", ""));
}
