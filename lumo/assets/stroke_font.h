#pragma once

#include <vector>

namespace lumo {

// The hand-drawn stroke font, in design units: baseline at y 0, y up, cap
// height 10, x-height 7, descenders to -3; a glyph's strokes lie between x 0
// and its advance.
constexpr double kStrokeAscent = 11.5; // top of the line box above the baseline
constexpr double kStrokeDescent = 3.5; // bottom of the line box below it
constexpr double kStrokeLineUnits = kStrokeAscent + kStrokeDescent;
// Italic glyphs lean about the middle of the x-height.
constexpr double kStrokeSlantPivot = 3.5;
constexpr int kFirstGlyph = 32;
constexpr int kLastGlyph = 126;

struct StrokeSegment {
    double x0, y0, x1, y1;
};

// Advance width of a printable byte in design units (0 outside 32..126).
double stroke_advance(int byte);

// The strokes of a printable byte as straight segments (arcs flattened).
std::vector<StrokeSegment> stroke_segments(int byte);

} // namespace lumo
