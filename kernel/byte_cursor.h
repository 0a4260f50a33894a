#pragma once

// A read position over untrusted bytes. Every read checks the bytes left
// before it touches them or allocates, so a lying count can only fail the
// read, never overrun the buffer or reserve more memory than the input holds.
// Values are little-endian on file, decoded from bytes whatever the host.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ByteCursor
{
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

ByteCursor make_byte_cursor(const std::uint8_t* data, std::size_t size);

std::size_t bytes_left(const ByteCursor& cursor);
// True when `count` elements of `width` bytes remain; safe for any count.
bool has_elements(const ByteCursor& cursor, std::uint64_t count, std::size_t width);

// Each read returns false, leaving `out` and the position unchanged, when the
// bytes run out.
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
