#pragma once

#include <algorithm>
#include <cmath>

namespace lumo {

// Distance from (px, py) to the segment (x0, y0)-(x1, y1).
inline double segment_distance(double px, double py, double x0, double y0, double x1, double y1)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0) t = std::clamp(((px - x0) * dx + (py - y0) * dy) / length2, 0.0, 1.0);
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

} // namespace lumo
