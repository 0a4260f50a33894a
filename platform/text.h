#pragma once

// Byte-string helpers used everywhere. A byte is a character: no encoding,
// no locale. Every function is pure and safe on any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TextList = std::vector<std::string>;


// Decimal text, "-" before negatives.
std::string int_to_text(std::int32_t value);
// Same text as int_to_text; the LNG slot and clock differences use it.
std::string unsigned_to_text(std::int32_t value);
// "%g"-style: six significant digits, no trailing zeros ("1.23457e+06").
std::string double_to_text(double value);
// Exactly `digits` digits after the point ("%.*f"); negative counts as 0.
std::string fixed_to_text(double value, std::int32_t digits);
std::string char_to_text(char byte);
// Digits grouped by three with "," ("1,234,567"); 64 bits wide, as byte totals
// of large groups do not fit 32.
std::string uint_to_grouped_text(std::uint64_t count);
// Fill bytes in front up to `width`; a longer text is never cut.
std::string pad_text(const std::string& text, std::int32_t width, char fill);

// The one blank set of the program: NUL, TAB, LF, CR and space (not VT/FF).
bool is_blank_char(char byte);
std::string trim_text(const std::string& text);
// ASCII letters only; bytes of 128 and above stay as they are.
std::string to_upper_text(const std::string& text);
std::string to_lower_text(const std::string& text);

// Fields between delimiters; empty fields stay, but a delimiter that ends the
// text opens no further field ("a," gives "a"). An empty text gives none.
TextList split_text(const std::string& text, char delimiter);
TextList split_text_skip_empty(const std::string& text, char delimiter);
// Fields between non-overlapping occurrences of `separator`. A separator at
// the very start opens no field; one at the end leaves an empty last field.
// An empty text gives one empty field; an empty separator gives the whole text.
TextList split_text_by(const std::string& text, const std::string& separator);
// The first min(count, size) texts with `separator` between neighbours.
std::string join_strings(const TextList& texts, std::int32_t count, char separator);

