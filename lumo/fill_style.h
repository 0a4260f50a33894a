#pragma once

#include <cstdint>
#include <vector>

// One or two RGBA colour stops (four doubles each, 0 to 1) and a paint mode:
// 0 flat, 1 top to bottom, 2 left to right, 3 top-left to bottom-right.
// Widgets point at styles and never own them.
//
// Copying reverses the stop order (the themes copy their styles over the
// active ones and so flip their gradients); building from stops keeps it.
struct FillStyle {
    std::vector<double> stops;
    std::int32_t mode = 0;

    FillStyle() = default;
    FillStyle(const std::vector<double>& colour_stops, std::int32_t paint_mode);
    FillStyle(const FillStyle& other);
    FillStyle& operator=(const FillStyle& other);
    FillStyle(FillStyle&& other) noexcept = default;
    FillStyle& operator=(FillStyle&& other) noexcept = default;
    ~FillStyle() = default;

    int stop_count() const { return static_cast<int>(stops.size() / 4); }
    // Channel c (0 red .. 3 alpha) of stop k; a missing stop repeats the last.
    double channel(int k, int c) const;
};

enum FillMode : std::int32_t {
    kFillFlat = 0,
    kFillVertical = 1,
    kFillHorizontal = 2,
    kFillDiagonal = 3
};
