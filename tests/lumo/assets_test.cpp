// Font metrics and image, icon descriptors, atlas and logo.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/assets/sdf.h"
#include "lumo/assets/stroke_font.h"
#include "lumo/font.h"

namespace lumo {
namespace {

// Read during static initialisation of this file, whatever the link order.
const int kDefaultHeightAtStartUp = g_font_handles[kDefaultFont].glyph_height;
const std::string kLogoNameAtStartUp = g_icon_descriptors[kIconLogo].name;

TEST(FontMetrics, HeightsWidthsCellsAndMeasuring)
{
    // The global tables are ready for static initialisers elsewhere.
    EXPECT_EQ(kDefaultHeightAtStartUp, 17);
    EXPECT_EQ(kLogoNameAtStartUp, "logo");
    // Out-of-range handles fall back to the default font.
    for (int handle : {-1, 12})
        EXPECT_EQ(&font_or_default(handle), &g_font_handles[kDefaultFont]) << handle;
    int previous_band_end = 0;
    for (int f = 0; f < g_font_handles.size(); ++f) {
        const FontHandle& font = g_font_handles[f];
        EXPECT_GE(font.band_y, previous_band_end);
        previous_band_end = font.band_y + font.band_height;
        std::uint32_t previous_end = 0;
        for (int byte = 32; byte <= 126; ++byte) {
            EXPECT_GT(font.widths[byte], 0u) << f << " " << byte;
            EXPECT_GE(font.offsets[byte], previous_end);
            previous_end = font.offsets[byte] + font.cell_width(byte);
        }
        EXPECT_LE(previous_end, static_cast<std::uint32_t>(g_font_handles.image_width()));
    }
    EXPECT_LE(previous_band_end, g_font_handles.image_height());
    for (int byte = 32; byte <= 126; ++byte) { // bold is not narrower
        EXPECT_GE(g_font_handles[kFontBold].widths[byte],
                  g_font_handles[kFontRegular].widths[byte]);
        EXPECT_GE(g_font_handles[kFontSmallBold].widths[byte],
                  g_font_handles[kFontSmall].widths[byte]);
    }
    const FontHandle& small = g_font_handles[kFontSmall];
    EXPECT_GT(small.widths['W'], small.widths['i']);
    EXPECT_EQ(small.widths['\t'], 2 * small.widths[' ']);
    // Measuring splits lines and sums widths.
    const TextMetrics m = measure_text(small, "ab\n\nabc");
    const int ab = static_cast<int>(small.widths['a'] + small.widths['b']);
    EXPECT_EQ(m.line_widths, (std::vector<int>{ab, 0, ab + static_cast<int>(small.widths['c'])}));
    EXPECT_EQ(std::pair(m.widest, m.height), std::pair(m.line_widths[2], 3 * 14));
    EXPECT_EQ(measure_text(small, "").height, 0);

    // A line wider than an int can count (a flooding kernel) is clamped.
    FontHandle wide = small;
    wide.widths['x'] = 1u << 20;
    EXPECT_EQ(text_width(wide, std::string(4096, 'x')), std::numeric_limits<int>::max());
    EXPECT_EQ(text_width(wide, std::string(2047, 'x')), 2047 << 20);
}

// Traces go to standard output; each generator writes its tag and time.
std::string run_traced(void (*generate)())
{
    testing::internal::CaptureStdout();
    generate();
    return testing::internal::GetCapturedStdout();
}

int alpha_sum(const std::vector<std::uint8_t>& rgba, int stride, int x0, int y0, int w, int h)
{
    int sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            sum += rgba[(static_cast<std::size_t>(y) * stride + x) * 4 + 3];
    return sum;
}

TEST(FontImage, StrokeGlyphsAreRasterisedIntoTheirCells)
{
    const std::string trace = run_traced(generate_font_image);
    EXPECT_EQ(trace.rfind("VTX-GEN:", 0), 0u);
    EXPECT_NE(trace.find(" ms"), std::string::npos);
    const int width = g_font_handles.image_width();
    ASSERT_EQ(g_font_image_pixels.size(),
              static_cast<std::size_t>(width) * g_font_handles.image_height() * 4);
    const FontHandle& regular = g_font_handles[kFontSmall];
    const FontHandle& bold = g_font_handles[kFontSmallBold];
    auto ink = [&](const FontHandle& f, int byte) {
        return alpha_sum(g_font_image_pixels, width, static_cast<int>(f.offsets[byte]), f.band_y,
                         static_cast<int>(f.cell_width(byte)), f.band_height);
    };
    // Every visible glyph has strokes inside its box, and ink in its cell.
    EXPECT_TRUE(stroke_segments(' ').empty());
    EXPECT_TRUE(stroke_segments(127).empty());
    for (int byte = 33; byte <= 126; ++byte) {
        const std::vector<StrokeSegment> segments = stroke_segments(byte);
        EXPECT_FALSE(segments.empty()) << char(byte);
        for (const StrokeSegment& s : segments) {
            for (double y : {s.y0, s.y1})
                EXPECT_TRUE(y <= kStrokeAscent && y >= -kStrokeDescent) << char(byte);
            for (double x : {s.x0, s.x1})
                EXPECT_TRUE(x >= -0.1 && x <= stroke_advance(byte) + 0.1) << char(byte);
        }
        EXPECT_GT(ink(regular, byte), 0) << char(byte);
    }
    EXPECT_GT(ink(bold, 'H'), ink(regular, 'H'));
    // Slanting keeps every stroke: an italic glyph whose ascender or
    // descender were cut at its cell (a 'd' without its stem reads 'o') has
    // clearly less ink than its upright twin of the same pen.
    for (const auto& [upright, italic] : {std::pair{kFontRegular, kFontItalic},
                                          {kFontSmall, kFontSmallItalic},
                                          {kFontLarge, kFontLargeItalic}}) {
        for (int byte = 33; byte <= 126; ++byte)
            EXPECT_GT(ink(g_font_handles[italic], byte), 0.9 * ink(g_font_handles[upright], byte))
                << italic << " '" << char(byte) << "'";
    }
    // Anti-aliased: some coverage lies strictly between empty and full.
    int partial = 0;
    for (std::size_t i = 3; i < g_font_image_pixels.size(); i += 4)
        partial += g_font_image_pixels[i] > 0 && g_font_image_pixels[i] < 255;
    EXPECT_GT(partial, 0);
}

TEST(IconDescriptors, OneAndTwoFunctionFormsAndEverySlotTheInterfaceUses)
{
    const IconDescriptor sphere =
        construct_icon_descriptor("sphere", sdf::circle, 0, 0, 1.5, 0, 0, 0);
    EXPECT_TRUE(sphere.active && sphere.sdf_list.empty());
    EXPECT_LT(icon_distance(sphere, 0, 0), 0);
    EXPECT_NEAR(icon_distance(sphere, 1.5, 0), 0, 1e-12);

    IconDescriptor pair = construct_icon_descriptor_pair("pair", sdf::circle, 0, 0, 1.5, 0, 0, 0,
                                                         sdf::circle, 0, 0, 0.5, 0, 0, 0);
    EXPECT_EQ(pair.sdf_list.size(), 2u);
    EXPECT_LT(icon_distance(pair, 0, 0), 0); // union by default
    pair.extra[0] = kCombineSubtract;
    EXPECT_GT(icon_distance(pair, 0, 0), 0); // a hole in the middle
    EXPECT_LT(icon_distance(pair, 1.0, 0), 0);

    // Every slot the interface uses draws a shape covering part of its cell.
    const int used[] = {
        kIconDelete,   kIconAsterisk,  kIconConfirm,         kIconTheme,      kIconSelect,
        kIconParallel, kIconFocus,     kIconMaterial,        kIconShader,     kIconRefresh,
        kIconInfo,     kIconWindow,    kIconWorldScale,      kIconLight,      kIconFieldOfView,
        kIconLocked,   kIconCamera,    kIconSliders,         kIconBackground, kIconFullScreen,
        kIconColour,   kIconShading,   kIconOrbit,           kIconState,      kIconWidgets,
        kIconView,     kIconMeshLight, kIconProjectionLight, kIconLogo};
    for (int slot : used) {
        EXPECT_TRUE(g_icon_descriptors[slot].active && !g_icon_descriptors[slot].name.empty())
            << slot;
        int inside = 0;
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 16; ++j)
                inside += icon_distance(g_icon_descriptors[slot], -1.875 + 0.25 * i,
                                        -1.875 + 0.25 * j) < 0;
        EXPECT_GT(inside, 4) << slot;
        EXPECT_LT(inside, 200) << slot;
        EXPECT_GT(icon_distance(g_icon_descriptors[slot], 1.98, 1.98), 0) << slot;
    }
}

TEST(IconAtlas, CellsGeneratedAtlasAndLogoImage)
{
    for (int unused : {55, 63, 64})
        EXPECT_EQ(icon_cell(unused).size, 0) << unused;

    const std::string trace = run_traced(generate_icon_atlas);
    EXPECT_EQ(trace.rfind("ICN-GEN:", 0), 0u);
    ASSERT_EQ(g_icon_atlas_pixels.size(), 512u * 512u * 4u);
    for (int slot = 0; slot < g_icon_descriptors.size(); ++slot) {
        const IconCell cell = icon_cell(slot);
        if (cell.size == 0) continue;
        const int ink = alpha_sum(g_icon_atlas_pixels, 512, cell.x, cell.y, cell.size, cell.size);
        if (g_icon_descriptors[slot].active != 0)
            EXPECT_GT(ink, 0) << slot;
        else
            EXPECT_EQ(ink, 0) << slot;
    }
    // The logo fills its 128 x 128 block at (384, 384) and reaches its centre.
    EXPECT_GT(alpha_sum(g_icon_atlas_pixels, 512, 384, 384, 128, 128),
              4 * alpha_sum(g_icon_atlas_pixels, 512, 64, 0, 64, 64));
    EXPECT_GT(g_icon_atlas_pixels[((384 + 40) * 512 + 384 + 64) * 4 + 3], 200);

    // The logo image on its own: coloured, with a clear corner.
    const std::string logo_trace = run_traced(generate_logo_image);
    EXPECT_EQ(logo_trace.rfind("SDF-GEN:", 0), 0u);
    EXPECT_NE(logo_trace.find(" ms"), std::string::npos);
    ASSERT_EQ(g_logo_pixels.size(), 256u * 256u * 4u);
    const std::size_t centre_top = (80u * 256u + 128u) * 4u;
    EXPECT_GT(g_logo_pixels[centre_top + 3], 200);
    EXPECT_NE(g_logo_pixels[centre_top + 0], g_logo_pixels[centre_top + 2]);
    EXPECT_EQ(g_logo_pixels[3], 0); // corner is clear
}

} // namespace
} // namespace lumo
