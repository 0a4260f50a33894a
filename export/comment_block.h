#pragma once

// The comment block that opens the text exports: the file's own name, the
// generator and the program banner, then what the file holds.

#include <cstdint>
#include <string>
#include <string_view>

// "triangles", "quads", "polygons" or "points".
const char* topology_word(std::int32_t topology);

struct CommentBlockFacts {
    std::uint64_t vertices = 0;
    std::uint64_t faces = 0;
    std::int32_t topology = 0;
    bool normals = false;
    bool colours = false;
    // The OBJ vertex lines carry red, green and blue only; the other forms
    // carry alpha too.
    bool colour_alpha = true;
};

// Nine lines, each starting with `prefix` ("# " or "comment ").
std::string comment_block(std::string_view prefix, const std::string& file_name,
                          const CommentBlockFacts& facts);
