#pragma once

// Writes interop file bytes by hand, little-endian, one value at a time, so
// that fixtures follow the file layout table rather than the reader's code.

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// Header fields by their number: fields[1] is H1, fields[36] is H36.
using HeaderFields = std::array<std::int32_t, 37>;

// The given header fields set on top of `base`.
inline HeaderFields with_fields(std::initializer_list<std::pair<int, std::int32_t>> fields,
                                HeaderFields base = {})
{
    for (const auto& [field, value] : fields)
        base[static_cast<std::size_t>(field)] = value;
    return base;
}

struct InteropBytes {
    std::vector<std::uint8_t> bytes;

    InteropBytes& u8(std::uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    InteropBytes& u16(std::uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
    InteropBytes& i32(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        return u16(bits & 0xFFFF).u16(bits >> 16);
    }
    InteropBytes& u32(std::uint32_t value) { return i32(static_cast<std::int32_t>(value)); }
    InteropBytes& f64(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, 8);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    InteropBytes& text(const std::string& value)
    {
        for (char c : value)
            u8(static_cast<std::uint8_t>(c));
        return *this;
    }
    // The 36 header fields H1 to H36 (entry 0 is not written).
    InteropBytes& header(const HeaderFields& fields)
    {
        for (std::size_t h = 1; h <= 36; ++h)
            i32(fields[h]);
        return *this;
    }
};
