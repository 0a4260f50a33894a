#pragma once

// Numbers into an OutputFile: text in the "%g" form with six significant
// digits (real_text.h), and binary values in a fixed byte order whatever the
// host's.

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "export/output_file.h"
#include "export/real_text.h"

inline void append_text(OutputFile& out, std::string_view text)
{
    append_bytes(out, text.data(), text.size());
}

inline void append_char(OutputFile& out, char c)
{
    *reserve_output(out, 1) = c;
    advance_output(out, 1);
}

inline void append_real(OutputFile& out, double value)
{
    char* first = reserve_output(out, kRealTextRoom);
    advance_output(out, static_cast<std::size_t>(put_real(first, value) - first));
}

inline void append_uint(OutputFile& out, std::uint64_t value)
{
    constexpr std::size_t kRoom = 24;
    char* first = reserve_output(out, kRoom);
    const auto result = std::to_chars(first, first + kRoom, value);
    advance_output(out, static_cast<std::size_t>(result.ptr - first));
}

inline std::uint32_t swap_bytes(std::uint32_t value)
{
    return __builtin_bswap32(value);
}
inline std::uint64_t swap_bytes(std::uint64_t value)
{
    return __builtin_bswap64(value);
}

// The bytes of one binary record (a vertex, a face, a facet), gathered so
// that the output buffer is checked once per record instead of per value.
struct BinaryRecord {
    static constexpr std::size_t kCapacity = 64;
    unsigned char bytes[kCapacity];
    std::size_t size = 0;
};

template <typename Word> inline void put_word(BinaryRecord& record, Word word, std::endian order)
{
    if (order != std::endian::native) word = swap_bytes(word);
    std::memcpy(record.bytes + record.size, &word, sizeof word);
    record.size += sizeof word;
}

inline void put_u32(BinaryRecord& record, std::uint32_t value, std::endian order)
{
    put_word(record, value, order);
}

inline void put_f32(BinaryRecord& record, double value, std::endian order)
{
    put_word(record, std::bit_cast<std::uint32_t>(static_cast<float>(value)), order);
}

inline void put_f64(BinaryRecord& record, double value, std::endian order)
{
    put_word(record, std::bit_cast<std::uint64_t>(value), order);
}

inline void put_u8(BinaryRecord& record, std::uint8_t value)
{
    record.bytes[record.size++] = value;
}

// Copies the whole fixed-size array, which is much faster than a copy of
// variable length; only `size` bytes count as written.
inline void append_record(OutputFile& out, const BinaryRecord& record)
{
    std::memcpy(reserve_output(out, BinaryRecord::kCapacity), record.bytes,
                BinaryRecord::kCapacity);
    advance_output(out, record.size);
}

// A single 32-bit word, for headers and counts.
inline void append_u32(OutputFile& out, std::uint32_t value, std::endian order)
{
    BinaryRecord record;
    put_u32(record, value, order);
    append_record(out, record);
}

// "a b c": three reals separated by single blanks.
inline void append_real_triple(OutputFile& out, double a, double b, double c)
{
    append_real(out, a);
    append_char(out, ' ');
    append_real(out, b);
    append_char(out, ' ');
    append_real(out, c);
}
