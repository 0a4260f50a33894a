#pragma once

// Real numbers as text, exactly as the C "%g" conversion writes them (six
// significant digits, no trailing zeros, exponent form below 1e-4 and from
// 1e6), but locale-independent and several times faster than printf or the
// precision form of std::to_chars: numbers are most of a text export.

#include <cstddef>

// Room that put_real may need.
constexpr std::size_t kRealTextRoom = 32;

// Writes the text at `first` and returns its end.
char* put_real(char* first, double value);
