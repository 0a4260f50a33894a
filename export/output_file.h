#pragma once

// Buffered output for the mesh writers. A file reaches its target name only
// when it was written whole: regular files are written under a temporary
// name beside the target and renamed over it by finish_output, so a failed
// export never destroys an earlier file; the temporary file takes the
// target's permissions first. Devices and pipes (which cannot be renamed
// over) and files with several hard links (whose other names would keep the
// old contents) are written in place.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct OutputFile {
    std::string target_path; // where the finished file ends up
    std::string write_path;  // the temporary name, or the target itself
    bool renames = false;    // write_path is a temporary name
    std::FILE* stream = nullptr;
    std::vector<char> buffer;
    std::size_t used = 0;
    bool failed = false; // a write went wrong; finish_output reports it
    // Disk space reserved ahead of the writes (see flush_output).
    bool reserves = false;
    std::uint64_t written = 0;
    std::uint64_t reserved = 0;

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // An unfinished file is closed and its temporary name removed.
    ~OutputFile();
};

// False when no file can be created beside the target (missing directory,
// no permission).
bool open_output(OutputFile& out, const std::string& target_path);

// Writes the buffer out and empties it; marks the file failed on a short write.
// A new file on a disk file system that replaces no other gets its blocks
// reserved some megabytes ahead of the writes: that takes the kernel about a
// third less time than reserving them block by block as the writes arrive.
void flush_output(OutputFile& out);

// Room for `bytes` more bytes at the end of the buffer (at most the buffer
// size); the caller fills it and calls advance_output with what it used.
inline char* reserve_output(OutputFile& out, std::size_t bytes)
{
    if (out.buffer.size() - out.used < bytes) flush_output(out);
    return out.buffer.data() + out.used;
}

inline void advance_output(OutputFile& out, std::size_t bytes)
{
    out.used += bytes;
}

void append_bytes(OutputFile& out, const void* data, std::size_t size);

// Flushes, closes and moves the file into place. True only when every write,
// the close and the rename succeeded; otherwise the temporary file is removed
// and an existing target is left as it was.
bool finish_output(OutputFile& out);
