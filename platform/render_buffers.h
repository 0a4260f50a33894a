#pragma once

// Buffers the renderer and its colour schemes reuse from frame to frame, so
// a frame does not allocate. Used on the user-interface thread only.

#include <cstdint>
#include <vector>

inline std::vector<double> g_colour_scratch;
inline std::vector<std::int32_t> g_index_triplet = {0, 1, 2};
