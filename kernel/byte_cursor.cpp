#include "kernel/byte_cursor.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace {

// Moves n bytes from the source to `destination`, after the bounds check.
bool copy_bytes(ByteCursor& cursor, void* destination, std::size_t n)
{
    if (n > bytes_left(cursor)) return false;
    if (n == 0) return true; // an empty vector's data() may be null
    if (cursor.data != nullptr)
        std::memcpy(destination, cursor.data + cursor.position, n);
    else if (std::fread(destination, 1, n, cursor.file) != n)
        return false;
    cursor.position += n;
    return true;
}

template <typename Unsigned> Unsigned reverse_bytes(Unsigned value)
{
    Unsigned reversed = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        reversed = static_cast<Unsigned>((reversed << 8) | (value & 0xFF));
        value = static_cast<Unsigned>(value >> 8);
    }
    return reversed;
}

// The file is little-endian: on a big-endian host every element is turned
// round; on a little-endian one the bytes already are the values.
template <typename Element> void to_host_order(std::vector<Element>& values)
{
    if constexpr (std::endian::native == std::endian::big && sizeof(Element) > 1) {
        using Bits = std::conditional_t<
            sizeof(Element) == 8, std::uint64_t,
            std::conditional_t<sizeof(Element) == 4, std::uint32_t, std::uint16_t>>;
        for (Element& value : values)
            value = std::bit_cast<Element>(reverse_bytes(std::bit_cast<Bits>(value)));
    }
}

template <typename Element>
bool read_array(ByteCursor& cursor, std::uint64_t count, std::vector<Element>& out)
{
    if (!has_elements(cursor, count, sizeof(Element))) return false;
    out.resize(static_cast<std::size_t>(count));
    if (!copy_bytes(cursor, out.data(), out.size() * sizeof(Element))) return false;
    to_host_order(out);
    return true;
}

} // namespace

ByteCursor make_memory_cursor(const std::uint8_t* data, std::size_t size)
{
    static const std::uint8_t no_bytes = 0;
    return ByteCursor{data == nullptr ? &no_bytes : data, nullptr, data == nullptr ? 0 : size, 0};
}

ByteCursor make_file_cursor(std::FILE* file, std::size_t size)
{
    return ByteCursor{nullptr, file, size, 0};
}

std::size_t bytes_left(const ByteCursor& cursor)
{
    return cursor.size - cursor.position;
}

bool has_elements(const ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    if (width == 0) return true;
    return count <= bytes_left(cursor) / width;
}

bool read_i32(ByteCursor& cursor, std::int32_t& out)
{
    std::uint8_t bytes[4];
    if (!copy_bytes(cursor, bytes, 4)) return false;
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    out = static_cast<std::int32_t>(value);
    return true;
}

bool skip_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    if (!has_elements(cursor, count, width)) return false;
    const std::size_t n = static_cast<std::size_t>(count) * width;
    if (cursor.data == nullptr && std::fseek(cursor.file, static_cast<long>(n), SEEK_CUR) != 0)
        return false;
    cursor.position += n;
    return true;
}

bool read_f64_array(ByteCursor& cursor, std::uint64_t count, std::vector<double>& out)
{
    return read_array(cursor, count, out);
}

bool read_u32_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out)
{
    return read_array(cursor, count, out);
}

bool read_u16_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint16_t>& out)
{
    return read_array(cursor, count, out);
}

bool read_u8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint8_t>& out)
{
    return read_array(cursor, count, out);
}

bool read_i8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::int8_t>& out)
{
    return read_array(cursor, count, out);
}

bool read_u16_widened(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out)
{
    std::vector<std::uint16_t> narrow;
    if (!read_u16_array(cursor, count, narrow)) return false;
    out.assign(narrow.begin(), narrow.end());
    return true;
}

bool read_text(ByteCursor& cursor, std::uint64_t count, std::string& out)
{
    if (!has_elements(cursor, count, 1)) return false;
    out.resize(static_cast<std::size_t>(count));
    return copy_bytes(cursor, out.data(), out.size());
}
