#pragma once

// Cutting script text at top-level separators: a separator inside brackets
// does not cut, and quoted text and comments are told apart so that a quoted
// bracket does not change the nesting.

#include "platform/text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum CharMark : std::uint8_t {
    CHAR_PLAIN = 0,
    CHAR_QUOTED = 1,  // inside '...' or "...", the quotes included
    CHAR_COMMENT = 2, // inside // ... line end or /* ... */, delimiters included
};

// Inserted in place of each top-level separator before the text is split.
inline constexpr std::string_view k_statement_marker = " &&& ";

// One mark per character of the first `length` characters of `text`.
std::vector<std::uint8_t> mark_comment_chars(std::string_view text, std::size_t length);

// All four bracket kinds ( < [ { and ) > ] } share one depth, without pairing;
// brackets in quotes do not count, brackets in comments do. A separator is
// replaced only at depth 0, whatever its mark.
std::string replace_top_level_separator(std::string_view text, char separator,
                                        std::string_view replacement);

// The text cut at its top-level separators (and at any statement marker it
// already holds). With `drop_blank_parts`, parts that are blank are left out
// and, with `trim_parts` too, the rest are trimmed; without it every part is
// returned as cut.
TextList split_statements(std::string_view text, char separator, bool drop_blank_parts,
                          bool trim_parts);
