#pragma once

// Mesh colouring by scheme and colour function, without GL: the results go
// into the mesh's RGBA byte colours, which the renderer uploads.

#include <array>
#include <cstdint>

#include "model/enum_names.h"
#include "render/mesh_geometry.h"

// Colour schemes: 0 the mesh's own colours, 1 dark grey, 2 light, 3 function.
struct ColourSettings {
    std::int32_t scheme = 0;
    ColourModeId function = ColourModeId::ELEVATION;
    bool negate = false;       // the ramp runs from high to low
    bool multi_channel = true; // ramps through hue rather than grey
    bool inverted = false;     // red, green and blue become 255 minus themselves
    bool transparent = false;  // alpha one half
    Vec3d eye{0.0, 0.0, 0.0};  // for the depth function
};

// Byte alpha of the transparency mode (0.5 x 255, truncated).
constexpr std::uint8_t TRANSPARENT_ALPHA = 127;

// Recolours the mesh's RGBA bytes (sized to its vertex count first) by the
// scheme, then applies transparency and inversion, and marks the colours for
// upload. A function whose array is missing gives neutral grey.
void apply_colour_function(const ColourSettings& settings, Mesh& mesh);

// The ten legend swatches, 0xFFRRGGBB: hue i/10 when multi-channel, grey
// i/10 x 255 otherwise.
std::array<std::uint32_t, 10> build_function_palette(bool multi_channel);

// Red, green and blue (0 to 1) of a ramp value 0 to 1: hue 0.9 t at full
// saturation, or grey t. Swatch i of the legend shows ramp value i/9.
Vec3d ramp_colour(double t, bool multi_channel);
