#include "lumo/assets/icon_atlas.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "lumo/assets/icons.h"
#include "platform/clock.h"
#include "platform/trace.h"

namespace lumo {

std::vector<std::uint8_t> g_icon_atlas_pixels;
std::vector<std::uint8_t> g_logo_pixels;

namespace {

// Icon space spans -2 to 2 across a cell.
constexpr double kIconSpan = 4.0;

// Coverage of one pixel from the distance at its centre, one pixel of
// anti-aliasing across the edge.
double coverage(const IconDescriptor& icon, int col, int row, int size)
{
    const double pixel = kIconSpan / size;
    const double x = (col + 0.5) * pixel - kIconSpan * 0.5;
    const double y = kIconSpan * 0.5 - (row + 0.5) * pixel;
    return std::clamp(0.5 - icon_distance(icon, x, y) / pixel, 0.0, 1.0);
}

void render_icon(const IconDescriptor& icon, std::vector<std::uint8_t>& pixels, int stride,
                 int left, int top, int size)
{
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const std::size_t at = (static_cast<std::size_t>(top + row) * stride + left + col) * 4;
            pixels[at + 0] = pixels[at + 1] = pixels[at + 2] = 255;
            pixels[at + 3] =
                static_cast<std::uint8_t>(std::lround(coverage(icon, col, row, size) * 255.0));
        }
    }
}

} // namespace

void generate_icon_atlas()
{
    const std::int64_t start = now_ms();
    g_icon_atlas_pixels.assign(static_cast<std::size_t>(kIconAtlasSize) * kIconAtlasSize * 4, 0);
    for (int slot = 0; slot < g_icon_descriptors.size(); ++slot) {
        const IconCell cell = icon_cell(slot);
        if (cell.size == 0 || g_icon_descriptors[slot].active == 0) continue;
        render_icon(g_icon_descriptors[slot], g_icon_atlas_pixels, kIconAtlasSize, cell.x, cell.y,
                    cell.size);
    }
    trace_line("ICN-GEN:" + std::to_string(now_ms() - start) + " ms");
}

void generate_logo_image()
{
    const std::int64_t start = now_ms();
    const IconDescriptor& logo = g_icon_descriptors[kIconLogo];
    g_logo_pixels.assign(static_cast<std::size_t>(kLogoImageSize) * kLogoImageSize * 4, 0);
    for (int row = 0; row < kLogoImageSize; ++row) {
        // A flat two-tone blue, lighter at the top.
        const double t = static_cast<double>(row) / (kLogoImageSize - 1);
        const auto r = static_cast<std::uint8_t>(std::lround(64 - 24 * t));
        const auto g = static_cast<std::uint8_t>(std::lround(160 - 60 * t));
        const auto b = static_cast<std::uint8_t>(std::lround(255 - 40 * t));
        for (int col = 0; col < kLogoImageSize; ++col) {
            const std::size_t at = (static_cast<std::size_t>(row) * kLogoImageSize + col) * 4;
            g_logo_pixels[at + 0] = r;
            g_logo_pixels[at + 1] = g;
            g_logo_pixels[at + 2] = b;
            g_logo_pixels[at + 3] = static_cast<std::uint8_t>(
                std::lround(coverage(logo, col, row, kLogoImageSize) * 255.0));
        }
    }
    trace_line("SDF-GEN:" + std::to_string(now_ms() - start) + " ms");
}

} // namespace lumo
