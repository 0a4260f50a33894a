#include "kernel/byte_cursor.h"

#include <iterator>

namespace {

// The elements of a little-endian array in host order, as a random-access
// range: a vector assigned from it is sized once and written once, with no
// zero-fill before the copy.
template <typename Element> struct LittleEndianElements {
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Element;
    using difference_type = std::ptrdiff_t;
    using pointer = const Element*;
    using reference = Element;

    const std::uint8_t* at = nullptr;

    Element operator*() const { return load_little_endian<Element>(at, 0); }
    Element operator[](difference_type k) const
    {
        return load_little_endian<Element>(at, static_cast<std::size_t>(k));
    }
    LittleEndianElements& operator++()
    {
        at += sizeof(Element);
        return *this;
    }
    LittleEndianElements operator++(int)
    {
        LittleEndianElements before = *this;
        ++*this;
        return before;
    }
    LittleEndianElements& operator--()
    {
        at -= sizeof(Element);
        return *this;
    }
    LittleEndianElements& operator-=(difference_type n) { return *this += -n; }
    LittleEndianElements& operator+=(difference_type n)
    {
        at += n * static_cast<difference_type>(sizeof(Element));
        return *this;
    }
    friend LittleEndianElements operator+(LittleEndianElements it, difference_type n)
    {
        return it += n;
    }
    friend difference_type operator-(const LittleEndianElements& a, const LittleEndianElements& b)
    {
        return (a.at - b.at) / static_cast<difference_type>(sizeof(Element));
    }
    friend auto operator<=>(const LittleEndianElements& a, const LittleEndianElements& b)
    {
        return a.at <=> b.at;
    }
    friend bool operator==(const LittleEndianElements& a, const LittleEndianElements& b)
    {
        return a.at == b.at;
    }
};

template <typename Element>
bool read_array(ByteCursor& cursor, std::uint64_t count, std::vector<Element>& out)
{
    const std::uint8_t* at = nullptr;
    if (!take_elements(cursor, count, sizeof(Element), at)) return false;
    const LittleEndianElements<Element> first{at};
    out.assign(first, first + static_cast<std::ptrdiff_t>(count));
    release_read_pages(cursor);
    return true;
}

} // namespace

void release_read_pages(const ByteCursor& cursor)
{
    if (cursor.mapping != nullptr) release_pages_before(*cursor.mapping, cursor.position);
}

ByteCursor make_memory_cursor(const std::uint8_t* data, std::size_t size)
{
    static const std::uint8_t no_bytes = 0;
    return ByteCursor{data == nullptr ? &no_bytes : data, data == nullptr ? 0 : size, 0, nullptr};
}

ByteCursor make_mapped_cursor(MappedFile& file)
{
    ByteCursor cursor = make_memory_cursor(file.data, file.size);
    cursor.mapping = &file;
    return cursor;
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
    const std::uint8_t* at = nullptr;
    if (!take_elements(cursor, 1, 4, at)) return false;
    out = static_cast<std::int32_t>(load_little_endian<std::uint32_t>(at, 0));
    return true;
}

bool skip_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width)
{
    const std::uint8_t* at = nullptr;
    return take_elements(cursor, count, width, at);
}

bool take_elements(ByteCursor& cursor, std::uint64_t count, std::size_t width,
                   const std::uint8_t*& at)
{
    if (!has_elements(cursor, count, width)) return false;
    at = cursor.data + cursor.position;
    cursor.position += static_cast<std::size_t>(count) * width;
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
    const std::uint8_t* at = nullptr;
    if (!take_elements(cursor, count, 2, at)) return false;
    const LittleEndianElements<std::uint16_t> first{at};
    out.assign(first, first + static_cast<std::ptrdiff_t>(count));
    release_read_pages(cursor);
    return true;
}

bool read_text(ByteCursor& cursor, std::uint64_t count, std::string& out)
{
    const std::uint8_t* at = nullptr;
    if (!take_elements(cursor, count, 1, at)) return false;
    out.assign(reinterpret_cast<const char*>(at), static_cast<std::size_t>(count));
    return true;
}
