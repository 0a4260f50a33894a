#pragma once

// A read position over untrusted bytes held in memory (a buffer or a mapped
// file). Every read checks the bytes left before it touches them or
// allocates, so a lying count can only fail the read, never overrun the
// source or reserve more memory than the source holds. Arrays are copied
// straight into their final vectors, which are never zero-filled first;
// values are little-endian on file and put into host order as they are
// copied.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kernel/mapped_file.h"

struct ByteCursor {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0; // bytes in the whole source
    std::size_t position = 0;
    MappedFile* mapping = nullptr; // set when the bytes are a mapped file
};

ByteCursor make_memory_cursor(const std::uint8_t* data, std::size_t size);
// Over the whole of a mapped file, handing its pages back as they are read.
ByteCursor make_mapped_cursor(MappedFile& file);

std::size_t bytes_left(const ByteCursor& cursor);
// True when `count` elements of `width` bytes remain; safe for any count.
bool has_elements(const ByteCursor& cursor, std::uint64_t count, std::size_t width);

// Each read returns false when the bytes run out; `out` is then unspecified.
bool read_i32(ByteCursor& cursor, std::int32_t& out);
bool skip_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width);
// The place of `count` elements of `width` bytes, passed over: for arrays
// that are decoded where they lie instead of being copied.
bool take_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width,
                   const std::uint8_t*& at);
bool read_f64_array(ByteCursor& cursor, std::uint64_t count, std::vector<double>& out);
bool read_u32_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out);
bool read_u16_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint16_t>& out);
bool read_u8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint8_t>& out);
bool read_i8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::int8_t>& out);
// 16-bit entries widened to 32-bit ones, value for value.
bool read_u16_widened(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out);
bool read_text(ByteCursor& cursor, std::uint64_t count, std::string& out);

// Hands back the pages of a mapped source before the read position, as
// each array read does; for callers that decode arrays where they lie.
void release_read_pages(const ByteCursor& cursor);

// Element k of a little-endian array of `Element` at `at`, in host order;
// `at` need not be aligned. Inline: decoders call it once per value.
template <typename Element> inline Element load_little_endian(const std::uint8_t* at, std::size_t k)
{
    Element value;
    std::memcpy(&value, at + k * sizeof(Element), sizeof(Element));
    if constexpr (std::endian::native == std::endian::big && sizeof(Element) > 1) {
        if constexpr (sizeof(Element) == 8)
            value = std::bit_cast<Element>(__builtin_bswap64(std::bit_cast<std::uint64_t>(value)));
        else if constexpr (sizeof(Element) == 4)
            value = std::bit_cast<Element>(__builtin_bswap32(std::bit_cast<std::uint32_t>(value)));
        else
            value = std::bit_cast<Element>(__builtin_bswap16(std::bit_cast<std::uint16_t>(value)));
    }
    return value;
}
