// Writes the generated font, icon atlas and logo as PNG files for review:
//   lumo-images [output directory]
// lumo_font.png         the font image as generated, white on black
// lumo_font_sample.png  a sample line in every font handle, dark on light
// lumo_icons.png        the icon atlas on a dark background
// lumo_icons_32.png     every icon at 32 pixels (halved), as rows show them
// lumo_logo.png         the logo image on a light background

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/font.h"
#include "platform/image_writer.h"

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    Image(int w, int h, std::uint8_t grey)
        : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, grey)
    {
    }

    // Blends a white-with-alpha source pixel in the given colour.
    void blend(int x, int y, std::uint8_t alpha, const std::uint8_t colour[3])
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<std::uint8_t>((colour[c] * alpha + p[c] * (255 - alpha)) / 255);
    }
};

bool write_png(const std::string& path, const Image& image)
{
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image.width) * image.height * 4);
    for (std::size_t i = 0, j = 0; i < image.rgb.size(); i += 3, j += 4) {
        rgba[j] = image.rgb[i];
        rgba[j + 1] = image.rgb[i + 1];
        rgba[j + 2] = image.rgb[i + 2];
        rgba[j + 3] = 255;
    }
    return write_image(path, "png", rgba.data(), image.width, image.height, image.width * 4);
}

// Copies an RGBA source (white with alpha) onto the image at (x, y), scaled.
void blit(Image& image, const std::vector<std::uint8_t>& rgba, int stride, int sx, int sy, int w,
          int h, int x, int y, int scale, const std::uint8_t colour[3])
{
    for (int row = 0; row < h * scale; ++row)
        for (int col = 0; col < w * scale; ++col) {
            const std::size_t at =
                (static_cast<std::size_t>(sy + row / scale) * stride + sx + col / scale) * 4;
            image.blend(x + col, y + row, rgba[at + 3], colour);
        }
}

Image font_image()
{
    const int w = lumo::g_font_handles.image_width();
    const int h = lumo::g_font_handles.image_height();
    Image image(w, h, 0);
    const std::uint8_t white[3] = {255, 255, 255};
    blit(image, lumo::g_font_image_pixels, w, 0, 0, w, h, 0, 0, 1, white);
    return image;
}

Image font_sample()
{
    const std::string lines[] = {
        "The quick brown fox jumps over the lazy dog. 0123456789",
        "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG! ?@#$%&*()[]{}",
        "extent(w:0.00,h:0.00,d:0.00) \"Re-Assembly\" ~^_`|\\/<>=+-;:',",
    };
    const std::uint8_t ink[3] = {32, 32, 32};
    Image image(1400, 40 + lumo::kFontCount * 3 * 32, 240);
    int y = 10;
    const int stride = lumo::g_font_handles.image_width();
    for (int f = 0; f < lumo::kFontCount; ++f) {
        const lumo::FontHandle& font = lumo::g_font_handles[f];
        for (const std::string& line : lines) {
            int x = 10;
            for (unsigned char byte : line) {
                const int advance = static_cast<int>(font.widths[byte]);
                if (byte > 32 && byte < 127)
                    blit(image, lumo::g_font_image_pixels, stride,
                         static_cast<int>(font.offsets[byte]), font.band_y,
                         static_cast<int>(font.cell_width(byte)), font.band_height, x - font.lead,
                         y, 1, ink);
                x += advance;
            }
            y += font.glyph_height + 2;
        }
        y += 8;
    }
    image.height = y;
    image.rgb.resize(static_cast<std::size_t>(image.width) * y * 3);
    return image;
}

Image icon_image()
{
    Image image(lumo::kIconAtlasSize, lumo::kIconAtlasSize, 48);
    const std::uint8_t white[3] = {235, 235, 235};
    blit(image, lumo::g_icon_atlas_pixels, lumo::kIconAtlasSize, 0, 0, lumo::kIconAtlasSize,
         lumo::kIconAtlasSize, 0, 0, 1, white);
    return image;
}

// The atlas halved by averaging 2 x 2 blocks, the size most rows use.
Image small_icon_image()
{
    const int half = lumo::kIconAtlasSize / 2;
    Image image(half, half, 48);
    const std::uint8_t white[3] = {235, 235, 235};
    for (int y = 0; y < half; ++y)
        for (int x = 0; x < half; ++x) {
            int sum = 0;
            for (int k = 0; k < 4; ++k) {
                const std::size_t at =
                    (static_cast<std::size_t>(2 * y + k / 2) * lumo::kIconAtlasSize + 2 * x +
                     k % 2) *
                    4;
                sum += lumo::g_icon_atlas_pixels[at + 3];
            }
            image.blend(x, y, static_cast<std::uint8_t>(sum / 4), white);
        }
    return image;
}

Image logo_image()
{
    Image image(lumo::kLogoImageSize, lumo::kLogoImageSize, 240);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
            image.blend(x, y, lumo::g_logo_pixels[at + 3], &lumo::g_logo_pixels[at]);
        }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    lumo::generate_icon_atlas();
    lumo::generate_logo_image();
    lumo::generate_font_image();
    bool ok = write_png(dir + "lumo_font.png", font_image());
    ok = write_png(dir + "lumo_font_sample.png", font_sample()) && ok;
    ok = write_png(dir + "lumo_icons.png", icon_image()) && ok;
    ok = write_png(dir + "lumo_icons_32.png", small_icon_image()) && ok;
    ok = write_png(dir + "lumo_logo.png", logo_image()) && ok;
    if (!ok) std::fprintf(stderr, "lumo-images: could not write the images to '%s'\n", dir.c_str());
    return ok ? 0 : 1;
}
