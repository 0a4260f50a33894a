#pragma once

// The 16 colours the colour schemes give entities, elements and batches by
// their ids.

#include <array>
#include <cstddef>

// Opaque RGBA colours, flat: entry i is [4i, 4i + 3].
inline constexpr std::size_t kEntityPaletteSize = 16;
inline constexpr std::array<double, 4 * kEntityPaletteSize> g_entity_palette = {
    0.25, 0.5,  1.0,  1.0, // 0
    1.0,  0.75, 0.0,  1.0, // 1
    0.5,  0.75, 0.25, 1.0, // 2
    0.75, 0.25, 0.5,  1.0, // 3
    0.75, 0.25, 0.0,  1.0, // 4
    0.25, 0.0,  0.75, 1.0, // 5
    0.25, 0.75, 0.5,  1.0, // 6
    0.5,  0.75, 1.0,  1.0, // 7
    0.25, 0.25, 0.25, 1.0, // 8
    0.5,  0.5,  0.5,  1.0, // 9
    0.75, 0.75, 0.75, 1.0, // 10
    1.0,  1.0,  1.0,  1.0, // 11
    0.5,  0.0,  0.5,  1.0, // 12
    0.5,  0.5,  0.0,  1.0, // 13
    0.0,  0.0,  0.5,  1.0, // 14
    0.5,  0.0,  0.0,  1.0, // 15
};
