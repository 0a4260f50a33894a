#include "lumo/fill_style.h"

#include <utility>

FillStyle::FillStyle(const std::vector<double>& colour_stops, std::int32_t paint_mode)
    : mode(paint_mode)
{
    stops.reserve(colour_stops.size());
    for (double value : colour_stops)
        stops.push_back(value);
}

FillStyle::FillStyle(const FillStyle& other) : mode(other.mode)
{
    const int count = other.stop_count();
    stops.resize(static_cast<std::size_t>(count) * 4);
    for (int k = 0; k < count; ++k)
        for (int c = 0; c < 4; ++c)
            stops[(count - 1 - k) * 4 + c] = other.stops[k * 4 + c];
}

FillStyle& FillStyle::operator=(const FillStyle& other)
{
    if (this != &other) {
        FillStyle reversed(other);
        *this = std::move(reversed);
    }
    return *this;
}

double FillStyle::channel(int k, int c) const
{
    const int count = stop_count();
    if (count == 0) return 0.0;
    if (k >= count) k = count - 1;
    return stops[k * 4 + c];
}
