#pragma once

// The default font's width of every byte value, which text measuring reads.
// The interface fills it once when it builds its fonts; it is empty until
// then, and every text measures 0 wide.

#include <cstdint>
#include <vector>

inline std::vector<std::uint32_t> g_char_widths;
