#pragma once

// Per-vertex colours of an interop mesh: a palette of RGBA colours (four f64
// values each) and one palette index per vertex, 1, 2 or 4 bytes wide.

#include <cstdint>
#include <vector>

// For each entry of the one non-empty index list, the four palette values of
// the colour it selects. The indices come from the first non-empty list in
// the order 32-bit, 16-bit, 8-bit. An index outside the palette gives an empty
// result: no colour is made up for it.
std::vector<double> gather_vertex_blocks(const std::vector<double>& palette,
                                         const std::vector<std::uint32_t>& indices_32,
                                         const std::vector<std::uint16_t>& indices_16,
                                         const std::vector<std::uint8_t>& indices_8);

// Each value as a byte: x 255 truncated, after clamping to 0..1 (NaN gives 0),
// so that no value a kernel writes can overflow the byte.
std::vector<std::uint8_t> colour_values_to_bytes(const std::vector<double>& values);
