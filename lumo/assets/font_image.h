#pragma once

#include <cstdint>
#include <vector>

namespace lumo {

// RGBA8 font image, g_font_handles.image_width() x image_height(): white
// with the glyph coverage in alpha, one band per font handle. Empty until
// generate_font_image runs; the GL side frees it after uploading.
extern std::vector<std::uint8_t> g_font_image_pixels;

// Rasterises the stroke font for every handle (weight by pen width, italic
// by shear) and writes "VTX-GEN:" with its time and " ms" to the trace.
void generate_font_image();

} // namespace lumo
