#include "kernel/byte_cursor.h"

#include <bit>

namespace {

std::uint16_t load_u16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t load_u32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint64_t load_u64(const std::uint8_t* bytes)
{
    return static_cast<std::uint64_t>(load_u32(bytes)) |
           (static_cast<std::uint64_t>(load_u32(bytes + 4)) << 32);
}

// Claims count * width bytes and returns where they start, or null.
const std::uint8_t* take_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    if (!has_elements(cursor, count, width))
        return nullptr;
    const std::uint8_t* start = cursor.data + cursor.position;
    cursor.position += static_cast<std::size_t>(count) * width;
    return start;
}

// One bulk pass per array: the loop bodies are plain loads, which the
// compiler turns into straight copies on little-endian hosts.
template <typename Element, typename Decode>
bool read_array(ByteCursor& cursor, std::uint64_t count, std::size_t width,
                std::vector<Element>& out, Decode decode)
{
    const std::uint8_t* bytes = take_elements(cursor, count, width);
    if (bytes == nullptr)
        return false;
    out.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = decode(bytes + i * width);
    return true;
}

} // namespace

ByteCursor make_byte_cursor(const std::uint8_t* data, std::size_t size)
{
    return ByteCursor{data, data == nullptr ? 0 : size, 0};
}

std::size_t bytes_left(const ByteCursor& cursor)
{
    return cursor.size - cursor.position;
}

bool has_elements(const ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    if (width == 0)
        return true;
    return count <= bytes_left(cursor) / width;
}

bool read_i32(ByteCursor& cursor, std::int32_t& out)
{
    const std::uint8_t* bytes = take_elements(cursor, 1, 4);
    if (bytes == nullptr)
        return false;
    out = static_cast<std::int32_t>(load_u32(bytes));
    return true;
}

bool skip_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    return take_elements(cursor, count, width) != nullptr;
}

bool read_f64_array(ByteCursor& cursor, std::uint64_t count, std::vector<double>& out)
{
    return read_array(cursor, count, 8, out,
                      [](const std::uint8_t* b) { return std::bit_cast<double>(load_u64(b)); });
}

bool read_u32_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out)
{
    return read_array(cursor, count, 4, out, load_u32);
}

bool read_u16_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint16_t>& out)
{
    return read_array(cursor, count, 2, out, load_u16);
}

bool read_u8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint8_t>& out)
{
    return read_array(cursor, count, 1, out, [](const std::uint8_t* b) { return *b; });
}

bool read_i8_array(ByteCursor& cursor, std::uint64_t count, std::vector<std::int8_t>& out)
{
    return read_array(cursor, count, 1, out,
                      [](const std::uint8_t* b) { return static_cast<std::int8_t>(*b); });
}

bool read_u16_widened(ByteCursor& cursor, std::uint64_t count, std::vector<std::uint32_t>& out)
{
    return read_array(cursor, count, 2, out,
                      [](const std::uint8_t* b) { return static_cast<std::uint32_t>(load_u16(b)); });
}

bool read_text(ByteCursor& cursor, std::uint64_t count, std::string& out)
{
    const std::uint8_t* bytes = take_elements(cursor, count, 1);
    if (bytes == nullptr)
        return false;
    out.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
    return true;
}
