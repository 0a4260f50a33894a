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

// Binary values are put straight into the output buffer: a writer reserves
// room for a block of records with reserve_output, fills it with the put_*
// functions below (each returns the end of what it put) and advances by the
// block, so the buffer is checked once per block instead of per value.

template <std::endian Order, typename Word> inline char* put_word(char* at, Word word)
{
    if constexpr (Order != std::endian::native) {
        if constexpr (sizeof(Word) == 8)
            word = __builtin_bswap64(word);
        else if constexpr (sizeof(Word) == 4)
            word = __builtin_bswap32(word);
    }
    std::memcpy(at, &word, sizeof word);
    return at + sizeof word;
}

template <std::endian Order> inline char* put_u32(char* at, std::uint32_t value)
{
    return put_word<Order>(at, value);
}

template <std::endian Order> inline char* put_f32(char* at, double value)
{
    return put_word<Order>(at, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

template <std::endian Order> inline char* put_f64(char* at, double value)
{
    return put_word<Order>(at, std::bit_cast<std::uint64_t>(value));
}

// How many records of `record_bytes` fit the output buffer at once.
inline std::size_t records_per_block(const OutputFile& out, std::size_t record_bytes)
{
    return out.buffer.size() / record_bytes;
}

// A single 32-bit word, for headers and counts.
template <std::endian Order> inline void append_u32(OutputFile& out, std::uint32_t value)
{
    put_u32<Order>(reserve_output(out, 4), value);
    advance_output(out, 4);
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
