#pragma once

// Pixel metrics of the default interface font, filled once when the interface
// is built. Until then the table is empty and every text measures 0 wide.

#include <cstdint>
#include <string>

#include "platform/char_widths.h"

// Height of one console line in the default font.
extern std::int32_t g_default_line_height;

// Sum of the widths of the text's bytes; bytes the table does not cover count 0.
std::int32_t measure_text_width(const std::string& text);
