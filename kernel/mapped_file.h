#pragma once

// A file mapped read-only into memory, for readers that take its bytes once
// from front to back: the arrays are copied straight from the mapping into
// their final places (no buffer between, no kernel copy), and the pages
// already read are handed back as the reading goes on, so the mapping never
// holds more than a few megabytes of the file in resident memory.

#include <cstddef>
#include <cstdint>
#include <string>

struct MappedFile {
    const std::uint8_t* data = nullptr; // null for an empty or unmapped file
    std::size_t size = 0;
    std::size_t released = 0; // bytes from the start already handed back

    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();
};

// False when the file cannot be opened or mapped; an empty file maps to no bytes.
bool map_file(MappedFile& file, const std::string& path);

// Hands back the whole pages before `position` once enough have gathered;
// reading them again later still works (they come back from the page cache).
void release_pages_before(MappedFile& file, std::size_t position);
