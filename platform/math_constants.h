#pragma once

// Numbers the geometry code shares, fixed before the program starts.

#include <cmath>
#include <limits>

inline const double g_pi = std::acos(-1.0);
// Start value of maximum searches.
inline constexpr double g_negative_infinity = -std::numeric_limits<double>::infinity();
