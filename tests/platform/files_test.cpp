#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "test_support.h"

TEST(Files, WriteThenReadGivesTheSameBytesAndEmptyTextEmptiesTheFile)
{
    const ScratchDir scratch;
    TraceCapture trace;
    const std::string bytes("line\r\nwith\0nul\n", 15);
    const std::string file = scratch.path("a.txt");
    ASSERT_TRUE(write_text_file(bytes, file));
    EXPECT_EQ(read_text_file(file), bytes);
    EXPECT_EQ(file_size(file), 15);
    EXPECT_TRUE(write_text_file("", file));
    EXPECT_EQ(file_size(file), 0);
    EXPECT_EQ(trace.text(), "");
}

// A missing file gives one trace line; directories, FIFOs and devices are
// refused without blocking.
TEST(Files, MissingDirectoriesFifosDevicesAndUnwritablePathsAreRefused)
{
    const ScratchDir scratch;
    const std::string missing = scratch.path("missing.txt");
    {
        TraceCapture trace;
        EXPECT_EQ(read_text_file(missing), "");
        EXPECT_EQ(trace.text(),
                  "Error Parsing File : " + missing + " : Failed To Read File Data.\n");
    }
    EXPECT_EQ(file_size(missing), -1);
    TraceCapture quiet;
    const std::string fifo = scratch.path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {scratch.dir.string(), fifo}) {
        EXPECT_EQ(read_text_file(path), "") << path;
        EXPECT_EQ(file_size(path), -1) << path;
        EXPECT_FALSE(write_text_file("x", path)) << path;
    }
    EXPECT_EQ(read_text_file("/dev/zero"), "");
    EXPECT_FALSE(write_text_file("x", scratch.path("no/such/dir/file.txt")));
    EXPECT_FALSE(write_text_file("x", ""));
}
