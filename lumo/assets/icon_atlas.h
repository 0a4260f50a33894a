#pragma once

#include <cstdint>
#include <vector>

namespace lumo {

// The 512 x 512 RGBA8 icon atlas: 8 x 8 cells of 64 pixels, white shapes
// with coverage in alpha (the widgets tint them), and the logo at 128 x 128
// in the last 128 x 128 cell, whose first pixel is (384, 384). Empty until
// generate_icon_atlas runs; the GL side frees it after uploading.
extern std::vector<std::uint8_t> g_icon_atlas_pixels;
// The 256 x 256 RGBA8 logo image, in colour.
extern std::vector<std::uint8_t> g_logo_pixels;

// Renders every active icon; writes "ICN-GEN:" with its time to the trace.
void generate_icon_atlas();
// Renders the logo; writes "SDF-GEN:" with its time and " ms" to the trace.
void generate_logo_image();

} // namespace lumo
