#include "lumo/gl/textures.h"

#include <GL/gl.h>

#include <vector>

#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/font.h"

namespace lumo {

ToolkitTextures g_toolkit_textures;

namespace {

// An RGBA8 texture, clamped and linearly filtered; 0 when there are no pixels.
std::uint32_t make_rgba_texture(const std::vector<std::uint8_t>& pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height * 4)
        return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Rows are tightly packed whatever the width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void release_pixels(std::vector<std::uint8_t>& pixels)
{
    std::vector<std::uint8_t>().swap(pixels);
}

void delete_texture(std::uint32_t& name)
{
    if (name == 0) return;
    const GLuint gl_name = name;
    glDeleteTextures(1, &gl_name);
    name = 0;
}

} // namespace

void create_icon_atlas_texture()
{
    g_toolkit_textures.atlas =
        make_rgba_texture(g_icon_atlas_pixels, kIconAtlasSize, kIconAtlasSize);
    release_pixels(g_icon_atlas_pixels);
}

void create_logo_texture()
{
    g_toolkit_textures.logo = make_rgba_texture(g_logo_pixels, kLogoImageSize, kLogoImageSize);
}

void create_font_texture()
{
    g_toolkit_textures.font = make_rgba_texture(g_font_image_pixels, g_font_handles.image_width(),
                                                g_font_handles.image_height());
    release_pixels(g_font_image_pixels);
}

void delete_toolkit_textures()
{
    delete_texture(g_toolkit_textures.font);
    delete_texture(g_toolkit_textures.atlas);
    delete_texture(g_toolkit_textures.logo);
}

} // namespace lumo
