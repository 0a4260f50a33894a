#include "lumo/assets/font_image.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "lumo/assets/raster.h"
#include "lumo/assets/stroke_font.h"
#include "lumo/font.h"
#include "platform/clock.h"
#include "platform/trace.h"

namespace lumo {

std::vector<std::uint8_t> g_font_image_pixels;

namespace {

std::vector<StrokeSegment> glyph_in_pixels(const FontHandle& font, int byte)
{
    const double scale = font.glyph_height / kStrokeLineUnits;
    const double pad = std::round(font.stroke_width - 1.0) * 0.5 + font.lead;
    std::vector<StrokeSegment> segments = stroke_segments(byte);
    auto to_pixels = [&](double& x, double& y) {
        const double shifted = x * scale + pad + font.shear * (y - kStrokeSlantPivot) * scale;
        y = (kStrokeAscent - y) * scale;
        x = shifted;
    };
    for (StrokeSegment& s : segments) {
        to_pixels(s.x0, s.y0);
        to_pixels(s.x1, s.y1);
    }
    return segments;
}

void rasterise_glyph(const FontHandle& font, int byte, int image_width)
{
    const std::vector<StrokeSegment> segments = glyph_in_pixels(font, byte);
    if (segments.empty()) return;
    const double half = font.stroke_width * 0.5;
    const int cell_w = static_cast<int>(font.cell_width(byte));
    for (int row = 0; row < font.band_height; ++row) {
        for (int col = 0; col < cell_w; ++col) {
            const double px = col + 0.5;
            const double py = row + 0.5;
            double nearest = 1e9;
            for (const StrokeSegment& s : segments)
                nearest = std::min(nearest, segment_distance(px, py, s.x0, s.y0, s.x1, s.y1));
            const double coverage = std::clamp(half + 0.5 - nearest, 0.0, 1.0);
            if (coverage <= 0.0) continue;
            const std::size_t at = (static_cast<std::size_t>(font.band_y + row) * image_width +
                                    font.offsets[byte] + col) *
                                   4;
            g_font_image_pixels[at + 0] = 255;
            g_font_image_pixels[at + 1] = 255;
            g_font_image_pixels[at + 2] = 255;
            g_font_image_pixels[at + 3] = static_cast<std::uint8_t>(std::lround(coverage * 255.0));
        }
    }
}

} // namespace

void generate_font_image()
{
    const std::int64_t start = now_ms();
    const int width = g_font_handles.image_width();
    const int height = g_font_handles.image_height();
    g_font_image_pixels.assign(static_cast<std::size_t>(width) * height * 4, 0);
    // Transparent white, so that filtering at glyph edges keeps the colour.
    for (std::size_t i = 0; i < g_font_image_pixels.size(); i += 4)
        g_font_image_pixels[i] = g_font_image_pixels[i + 1] = g_font_image_pixels[i + 2] = 255;
    for (int f = 0; f < g_font_handles.size(); ++f)
        for (int byte = kFirstGlyph + 1; byte <= kLastGlyph; ++byte)
            rasterise_glyph(g_font_handles[f], byte, width);
    trace_line("VTX-GEN:" + std::to_string(now_ms() - start) + " ms");
}

} // namespace lumo
