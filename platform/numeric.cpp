#include "platform/numeric.h"

#include <cmath>

RgbColour g_hsv_colour;
Vector3 g_cross_result;

namespace {

double clamp_unit(double channel)
{
    if (channel > 1.0) return 1.0;
    if (channel < 0.0) return 0.0;
    return channel;
}

// One of the six hue sectors; degrees at or past 360 (or NaN) give black.
RgbColour sector_colour(double degrees, double chroma, double value)
{
    const double low = value - chroma;
    const double h = degrees;
    if (h < 60.0) return {value, low + chroma * h / 60.0, low};
    if (h < 120.0) return {low + chroma * (120.0 - h) / 60.0, value, low};
    if (h < 180.0) return {low, value, low + chroma * (h - 120.0) / 60.0};
    if (h < 240.0) return {low, low + chroma * (240.0 - h) / 60.0, value};
    if (h < 300.0) return {low + chroma * (h - 240.0) / 60.0, low, value};
    if (h <= 360.0) return {value, low, low + chroma * (360.0 - h) / 60.0};
    return {0.0, 0.0, 0.0};
}

} // namespace

void hsv_to_rgb(double hue, double saturation, double value)
{
    RgbColour colour{value, value, value};
    if (saturation != 0.0) colour = sector_colour(hue * 360.0, saturation * value, value);
    g_hsv_colour = {clamp_unit(colour.red), clamp_unit(colour.green), clamp_unit(colour.blue)};
}

void normalised_cross(const Vector3& a, const Vector3& b)
{
    Vector3 cross{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    const double length_squared = cross.x * cross.x + cross.y * cross.y + cross.z * cross.z;
    if (length_squared != 0.0) {
        const double scale = 1.0 / std::sqrt(length_squared);
        cross = {cross.x * scale, cross.y * scale, cross.z * scale};
    }
    g_cross_result = cross;
}
