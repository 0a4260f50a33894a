#pragma once

// The one reader of numbers typed into the interface's fields. A number is
// read from the start of the text (leading blanks skipped, trailing
// characters ignored, so "0.5abc" reads 0.5). Real numbers must be finite;
// integers take C's prefixes (0x hexadecimal, 0 octal) and must fit 32 bits.
// Anything else reads nothing.

#include <cstdint>
#include <optional>
#include <string>

std::optional<double> read_real_number(const std::string& text);
std::optional<std::int32_t> read_integer_number(const std::string& text);
