#pragma once

// A read position over untrusted bytes, held in memory or read from an open
// file of known size. Every read checks the bytes left before it touches them
// or allocates, so a lying count can only fail the read, never overrun the
// source or reserve more memory than the source holds. Arrays are copied
// straight into their final vectors; values are little-endian on file and
// put into host order explicitly.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct ByteCursor {
    const std::uint8_t* data = nullptr; // memory source, or null for a file
    std::FILE* file = nullptr;
    std::size_t size = 0; // bytes in the whole source
    std::size_t position = 0;
};

ByteCursor make_memory_cursor(const std::uint8_t* data, std::size_t size);
// `size` is the file's size; a file that turns out shorter fails its reads.
ByteCursor make_file_cursor(std::FILE* file, std::size_t size);

std::size_t bytes_left(const ByteCursor& cursor);
// True when `count` elements of `width` bytes remain; safe for any count.
bool has_elements(const ByteCursor& cursor, std::uint64_t count, std::size_t width);

// Each read returns false when the bytes run out; `out` is then unspecified.
bool read_i32(ByteCursor& cursor, std::int32_t& out);
bool skip_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width);
bool read_f64_array(ByteCursor& cursor, std::uint64_t count, std::vector<double>& out);
bool read_u32_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out);
bool read_u16_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint16_t>& out);
bool read_u8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint8_t>& out);
bool read_i8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::int8_t>& out);
// 16-bit entries widened to 32-bit ones, value for value.
bool read_u16_widened(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out);
bool read_text(ByteCursor& cursor, std::uint64_t count, std::string& out);
