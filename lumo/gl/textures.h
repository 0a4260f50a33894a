#pragma once

// GL textures of the toolkit's generated images. Each creator needs the GL
// context current and its image generated; without an image it makes no
// texture and the name stays 0.

#include <cstdint>

namespace lumo {

struct ToolkitTextures {
    std::uint32_t font = 0;
    std::uint32_t atlas = 0;
    std::uint32_t logo = 0;
    // Made by the renderer: the thumbnail atlas and the last captured image.
    std::uint32_t thumbnails = 0;
    std::uint32_t capture = 0;
};
extern ToolkitTextures g_toolkit_textures;

// The icon atlas; its pixel buffer is freed afterwards, so anything that
// needs atlas pixels later must copy them first.
void create_icon_atlas_texture();
// The logo image; its buffer is kept.
void create_logo_texture();
// The font image; its pixel buffer is freed afterwards.
void create_font_texture();

// Deletes the three textures (names back to 0), while the context still exists.
void delete_toolkit_textures();

} // namespace lumo
