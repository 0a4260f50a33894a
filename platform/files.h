#pragma once

// Whole-file reads and writes. Only regular files are read: a directory, a
// FIFO or a device gives the failure result instead of blocking or garbage.

#include <cstdint>
#include <string>

// The file's bytes; an empty text and the trace line
// "Error Parsing File : <path> : Failed To Read File Data." when it cannot be read.
std::string read_text_file(std::string path);
// Replaces the file's contents with `text`. False when the file cannot be
// opened or the bytes do not all reach it; no message either way.
bool write_text_file(std::string text, std::string path);
// Size in bytes of a regular file; -1 when it cannot be opened.
std::int64_t file_size(const std::string& path);
